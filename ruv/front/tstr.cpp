// String functions of the front layer: comparison, copying, searching,
// character classes, case and code-set conversion, mnemonic markers, number
// parsing and formatted printing, each guarding one portable-layer or kernel
// call.  None takes a window and none is refused during an update.
#include <cstring>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "front_guard.h"
#include "ruv.h"
#include "ruvk.h"
#include "ruvv_str.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tstr";

// Longest string that the plain comparison looks at, in characters; also the
// largest mnemonic position handed back.
constexpr int32_t kMaxChars = 0x7FFF;

// The one check of a character-class test.
template <RUV_BOOL (*Test)(const char *)>
RUV_BOOL char_class(const char *name, const char *c)
{
    Guard g(name, SRC);
    if (!g.not_null(c))
        return FALSE;
    return Test(c);
}

} // namespace

// ---- comparison ----------------------------------------------------------

extern "C" int ruv_str_collate(const char *a, const char *b)
{
    Guard g("ruv_str_collate", SRC);
    if (!g.not_null(a) || !g.not_null(b))
        return -1;
    return ruvv_str_collate(a, b);
}

extern "C" int ruv_str_collate_ignoring_case(const char *a, const char *b)
{
    Guard g("ruv_str_collate_ignoring_case", SRC);
    if (!g.not_null(a) || !g.not_null(b))
        return -1;
    return ruvv_str_collate_ignoring_case(a, b);
}

extern "C" int ruv_str_compare(const char *a, const char *b)
{
    Guard g("ruv_str_compare", SRC);
    if (!g.not_null(a) || !g.not_null(b))
        return -1;
    return ruvv_str_compare_n_char(a, b, kMaxChars);
}

extern "C" int ruv_str_compare_wchar(const char *s, RUV_WCHAR wc)
{
    Guard g("ruv_str_compare_wchar", SRC);
    if (!g.not_null(s))
        return -1;
    return ruvv_str_compare_wchar(s, wc);
}

extern "C" int ruv_str_compare_ignoring_case(const char *a, const char *b)
{
    Guard g("ruv_str_compare_ignoring_case", SRC);
    if (!g.not_null(a) || !g.not_null(b))
        return -1;
    return ruvv_str_compare_ignoring_case(a, b);
}

extern "C" int ruv_str_compare_n_char(const char *a, const char *b, int32_t count)
{
    Guard g("ruv_str_compare_n_char", SRC);
    if (!g.not_null(a) || !g.not_null(b))
        return -1;
    return ruvv_str_compare_n_char(a, b, count);
}

extern "C" int ruv_str_compare_n_size_ignoring_case(const char *a, const char *b, int32_t size)
{
    Guard g("ruv_str_compare_n_size_ignoring_case", SRC);
    if (!g.not_null(a) || !g.not_null(b))
        return -1;
    return ruvv_str_compare_n_size_ignoring_case(a, b, size);
}

extern "C" RUV_BOOL ruv_str_is_equal(const char *a, const char *b)
{
    Guard g("ruv_str_is_equal", SRC);
    if (!g.not_null(a) || !g.not_null(b))
        return FALSE;
    return ruvv_str_is_equal(a, b);
}

extern "C" RUV_BOOL ruv_str_is_equal_n_size(const char *a, const char *b, int32_t size)
{
    Guard g("ruv_str_is_equal_n_size", SRC);
    if (!g.not_null(a) || !g.not_null(b))
        return FALSE;
    // A negative count compares nothing, as a count of 0 does.
    if (size <= 0)
        return TRUE;
    return std::strncmp(a, b, static_cast<size_t>(size)) == 0 ? TRUE : FALSE;
}

extern "C" RUV_BOOL ruv_str_match(const char *s, const char *pattern, int caseSensitive)
{
    Guard g("ruv_str_match", SRC);
    return ruvv_str_match(s, pattern, caseSensitive);
}

// ---- copying -------------------------------------------------------------

extern "C" char *ruv_str_copy(char *dst, const char *src)
{
    Guard g("ruv_str_copy", SRC);
    if (!g.not_null(dst) || !g.not_null(src))
        return nullptr;
    return ruvv_str_copy(dst, src);
}

extern "C" char *ruv_str_concat(char *dst, const char *src)
{
    Guard g("ruv_str_concat", SRC);
    if (!g.not_null(dst) || !g.not_null(src))
        return nullptr;
    return ruvv_str_concat(dst, src);
}

extern "C" char *ruv_str_concat_n_char(char *dst, const char *src, int32_t count)
{
    Guard g("ruv_str_concat_n_char", SRC);
    if (!g.not_null(dst) || !g.not_null(src))
        return nullptr;
    return ruvv_str_concat_n_char(dst, src, count);
}

