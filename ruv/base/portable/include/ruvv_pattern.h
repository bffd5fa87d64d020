/* Input-mask patterns: what a user may type into a field and how it shows.
   A pattern text is compiled once into a tree that formats typed text and
   tests whole texts.

   Syntax: "\c" literal c; "?" any character; "#" a digit; "X" a letter;
   "A" a letter shown upper-case; "a" a letter shown lower-case; "[...]"
   optional part; x"*" zero or more x; x"+" one or more x; "(...)" one of
   the enclosed elements; "{w1,w2,...}" one of the words, completed from a
   prefix; "<...>" a group; any other character stands for itself. */
#ifndef RUVV_PATTERN_H
#define RUVV_PATTERN_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct RUV_PATTERN RUV_PATTERN;

/* NULL for a syntax error (no message) or a failure (reported). */
RUV_PATTERN *ruvv_pattern_create(const char *text);
void ruvv_pattern_destroy(RUV_PATTERN *pattern);
/* Formats input into output, a buffer of room bytes (at most room - 1 bytes
   of text, always terminated); complete selects word completion.  *written gets the characters
   written, *most the greatest such count met.  Returns the input position
   where formatting stopped. */
const char *ruvv_pattern_format_string(const RUV_PATTERN *pattern, const char *input, char *output,
                                       int32_t room, int complete, int32_t *written, int32_t *most);
/* TRUE when the whole text fits the pattern as it stands; *end gets the
   position in text up to which it was formatted. */
RUV_BOOL ruvv_pattern_match(const RUV_PATTERN *pattern, const char *text, const char **end);

#ifdef __cplusplus
}
#endif

#endif
