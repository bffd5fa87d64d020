/* The portable string layer: comparison and collation, copying, counting,
   wide conversion, character classes, searching, tokens, line splitting,
   wildcard matching, number parsing, mnemonic markers and resource strings.

   Each operation has two behaviours chosen by the process's multi-byte
   flag: with it clear, the plain single-byte runtime operation; with it
   set, a walk character by character through the kernel's string
   primitives, so that a double-byte character is never split.  Invalid
   characters never stop an operation: each is reported as a warning and
   treated as one byte. */
#include <ctype.h>
#include <errno.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

#include "ruvk.h"
#include "ruvv_errmsg.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvv_str.h"
#include "str_internal.h"

extern "C" char *ruvv_res_get_str(int32_t id, char *buf, int32_t size);

namespace ruv {
namespace str {
namespace {

constexpr const char *kModule = "str";
constexpr RUV_ERRMSG_ID kNullBuffer = 0x121000b;  /* "NULL buffer pointer" */
constexpr RUV_ERRMSG_ID kBadValue = 0x1250001;    /* "Bad value" */
constexpr RUV_ERRMSG_ID kValueTooLow = 0x1250004; /* "Value too low" */
constexpr RUV_ERRMSG_ID kBadSize = 0x260000;      /* "Bad size" */
constexpr RUV_ERRMSG_ID kOverflow = 0x1590008;    /* "Overflow of value during parse" */
constexpr int32_t kAttrMultibyte = 713;
constexpr int32_t kAttrCollateHook = 712;

void init_block(void *p)
{
    auto *b = static_cast<Block *>(p);
    memset(b, 0, sizeof *b);
    b->multibyte = (int16_t)(ruvk_vobj_get_attr(NULL_WIN, kAttrMultibyte) & 0xFFFF) != 0;
}

RUV_STATIC_DESC g_desc = {nullptr, nullptr, init_block, nullptr, nullptr, nullptr, sizeof(Block)};

} // namespace

Block *block()
{
    static Block fallback; /* only when the kernel has no slot left */
    auto *b = static_cast<Block *>(ruvk_static_get_ptr(&g_desc));
    return b ? b : &fallback;
}

bool multibyte() { return block()->multibyte != 0; }

int char_size(const char *p)
{
    if (!*p)
        return 0;
    if (!multibyte())
        return 1;
    int n = ruvk_str_get_char_size(p);
    if (n == 2 && p[1] == 0)
        return -1; /* a lead byte cut off by the terminator */
    return n < 0 ? -1 : n;
}

int char_wide(const char *p, RUV_WCHAR *wc)
{
    int n = char_size(p);
    if (n <= 0 || !multibyte()) {
        *wc = (unsigned char)*p;
        return n;
    }
    RUV_WCHAR w = 0;
    ruvk_str_convert_mb_to_wc(&w, p);
    *wc = w;
    return n;
}

bool to_wide(const char *s, MemBuf<RUV_WCHAR> &out, size_t *length)
{
    if (!out.alloc(strlen(s) + 1, __LINE__))
        return false;
    size_t n = 0;
    while (*s) {
        RUV_WCHAR wc;
        int k = char_wide(s, &wc);
        if (k < 0) {
            invalid_char(__LINE__);
            k = 1;
        }
        out[n++] = wc;
        s += k;
    }
    out[n] = 0;
    if (length)
        *length = n;
    return true;
}

void invalid_char(int line) { ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kInvalidChar, kModule, line); }
void no_heap(int line) { ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kNoHeap, kModule, line); }