extern "C" char *ruv_str_copy_n_char(char *dst, const char *src, int32_t count)
{
    Guard g("ruv_str_copy_n_char", SRC);
    if (!g.not_null(dst) || !g.not_null(src))
        return nullptr;
    ruvv_str_copy_n_char(dst, src, count);
    return dst;
}

extern "C" char *ruv_str_copy_n_size(char *dst, const char *src, int32_t size)
{
    Guard g("ruv_str_copy_n_size", SRC);
    if (!g.not_null(dst) || !g.not_null(src))
        return nullptr;
    ruvv_str_copy_n_size(dst, src, size);
    return dst;
}

extern "C" char *ruv_str_duplicate(const char *s)
{
    Guard g("ruv_str_duplicate", SRC);
    if (!g.not_null(s))
        return nullptr;
    return ruvv_str_duplicate(s);
}

// ---- counting and stepping -----------------------------------------------

extern "C" int32_t ruv_str_get_byte_count(const char *s)
{
    Guard g("ruv_str_get_byte_count", SRC);
    if (!s)
        return 0;
    return ruvv_str_get_byte_count(s);
}

extern "C" int32_t ruv_str_get_char_count(const char *s)
{
    Guard g("ruv_str_get_char_count", SRC);
    if (!s)
        return 0;
    return ruvv_str_get_char_count(s);
}

extern "C" int32_t ruv_str_get_n_char_count(const char *s, int32_t size, int32_t *used)
{
    Guard g("ruv_str_get_n_char_count", SRC);
    if (!g.check(size >= 0, ruvf::ID_VALUE_TOO_LOW))
        return 0;
    return ruvv_str_get_n_char_count(s, size, used);
}

extern "C" int32_t ruv_str_get_n_char_size(const char *s, int32_t count)
{
    Guard g("ruv_str_get_n_char_size", SRC);
    if (!s || count == 0)
        return 0;
    return ruvv_str_get_n_char_size(s, count);
}

extern "C" int32_t ruv_str_get_char_size(const char *c)
{
    Guard g("ruv_str_get_char_size", SRC);
    return ruvk_str_get_char_size(c);
}

extern "C" char *ruv_str_get_next_char(const char *c)
{
    Guard g("ruv_str_get_next_char", SRC);
    if (!c)
        return nullptr;
    return CharNextA(c);
}

extern "C" char *ruv_str_get_prev_char(const char *start, const char *c)
{
    Guard g("ruv_str_get_prev_char", SRC);
    if (!g.not_null(start) || !g.not_null(c))
        return nullptr;
    if (c <= start)
        return const_cast<char *>(start);
    return CharPrevA(start, c);
}

// ---- searching -----------------------------------------------------------

extern "C" char *ruv_str_find_substring(const char *s, const char *sub)
{
    Guard g("ruv_str_find_substring", SRC);
    if (!g.not_null(s) || !g.not_null(sub))
        return nullptr;
    return ruvv_str_find_substring(s, sub);
}

extern "C" char *ruv_str_find_first_char(const char *s, const char *c)
{
    Guard g("ruv_str_find_first_char", SRC);
    if (!g.not_null(s) || !g.not_null(c))
        return nullptr;
    return ruvv_str_find_first_char(s, c);
}

extern "C" char *ruv_str_find_last_char(const char *s, const char *c)
{
    Guard g("ruv_str_find_last_char", SRC);
    if (!g.not_null(s) || !g.not_null(c))
        return nullptr;
    return ruvv_str_find_last_char(s, c);
}

extern "C" char *ruv_str_find_first_wchar(const char *s, RUV_WCHAR wc)
{
    Guard g("ruv_str_find_first_wchar", SRC);
    if (!g.not_null(s))
        return nullptr;
    return ruvv_str_find_first_wchar(s, wc);
}

extern "C" char *ruv_str_find_last_wchar(const char *s, RUV_WCHAR wc)
{
    Guard g("ruv_str_find_last_wchar", SRC);
    if (!g.not_null(s))
        return nullptr;
    return ruvv_str_find_last_wchar(s, wc);
}

extern "C" char *ruv_str_find_char_set(const char *s, const char *set)
{
    Guard g("ruv_str_find_char_set", SRC);
    if (!g.not_null(s) || !g.not_null(set))
        return nullptr;
    return ruvv_str_find_char_set(s, set);
}

extern "C" char *ruv_str_find_not_char_set(const char *s, const char *set)
{
    Guard g("ruv_str_find_not_char_set", SRC);
    if (!g.not_null(s) || !g.not_null(set))
        return nullptr;
    return ruvv_str_find_not_char_set(s, set);
}

