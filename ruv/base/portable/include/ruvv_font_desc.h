/* The native font descriptor of the Windows kernel as plain text work:
   fifteen "/"-separated fields, the platform tag "NT_01" and the members
   of a Windows logical font in their order (height, width, escapement,
   orientation, weight, italic, underline, strikeout, character set,
   output precision, clip precision, quality, pitch and family, face name).
   Any field may be "*" (any value); the weight, character-set, precision,
   quality and pitch-and-family fields also take symbolic names joined by
   "-".  Nothing here needs the window system; the kernel copies the
   fields into its LOGFONT. */
#ifndef RUVV_FONT_DESC_H
#define RUVV_FONT_DESC_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define RUV_FONT_DESC_PLATFORM "NT_01"
#define RUV_FONT_DESC_FIELDS 15
/* The face name's slot: at most 31 bytes and the terminator. */
#define RUV_FONT_DESC_FACE_SIZE 32
/* Room the written form may take. */
#define RUV_FONT_DESC_TEXT_SIZE 512

/* Field positions after the platform tag. */
enum {
    RUV_FD_HEIGHT, RUV_FD_WIDTH, RUV_FD_ESCAPEMENT, RUV_FD_ORIENTATION, RUV_FD_WEIGHT, RUV_FD_ITALIC,
    RUV_FD_UNDERLINE, RUV_FD_STRIKEOUT, RUV_FD_CHARSET, RUV_FD_OUT_PRECISION, RUV_FD_CLIP_PRECISION,
    RUV_FD_QUALITY, RUV_FD_PITCH_FAMILY, RUV_FD_FACE
};

/* The fields of a descriptor; a wildcard field holds 0 (empty face). */
typedef struct RUV_FONT_NATIVE_DESC {
    int32_t height, width, escapement, orientation, weight;
    uint8_t italic, underline, strikeout, charset, out_precision, clip_precision, quality, pitch_family;
    char face[RUV_FONT_DESC_FACE_SIZE];
    int16_t wild[RUV_FONT_DESC_FIELDS - 1];
} RUV_FONT_NATIVE_DESC;

/* 1 when text is a descriptor: the tag exactly "NT_01", exactly fifteen
   fields, every number a decimal (optional leading "-") that fits its
   member, every name known.  out (may be NULL) gets the fields; it is left
   alone when the text does not parse. */
int ruvv_font_desc_parse(const char *text, RUV_FONT_NATIVE_DESC *out);
/* Writes the fields (wildcards as their values) in the descriptor's form
   into out, at most size bytes, terminated; returns out. */
char *ruvv_font_desc_format(const RUV_FONT_NATIVE_DESC *fields, char *out, size_t size);

#ifdef __cplusplus
}
#endif

#endif