namespace {

/* Steps over the character at p; an invalid byte is reported and counts
   as one. */
int step(const char *p, int line)
{
    int n = char_size(p);
    if (n < 0) {
        invalid_char(line);
        return 1;
    }
    return n;
}

/* Lower-cases one single-byte character through the kernel. */
int lower_byte(unsigned char c)
{
    char buf[2] = {(char)c, 0};
    if (c)
        ruvk_str_convert_to_lower(buf, buf, 1);
    return (unsigned char)buf[0];
}

/* A heap copy lower-cased in place (at most kCaseLimit characters). */
char *lowered_copy(const char *s)
{
    char *d = ruvv_str_duplicate(s);
    if (d)
        ruvk_str_convert_to_lower(d, d, kCaseLimit);
    return d;
}

/* Whether the character at s (size n) equals the character at c. */
bool same_char(const char *s, int n, const char *c, int cn)
{
    return n == cn && memcmp(s, c, (size_t)n) == 0;
}

} // namespace
} // namespace str
} // namespace ruv

using namespace ruv::str;

/* ---- Compare and collate ------------------------------------------------ */

extern "C" int ruvv_str_collate(const char *a, const char *b)
{
    if (!multibyte())
        return strcoll(a, b);
    intptr_t hook = ruvk_vobj_get_attr(NULL_WIN, kAttrCollateHook);
    if (hook)
        return reinterpret_cast<int (*)(const char *, const char *)>(hook)(a, b);
    return ruvk_str_compare_locale(a, b);
}

extern "C" int ruvv_str_collate_ignoring_case(const char *a, const char *b)
{
    if (multibyte()) {
        char *la = lowered_copy(a);
        char *lb = la ? lowered_copy(b) : nullptr;
        int r = -1;
        if (la && lb)
            r = ruvv_str_collate(la, lb);
        ruvv_mem_free(la);
        ruvv_mem_free(lb);
        return r;
    }
    const unsigned char *p = reinterpret_cast<const unsigned char *>(a);
    const unsigned char *q = reinterpret_cast<const unsigned char *>(b);
    for (;; p++, q++) {
        if (!*p)
            return *q ? -1 : 0;
        int d = tolower(*p) - tolower(*q);
        if (d)
            return d;
    }
}

extern "C" int ruvv_str_compare_n_char(const char *a, const char *b, int32_t n)
{
    if (!multibyte())
        return n > 0 ? strncmp(a, b, (size_t)n) : 0;
    for (int32_t i = 0; i < n; i++) {
        if (!*a || !*b)
            return (unsigned char)*a - (unsigned char)*b;
        RUV_WCHAR wa, wb;
        int na = char_wide(a, &wa);
        int nb = char_wide(b, &wb);
        if (na < 0 || nb < 0) {
            invalid_char(__LINE__);
            return (int)wa - (int)wb;
        }
        if (wa != wb)
            return (int)wa - (int)wb;
        a += na;
        b += nb;
    }
    return 0;
}

extern "C" int ruvv_str_compare_ignoring_case(const char *a, const char *b)
{
    if (multibyte()) {
        char *la = lowered_copy(a);
        char *lb = la ? lowered_copy(b) : nullptr;
        int r = -1;
        if (la && lb)
            r = ruvv_str_compare_n_char(la, lb, kCaseLimit);
        ruvv_mem_free(la);
        ruvv_mem_free(lb);
        return r;
    }
    if (a == b)
        return 0;
    /* Through the terminator: a string that ends first is the smaller. */
    const unsigned char *p = reinterpret_cast<const unsigned char *>(a);
    const unsigned char *q = reinterpret_cast<const unsigned char *>(b);
    for (;; p++, q++) {
        int d = lower_byte(*p) - lower_byte(*q);
        if (d)
            return d;
        if (!*p)
            return 0;
    }
}