extern "C" char *ruv_str_find_token(const char *string, const char *separators, int32_t *length)
{
    Guard g("ruv_str_find_token", SRC);
    if (!g.not_null(string) || !g.not_null(separators))
        return nullptr;
    return ruvv_str_find_token(string, separators, length);
}

extern "C" char *ruv_str_find_eol(const char *text, int32_t size, int32_t *lineLength, int32_t *kind)
{
    Guard g("ruv_str_find_eol", SRC);
    // The line's length is always stored: a call without a place for it is
    // refused before the scan moves on.
    if (!g.not_null(lineLength))
        return nullptr;
    int32_t length = 0;
    char *line = ruvv_str_find_eol(text, size, &length, kind);
    *lineLength = length;
    return line;
}

// ---- character classes ---------------------------------------------------

extern "C" RUV_BOOL ruv_str_is_alnum(const char *c) { return char_class<ruvv_str_is_alnum>("ruv_str_is_alnum", c); }
extern "C" RUV_BOOL ruv_str_is_alpha(const char *c) { return char_class<ruvv_str_is_alpha>("ruv_str_is_alpha", c); }
extern "C" RUV_BOOL ruv_str_is_cntrl(const char *c) { return char_class<ruvv_str_is_cntrl>("ruv_str_is_cntrl", c); }
extern "C" RUV_BOOL ruv_str_is_digit(const char *c) { return char_class<ruvv_str_is_digit>("ruv_str_is_digit", c); }
extern "C" RUV_BOOL ruv_str_is_graph(const char *c) { return char_class<ruvv_str_is_graph>("ruv_str_is_graph", c); }
extern "C" RUV_BOOL ruv_str_is_invariant(const char *c)
{
    return char_class<ruvv_str_is_invariant>("ruv_str_is_invariant", c);
}
extern "C" RUV_BOOL ruv_str_is_lower(const char *c) { return char_class<ruvv_str_is_lower>("ruv_str_is_lower", c); }
extern "C" RUV_BOOL ruv_str_is_print(const char *c) { return char_class<ruvv_str_is_print>("ruv_str_is_print", c); }
extern "C" RUV_BOOL ruv_str_is_punct(const char *c) { return char_class<ruvv_str_is_punct>("ruv_str_is_punct", c); }
extern "C" RUV_BOOL ruv_str_is_space(const char *c) { return char_class<ruvv_str_is_space>("ruv_str_is_space", c); }
extern "C" RUV_BOOL ruv_str_is_upper(const char *c) { return char_class<ruvv_str_is_upper>("ruv_str_is_upper", c); }
extern "C" RUV_BOOL ruv_str_is_xdigit(const char *c) { return char_class<ruvv_str_is_xdigit>("ruv_str_is_xdigit", c); }

// ---- case and code sets --------------------------------------------------

extern "C" int32_t ruv_str_convert_to_lower(char *dst, const char *src, int32_t max)
{
    Guard g("ruv_str_convert_to_lower", SRC);
    if (!g.not_null(dst) || !g.not_null(src))
        return 0;
    return ruvk_str_convert_to_lower(dst, src, max);
}

extern "C" int32_t ruv_str_convert_to_upper(char *dst, const char *src, int32_t max)
{
    Guard g("ruv_str_convert_to_upper", SRC);
    if (!g.not_null(dst) || !g.not_null(src))
        return 0;
    return ruvk_str_convert_to_upper(dst, src, max);
}

extern "C" RUV_WCHAR ruv_str_convert_wchar_to_lower(RUV_WCHAR wc)
{
    Guard g("ruv_str_convert_wchar_to_lower", SRC);
    return ruvv_str_convert_wchar_to_lower(wc);
}

extern "C" RUV_WCHAR ruv_str_convert_wchar_to_upper(RUV_WCHAR wc)
{
    Guard g("ruv_str_convert_wchar_to_upper", SRC);
    return ruvv_str_convert_wchar_to_upper(wc);
}

extern "C" int32_t ruv_str_convert_mb_to_wc(RUV_WCHAR *wide, const char *c)
{
    Guard g("ruv_str_convert_mb_to_wc", SRC);
    if (!wide || !c)
        return 0;
    return ruvk_str_convert_mb_to_wc(wide, c);
}

extern "C" int32_t ruv_str_convert_wc_to_mb(char *dst, RUV_WCHAR wide)
{
    Guard g("ruv_str_convert_wc_to_mb", SRC);
    if (!dst)
        return 0;
    return ruvk_str_convert_wc_to_mb(dst, wide);
}

