/* Strings of the toolkit: comparison, collation, copying, searching, case,
   character classes, number parsing, line splitting, wildcard matching,
   mnemonic markers, resource strings, code-set translation maps and the
   formatter with positional arguments.

   Text is in the system's multi-byte code page.  One per-process switch, the
   multi-byte flag (toolkit attribute 713, read when the string module is
   first used), chooses between the plain single-byte runtime operations
   (flag clear) and character-wise operations through the kernel's string
   primitives that never split a double-byte character (flag set). */
#ifndef RUVV_STR_H
#define RUVV_STR_H

#include <stdarg.h>
#include <stddef.h>
#include "ruv_types.h"
#include "ruvv_iostr.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Compare and collate: results < 0, 0, > 0. */
int ruvv_str_collate(const char *a, const char *b);
int ruvv_str_collate_ignoring_case(const char *a, const char *b);
int ruvv_str_compare_n_char(const char *a, const char *b, int32_t n);
int ruvv_str_compare_ignoring_case(const char *a, const char *b);
int ruvv_str_compare_n_size_ignoring_case(const char *a, const char *b, int32_t nbytes);
/* 0 when the first character of s is wc, 1 when wc is smaller, -1 when it
   is larger. */
int ruvv_str_compare_wchar(const char *s, RUV_WCHAR wc);
RUV_BOOL ruvv_str_is_equal(const char *a, const char *b);

/* Copy, concatenate, duplicate, count. */
char *ruvv_str_copy(char *dst, const char *src);
char *ruvv_str_concat(char *dst, const char *src);
/* Copies n whole characters; returns the bytes written (see the module). */
int32_t ruvv_str_copy_n_char(char *dst, const char *src, int32_t n);
/* Copies whole characters that fit in nbytes; returns the bytes copied. */
int32_t ruvv_str_copy_n_size(char *dst, const char *src, int32_t nbytes);
char *ruvv_str_concat_n_char(char *dst, const char *src, int32_t n);
/* Heap copy (ruvv_mem_alloc; free with ruvv_mem_free); NULL for NULL. */
char *ruvv_str_duplicate(const char *s);
int32_t ruvv_str_get_byte_count(const char *s);
int32_t ruvv_str_get_char_count(const char *s);
int32_t ruvv_str_get_n_char_count(const char *s, int32_t nbytes, int32_t *used);
int32_t ruvv_str_get_n_char_size(const char *s, int32_t nchars);
int32_t ruvv_str_convert_mbs_to_wcs(RUV_WCHAR *wide_out, const char *s, int32_t count);
int32_t ruvv_str_convert_wcs_to_mbs(char *out, const RUV_WCHAR *wide, int32_t nbytes);
RUV_WCHAR ruvv_str_convert_wchar_to_lower(RUV_WCHAR wc);
RUV_WCHAR ruvv_str_convert_wchar_to_upper(RUV_WCHAR wc);

/* Character classes of the character at c (a double-byte character never
   qualifies). */
RUV_BOOL ruvv_str_is_alnum(const char *c);
RUV_BOOL ruvv_str_is_alpha(const char *c);
RUV_BOOL ruvv_str_is_lower(const char *c);
RUV_BOOL ruvv_str_is_upper(const char *c);
RUV_BOOL ruvv_str_is_cntrl(const char *c);
RUV_BOOL ruvv_str_is_digit(const char *c);
RUV_BOOL ruvv_str_is_graph(const char *c);
RUV_BOOL ruvv_str_is_print(const char *c);
RUV_BOOL ruvv_str_is_punct(const char *c);
RUV_BOOL ruvv_str_is_space(const char *c);
RUV_BOOL ruvv_str_is_xdigit(const char *c);
/* Printable and alphanumeric or one of  !"&'()*+,-./:;<=>?_  */
RUV_BOOL ruvv_str_is_invariant(const char *c);

