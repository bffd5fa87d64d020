// Kernel stand-in, string, file-attribute and list families: the string
// primitives over a chosen code page (single-byte, or the double-byte code
// page 932 through the system's conversion tables), full paths of file
// specifications, and list controls that keep their rows for tests.

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <direct.h>
#include <windows.h>
#define getcwd _getcwd
#define chdir _chdir
#else
#include <iconv.h>
#include <unistd.h>
#endif

#include "ruvk.h"
#include "ruvv_list.h"
#include "standin_strings.h"

namespace {

constexpr int kDoubleByte = 932;

struct ListControl {
    std::vector<std::string> rows;
    int selection = -1;
};

struct State {
    int codepage = 0;
    std::map<RUV_WIN, ListControl> lists;
#ifndef _WIN32
    iconv_t to_wide = (iconv_t)-1;
    iconv_t from_wide = (iconv_t)-1;
#endif
};

State &state()
{
    static State *s = new State; // outlives every static destructor
    return *s;
}

bool double_byte() { return state().codepage == kDoubleByte; }

bool is_lead(unsigned char b)
{
#ifdef _WIN32
    return IsDBCSLeadByteEx(kDoubleByte, b) != 0;
#else
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
#endif
}

/* Converts n (1 or 2) bytes of code page 932 into one wide character;
   false when they are no character. */
bool dbcs_to_wide(const char *p, int n, RUV_WCHAR *out)
{
#ifdef _WIN32
    wchar_t w[2];
    int got = MultiByteToWideChar(kDoubleByte, MB_ERR_INVALID_CHARS, p, n, w, 2);
    if (got != 1)
        return false;
    *out = (RUV_WCHAR)w[0];
    return true;
#else
    State &s = state();
    if (s.to_wide == (iconv_t)-1)
        s.to_wide = iconv_open("UCS-2LE", "CP932");
    if (s.to_wide == (iconv_t)-1)
        return false;
    char in[2] = {p[0], n > 1 ? p[1] : '\0'};
    unsigned char wide[4];
    char *ip = in, *op = reinterpret_cast<char *>(wide);
    size_t il = (size_t)n, ol = sizeof wide;
    iconv(s.to_wide, nullptr, nullptr, nullptr, nullptr);
    if (iconv(s.to_wide, &ip, &il, &op, &ol) == (size_t)-1 || ol != 2)
        return false;
    *out = (RUV_WCHAR)(wide[0] | wide[1] << 8);
    return true;
#endif
}

/* Converts one wide character into code page 932; the byte count, 0 when
   it has no form there. */
int wide_to_dbcs(RUV_WCHAR wc, char *out)
{
#ifdef _WIN32
    wchar_t w = (wchar_t)wc;
    BOOL used_default = FALSE;
    int n = WideCharToMultiByte(kDoubleByte, WC_NO_BEST_FIT_CHARS, &w, 1, out, 4, nullptr, &used_default);
    return n <= 0 || used_default ? 0 : n;
#else
    State &s = state();
    if (s.from_wide == (iconv_t)-1)
        s.from_wide = iconv_open("CP932", "UCS-2LE");
    if (s.from_wide == (iconv_t)-1)
        return 0;
    unsigned char in[2] = {(unsigned char)(wc & 0xFF), (unsigned char)(wc >> 8)};
    char *ip = reinterpret_cast<char *>(in), *op = out;
    size_t il = 2, ol = 4;
    iconv(s.from_wide, nullptr, nullptr, nullptr, nullptr);
    if (iconv(s.from_wide, &ip, &il, &op, &ol) == (size_t)-1)
        return 0;
    return (int)(4 - ol);
#endif
}

/* Case tables of the stand-in: ASCII letters, and in the single-byte code
   page also the Latin-1 letters. */
bool upper_letter(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (!double_byte() && c >= 0xC0 && c <= 0xDE && c != 0xD7);
}
bool lower_letter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (!double_byte() && c >= 0xDF && c != 0xF7);
}

int32_t change_case(char *dst, const char *src, int32_t max, bool upper)
{
    if (!dst || !src || max < 0)
        return 0;
    if (dst != src) {
        int32_t bytes = 0;
        for (int32_t n = 0; n < max && src[bytes]; n++)
            bytes += ruvk_str_get_char_size(src + bytes) == 2 && src[bytes + 1] ? 2 : 1;
        std::memmove(dst, src, (size_t)bytes);
        dst[bytes] = 0;
    }
    int32_t count = 0;
    for (char *p = dst; *p && count < max; count++) {
        if (ruvk_str_get_char_size(p) == 2 && p[1]) {
            p += 2;
            continue;
        }
        unsigned char c = (unsigned char)*p;
        if (upper && lower_letter(c) && c != 0xDF && c != 0xFF)
            *p = (char)(c - 32);
        else if (!upper && upper_letter(c))
            *p = (char)(c + 32);
        p++;
    }
    return count;
}

} // namespace

namespace standin {

void set_codepage(int codepage) { state().codepage = codepage == kDoubleByte ? kDoubleByte : 0; }
int codepage() { return state().codepage; }

const std::vector<std::string> &list_rows(RUV_WIN list) { return state().lists[list].rows; }
int list_selection(RUV_WIN list) { return state().lists[list].selection; }
void list_reset() { state().lists.clear(); }

} // namespace standin