extern "C" int32_t ruv_str_convert_mbs_to_wcs(RUV_WCHAR *wide, const char *s, int32_t count)
{
    Guard g("ruv_str_convert_mbs_to_wcs", SRC);
    if (!wide || !s)
        return 0;
    if (!g.check(count >= 0, ruvf::ID_VALUE_TOO_LOW))
        return 0;
    return ruvv_str_convert_mbs_to_wcs(wide, s, count);
}

extern "C" int32_t ruv_str_convert_wcs_to_mbs(char *dst, const RUV_WCHAR *wide, int32_t size)
{
    Guard g("ruv_str_convert_wcs_to_mbs", SRC);
    if (!dst || !wide)
        return 0;
    if (!g.check(size >= 0, ruvf::ID_VALUE_TOO_LOW))
        return 0;
    return ruvv_str_convert_wcs_to_mbs(dst, wide, size);
}

extern "C" RUV_CODESET_MAP *ruv_str_create_codeset_map(RUV_IOSTR *source, RUV_IOSTR *target)
{
    Guard g("ruv_str_create_codeset_map", SRC);
    // Either side alone may be the wide set, not both.
    if (!g.check(source || target, ruvf::ID_NULL_HANDLE))
        return nullptr;
    return ruvv_str_create_codeset_map(source, target);
}

extern "C" void ruv_str_destroy_codeset_map(RUV_CODESET_MAP *map)
{
    Guard g("ruv_str_destroy_codeset_map", SRC);
    if (!g.not_null(map))
        return;
    ruvv_str_destroy_codeset_map(map);
}

extern "C" int32_t ruv_str_translate_codeset(const RUV_CODESET_MAP *map, const char *src, char *dst, int32_t size)
{
    Guard g("ruv_str_translate_codeset", SRC);
    if (!g.not_null(map) || !g.not_null(src) || !g.not_null(dst))
        return -1;
    return ruvv_str_translate_codeset(map, src, dst, size);
}

// ---- mnemonic markers ----------------------------------------------------

extern "C" char *ruv_str_set_mnemonic(const char *title, int32_t position, char *dst, int32_t size)
{
    Guard g("ruv_str_set_mnemonic", SRC);
    if (!g.not_null(title) || !g.not_null(dst) || !g.check(size >= 0, ruvf::ID_VALUE_TOO_LOW))
        return nullptr;
    return ruvv_str_set_mnemonic(title, position, dst, size);
}

extern "C" char *ruv_str_get_mnemonic(const char *title, int32_t *position, char *dst, int32_t size)
{
    Guard g("ruv_str_get_mnemonic", SRC);
    // The position is always stored: without a place for it nothing is
    // written, the buffer neither.
    if (!g.not_null(title) || !g.not_null(position) || !g.not_null(dst) ||
        !g.check(size >= 0, ruvf::ID_VALUE_TOO_LOW))
        return nullptr;
    int32_t pos = -1;
    char *result = ruvv_str_get_mnemonic(title, &pos, dst, size);
    // The position comes back unsigned: anything beyond the longest title
    // (no marker reads as all ones) means no mnemonic.
    const uint32_t upos = static_cast<uint32_t>(pos);
    *position = upos <= static_cast<uint32_t>(kMaxChars) ? static_cast<int32_t>(upos) : -1;
    return result;
}

// ---- numbers ---------------------------------------------------------------

extern "C" double ruv_str_parse_double(const char *s, char **end)
{
    Guard g("ruv_str_parse_double", SRC);
    if (!g.not_null(s))
        return 0;
    return ruvv_str_parse_double(s, end);
}

extern "C" int32_t ruv_str_parse_long(const char *s, char **end, int base)
{
    Guard g("ruv_str_parse_long", SRC);
    if (!g.not_null(s))
        return 0;
    return ruvv_str_parse_long(s, end, base);
}

extern "C" uint32_t ruv_str_parse_ulong(const char *s, char **end, int base)
{
    Guard g("ruv_str_parse_ulong", SRC);
    if (!g.not_null(s))
        return 0;
    return ruvv_str_parse_ulong(s, end, static_cast<int16_t>(base));
}

// ---- formatted printing ----------------------------------------------------

extern "C" int32_t ruv_str_vsprintf(char *buffer, const char *format, va_list args)
{
    Guard g("ruv_str_vsprintf", SRC);
    if (!g.not_null(buffer) || !g.not_null(format))
        return 0;
    return ruvv_str_vsprintf(buffer, format, args);
}

extern "C" int32_t ruv_str_sprintf(char *buffer, const char *format, ...)
{
    Guard g("ruv_str_sprintf", SRC);
    // Without a format nothing is written to the buffer.
    if (!g.not_null(buffer) || !g.not_null(format))
        return 0;
    va_list args;
    va_start(args, format);
    int32_t n = ruvv_str_vsprintf(buffer, format, args);
    va_end(args);
    return n;
}
