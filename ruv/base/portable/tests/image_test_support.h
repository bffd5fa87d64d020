// Test support for images: streams over bytes in memory, a sink that can
// be made to fail, files in the build tree, an owner of images, and the
// fixture the image tests start from (fresh toolkit state, reports
// captured, the screen's colour class set to colour).
#ifndef IMAGE_TEST_SUPPORT_H
#define IMAGE_TEST_SUPPORT_H

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "core_test_support.h"
#include "ruvv_attr.h"
#include "ruvv_image.h"
#include "ruvv_iostr.h"

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

// ---- writing ----

// Collects what is written; with a limit, a write that would pass it
// fails: fail_mode 0 answers -1, 1 writes what fits and answers that
// short count.
struct Sink {
    std::string data;
    size_t limit = (size_t)-1;
    int fail_mode = 0;
};

inline int32_t sink_write(RUV_IOSTR *s, int32_t count, const void *buffer)
{
    auto *sink = static_cast<Sink *>(s->source);
    size_t room = sink->limit - sink->data.size();
    if ((size_t)count <= room) {
        sink->data.append(static_cast<const char *>(buffer), (size_t)count);
        return count;
    }
    if (sink->fail_mode == 0)
        return -1;
    sink->data.append(static_cast<const char *>(buffer), room);
    return (int32_t)room;
}

// Writes an image as BMP into a sink; the writer's answer.
inline RUV_BOOL write_bmp(RUV_IMAGE *image, Sink &sink)
{
    RUV_IOSTR *s = ruvv_iostr_create_write(&sink, sink_write);
    RUV_BOOL ok = ruvv_image_write_winbmp(image, s);
    ruvv_iostr_destroy(s);
    return ok;
}

// ---- files in the build tree ----

inline std::string temp_path(const std::string &name)
{
    return std::string(TRAZ_TEST_BINARY_DIR) + "/ruv_image_" + name;
}

inline std::string write_file(const std::string &name, const std::string &bytes)
{
    std::string path = temp_path(name);
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), (std::streamsize)bytes.size());
    return path;
}

inline std::string read_file(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
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

// ---- the debug output ----

// Makes the debug file exist in the start-up directory (it is written only
// when it exists) and reads what was written to it.  The start-up directory
// is the test's own working directory, so test programs run in parallel
// never share a debug file.
class DebugFile {
public:
    DebugFile()
    {
        dir_ = std::filesystem::current_path().string();
        standin::set_startup_dir(dir_.c_str());
        name_ = "ruv_image_debug.txt";
        write_file_at(path(), "");
        ruvv_debug_set_file(name_.c_str());
    }
    std::string path() const { return dir_ + "/" + name_; }
    std::string text() const { return read_file(path()); }

private:
    static void write_file_at(const std::string &path, const std::string &bytes)
    {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f.write(bytes.data(), (std::streamsize)bytes.size());
    }
    std::string dir_;
    std::string name_;
};

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

// ---- the fixture ----

// The colour class of the screen (toolkit attribute 105) that the stand-in
// answers: 5 is a screen without a palette, where XPM colours use "c".
inline void set_color_class(intptr_t value) { standin::set_system_value(105, 105, value); }

class ImageTest : public coretest::CoreTest {
protected:
    void SetUp() override
    {
        coretest::CoreTest::SetUp();
        ruvv_attr_init(nullptr);
        set_color_class(5);
    }
    // Pixel of an image as 0xRRGGBB.
    static RUV_COLOR rgb(const RUV_IMAGE *image, int x, int y) { return ruvv_image_get_pixel(image, x, y) & 0xFFFFFF; }
};

} // namespace imgtest

#endif