extern "C" int ruvv_str_compare_n_size_ignoring_case(const char *a, const char *b, int32_t nbytes)
{
    if (!multibyte()) {
        if (a == b)
            return 0;
        for (int32_t i = 0; i < nbytes; i++) {
            int d = tolower((unsigned char)a[i]) - tolower((unsigned char)b[i]);
            if (d)
                return d;
            if (!a[i])
                return 0;
        }
        return 0;
    }
    int32_t pos = 0;
    while (pos < nbytes) {
        if (!*a || !*b)
            return (unsigned char)*a - (unsigned char)*b;
        RUV_WCHAR wa, wb;
        int na = char_wide(a, &wa);
        int nb = char_wide(b, &wb);
        if (na < 0 || nb < 0) {
            invalid_char(__LINE__);
            na = na < 0 ? 1 : na;
            nb = nb < 0 ? 1 : nb;
        }
        int d = (int)ruvv_str_convert_wchar_to_lower(wa) - (int)ruvv_str_convert_wchar_to_lower(wb);
        if (d)
            return d;
        a += na;
        b += nb;
        pos += std::max(na, nb);
    }
    return 0;
}

extern "C" int ruvv_str_compare_wchar(const char *s, RUV_WCHAR wc)
{
    RUV_WCHAR c;
    if (char_wide(s, &c) < 0)
        invalid_char(__LINE__);
    if (c == wc)
        return 0;
    return wc < c ? 1 : -1;
}

extern "C" RUV_BOOL ruvv_str_is_equal(const char *a, const char *b)
{
    if (a == b)
        return TRUE;
    if (!a || !b)
        return FALSE;
    return strcmp(a, b) == 0;
}

/* ---- Copy, concatenate, duplicate, count -------------------------------- */

extern "C" char *ruvv_str_copy(char *dst, const char *src) { return strcpy(dst, src); }
extern "C" char *ruvv_str_concat(char *dst, const char *src) { return strcat(dst, src); }

extern "C" int32_t ruvv_str_copy_n_char(char *dst, const char *src, int32_t n)
{
    if (!dst || !src || n <= 0)
        return 0;
    if (!multibyte()) {
        strncpy(dst, src, (size_t)n);
        return n;
    }
    int32_t written = 0;
    for (int32_t i = 0; i < n; i++) {
        if (!*src) {
            dst[written++] = 0;
            break;
        }
        int k = step(src, __LINE__);
        memcpy(dst + written, src, (size_t)k);
        written += k;
        src += k;
    }
    return written;
}

extern "C" int32_t ruvv_str_copy_n_size(char *dst, const char *src, int32_t nbytes)
{
    if (!dst || !src || nbytes <= 0)
        return 0;
    if (!multibyte()) {
        strncpy(dst, src, (size_t)nbytes);
        return nbytes;
    }
    int32_t pos = 0;
    while (pos < nbytes) {
        int k = char_size(src);
        if (k == 0) {
            dst[pos] = 0;
            break;
        }
        if (k < 0) {
            invalid_char(__LINE__);
            dst[pos++] = ' ';
            src++;
            continue;
        }
        if (pos + k > nbytes)
            break;
        memcpy(dst + pos, src, (size_t)k);
        pos += k;
        src += k;
    }
    return pos;
}

extern "C" char *ruvv_str_concat_n_char(char *dst, const char *src, int32_t n)
{
    if (!dst || !src)
        return dst;
    if (!multibyte())
        return n > 0 ? strncat(dst, src, (size_t)n) : dst;
    char *end = dst + strlen(dst);
    int32_t w = ruvv_str_copy_n_char(end, src, n);
    if (w == 0 || end[w - 1] != 0)
        end[w] = 0;
    return dst;
}

extern "C" char *ruvv_str_duplicate(const char *s)
{
    if (!s)
        return nullptr;
    size_t len = strlen(s);
    auto *d = static_cast<char *>(ruvv_mem_alloc(len + 1));
    if (!d) {
        no_heap(__LINE__);
        return nullptr;
    }
    memcpy(d, s, len + 1);
    return d;
}

extern "C" int32_t ruvv_str_get_byte_count(const char *s) { return s ? (int32_t)strlen(s) : 0; }

extern "C" int32_t ruvv_str_get_char_count(const char *s)
{
    if (!s || !*s)
        return 0;
    if (!multibyte())
        return (int32_t)strlen(s);
    int32_t count = 0;
    while (*s) {
        s += step(s, __LINE__);
        count++;
    }
    return count;
}

