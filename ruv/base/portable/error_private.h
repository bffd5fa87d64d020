/* What the modules of the error framework share: the built-in message
   table, the "ERRCODES.TXT" lookup and its line parser. */
#ifndef RUV_ERROR_PRIVATE_H
#define RUV_ERROR_PRIVATE_H

#include "ruvv_errmsg.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct RUV_ERRTEXT {
    RUV_ERRMSG_ID id;
    const char *text;
} RUV_ERRTEXT;

/* The built-in table, searched in order. */
const RUV_ERRTEXT *ruvv_errtable_entries(int32_t *count);
/* The built-in text of an id, NULL when the table has none. */
const char *ruvv_errtable_find(RUV_ERRMSG_ID id);

/* Text of an id from "ERRCODES.TXT" in the start-up directory (through the
   cache) into buf; FALSE when the file gives none. */
RUV_BOOL ruvv_errcodes_lookup(RUV_ERRMSG_ID id, char *buf, int32_t len);

/* Longest line of "ERRCODES.TXT" that is looked at, and the longest text
   taken from it. */
#define RUV_ERRCODES_LINE_MAX 255
#define RUV_ERRCODES_TEXT_MAX 63

/* One line of "ERRCODES.TXT" (without its line end): when its leading
   number equals id, its quoted text (escapes resolved, cut to len - 1
   bytes) goes into buf and the result is TRUE. */
RUV_BOOL ruvv_errcodes_parse_line(const char *line, RUV_ERRMSG_ID id, char *buf, int32_t len);

/* Reads lines through `next_line` (which fills a buffer of `size` bytes
   with the next line and answers FALSE at the end; a line longer than
   RUV_ERRCODES_LINE_MAX is cut there and the rest of it skipped) and
   answers the text of the first line for id. */
typedef RUV_BOOL (*RUV_ERRCODES_READER)(void *source, char *line, int32_t size);
RUV_BOOL ruvv_errcodes_scan(RUV_ERRCODES_READER next_line, void *source, RUV_ERRMSG_ID id,
                            char *buf, int32_t len);

/* Number of severity-2 reports counted so far. */
int16_t ruvv_errmsg_error_count(void);

#ifdef __cplusplus
}
#endif

#endif
