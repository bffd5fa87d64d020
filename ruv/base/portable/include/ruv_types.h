/* Basic types of the ruv toolkit shared by every layer: booleans, handles,
   rectangles, points, colours and file names.  The records behind the
   handles are private to the base library. */
#ifndef RUV_TYPES_H
#define RUV_TYPES_H

#include <stdint.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Toolkit booleans and many results are 16 bits wide; callers test the low
   16 bits. */
typedef int16_t RUV_BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

/* A window handle is the address of the view-object record behind it. */
struct RUV_VOBJ;
typedef struct RUV_VOBJ *RUV_WIN;
#define NULL_WIN ((RUV_WIN)0)

/* Toolkit coordinates: int16, v vertical and h horizontal. */
typedef struct RUV_RECT {
    int16_t top;
    int16_t left;
    int16_t bottom;
    int16_t right;
} RUV_RECT;

typedef struct RUV_POINT {
    int16_t v;
    int16_t h;
} RUV_POINT;

/* A wide character: one 16-bit code of the system's wide character set. */
typedef uint16_t RUV_WCHAR;

/* 24-bit RGB with a standard-colour tag in the top byte. */
typedef uint32_t RUV_COLOR;

/* Colour drawing tools: pen, brush, draw mode and text colours; copied
   whole in and out of a drawable's drawing state. */
typedef struct RUV_CPEN {
    int16_t width;      /* pixels; 0 is drawn as 1 */
    int32_t pattern;    /* 1 no outline, 2 solid, ... */
    int32_t style;      /* 0 solid, 1 dotted, 2 dashed */
    RUV_COLOR color;
} RUV_CPEN;

typedef struct RUV_CBRUSH {
    int32_t pattern;
    RUV_COLOR color;
} RUV_CBRUSH;

typedef struct RUV_DRAW_CTOOLS {
    RUV_CPEN pen;
    RUV_CBRUSH brush;
    int32_t draw_mode;  /* 0-7 */
    RUV_COLOR fore;
    RUV_COLOR back;
    int32_t opaque;     /* text drawn on a box of the background colour */
} RUV_DRAW_CTOOLS;

/* Directory record: the directory's full path text. */
#define RUV_FILE_DIR_SIZE 261
typedef struct RUV_FILE_DIR {
    char path[RUV_FILE_DIR_SIZE];
} RUV_FILE_DIR;

/* File specification: directory plus leaf name. */
typedef struct RUV_FILE_SPEC {
    RUV_FILE_DIR dir;
    char type[256];
    char name[257];
    char tag[5];
} RUV_FILE_SPEC;

#ifdef __cplusplus
}
#endif

#endif