extern "C" int32_t ruvv_str_get_n_char_count(const char *s, int32_t nbytes, int32_t *used)
{
    int32_t chars = 0, bytes = 0;
    if (s && nbytes > 0) {
        if (!multibyte()) {
            chars = bytes = (int32_t)strnlen(s, (size_t)nbytes);
        } else {
            while (s[bytes]) {
                int k = step(s + bytes, __LINE__);
                if (bytes + k > nbytes)
                    break;
                bytes += k;
                chars++;
            }
        }
    }
    if (used)
        *used = bytes;
    return chars;
}

extern "C" int32_t ruvv_str_get_n_char_size(const char *s, int32_t nchars)
{
    if (!s || nchars < 0)
        return 0;
    if (!multibyte())
        return (int32_t)strnlen(s, (size_t)nchars);
    int32_t bytes = 0;
    for (int32_t i = 0; i < nchars && s[bytes]; i++)
        bytes += step(s + bytes, __LINE__);
    return bytes;
}

extern "C" int32_t ruvv_str_convert_mbs_to_wcs(RUV_WCHAR *wide_out, const char *s, int32_t count)
{
    if (!wide_out || !s || count <= 0)
        return 0;
    int32_t n = 0;
    while (n < count && *s) {
        RUV_WCHAR wc;
        int k = char_wide(s, &wc);
        if (k < 0) {
            invalid_char(__LINE__);
            break;
        }
        wide_out[n++] = wc;
        s += k;
    }
    if (n < count)
        wide_out[n] = 0;
    return n;
}

namespace {

/* One wide character as multi-byte text; the byte count, <= 0 when it has
   no multi-byte form. */
int wide_to_mb(char *out, RUV_WCHAR wc)
{
    if (!multibyte()) {
        if (wc > 0xFF)
            return 0;
        out[0] = (char)wc;
        out[1] = 0;
        return 1;
    }
    return ruvk_str_convert_wc_to_mb(out, wc);
}

} // namespace

extern "C" int32_t ruvv_str_convert_wcs_to_mbs(char *out, const RUV_WCHAR *wide, int32_t nbytes)
{
    if (!out || !wide || nbytes <= 0)
        return 0;
    int32_t pos = 0;
    for (; *wide; wide++) {
        char scratch[8];
        int k = wide_to_mb(scratch, *wide);
        if (k <= 0) {
            invalid_char(__LINE__);
            continue;
        }
        if (pos + k > nbytes)
            break;
        memcpy(out + pos, scratch, (size_t)k);
        pos += k;
    }
    if (pos < nbytes)
        out[pos] = 0;
    return pos;
}

namespace {

RUV_WCHAR convert_case(RUV_WCHAR wc, bool upper)
{
    char mb[8];
    if (wide_to_mb(mb, wc) != 1)
        return wc;
    if (upper)
        ruvk_str_convert_to_upper(mb, mb, 1);
    else
        ruvk_str_convert_to_lower(mb, mb, 1);
    RUV_WCHAR out = wc;
    char_wide(mb, &out);
    return out;
}

} // namespace

extern "C" RUV_WCHAR ruvv_str_convert_wchar_to_lower(RUV_WCHAR wc) { return convert_case(wc, false); }
extern "C" RUV_WCHAR ruvv_str_convert_wchar_to_upper(RUV_WCHAR wc) { return convert_case(wc, true); }

/* ---- Classify ------------------------------------------------------------ */

namespace {

/* The single-byte character at c, or -1 when it is none (NULL, the
   terminator or a double-byte character). */
int single(const char *c)
{
    if (!c || char_size(c) != 1)
        return -1;
    return (unsigned char)*c;
}

} // namespace

