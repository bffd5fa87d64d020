/* Colours of the toolkit: the RUV_COLOR value and its standard colours, the
   colour distance and nearest-colour searches, colour names, the
   colour-component sets that windows and controls carry, and the shared
   colour tables that answer "which entry of this list is nearest" quickly
   (image transfer maps pixels onto a destination's colours with them). */
#ifndef RUVV_COLOR_H
#define RUVV_COLOR_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

/* RUV_COLOR: bits 0-23 0xRRGGBB, bits 24-27 a standard-colour tag, bit 28
   an entry that takes no part in colour matching (an unset slot). */
#ifndef RUV_COLOR_UNSET
#define RUV_COLOR_UNSET 0x10000000u
#endif
#define RUV_COLOR_RGB_MASK 0x00FFFFFFu

#define RUV_COLOR_RED        0x01FF0000u
#define RUV_COLOR_GREEN      0x0200FF00u
#define RUV_COLOR_BLUE       0x030000FFu
#define RUV_COLOR_CYAN       0x0400FFFFu
#define RUV_COLOR_MAGENTA    0x05FF00FFu
#define RUV_COLOR_YELLOW     0x06FFFF00u
#define RUV_COLOR_BLACK      0x07000000u
#define RUV_COLOR_DARK_GREY  0x08404040u
#define RUV_COLOR_GREY       0x09808080u
#define RUV_COLOR_LIGHT_GREY 0x0AC0C0C0u
#define RUV_COLOR_WHITE      0x0BFFFFFFu

#define RUV_COLOR_R(c) ((int32_t)(((c) >> 16) & 0xFF))
#define RUV_COLOR_G(c) ((int32_t)(((c) >> 8) & 0xFF))
#define RUV_COLOR_B(c) ((int32_t)((c) & 0xFF))

/* Largest of the three absolute component differences (0-255). */
int32_t ruvv_color_distance(RUV_COLOR a, RUV_COLOR b);

/* Nearest entry of a list, skipping entries with bit 28; index 0 when no
   entry is a candidate.  Form A takes an entry whose three differences are
   each at most the best distance so far (ties go to the later entry); form
   B takes an entry whose distance is below the best so far (ties go to the
   earlier entry). */
int32_t ruvv_color_nearest_a(const RUV_COLOR *colors, int32_t count, RUV_COLOR color);
int32_t ruvv_color_nearest_b(const RUV_COLOR *colors, int32_t count, RUV_COLOR color);

/* ---- Colour names ------------------------------------------------------ */

/* Components of a colour name (blanks ignored, any case; "grayN"/"greyN"
   grey levels with N in percent, above 100 clamped to white).  16-bit
   components 0-255.  An empty name gives white with warning 0x01530005; an
   unknown name writes "Named color '%s' not found." to the debug output
   and gives FALSE. */
RUV_BOOL ruvv_color_lookup_name(const char *name, uint16_t *red, uint16_t *green, uint16_t *blue);
/* The table itself (447 names in ascending byte order), for tests and the
   image readers: entry i's name and colour; NULL beyond the end. */
int32_t ruvv_color_name_count(void);
const char *ruvv_color_name_entry(int32_t index, RUV_COLOR *color);

/* ---- Colour-component sets -------------------------------------------- */

/* One component: a single-bit component type (0 ends a list) and colour. */
typedef struct RUV_COLOR_COMPONENT {
    int32_t type;
    RUV_COLOR color;
} RUV_COLOR_COMPONENT;

typedef struct RUV_COLOR_SET {
    RUV_COLOR_COMPONENT *items; /* heap array, ended by a type-0 entry */
    uint32_t present;           /* OR of the types present */
    uint32_t allowed;           /* types this set accepts */
    int16_t count;
    int16_t capacity;
} RUV_COLOR_SET;

/* Adds, changes or (remove non-zero) removes the components of a type-0
   terminated list; types outside the allowed mask are skipped.  Returns the
   mask of the types that changed.  A NULL list empties the set and returns
   the old present mask; so does a failed growth. */
uint32_t ruvv_color_modify_set(RUV_COLOR_SET *set, const RUV_COLOR_COMPONENT *components, RUV_BOOL remove);

/* ---- Shared colour tables --------------------------------------------- */

/* A handle to a shared, reference-counted table made from a list of at most
   256 colours.  Each handle is released once. */
typedef struct RUV_COLOR_TABLE_REF RUV_COLOR_TABLE_REF;

/* The table for a list: shared with the previous one when that was made
   from an identical list; NULL when memory runs out.  More than 256
   colours is fatal 0x01250005. */
RUV_COLOR_TABLE_REF *ruvv_color_table_for_list(const RUV_COLOR *colors, int32_t count);
void ruvv_color_table_release(RUV_COLOR_TABLE_REF *ref);
/* The list index to use for a colour (approximate: the entry nearest to the
   colour's 16-level cell unless entries lie inside that cell). */
int32_t ruvv_color_table_nearest(RUV_COLOR color, RUV_COLOR_TABLE_REF *ref);
/* Source index -> destination index for every source entry (256 bytes,
   owned by the module, valid until the next call); identity for identical
   lists.  NULL when memory runs out or a list holds more than 256. */
const uint8_t *ruvv_color_index_map(const RUV_COLOR *src, int32_t nsrc, const RUV_COLOR *dst, int32_t ndst);

#ifdef __cplusplus
}
#endif

#endif
