// Fuzz target for the native font descriptor.  Input: the descriptor text
// (up to the first 0 byte).  A text that parses must keep its face name
// within its slot and terminated, and its written form must parse again to
// the same fields with no wildcard left.

#include <cstdint>
#include <cstring>
#include <string>

#include "ruvv_font_desc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text(reinterpret_cast<const char *>(data), size);
    text = text.c_str();
    RUV_FONT_NATIVE_DESC d;
    std::memset(&d, 0x5a, sizeof d);
    if (!ruvv_font_desc_parse(text.c_str(), &d))
        return 0;
    if (std::memchr(d.face, 0, sizeof d.face) == nullptr)
        __builtin_trap();
    char out[RUV_FONT_DESC_TEXT_SIZE];
    ruvv_font_desc_format(&d, out, sizeof out);
    RUV_FONT_NATIVE_DESC again;
    if (!ruvv_font_desc_parse(out, &again))
        __builtin_trap();
    for (int16_t w : again.wild)
        if (w != 0)
            __builtin_trap();
    std::memcpy(again.wild, d.wild, sizeof d.wild);
    if (std::memcmp(&again, &d, offsetof(RUV_FONT_NATIVE_DESC, face)) != 0 || std::strcmp(again.face, d.face) != 0)
        __builtin_trap();
    return 0;
}
