// Conformance rows of the string functions: every required string or
// destination given as NULL, the counts and sizes below 0, the arguments
// whose NULL ends the call silently, and a valid call with its answer.
#include <cstring>
#include <string>

#include "conformance.h"
#include "ruvv_iostr.h"
#include "ruvv_mem.h"

using namespace ruvf_test;

namespace {

// A valid call whose answer is its check.
bool answered_true(Ctx &, intptr_t result)
{
    return result != 0;
}

using Cmp = int (*)(const char *, const char *);

// An order of two strings: either NULL raises "NULL handle" and gives -1.
Row order_row(const char *name, Cmp f, const char *a, const char *b, int sign)
{
    return Row{ name, "tstr" }
        .failure(-1)
        .bad("NULL first", 0x00210000, [f](Ctx &) { return R(f(nullptr, "a")); })
        .bad("NULL second", 0x00210000, [f](Ctx &) { return R(f("a", nullptr)); })
        .valid([=](Ctx &) {
            int r = f(a, b);
            return R(sign == 0 ? r == 0 : sign < 0 ? r < 0 : r > 0);
        })
        .check_result(answered_true);
}

using Find = char *(*)(const char *, const char *);

// A search in a string for a character, a set or a substring.
Row find_row(const char *name, Find f, const char *s, const char *what, long at)
{
    return Row{ name, "tstr" }
        .bad("NULL string", 0x00210000, [f, what](Ctx &) { return R(f(nullptr, what)); })
        .bad("NULL second", 0x00210000, [f, s](Ctx &) { return R(f(s, nullptr)); })
        .valid([=](Ctx &) { char *p = f(s, what); return R(p && p - s == at); })
        .check_result(answered_true);
}

using Class = RUV_BOOL (*)(const char *);

Row class_row(const char *name, Class f, const char *yes, const char *no)
{
    return Row{ name, "tstr" }
        .bad("NULL character", 0x00210000, [f](Ctx &) { return R(f(nullptr)); })
        .valid([=](Ctx &) { return R(f(yes) && !f(no)); })
        .check_result(answered_true);
}

const RUV_WCHAR kWideAbc[] = { 'a', 'b', 'c', 0 };

Rows rows{
    order_row("ruv_str_collate", ruv_str_collate, "apple", "banana", -1),
    order_row("ruv_str_collate_ignoring_case", ruv_str_collate_ignoring_case, "Apple", "apple", 0),
    order_row("ruv_str_compare", ruv_str_compare, "abc", "abd", -1),
    order_row("ruv_str_compare_ignoring_case", ruv_str_compare_ignoring_case, "ABC", "abc", 0),

    Row{ "ruv_str_compare_wchar", "tstr" }
        .failure(-1)
        .bad("NULL string", 0x00210000, [](Ctx &) { return R(ruv_str_compare_wchar(nullptr, 'a')); })
        .valid([](Ctx &) { return R(ruv_str_compare_wchar("abc", 'a') == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_compare_n_char", "tstr" }
        .failure(-1)
        .bad("NULL first", 0x00210000, [](Ctx &) { return R(ruv_str_compare_n_char(nullptr, "a", 1)); })
        .bad("NULL second", 0x00210000, [](Ctx &) { return R(ruv_str_compare_n_char("a", nullptr, 1)); })
        .valid([](Ctx &) { return R(ruv_str_compare_n_char("abcX", "abcY", 3) == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_compare_n_size_ignoring_case", "tstr" }
        .failure(-1)
        .bad("NULL first", 0x00210000, [](Ctx &) { return R(ruv_str_compare_n_size_ignoring_case(nullptr, "a", 1)); })
        .bad("NULL second", 0x00210000, [](Ctx &) { return R(ruv_str_compare_n_size_ignoring_case("a", nullptr, 1)); })
        .valid([](Ctx &) { return R(ruv_str_compare_n_size_ignoring_case("ABcX", "abCY", 3) == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_is_equal", "tstr" }
        .bad("NULL first", 0x00210000, [](Ctx &) { return R(ruv_str_is_equal(nullptr, "a")); })
        .bad("NULL second", 0x00210000, [](Ctx &) { return R(ruv_str_is_equal("a", nullptr)); })
        .valid([](Ctx &) { return R(ruv_str_is_equal("same", "same") && !ruv_str_is_equal("same", "Same")); })
        .check_result(answered_true),

    Row{ "ruv_str_is_equal_n_size", "tstr" }
        .bad("NULL first", 0x00210000, [](Ctx &) { return R(ruv_str_is_equal_n_size(nullptr, "a", 1)); })
        .bad("NULL second", 0x00210000, [](Ctx &) { return R(ruv_str_is_equal_n_size("a", nullptr, 1)); })
        .valid([](Ctx &) {
            return R(ruv_str_is_equal_n_size("abcX", "abcY", 3) && !ruv_str_is_equal_n_size("abcX", "abcY", 4) &&
                        ruv_str_is_equal_n_size("x", "y", 0));
        })
        .check_result(answered_true),

    Row{ "ruv_str_match", "tstr" }
        .valid([](Ctx &) { return R(ruv_str_match("run.inp", "*.INP", 0) && !ruv_str_match("run.inp", "*.INP", 1)); })
        .check_result(answered_true),

    Row{ "ruv_str_copy", "tstr" }
        .bad("NULL destination", 0x00210000, [](Ctx &) { return R(ruv_str_copy(nullptr, "a")); })
        .bad("NULL source", 0x00210000, [](Ctx &) { char d[4] = "xyz"; return R(ruv_str_copy(d, nullptr)); })
        .valid([](Ctx &) { char d[8]; return R(ruv_str_copy(d, "copy") == d && std::strcmp(d, "copy") == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_concat", "tstr" }
        .bad("NULL destination", 0x00210000, [](Ctx &) { return R(ruv_str_concat(nullptr, "a")); })
        .bad("NULL source", 0x00210000, [](Ctx &) { char d[4] = "xyz"; return R(ruv_str_concat(d, nullptr)); })
        .valid([](Ctx &) { char d[8] = "ab"; return R(ruv_str_concat(d, "cd") == d && std::strcmp(d, "abcd") == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_concat_n_char", "tstr" }
        .bad("NULL destination", 0x00210000, [](Ctx &) { return R(ruv_str_concat_n_char(nullptr, "a", 1)); })
        .bad("NULL source", 0x00210000, [](Ctx &) { char d[4] = "xyz"; return R(ruv_str_concat_n_char(d, nullptr, 1)); })
        .valid([](Ctx &) { char d[8] = "ab"; ruv_str_concat_n_char(d, "cdef", 2); return R(std::strcmp(d, "abcd") == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_copy_n_char", "tstr" }
        .bad("NULL destination", 0x00210000, [](Ctx &) { return R(ruv_str_copy_n_char(nullptr, "a", 1)); })
        .bad("NULL source", 0x00210000, [](Ctx &) { char d[4] = "xyz"; return R(ruv_str_copy_n_char(d, nullptr, 1)); })
        .valid([](Ctx &) {
            char d[8] = "zzzzzzz";
            return R(ruv_str_copy_n_char(d, "abcdef", 3) == d && std::strncmp(d, "abc", 3) == 0);
        })
        .check_result(answered_true),

    Row{ "ruv_str_copy_n_size", "tstr" }
        .bad("NULL destination", 0x00210000, [](Ctx &) { return R(ruv_str_copy_n_size(nullptr, "a", 1)); })
        .bad("NULL source", 0x00210000, [](Ctx &) { char d[4] = "xyz"; return R(ruv_str_copy_n_size(d, nullptr, 1)); })
        .valid([](Ctx &) {
            char d[8] = "zzzzzzz";
            return R(ruv_str_copy_n_size(d, "abcdef", 4) == d && std::strncmp(d, "abc", 3) == 0);
        })
        .check_result(answered_true),

    Row{ "ruv_str_duplicate", "tstr" }
        .bad("NULL string", 0x00210000, [](Ctx &) { return R(ruv_str_duplicate(nullptr)); })
        .valid([](Ctx &) {
            char *d = ruv_str_duplicate("dup");
            bool ok = d && std::strcmp(d, "dup") == 0;
            ruvv_mem_free(d);
            return R(ok);
        })
        .check_result(answered_true),

    Row{ "ruv_str_get_byte_count", "tstr" }
        .bad("NULL string (silent)", 0, [](Ctx &) { return R(ruv_str_get_byte_count(nullptr)); })
        .valid([](Ctx &) { return R(ruv_str_get_byte_count("abcd") == 4); })
        .check_result(answered_true),

    Row{ "ruv_str_get_char_count", "tstr" }
        .bad("NULL string (silent)", 0, [](Ctx &) { return R(ruv_str_get_char_count(nullptr)); })
        .valid([](Ctx &) { return R(ruv_str_get_char_count("abcd") == 4); })
        .check_result(answered_true),

    Row{ "ruv_str_get_n_char_count", "tstr" }
        .bad("byte count below 0", 0x01250004, [](Ctx &) { return R(ruv_str_get_n_char_count("abc", -1, nullptr)); })
        .valid([](Ctx &) {
            int32_t used = -1;
            return R(ruv_str_get_n_char_count("abcdef", 4, &used) == 4 && used == 4);
        })
        .check_result(answered_true),

    Row{ "ruv_str_get_n_char_size", "tstr" }
        .bad("NULL string (silent)", 0, [](Ctx &) { return R(ruv_str_get_n_char_size(nullptr, 3)); })
        .bad("count 0 (silent)", 0, [](Ctx &) { return R(ruv_str_get_n_char_size("abc", 0)); })
        .valid([](Ctx &) { return R(ruv_str_get_n_char_size("abcdef", 3) == 3); })
        .check_result(answered_true),

    Row{ "ruv_str_get_char_size", "tstr" }
        .valid([](Ctx &) { return R(ruv_str_get_char_size("a") == 1); })
        .check_result(answered_true),

    Row{ "ruv_str_get_next_char", "tstr" }
        .bad("NULL position (silent)", 0, [](Ctx &) { return R(ruv_str_get_next_char(nullptr)); })
        .valid([](Ctx &) { const char *s = "ab"; return R(ruv_str_get_next_char(s) == s + 1); })
        .check_result(answered_true),

    Row{ "ruv_str_get_prev_char", "tstr" }
        .bad("NULL start", 0x00210000, [](Ctx &) { return R(ruv_str_get_prev_char(nullptr, "a")); })
        .bad("NULL position", 0x00210000, [](Ctx &) { return R(ruv_str_get_prev_char("a", nullptr)); })
        .valid([](Ctx &) {
            const char *s = "abc";
            return R(ruv_str_get_prev_char(s, s + 2) == s + 1 && ruv_str_get_prev_char(s, s) == s);
        })
        .check_result(answered_true),

    find_row("ruv_str_find_substring", ruv_str_find_substring, "a needle here", "needle", 2),
    find_row("ruv_str_find_first_char", ruv_str_find_first_char, "a.b.c", ".", 1),
    find_row("ruv_str_find_last_char", ruv_str_find_last_char, "a.b.c", ".", 3),
    find_row("ruv_str_find_char_set", ruv_str_find_char_set, "abc;d,e", ",;", 3),
    find_row("ruv_str_find_not_char_set", ruv_str_find_not_char_set, "   x", " ", 3),

    Row{ "ruv_str_find_first_wchar", "tstr" }
        .bad("NULL string", 0x00210000, [](Ctx &) { return R(ruv_str_find_first_wchar(nullptr, 'a')); })
        .valid([](Ctx &) { const char *s = "abca"; return R(ruv_str_find_first_wchar(s, 'a') == s); })
        .check_result(answered_true),

    Row{ "ruv_str_find_last_wchar", "tstr" }
        .bad("NULL string", 0x00210000, [](Ctx &) { return R(ruv_str_find_last_wchar(nullptr, 'a')); })
        .valid([](Ctx &) { const char *s = "abca"; return R(ruv_str_find_last_wchar(s, 'a') == s + 3); })
        .check_result(answered_true),

    Row{ "ruv_str_find_token", "tstr" }
        .bad("NULL string", 0x00210000, [](Ctx &) { int32_t n; return R(ruv_str_find_token(nullptr, " ", &n)); })
        .bad("NULL separators", 0x00210000, [](Ctx &) { int32_t n; return R(ruv_str_find_token("a b", nullptr, &n)); })
        .valid([](Ctx &) {
            const char *s = "  word rest";
            int32_t n = 0;
            return R(ruv_str_find_token(s, " ", &n) == s + 2 && n == 4);
        })
        .check_result(answered_true),

    Row{ "ruv_str_find_eol", "tstr" }
        .bad("NULL line length", 0x00210000, [](Ctx &) { return R(ruv_str_find_eol("a\nb", 3, nullptr, nullptr)); })
        .valid([](Ctx &) {
            const char *t = "first\nsecond";
            int32_t len = -1, kind = -1;
            char *line = ruv_str_find_eol(t, 12, &len, &kind);
            return R(line == t && len == 5);
        })
        .check_result(answered_true),

    class_row("ruv_str_is_alnum", ruv_str_is_alnum, "a", "-"),
    class_row("ruv_str_is_alpha", ruv_str_is_alpha, "a", "1"),
    class_row("ruv_str_is_cntrl", ruv_str_is_cntrl, "\t", "a"),
    class_row("ruv_str_is_digit", ruv_str_is_digit, "7", "a"),
    class_row("ruv_str_is_graph", ruv_str_is_graph, "a", " "),
    class_row("ruv_str_is_invariant", ruv_str_is_invariant, "_", "@"),
    class_row("ruv_str_is_lower", ruv_str_is_lower, "a", "A"),
    class_row("ruv_str_is_print", ruv_str_is_print, " ", "\t"),
    class_row("ruv_str_is_punct", ruv_str_is_punct, ";", "a"),
    class_row("ruv_str_is_space", ruv_str_is_space, " ", "a"),
    class_row("ruv_str_is_upper", ruv_str_is_upper, "A", "a"),
    class_row("ruv_str_is_xdigit", ruv_str_is_xdigit, "f", "g"),

    Row{ "ruv_str_convert_to_lower", "tstr" }
        .bad("NULL destination", 0x00210000, [](Ctx &) { return R(ruv_str_convert_to_lower(nullptr, "A", 1)); })
        .bad("NULL source", 0x00210000, [](Ctx &) { char d[4]; return R(ruv_str_convert_to_lower(d, nullptr, 1)); })
        .valid([](Ctx &) { char d[8]; ruv_str_convert_to_lower(d, "MiXeD", 8); return R(std::strcmp(d, "mixed") == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_convert_to_upper", "tstr" }
        .bad("NULL destination", 0x00210000, [](Ctx &) { return R(ruv_str_convert_to_upper(nullptr, "a", 1)); })
        .bad("NULL source", 0x00210000, [](Ctx &) { char d[4]; return R(ruv_str_convert_to_upper(d, nullptr, 1)); })
        .valid([](Ctx &) { char d[8]; ruv_str_convert_to_upper(d, "MiXeD", 8); return R(std::strcmp(d, "MIXED") == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_convert_wchar_to_lower", "tstr" }
        .valid([](Ctx &) { return R(ruv_str_convert_wchar_to_lower('Q') == 'q'); })
        .check_result(answered_true),

    Row{ "ruv_str_convert_wchar_to_upper", "tstr" }
        .valid([](Ctx &) { return R(ruv_str_convert_wchar_to_upper('q') == 'Q'); })
        .check_result(answered_true),

    Row{ "ruv_str_convert_mb_to_wc", "tstr" }
        .bad("NULL destination (silent)", 0, [](Ctx &) { return R(ruv_str_convert_mb_to_wc(nullptr, "a")); })
        .bad("NULL character (silent)", 0, [](Ctx &) { RUV_WCHAR w; return R(ruv_str_convert_mb_to_wc(&w, nullptr)); })
        .valid([](Ctx &) { RUV_WCHAR w = 0; return R(ruv_str_convert_mb_to_wc(&w, "z") == 1 && w == 'z'); })
        .check_result(answered_true),

    Row{ "ruv_str_convert_wc_to_mb", "tstr" }
        .bad("NULL destination (silent)", 0, [](Ctx &) { return R(ruv_str_convert_wc_to_mb(nullptr, 'a')); })
        .valid([](Ctx &) { char d[8] = ""; return R(ruv_str_convert_wc_to_mb(d, 'z') == 1 && d[0] == 'z'); })
        .check_result(answered_true),

    Row{ "ruv_str_convert_mbs_to_wcs", "tstr" }
        .bad("NULL destination (silent)", 0, [](Ctx &) { return R(ruv_str_convert_mbs_to_wcs(nullptr, "a", 4)); })
        .bad("NULL source (silent)", 0, [](Ctx &) { RUV_WCHAR w[4]; return R(ruv_str_convert_mbs_to_wcs(w, nullptr, 4)); })
        .bad("count below 0", 0x01250004, [](Ctx &) { RUV_WCHAR w[4]; return R(ruv_str_convert_mbs_to_wcs(w, "a", -1)); })
        .valid([](Ctx &) {
            RUV_WCHAR w[8] = {};
            return R(ruv_str_convert_mbs_to_wcs(w, "abc", 8) == 3 && w[0] == 'a' && w[2] == 'c');
        })
        .check_result(answered_true),

    Row{ "ruv_str_convert_wcs_to_mbs", "tstr" }
        .bad("NULL destination (silent)", 0, [](Ctx &) { return R(ruv_str_convert_wcs_to_mbs(nullptr, kWideAbc, 4)); })
        .bad("NULL source (silent)", 0, [](Ctx &) { char d[4]; return R(ruv_str_convert_wcs_to_mbs(d, nullptr, 4)); })
        .bad("size below 0", 0x01250004, [](Ctx &) { char d[4]; return R(ruv_str_convert_wcs_to_mbs(d, kWideAbc, -1)); })
        .valid([](Ctx &) { char d[8] = ""; ruv_str_convert_wcs_to_mbs(d, kWideAbc, 8); return R(std::strcmp(d, "abc") == 0); })
        .check_result(answered_true),

    // A map needs a code-set table; with none given at all it fails.  A map
    // from a one-byte table to the wide set: see the string tests.
    Row{ "ruv_str_create_codeset_map", "tstr" }
        .bad("both code sets NULL", 0x00210000, [](Ctx &) { return R(ruv_str_create_codeset_map(nullptr, nullptr)); })
        .no_valid("needs a code-set table stream: covered by the string tests"),

    Row{ "ruv_str_destroy_codeset_map", "tstr" }
        .bad("NULL map", 0x00210000, [](Ctx &) { ruv_str_destroy_codeset_map(nullptr); return 0; })
        .no_valid("needs a map: covered by the string tests"),

    Row{ "ruv_str_translate_codeset", "tstr" }
        .failure(-1)
        .bad("NULL map", 0x00210000, [](Ctx &) { char d[4]; return R(ruv_str_translate_codeset(nullptr, "a", d, 4)); })
        .no_valid("needs a map: covered by the string tests"),

    Row{ "ruv_str_set_mnemonic", "tstr" }
        .bad("NULL title", 0x00210000, [](Ctx &) { char d[16]; return R(ruv_str_set_mnemonic(nullptr, 0, d, 16)); })
        .bad("NULL destination", 0x00210000, [](Ctx &) { return R(ruv_str_set_mnemonic("Open", 0, nullptr, 16)); })
        .bad("size below 0", 0x01250004, [](Ctx &) { char d[16]; return R(ruv_str_set_mnemonic("Open", 0, d, -1)); })
        .valid([](Ctx &) { char d[16] = ""; ruv_str_set_mnemonic("Open", 1, d, 16); return R(std::strcmp(d, "O~pen") == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_get_mnemonic", "tstr" }
        .bad("NULL title", 0x00210000, [](Ctx &) { int32_t p; char d[16]; return R(ruv_str_get_mnemonic(nullptr, &p, d, 16)); })
        .bad("NULL position", 0x00210000, [](Ctx &) { char d[16]; return R(ruv_str_get_mnemonic("O~pen", nullptr, d, 16)); })
        .bad("NULL buffer", 0x00210000, [](Ctx &) { int32_t p; return R(ruv_str_get_mnemonic("O~pen", &p, nullptr, 16)); })
        .bad("size below 0", 0x01250004, [](Ctx &) { int32_t p; char d[16]; return R(ruv_str_get_mnemonic("O~pen", &p, d, -1)); })
        .valid([](Ctx &) {
            int32_t p = -7;
            char d[16] = "";
            ruv_str_get_mnemonic("O~pen", &p, d, 16);
            return R(p == 1 && std::strcmp(d, "Open") == 0);
        })
        .check_result(answered_true),

    Row{ "ruv_str_parse_double", "tstr" }
        .bad("NULL string", 0x00210000, [](Ctx &) { return R(ruv_str_parse_double(nullptr, nullptr)); })
        .valid([](Ctx &) { char *e; return R(ruv_str_parse_double("2.5x", &e) == 2.5 && *e == 'x'); })
        .check_result(answered_true),

    Row{ "ruv_str_parse_long", "tstr" }
        .bad("NULL string", 0x00210000, [](Ctx &) { return R(ruv_str_parse_long(nullptr, nullptr, 10)); })
        .valid([](Ctx &) { return R(ruv_str_parse_long("-42", nullptr, 10) == -42); })
        .check_result(answered_true),

    Row{ "ruv_str_parse_ulong", "tstr" }
        .bad("NULL string", 0x00210000, [](Ctx &) { return R(ruv_str_parse_ulong(nullptr, nullptr, 10)); })
        .valid([](Ctx &) { return R(ruv_str_parse_ulong("ff", nullptr, 16) == 255u); })
        .check_result(answered_true),

    Row{ "ruv_str_sprintf", "tstr" }
        .bad("NULL buffer", 0x00210000, [](Ctx &) { return R(ruv_str_sprintf(nullptr, "%d", 1)); })
        .bad("NULL format", 0x00210000, [](Ctx &) { char b[8] = "keep"; return R(ruv_str_sprintf(b, nullptr)); })
        .valid([](Ctx &) { char b[32]; int32_t n = ruv_str_sprintf(b, "%2$s-%1$d", 7, "x"); return R(n == 3 && std::strcmp(b, "x-7") == 0); })
        .check_result(answered_true),

    Row{ "ruv_str_vsprintf", "tstr" }
        .bad("NULL buffer", 0x00210000, [](Ctx &) { va_list none{}; return R(ruv_str_vsprintf(nullptr, "x", none)); })
        .bad("NULL format", 0x00210000, [](Ctx &) { char b[8]; va_list none{}; return R(ruv_str_vsprintf(b, nullptr, none)); })
        .valid([](Ctx &) { char b[8]; va_list none{}; return R(ruv_str_vsprintf(b, "plain", none) == 5); })
        .check_result(answered_true),
};

} // namespace