extern "C" RUV_BOOL ruvv_str_is_alnum(const char *c) { return single(c) >= 0 && ruvk_str_is_char_alnum(*c); }
extern "C" RUV_BOOL ruvv_str_is_alpha(const char *c) { return single(c) >= 0 && ruvk_str_is_char_alpha(*c); }
extern "C" RUV_BOOL ruvv_str_is_lower(const char *c) { return single(c) >= 0 && ruvk_str_is_char_lower(*c); }
extern "C" RUV_BOOL ruvv_str_is_upper(const char *c) { return single(c) >= 0 && ruvk_str_is_char_upper(*c); }
extern "C" RUV_BOOL ruvv_str_is_cntrl(const char *c) { int b = single(c); return b >= 0 && iscntrl(b); }
extern "C" RUV_BOOL ruvv_str_is_digit(const char *c) { int b = single(c); return b >= 0 && isdigit(b); }
extern "C" RUV_BOOL ruvv_str_is_graph(const char *c) { int b = single(c); return b >= 0 && isgraph(b); }
extern "C" RUV_BOOL ruvv_str_is_print(const char *c) { int b = single(c); return b >= 0 && isprint(b); }
extern "C" RUV_BOOL ruvv_str_is_punct(const char *c) { int b = single(c); return b >= 0 && ispunct(b); }
extern "C" RUV_BOOL ruvv_str_is_space(const char *c) { int b = single(c); return b >= 0 && isspace(b); }
extern "C" RUV_BOOL ruvv_str_is_xdigit(const char *c) { int b = single(c); return b >= 0 && isxdigit(b); }

extern "C" RUV_BOOL ruvv_str_is_invariant(const char *c)
{
    int b = single(c);
    if (b < 0 || b > 0x7F || !isprint(b))
        return FALSE;
    return isalnum(b) || strchr(" !\"&'()*+,-./:;<=>?_", b) != nullptr;
}

/* ---- Find ------------------------------------------------------------------ */

extern "C" char *ruvv_str_find_substring(const char *s, const char *sub)
{
    if (!multibyte())
        return const_cast<char *>(strstr(s, sub));
    /* Only at character starts: never inside a double-byte character. */
    size_t n = strlen(sub);
    for (;;) {
        if (strncmp(s, sub, n) == 0)
            return const_cast<char *>(s);
        if (!*s)
            return nullptr;
        s += step(s, __LINE__);
    }
}

extern "C" char *ruvv_str_find_first_char(const char *s, const char *c)
{
    if (!*c)
        return const_cast<char *>(s + strlen(s));
    if (!multibyte())
        return const_cast<char *>(strchr(s, *c));
    int cn = step(c, __LINE__);
    for (; *s;) {
        int n = step(s, __LINE__);
        if (same_char(s, n, c, cn))
            return const_cast<char *>(s);
        s += n;
    }
    return nullptr;
}

extern "C" char *ruvv_str_find_first_wchar(const char *s, RUV_WCHAR wc)
{
    for (;;) {
        RUV_WCHAR c;
        int n = char_wide(s, &c);
        if (n == 0)
            return wc == 0 ? const_cast<char *>(s) : nullptr;
        if (n < 0) {
            invalid_char(__LINE__);
            n = 1;
        }
        if (c == wc)
            return const_cast<char *>(s);
        s += n;
    }
}

extern "C" char *ruvv_str_find_last_char(const char *s, const char *c)
{
    if (!*c)
        return const_cast<char *>(s + strlen(s));
    if (!multibyte())
        return const_cast<char *>(strrchr(s, *c));
    int cn = step(c, __LINE__);
    const char *found = nullptr;
    for (; *s;) {
        int n = step(s, __LINE__);
        if (same_char(s, n, c, cn))
            found = s;
        s += n;
    }
    return const_cast<char *>(found);
}

extern "C" char *ruvv_str_find_last_wchar(const char *s, RUV_WCHAR wc)
{
    if (wc == 0)
        return const_cast<char *>(s + strlen(s));
    const char *found = nullptr;
    while (*s) {
        RUV_WCHAR c;
        int n = char_wide(s, &c);
        if (n < 0) {
            invalid_char(__LINE__);
            n = 1;
        }
        if (c == wc)
            found = s;
        s += n;
    }
    return const_cast<char *>(found);
}

