// "ERRCODES.TXT": message texts that a user may edit in the start-up
// directory to override the built-in table.  A line starts with a message
// id (decimal, 0x hexadecimal or 0 octal) and holds its text between double
// quotes, with \n, \t and \<char> escapes.  Lookups go through a cache of
// the 16 most recently used texts; the file is opened for a lookup that
// misses and closed after it.  The texts are data: they are never used as
// a format.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "error_private.h"
#include "ruvk.h"
#include "ruvv_mem.h"
#include "ruvv_static.h"
#include "ruvv_str.h"

namespace {

constexpr int CACHE_ENTRIES = 16;
constexpr size_t SLOT_SIZE = RUV_ERRCODES_TEXT_MAX + 1;

struct CacheEntry {
    RUV_ERRMSG_ID id;
    char *text;  // a SLOT_SIZE slot; NULL while the entry is unused
};

struct CodesBlock {
    char name[16];
    FILE *file;  // open only during a lookup
    CacheEntry entries[CACHE_ENTRIES];  // most recently used first
};

void codes_init(void *p)
{
    CodesBlock *b = static_cast<CodesBlock *>(p);
    std::strcpy(b->name, "ERRCODES.TXT");
}

void codes_term(void *p)
{
    CodesBlock *b = static_cast<CodesBlock *>(p);
    if (b->file)
        std::fclose(b->file);
    b->file = nullptr;
    for (CacheEntry &e : b->entries) {
        ruvv_mem_free(e.text);
        e.text = nullptr;
    }
}

RUV_STATIC_BLOCK(codes_desc, CodesBlock, codes_init, codes_term);

// Bytes of the character at p (0 at the terminator); a double-byte
// character is never split.
int32_t char_len(const char *p)
{
    if (*p == '\0')
        return 0;
    int32_t n = ruvv_str_get_n_char_size(p, 1);
    if (n < 1)
        n = 1;
    // A lead byte cut off by the line end is a character of its own.
    for (int32_t k = 1; k < n; ++k)
        if (p[k] == '\0')
            return k;
    return n;
}

// Appends n bytes when they fit (len - 1 bytes at most); false when full.
bool put(char *buf, int32_t len, int32_t &used, const char *src, int32_t n)
{
    if (used + n > len - 1)
        return false;
    std::memcpy(buf + used, src, static_cast<size_t>(n));
    used += n;
    return true;
}

// Next line of a runtime file: cut at RUV_ERRCODES_LINE_MAX characters,
// the rest of an over-long line skipped (it is not a line of its own), the
// line end removed.
RUV_BOOL file_next_line(void *source, char *line, int32_t size)
{
    FILE *f = static_cast<FILE *>(source);
    if (!std::fgets(line, size, f))
        return FALSE;
    size_t n = std::strlen(line);
    if (n > 0 && line[n - 1] == '\n') {
        line[--n] = '\0';
    } else {
        int c;
        while ((c = std::fgetc(f)) != EOF && c != '\n') {
        }
    }
    if (n > 0 && line[n - 1] == '\r')
        line[--n] = '\0';
    return TRUE;
}

RUV_BOOL swallow(RUV_ERRMSG *, void *)
{
    return 1;
}

} // namespace

extern "C" {

RUV_BOOL ruvv_errcodes_parse_line(const char *line, RUV_ERRMSG_ID id, char *buf, int32_t len)
{
    if (!line || !buf || len <= 0)
        return FALSE;
    buf[0] = '\0';
    // The leading number as the runtime's "%li" reads it: blanks, a sign,
    // then decimal, 0x hexadecimal or 0 octal.  Read wide, so an
    // out-of-range number never matches.
    char *end = nullptr;
    errno = 0;
    long long value = std::strtoll(line, &end, 0);
    if (end == line || errno == ERANGE || value != static_cast<long long>(id))
        return FALSE;

    const char *p = std::strchr(end, '"');
    if (!p)
        return TRUE;
    ++p;
    int32_t used = 0;
    while (*p != '\0' && *p != '"') {
        int32_t n = char_len(p);
        if (*p == '\\') {
            const char *q = p + 1;
            if (*q == '\0') {
                // A backslash at the end of the line stays.
                put(buf, len, used, p, 1);
                break;
            }
            bool ok;
            if (*q == 'n') {
                ok = put(buf, len, used, "\n", 1);
                n = 2;
            } else if (*q == 't') {
                ok = put(buf, len, used, "\t", 1);
                n = 2;
            } else {
                int32_t m = char_len(q);
                ok = put(buf, len, used, q, m);
                n = 1 + m;
            }
            if (!ok)
                break;
        } else if (!put(buf, len, used, p, n)) {
            break;
        }
        p += n;
    }
    buf[used] = '\0';
    return TRUE;
}

RUV_BOOL ruvv_errcodes_scan(RUV_ERRCODES_READER next_line, void *source, RUV_ERRMSG_ID id,
                            char *buf, int32_t len)
{
    char line[RUV_ERRCODES_LINE_MAX + 1];
    while (next_line(source, line, static_cast<int32_t>(sizeof line)))
        if (ruvv_errcodes_parse_line(line, id, buf, len))
            return TRUE;
    if (buf && len > 0)
        buf[0] = '\0';
    return FALSE;
}

RUV_BOOL ruvv_errcodes_lookup(RUV_ERRMSG_ID id, char *buf, int32_t len)
{
    if (!buf || len <= 0)
        return FALSE;
    buf[0] = '\0';
    // Nothing that fails in here may be reported: a missing file or cache
    // simply means the built-in text.
    ruv::ErrFrame frame(nullptr, 1);
    ruv::ErrHandlerScope quiet(swallow, nullptr);

    CodesBlock *b = static_cast<CodesBlock *>(ruvk_static_get_ptr(&codes_desc));
    if (!b)
        return FALSE;

    for (int i = 0; i < CACHE_ENTRIES; ++i) {
        CacheEntry &e = b->entries[i];
        if (e.text && e.id == id) {
            CacheEntry hit = e;
            std::memmove(&b->entries[1], &b->entries[0], static_cast<size_t>(i) * sizeof(CacheEntry));
            b->entries[0] = hit;
            std::snprintf(buf, static_cast<size_t>(len), "%s", hit.text);
            return buf[0] != '\0';
        }
    }

    char text[SLOT_SIZE];
    RUV_FILE_DIR saved;
    bool have_saved = ruvk_fsys_get_dir(&saved) != 0;
    bool found = false;
    if (ruvk_fsys_set_dir_startup()) {
        b->file = std::fopen(b->name, "r");
        if (b->file) {
            found = ruvv_errcodes_scan(file_next_line, b->file, id, text, static_cast<int32_t>(sizeof text)) != 0;
            std::fclose(b->file);
            b->file = nullptr;
        }
    }
    if (have_saved)
        ruvk_fsys_set_dir(&saved);
    if (!found || text[0] == '\0')
        return FALSE;

    // Enter the text at the front, evicting the least recently used.
    CacheEntry last = b->entries[CACHE_ENTRIES - 1];
    char *slot = last.text ? last.text : static_cast<char *>(ruvv_mem_alloc(SLOT_SIZE));
    if (slot) {
        std::memmove(&b->entries[1], &b->entries[0], (CACHE_ENTRIES - 1) * sizeof(CacheEntry));
        std::memcpy(slot, text, SLOT_SIZE);
        b->entries[0].id = id;
        b->entries[0].text = slot;
    }
    std::snprintf(buf, static_cast<size_t>(len), "%s", text);
    return TRUE;
}

} // extern "C"
