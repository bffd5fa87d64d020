// Fuzz target for input-mask patterns.  Input: a mode byte (bit 0 the
// double-byte string mode, the rest the output room), the pattern text up
// to a 0 byte, then the typed text.  The pattern is compiled, formats the
// typed text (with and without completion, into a bounded buffer) and
// matches it.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_strings_mode.h"
#include "ruvv_pattern.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    uint8_t mode = data[0];
    fuzzmode::use(mode & 1);
    int32_t room = 1 + (mode >> 1) % 64;
    std::string rest(reinterpret_cast<const char *>(data + 1), size - 1);
    size_t cut = rest.find('\0');
    std::string pattern = rest.substr(0, cut);
    std::string text = cut == std::string::npos ? std::string() : rest.substr(cut + 1);
    text = text.substr(0, text.find('\0'));

    RUV_PATTERN *p = ruvv_pattern_create(pattern.c_str());
    if (!p)
        return 0;
    std::vector<char> out((size_t)room + 16, '\x5a');
    int32_t written = 0, most = 0;
    for (int complete = 0; complete < 2; complete++) {
        const char *end = ruvv_pattern_format_string(p, text.c_str(), out.data(), room, complete, &written, &most);
        if (end < text.c_str() || end > text.c_str() + text.size())
            __builtin_trap();
        if (std::strlen(out.data()) >= (size_t)room || written > most)
            __builtin_trap();
        for (size_t i = (size_t)room; i < out.size(); i++)
            if (out[i] != '\x5a')
                __builtin_trap(); // written past the room
    }
    const char *end = nullptr;
    ruvv_pattern_match(p, text.c_str(), &end);
    ruvv_pattern_destroy(p);
    return 0;
}