// Multi-byte scan for the first character that is (member true) or is not
// (member false) in the set; NULL when none remains before the terminator.
static char *scan_wide_set(const char *s, const char *set, bool member)
{
    MemBuf<RUV_WCHAR> wset;
    size_t nset;
    if (!to_wide(set, wset, &nset))
        return nullptr;
    while (*s) {
        RUV_WCHAR c;
        int n = char_wide(s, &c);
        if (n < 0) {
            invalid_char(__LINE__);
            n = 1;
        }
        if ((std::find(wset.get(), wset.get() + nset, c) != wset.get() + nset) == member)
            return const_cast<char *>(s);
        s += n;
    }
    return nullptr;
}

extern "C" char *ruvv_str_find_char_set(const char *s, const char *set)
{
    if (!multibyte())
        return const_cast<char *>(strpbrk(s, set));
    return scan_wide_set(s, set, true);
}

extern "C" char *ruvv_str_find_not_char_set(const char *s, const char *set)
{
    if (!multibyte())
        return const_cast<char *>(s + strspn(s, set));
    return scan_wide_set(s, set, false);
}

extern "C" char *ruvv_str_find_token(const char *s, const char *delimiters, int32_t *length)
{
    if (length)
        *length = 0;
    if (!s || !delimiters) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kNullBuffer, kModule, __LINE__);
        return nullptr;
    }
    if (!*s)
        return nullptr;
    /* Only delimiters left: no token in either mode (an empty token at the
       terminator would make callers take a blank item for one). */
    char *start = ruvv_str_find_not_char_set(s, delimiters);
    if (!start || !*start)
        return nullptr;
    char *end = ruvv_str_find_char_set(start, delimiters);
    if (!end)
        end = start + strlen(start);
    if (length)
        *length = (int32_t)(end - start);
    return start;
}

extern "C" char *ruvv_str_skip_space(const char *s)
{
    while (*s && char_size(s) == 1 && isspace((unsigned char)*s))
        s++;
    return const_cast<char *>(s);
}

/* ---- Line splitting -------------------------------------------------------- */

extern "C" char *ruvv_str_find_eol(const char *text, int32_t nbytes, int32_t *line_length, int32_t *kind)
{
    Block *b = block();
    if (text) {
        if (nbytes < 0) {
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kValueTooLow, kModule, __LINE__);
            return nullptr;
        }
        b->eol_text = text;
        b->eol_length = nbytes;
        b->eol_pos = 0;
        b->eol_seq_length = 0;
        b->eol_seq[0] = 0;
    } else if (!b->eol_text) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_ERROR, kBadValue, kModule, __LINE__);
        return nullptr;
    }
    const char *t = b->eol_text;
    const int32_t len = b->eol_length;
    const int32_t start = b->eol_pos;
    if (start >= len)
        return nullptr;

    int32_t p = start;
    int32_t k = RUV_EOL_KIND_END;
    int32_t next = len;
    while (p < len) {
        char c = t[p];
        if (c == 0) {
            if (p == start) {
                b->eol_pos = len;
                return nullptr;
            }
            next = len;
            break;
        }
        if (c == '\r' || c == '\n') {
            char other = c == '\r' ? '\n' : '\r';
            bool pair = p + 1 < len && t[p + 1] == other;
            if (b->eol_seq[0] == 0) {
                b->eol_seq[0] = c;
                b->eol_seq[1] = pair ? other : 0;
                b->eol_seq[2] = 0;
                b->eol_seq_length = pair ? 2 : 1;
                next = p + b->eol_seq_length;
                k = RUV_EOL_KIND_CONVENTION;
            } else if (len - p >= b->eol_seq_length && memcmp(t + p, b->eol_seq, (size_t)b->eol_seq_length) == 0) {
                next = p + b->eol_seq_length;
                k = RUV_EOL_KIND_CONVENTION;
            } else {
                next = p + (pair ? 2 : 1);
                k = RUV_EOL_KIND_OTHER;
            }
            break;
        }
        /* The text need not be terminated at its length: a lead byte in
           the last position is not looked past (it is an invalid byte). */
        int n = p + 1 < len ? char_size(t + p) : multibyte() && ruvk_str_get_char_size(t + p) == 2 ? -1 : 1;
        if (n < 0) {
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kInvalidChar, kModule, 1097);
            n = 1;
        }
        p = std::min(p + n, len);
    }
    if (line_length)
        *line_length = p - start;
    if (kind)
        *kind = k;
    b->eol_pos = next;
    return const_cast<char *>(t + start);
}

