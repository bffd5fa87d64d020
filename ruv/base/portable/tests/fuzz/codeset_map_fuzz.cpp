// Fuzz target for code-set maps.  Input: a mode byte (bit 0 a source
// table, bit 1 a target table, the rest the output size), the two table
// lengths (16 bits each, big-endian), the source and target code-set
// tables, then the text.  The map is built and translates the text into a
// bounded buffer.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_strings_mode.h"
#include "ruvv_iostr.h"
#include "ruvv_str.h"

namespace {

struct Source {
    std::vector<uint8_t> bytes;
    size_t pos = 0;
};

int32_t read_bytes(RUV_IOSTR *s, int32_t count, void *buffer)
{
    Source *src = static_cast<Source *>(s->source);
    size_t n = std::min((size_t)std::max(count, 0), src->bytes.size() - src->pos);
    if (n == 0)
        return count == 0 ? 0 : -1;
    std::memcpy(buffer, src->bytes.data() + src->pos, n);
    src->pos += n;
    return (int32_t)n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 5)
        return 0;
    uint8_t mode = data[0];
    fuzzmode::use(false);
    int32_t out_size = (mode >> 2) % 48;
    size_t pos = 5;
    auto take = [&](size_t n) {
        n = std::min(n, size - pos);
        std::vector<uint8_t> v(data + pos, data + pos + n);
        pos += n;
        return v;
    };
    Source src, dst;
    src.bytes = take((size_t)data[1] << 8 | data[2]);
    dst.bytes = take((size_t)data[3] << 8 | data[4]);
    std::vector<uint8_t> text = take(size);
    // The text ends with a 0 byte or, for 2-byte codes, a 0,0 pair at an
    // even offset.
    if (text.size() % 2)
        text.push_back(0);
    text.push_back(0);
    text.push_back(0);

    RUV_IOSTR *s = (mode & 1) ? ruvv_iostr_create_read(&src, read_bytes, nullptr) : nullptr;
    RUV_IOSTR *t = (mode & 2) ? ruvv_iostr_create_read(&dst, read_bytes, nullptr) : nullptr;
    RUV_CODESET_MAP *map = ruvv_str_create_codeset_map(s, t);
    if (map) {
        std::vector<char> out((size_t)out_size + 8, '\x5a');
        int32_t n = ruvv_str_translate_codeset(map, reinterpret_cast<const char *>(text.data()), out.data(), out_size);
        if (n < 0)
            __builtin_trap();
        for (size_t i = (size_t)out_size; i < out.size(); i++)
            if (out[i] != '\x5a')
                __builtin_trap(); // written past the buffer
        ruvv_str_destroy_codeset_map(map);
    }
    ruvv_iostr_destroy(s);
    ruvv_iostr_destroy(t);
    return 0;
}