/* Find. */
char *ruvv_str_find_substring(const char *s, const char *sub);
char *ruvv_str_find_first_char(const char *s, const char *c);
char *ruvv_str_find_first_wchar(const char *s, RUV_WCHAR wc);
char *ruvv_str_find_last_char(const char *s, const char *c);
char *ruvv_str_find_last_wchar(const char *s, RUV_WCHAR wc);
char *ruvv_str_find_char_set(const char *s, const char *set);
char *ruvv_str_find_not_char_set(const char *s, const char *set);
char *ruvv_str_find_token(const char *s, const char *delimiters, int32_t *length);
char *ruvv_str_skip_space(const char *s);

/* Line splitting: a call with text starts a scan of nbytes bytes, later
   calls with NULL continue it.  Returns the next line (NULL at the end) with
   its length without the line end; kind 0 = ended by the scan's line-end
   convention (fixed by the first CR or LF met), 1 = ended by another line
   end, 2 = ended by the end of the text. */
#define RUV_EOL_KIND_CONVENTION 0
#define RUV_EOL_KIND_OTHER 1
#define RUV_EOL_KIND_END 2
char *ruvv_str_find_eol(const char *text, int32_t nbytes, int32_t *line_length, int32_t *kind);

/* Wildcard match of the whole string: "*" any run, "?" one character, "\"
   makes the next pattern character literal. */
RUV_BOOL ruvv_str_match(const char *s, const char *pattern, int case_sensitive);

/* Numbers. */
double ruvv_str_parse_double(const char *s, char **end);
uint32_t ruvv_str_parse_ulong(const char *s, char **end, int base);
int32_t ruvv_str_parse_long(const char *s, char **end, int base);

/* Mnemonic markers "~". */
char *ruvv_str_set_mnemonic(const char *src, int32_t pos, char *dst, int32_t dst_size);
/* Removes the first "~" into dst; *pos gets its byte position, -1 when
   there is none. */
char *ruvv_str_get_mnemonic(const char *src, int32_t *pos, char *dst, int32_t dst_size);
/* String resource id into dst (default when missing); a NULL dst uses the
   module's 100-character buffer, overwritten by the next such call. */
char *ruvv_str_getstr(int32_t id, char *dst, int32_t size, const char *def);

/* Code-set translation maps, read from code-set table streams (version 1,
   code width 1 or 2, big-endian entry count, then the native-to-wide and the
   wide-to-native tables).  Either stream may be NULL (the wide set). */
#define RUV_CODESET_MAP_TAG 97171
typedef struct RUV_CODESET_ENTRY {
    uint16_t code;
    uint16_t value;
    int16_t valid;
} RUV_CODESET_ENTRY;
typedef struct RUV_CODESET_MAP {
    int32_t tag;
    int16_t source_width;
    int16_t target_width;
    uint16_t count;
    RUV_CODESET_ENTRY entries[1]; /* count entries, ascending by code */
} RUV_CODESET_MAP;

RUV_CODESET_MAP *ruvv_str_create_codeset_map(RUV_IOSTR *source, RUV_IOSTR *target);
/* Translates in (ended by a 0 code of the source width) into out, writing
   at most out_size bytes including the terminator; returns the characters
   written, -1 for a bad map. */
int32_t ruvv_str_translate_codeset(const RUV_CODESET_MAP *map, const char *in, char *out, int32_t out_size);
void ruvv_str_destroy_codeset_map(RUV_CODESET_MAP *map);

/* Formatted printing like sprintf, where a conversion may name its argument
   by position ("%2$s").  The caller sizes the buffer.  Returns the
   characters written, 0 after an error in a positional format. */
int32_t ruvv_str_sprintf(char *buffer, const char *format, ...);
int32_t ruvv_str_vsprintf(char *buffer, const char *format, va_list args);
/* The same text cut to size - 1 characters (terminated): for a buffer that
   cannot be sized for the longest argument, such as the text of a box. */
int32_t ruvv_str_vsnprintf(char *buffer, size_t size, const char *format, va_list args);

#ifdef __cplusplus
}
#endif

#endif
