// Image test support that needs no kernel scripting: an owner of images,
// streams over bytes in memory, files of the source tree, little-endian
// byte building and memory hooks that count.  Tests built on it run natively and on the Windows
// kernel alike.
#ifndef IMAGE_STREAM_SUPPORT_H
#define IMAGE_STREAM_SUPPORT_H

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "core_test_support.h"
#include "ruvv_image.h"
#include "ruvv_iostr.h"
#include "ruvv_mem.h"

namespace imgtest {

using coretest::reported;
using coretest::reports;

struct ImageFree {
    void operator()(RUV_IMAGE *image) const { ruvv_image_destroy(image); }
};
using Image = std::unique_ptr<RUV_IMAGE, ImageFree>;

// ---- reading bytes in memory ----

struct MemSource {
    std::string data;
    size_t pos = 0;
};

inline int32_t mem_read(RUV_IOSTR *s, int32_t count, void *buffer)
{
    auto *src = static_cast<MemSource *>(s->source);
    if (count <= 0)
        return 0;
    size_t left = src->data.size() - src->pos;
    size_t n = left < (size_t)count ? left : (size_t)count;
    if (n == 0)
        return -1;
    std::memcpy(buffer, src->data.data() + src->pos, n);
    src->pos += n;
    return (int32_t)n;
}

inline int32_t mem_size(RUV_IOSTR *s) { return (int32_t) static_cast<MemSource *>(s->source)->data.size(); }

// A read stream over a copy of the bytes, destroyed with the object.
class MemStream {
public:
    explicit MemStream(std::string data)
    {
        src_.data = std::move(data);
        stream_ = ruvv_iostr_create_read(&src_, mem_read, mem_size);
    }
    ~MemStream() { ruvv_iostr_destroy(stream_); }
    MemStream(const MemStream &) = delete;
    MemStream &operator=(const MemStream &) = delete;
    RUV_IOSTR *get() { return stream_; }

private:
    MemSource src_;
    RUV_IOSTR *stream_ = nullptr;
};

// Reads bytes with a stream reader.
inline Image read_with(RUV_IMAGE *(*reader)(RUV_IOSTR *), const std::string &bytes)
{
    MemStream s(bytes);
    return Image(reader(s.get()));
}

inline bool probe_with(RUV_BOOL (*probe)(RUV_IOSTR *), const std::string &bytes)
{
    MemStream s(bytes);
    return probe(s.get()) != 0;
}

// The bytes of a file of the source tree (a fuzz target's corpus, say).
inline std::string source_file(const std::string &relative)
{
    std::ifstream f(std::string(TRAZ_TEST_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << f.rdbuf();
    return bytes.str();
}

// ---- little-endian byte building ----

inline void put16(std::string &s, uint32_t v)
{
    s += (char)(v & 0xFF);
    s += (char)((v >> 8) & 0xFF);
}
inline void put32(std::string &s, uint32_t v)
{
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// ---- memory hooks that count ----
//
// The largest block asked for through the toolkit's hooks, and the most
// bytes held at once.  Blocks carry their size in a 16-byte header; one
// over 256 MiB is refused (and still counted), so a reader that would take
// the machine's memory fails a test instead.

struct CountingAlloc {
    static constexpr size_t REFUSED = size_t(256) << 20;
    static size_t &largest() { static size_t v = 0; return v; }
    static size_t &held() { static size_t v = 0; return v; }
    static size_t &peak() { static size_t v = 0; return v; }

    static void *keep(void *raw, size_t n)
    {
        if (!raw)
            return nullptr;
        std::memcpy(raw, &n, sizeof n);
        held() += n;
        if (held() > peak())
            peak() = held();
        return static_cast<char *>(raw) + 16;
    }
    static bool allowed(size_t n)
    {
        if (n > largest())
            largest() = n;
        return n <= REFUSED;
    }
    static size_t size_of(void *p)
    {
        size_t n;
        std::memcpy(&n, static_cast<char *>(p) - 16, sizeof n);
        return n;
    }
    static void *alloc(size_t n) { return allowed(n) ? keep(std::malloc(n + 16), n) : nullptr; }
    static void *zalloc(size_t n) { return allowed(n) ? keep(std::calloc(1, n + 16), n) : nullptr; }
    static void free(void *p)
    {
        if (!p)
            return;
        held() -= size_of(p);
        std::free(static_cast<char *>(p) - 16);
    }
    static void *realloc(void *p, size_t n)
    {
        if (!p)
            return alloc(n);
        if (n == 0) {
            free(p);
            return nullptr;
        }
        if (!allowed(n))
            return nullptr;
        size_t old = size_of(p);
        void *q = std::realloc(static_cast<char *>(p) - 16, n + 16);
        if (!q)
            return nullptr;
        held() -= old;
        return keep(q, n);
    }
    // Installs the hooks (on fresh state).
    static void install()
    {
        largest() = held() = peak() = 0;
        static const RUV_MEM_FUNCS f = { alloc, CountingAlloc::free, CountingAlloc::realloc, zalloc };
        ruvv_mem_set_functions(&f);
    }
    // Starts a new count of the largest block and the peak.
    static void restart()
    {
        largest() = 0;
        peak() = held();
    }
};

} // namespace imgtest

#endif
