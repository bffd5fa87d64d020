/* Shared by the string modules of the portable layer (strings, code sets,
   formatted printing, input masks): the string module block with the
   multi-byte flag, and character stepping that never runs past a
   terminator. */
#ifndef RUV_STR_INTERNAL_H
#define RUV_STR_INTERNAL_H

#include "ruv_types.h"
#include "ruvv_mem.h"

namespace ruv {
namespace str {

constexpr uint32_t kInvalidChar = 0x1220010; /* "Invalid multibyte character encountered" */
constexpr uint32_t kNoHeap = 0x1510001;      /* "Failed to allocate heap memory" */
constexpr int32_t kCaseLimit = 32767;        /* bytes lower-cased for comparisons */

struct Block {
    /* line splitting */
    const char *eol_text;
    int32_t eol_length;
    int32_t eol_pos;
    int32_t eol_seq_length;
    char eol_seq[3]; /* first byte 0: no convention yet */
    /* ruvv_str_getstr's buffer */
    char buffer[100];
    int16_t multibyte;
};

/* The process's string module block (never NULL). */
Block *block();
/* The multi-byte flag of this process (attribute 713, read once). */
bool multibyte();

/* Bytes of the character at p: 0 at the terminator, 1 or 2, or -1 for an
   invalid byte (a lead byte before the terminator is invalid, so stepping
   never passes the end).  With the flag clear every byte is a character. */
int char_size(const char *p);
/* As char_size, also giving the character's wide value (for an invalid
   byte, the byte's value). */
int char_wide(const char *p, RUV_WCHAR *wc);
/* Reports an invalid character (warning), from the given line. */
void invalid_char(int line);
/* Reports an allocation failure (error), from the given line. */
void no_heap(int line);

/* A block of n elements from the memory hooks, freed at scope end.  An
   allocation failure is reported (error) and leaves the buffer empty. */
template <class T>
class MemBuf {
public:
    MemBuf() = default;
    ~MemBuf() { ruvv_mem_free(p_); }
    MemBuf(const MemBuf &) = delete;
    MemBuf &operator=(const MemBuf &) = delete;
    /* false (reported) when the block cannot be had. */
    bool alloc(size_t n, int line)
    {
        ruvv_mem_free(p_);
        p_ = static_cast<T *>(ruvv_mem_alloc(sizeof(T) * (n ? n : 1)));
        n_ = p_ ? n : 0;
        if (!p_)
            no_heap(line);
        return p_ != nullptr;
    }
    T *get() const { return p_; }
    size_t size() const { return n_; }
    T &operator[](size_t i) const { return p_[i]; }

private:
    T *p_ = nullptr;
    size_t n_ = 0;
};

/* Converts text into a terminated wide string; false (reported) when the
   buffer cannot be had. */
bool to_wide(const char *s, MemBuf<RUV_WCHAR> &out, size_t *length);

} // namespace str
} // namespace ruv

#endif
