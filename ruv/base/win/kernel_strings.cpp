// Multi-byte characters, case and character classes of the system's ANSI
// code page, for the portable layer's string functions.

#include <cstring>

#include "kernel_app.h"
#include "ruvk.h"

extern "C" {

int32_t ruvk_str_get_char_size(const char *text)
{
    if (!text)
        return -1;
    if (*text == '\0')
        return 0;
    return IsDBCSLeadByte(static_cast<BYTE>(*text)) ? 2 : 1;
}

int32_t ruvk_str_convert_mb_to_wc(RUV_WCHAR *out, const char *text)
{
    if (!text)
        return 0;
    int32_t len = static_cast<int32_t>(CharNextA(text) - text);
    if (out) {
        WCHAR wide = 0;
        if (len > 0)
            MultiByteToWideChar(CP_ACP, 0, text, len, &wide, 1);
        *out = static_cast<RUV_WCHAR>(wide);
    }
    return len;
}

int32_t ruvk_str_convert_wc_to_mb(char *out, RUV_WCHAR wide)
{
    if (!out)
        return 0;
    if (wide == 0) {
        out[0] = '\0';
        return 1;
    }
    WCHAR w = static_cast<WCHAR>(wide);
    char bytes[4];
    int n = WideCharToMultiByte(CP_ACP, 0, &w, 1, bytes, sizeof bytes, nullptr, nullptr);
    if (n <= 0) {
        out[0] = '\0';
        return 0;
    }
    std::memcpy(out, bytes, static_cast<size_t>(n));
    out[n] = '\0';
    return n;
}

namespace {

typedef DWORD (WINAPI *CaseFn)(LPSTR, DWORD);

int32_t convert_case(char *dst, const char *src, int32_t max, CaseFn fn)
{
    if (!dst || !src || max < 0)
        return 0;
    if (dst != src) {
        size_t n = strnlen(src, static_cast<size_t>(max));
        std::memmove(dst, src, n);
        dst[n] = '\0';
    }
    // A text of max characters need not be terminated.
    size_t len = strnlen(dst, static_cast<size_t>(max));
    DWORD count = static_cast<DWORD>(len < static_cast<size_t>(max) ? len : static_cast<size_t>(max));
    if (count == 0)
        return 0;
    return static_cast<int32_t>(fn(dst, count));
}

} // namespace

int32_t ruvk_str_convert_to_lower(char *dst, const char *src, int32_t max)
{
    return convert_case(dst, src, max, CharLowerBuffA);
}

int32_t ruvk_str_convert_to_upper(char *dst, const char *src, int32_t max)
{
    return convert_case(dst, src, max, CharUpperBuffA);
}

int32_t ruvk_str_compare_locale(const char *a, const char *b)
{
    return lstrcmpA(a ? a : "", b ? b : "");
}

RUV_BOOL ruvk_str_is_char_alnum(char c)
{
    return IsCharAlphaNumericA(c) ? 1 : 0;
}

RUV_BOOL ruvk_str_is_char_alpha(char c)
{
    return IsCharAlphaA(c) ? 1 : 0;
}

RUV_BOOL ruvk_str_is_char_lower(char c)
{
    return IsCharLowerA(c) ? 1 : 0;
}

RUV_BOOL ruvk_str_is_char_upper(char c)
{
    return IsCharUpperA(c) ? 1 : 0;
}

} // extern "C"