/* ---- Wildcard matching ----------------------------------------------------- */

extern "C" RUV_BOOL ruvv_str_match(const char *s, const char *pattern, int case_sensitive)
{
    if (!s || !pattern)
        return !s && !pattern;
    MemBuf<RUV_WCHAR> text, pat;
    size_t n = 0;
    if (!to_wide(s, text, &n) || !to_wide(pattern, pat, nullptr))
        return FALSE;

    /* Pattern tokens: literal characters, "?" and "*". */
    enum { kLit, kOne, kAny };
    struct Tok {
        int kind;
        RUV_WCHAR c;
    };
    MemBuf<Tok> toks;
    if (!toks.alloc(pat.size(), __LINE__))
        return FALSE;
    size_t ntok = 0;
    for (size_t i = 0; pat[i]; i++) {
        RUV_WCHAR c = pat[i];
        if (c == '*')
            toks[ntok++] = {kAny, 0};
        else if (c == '?')
            toks[ntok++] = {kOne, 0};
        else if (c == '\\') {
            if (!pat[i + 1])
                break; /* a trailing "\" ends the pattern */
            toks[ntok++] = {kLit, pat[++i]};
        } else
            toks[ntok++] = {kLit, c};
    }
    auto fold = [&](RUV_WCHAR c) { return case_sensitive ? c : ruvv_str_convert_wchar_to_lower(c); };
    auto fits = [&](const Tok &t, RUV_WCHAR c) { return t.kind == kOne || fold(t.c) == fold(c); };

    /* Greedy walk remembering the last "*": the same answer as trying every
       run length, without exponential back-tracking. */
    size_t ti = 0, pi = 0, star = SIZE_MAX, star_ti = 0;
    while (ti < n) {
        if (pi < ntok && toks[pi].kind != kAny && fits(toks[pi], text[ti])) {
            ti++;
            pi++;
        } else if (pi < ntok && toks[pi].kind == kAny) {
            star = pi++;
            star_ti = ti;
        } else if (star != SIZE_MAX) {
            pi = star + 1;
            ti = ++star_ti;
        } else {
            return FALSE;
        }
    }
    while (pi < ntok && toks[pi].kind == kAny)
        pi++;
    return pi == ntok;
}

/* ---- Numbers ----------------------------------------------------------------- */

extern "C" double ruvv_str_parse_double(const char *s, char **end)
{
    errno = 0;
    double v = strtod(s, end);
    if (errno == ERANGE)
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kBadSize, kModule, __LINE__);
    return v;
}

extern "C" uint32_t ruvv_str_parse_ulong(const char *s, char **end, int base)
{
    if (base == 1 || base < 0 || base > 16) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kBadValue, kModule, __LINE__);
        if (end)
            *end = const_cast<char *>(s);
        return 0;
    }
    const char *p = s;
    while (isspace((unsigned char)*p))
        p++;
    if (*p == '+')
        p++;
    bool hex_prefix = p[0] == '0' && (p[1] == 'x' || p[1] == 'X');
    if (base == 0)
        base = hex_prefix ? 16 : p[0] == '0' ? 8 : 10;
    if (base == 16 && hex_prefix)
        p += 2;

    static const char digits[] = "0123456789abcdef";
    uint32_t value = 0;
    bool overflow = false;
    for (;; p++) {
        const char *d = *p ? strchr(digits, *p) : nullptr;
        if (!d || d - digits >= base)
            break;
        uint32_t digit = (uint32_t)(d - digits);
        if (overflow)
            continue; /* the rest of the number is taken, its value lost */
        if (value > (0xFFFFFFFFu - digit) / (uint32_t)base) {
            ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kOverflow, kModule, __LINE__);
            overflow = true;
            value = 0xFFFFFFFFu;
            continue;
        }
        value = value * (uint32_t)base + digit;
    }
    if (end)
        *end = const_cast<char *>(p);
    return value;
}

