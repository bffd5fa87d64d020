/* The Windows side of a logical font: the native part each RUV_FONT
   carries (LOGFONT, mapping flags, the resolution the mapping used), the
   native descriptor text "NT_01/height/.../face" that pins a font to one
   LOGFONT (parsed with wildcards and symbolic names, and written back), the
   face names of the logical families, and the native font handed to a
   device context through the font cache. */
#ifndef RUV_FONT_NATIVE_H
#define RUV_FONT_NATIVE_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_FONT;
struct RUV_DRAW_STATE;

#define RUVK_FONT_PLATFORM "NT_01"
#define RUVK_FONT_DESC_SIZE 512
#define RUVK_FONT_FIELDS 15

/* Native part of a font, zero-filled at the font's creation. */
typedef struct RUVK_FONT_NATIVE {
    LOGFONTA logfont;
    HFONT hfont;          /* handed to the font cache right after creation */
    int16_t exact;        /* descriptor without wildcard */
    int16_t mapped;
    int32_t resolution;   /* LOGPIXELSY the height came from; 0 otherwise */
} RUVK_FONT_NATIVE;

/* A parsed descriptor: the LOGFONT and one wildcard flag per field after
   the platform tag (height .. face name). */
typedef struct RUVK_FONT_DESC {
    LOGFONTA logfont;
    int16_t wild[RUVK_FONT_FIELDS - 1];
} RUVK_FONT_DESC;

/* TRUE when text is a well-formed descriptor; out (may be NULL) gets the
   parse result. */
RUV_BOOL ruvk_font_desc_parse(const char *text, RUVK_FONT_DESC *out);
/* Writes the descriptor of a LOGFONT into out (RUVK_FONT_DESC_SIZE bytes). */
char *ruvk_font_desc_format(const LOGFONTA *logfont, char *out);
/* The Windows face name of a logical family ("helvetica" -> "Arial"); any
   other family is its own face name. */
const char *ruvk_font_face_of_family(const char *family);
/* Maps the font from a parse result (NULL: everything a wildcard) at
   resolution R; stores the resulting descriptor in the font. */
void ruvk_font_map_native(struct RUV_FONT *font, const RUVK_FONT_DESC *desc, int32_t resolution);
/* The native font for drawing the font with the state (through the font
   cache); NULL on failure. */
HFONT ruvk_font_get_hfont(struct RUV_DRAW_STATE *state, struct RUV_FONT *font);

/* ---- Exported ------------------------------------------------------------ */
RUV_BOOL ruvk_font_is_mapped(const struct RUV_FONT *font);

#ifdef __cplusplus
}
#endif

#endif