extern "C" {

int32_t ruvk_str_get_char_size(const char *text)
{
    if (!text)
        return -1;
    if (!*text)
        return 0;
    return double_byte() && is_lead((unsigned char)*text) ? 2 : 1;
}

int32_t ruvk_str_convert_mb_to_wc(RUV_WCHAR *out, const char *text)
{
    if (!text)
        return 0;
    RUV_WCHAR w = (unsigned char)*text;
    int n = *text ? 1 : 0;
    if (n && double_byte()) {
        n = ruvk_str_get_char_size(text);
        if (n == 2 && !text[1])
            n = 1;
        if (!dbcs_to_wide(text, n, &w))
            w = 0xFFFD;
    }
    if (out)
        *out = w;
    return n;
}

int32_t ruvk_str_convert_wc_to_mb(char *out, RUV_WCHAR wide)
{
    if (!out)
        return 0;
    if (wide == 0) {
        out[0] = 0;
        return 1;
    }
    int n;
    if (double_byte()) {
        n = wide_to_dbcs(wide, out);
    } else if (wide <= 0xFF) {
        out[0] = (char)wide;
        n = 1;
    } else {
        n = 0;
    }
    out[n] = 0;
    return n;
}

int32_t ruvk_str_convert_to_lower(char *dst, const char *src, int32_t max)
{
    return change_case(dst, src, max, false);
}

int32_t ruvk_str_convert_to_upper(char *dst, const char *src, int32_t max)
{
    return change_case(dst, src, max, true);
}

int32_t ruvk_str_compare_locale(const char *a, const char *b)
{
    /* Ordinal over the wide values: the same order in every build. */
    for (;;) {
        RUV_WCHAR wa = 0, wb = 0;
        int na = ruvk_str_convert_mb_to_wc(&wa, a);
        int nb = ruvk_str_convert_mb_to_wc(&wb, b);
        if (wa != wb)
            return wa < wb ? -1 : 1;
        if (!wa)
            return 0;
        a += na;
        b += nb;
    }
}

RUV_BOOL ruvk_str_is_char_alpha(char c)
{
    unsigned char u = (unsigned char)c;
    return upper_letter(u) || lower_letter(u);
}
RUV_BOOL ruvk_str_is_char_alnum(char c) { return ruvk_str_is_char_alpha(c) || (c >= '0' && c <= '9'); }
RUV_BOOL ruvk_str_is_char_lower(char c) { return lower_letter((unsigned char)c); }
RUV_BOOL ruvk_str_is_char_upper(char c) { return upper_letter((unsigned char)c); }

RUV_BOOL ruvk_fsys_convert_dir_to_str(const RUV_FILE_DIR *dir, char *text, int32_t size)
{
    if (!dir || !text || size <= 0 || !dir->path[0])
        return FALSE;
    char previous[RUV_FILE_DIR_SIZE], full[RUV_FILE_DIR_SIZE];
    if (!getcwd(previous, sizeof previous))
        return FALSE;
    if (chdir(dir->path) != 0)
        return FALSE;
    bool ok = getcwd(full, sizeof full) != nullptr;
    if (chdir(previous) != 0)
        ok = false;
    if (!ok || std::strlen(full) >= (size_t)size)
        return FALSE;
    std::strcpy(text, full);
    return TRUE;
}

RUV_BOOL ruvk_fsys_file_makepath(const RUV_FILE_SPEC *spec, char *path)
{
#ifdef _WIN32
    const char sep = '\\';
#else
    const char sep = '/';
#endif
    char dir[256];
    if (!spec || !path || !ruvk_fsys_convert_dir_to_str(&spec->dir, dir, (int32_t)sizeof dir))
        return FALSE;
    size_t dl = std::strlen(dir), nl = std::strlen(spec->name);
    if (dl + nl + 2 >= 256)
        return FALSE;
    if (dl == 0)
        dir[dl++] = sep;
    else if (dir[dl - 1] != '\\' && dir[dl - 1] != '/')
        dir[dl++] = sep;
    dir[dl] = 0;
    std::strcpy(path, dir);
    std::strcat(path, spec->name);
    return TRUE;
}

RUV_BOOL ruvk_fsys_is_dir(const char *path)
{
    char previous[RUV_FILE_DIR_SIZE];
    if (!path || !*path || !getcwd(previous, sizeof previous))
        return FALSE;
    if (chdir(path) != 0)
        return FALSE;
    return chdir(previous) == 0 ? TRUE : FALSE;
}

RUV_BOOL ruvk_list_add(RUV_WIN list, int32_t index, const char *text)
{
    if (!list || !text)
        return FALSE;
    std::vector<std::string> add;
    if (ruvv_slist_is_valid(text)) {
        auto *sl = reinterpret_cast<const SLIST *>(text);
        for (SLIST_ELT *e = ruvv_slist_get_first(sl); e; e = ruvv_slist_get_next(sl, e))
            add.push_back(ruvv_slist_get(sl, e, nullptr));
    } else {
        add.push_back(text);
    }
    std::vector<std::string> &rows = state().lists[list].rows;
    size_t at = index < 0 || (size_t)index > rows.size() ? rows.size() : (size_t)index;
    rows.insert(rows.begin() + (std::ptrdiff_t)at, add.begin(), add.end());
    return TRUE;
}

int32_t ruvk_list_count_all(RUV_WIN list)
{
    if (!list)
        return -1;
    return (int32_t)state().lists[list].rows.size();
}

RUV_BOOL ruvk_list_set_sel(RUV_WIN list, int32_t index, RUV_BOOL select)
{
    if (!list)
        return FALSE;
    ListControl &l = state().lists[list];
    if (select && index >= 0 && (size_t)index < l.rows.size())
        l.selection = index;
    else if (!select || index < 0)
        l.selection = -1;
    return TRUE;
}

} // extern "C"