extern "C" int32_t ruvv_str_parse_long(const char *s, char **end, int base)
{
    if (!multibyte()) {
        /* The runtime's long may be 64 bits wide: keep the 32-bit range. */
        errno = 0;
        long v = strtol(s, end, base);
        if (v > INT32_MAX)
            return INT32_MAX;
        if (v < INT32_MIN)
            return INT32_MIN;
        return (int32_t)v;
    }
    const char *p = s;
    while (isspace((unsigned char)*p))
        p++;
    bool negative = *p == '-';
    if (negative)
        p++;
    uint32_t u = ruvv_str_parse_ulong(p, end, base);
    int32_t v;
    if (u > (uint32_t)INT32_MAX) {
        ruvv_errmsg_dispatch(nullptr, RUV_SEV_WARNING, kOverflow, kModule, __LINE__);
        v = INT32_MAX;
    } else {
        v = (int32_t)u;
    }
    return negative ? -v : v;
}

/* ---- Mnemonics and resource strings ------------------------------------------ */

extern "C" char *ruvv_str_set_mnemonic(const char *src, int32_t pos, char *dst, int32_t dst_size)
{
    if (!src || !dst || dst_size <= 0)
        return nullptr;
    int32_t len = (int32_t)strlen(src);
    if (dst_size < len + 2)
        return nullptr;
    if (pos < 0 || pos >= len) {
        memmove(dst, src, (size_t)len + 1);
        return dst;
    }
    memmove(dst + pos + 1, src + pos, (size_t)(len - pos) + 1);
    if (dst != src)
        memmove(dst, src, (size_t)pos);
    dst[pos] = '~';
    return dst;
}

extern "C" char *ruvv_str_get_mnemonic(const char *src, int32_t *pos, char *dst, int32_t dst_size)
{
    if (pos)
        *pos = -1;
    if (!src || !dst || dst_size <= 0)
        return nullptr;
    int32_t len = (int32_t)strlen(src);
    if (dst_size < len)
        return nullptr;
    int32_t marker = -1;
    for (int32_t i = 0; src[i];) {
        int n = step(src + i, __LINE__);
        if (n == 1 && src[i] == '~') {
            if (src[i + 1])
                marker = i; /* a marker that ends the text stays */
            break;
        }
        i += n;
    }
    /* dst may be src itself: move the parts, front part first. */
    size_t out_len = (size_t)len - (marker >= 0 ? 1 : 0);
    size_t keep = std::min(out_len, (size_t)dst_size - 1);
    size_t head = marker >= 0 ? std::min((size_t)marker, keep) : keep;
    memmove(dst, src, head);
    if (keep > head)
        memmove(dst + head, src + head + 1, keep - head);
    dst[keep] = 0;
    if (pos)
        *pos = marker;
    return dst;
}

extern "C" char *ruvv_str_getstr(int32_t id, char *dst, int32_t size, const char *def)
{
    if (!dst) {
        dst = block()->buffer;
        size = (int32_t)sizeof block()->buffer;
    }
    if (size <= 0)
        return dst;
    if (!ruvv_res_get_str(id, dst, size)) {
        if (def)
            ruvv_str_copy_n_size(dst, def, size);
        else
            dst[0] = 0;
    }
    dst[size - 1] = 0;
    return dst;
}
