/* Logical fonts of the toolkit: the device-independent RUV_FONT (family,
   style bits, point size, optional native descriptor naming one concrete
   system font), its one-line text form, the mapping of a font for the
   window it draws on, the per-process font cache of mapped slot fonts that
   the kernel consults when it selects a font, and the family, style and
   size lists offered to the user. */
#ifndef RUVV_FONT_H
#define RUVV_FONT_H

#include "ruv_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define RUV_FONT_TAG 0x6A6AFA5Au
#define RUV_FONT_TAG_DEAD 0x959505A5u

/* Style bits. */
#define RUV_FONT_BOLD 0x1u
#define RUV_FONT_ITALIC 0x2u
#define RUV_FONT_UNDERLINE 0x10u
#define RUV_FONT_STRIKEOUT 0x200u
#define RUV_FONT_ANY_STYLE 0x2000000u /* font-map entry serves every style */

typedef struct RUV_FONT {
    void *native;          /* kernel-owned part, freed with the font */
    uint32_t tag;          /* RUV_FONT_TAG while valid */
    RUV_WIN win;           /* window the font is mapped for, or none */
    int32_t size;          /* points; 12 at creation */
    void *app_data;        /* part of the font's identity */
    uint32_t style;
    int16_t family;        /* interned name; "system" at creation */
    int16_t native_desc;   /* interned descriptor; 0 = none */
    uint8_t print;         /* mapped for a print window */
    uint8_t mapped;        /* descriptor mapped and usable for the window */
    uint8_t parsed;        /* descriptor known to parse */
    uint8_t derived;       /* descriptor chosen by the mapper */
} RUV_FONT;

/* Mapping hook (toolkit attribute 800): may set a descriptor; non-zero when
   it did something. */
typedef RUV_BOOL (*RUV_FONT_MAP_HOOK)(RUV_FONT *font);

/* ---- Record ------------------------------------------------------------ */
RUV_FONT *ruvv_font_create(void);           /* NULL when memory runs out */
void ruvv_font_destroy(RUV_FONT *font);     /* NULL and wrong tags ignored */
RUV_BOOL ruvv_font_is_valid(const RUV_FONT *font);

const char *ruvv_font_get_family(const RUV_FONT *font); /* NULL when unset */
int32_t ruvv_font_get_size(const RUV_FONT *font);
uint32_t ruvv_font_get_style(const RUV_FONT *font);
RUV_WIN ruvv_font_get_win(const RUV_FONT *font);
void *ruvv_font_get_app_data(const RUV_FONT *font);
RUV_BOOL ruvv_font_is_mapped(const RUV_FONT *font);
RUV_BOOL ruvv_font_is_derived(const RUV_FONT *font);
/* NULL when none; copy 0: the interned text, else a heap copy to free with
   ruvv_mem_free. */
char *ruvv_font_get_native_desc(const RUV_FONT *font, RUV_BOOL copy);

/* Setters: an equal value changes nothing; otherwise the font is unmapped
   and its descriptor (derived or given) dropped before the value is set. */
void ruvv_font_set_family(RUV_FONT *font, const char *name);
void ruvv_font_set_size(RUV_FONT *font, int32_t size);
void ruvv_font_set_style(RUV_FONT *font, uint32_t style);
void ruvv_font_set_app_data(RUV_FONT *font, void *data);
/* A given descriptor (derived flag clear); NULL or "" removes it. */
void ruvv_font_set_native_desc(RUV_FONT *font, const char *text);
void ruvv_font_set_win(RUV_FONT *font, RUV_WIN win);
void ruvv_font_unmap(RUV_FONT *font);
RUV_BOOL ruvv_font_has_valid_native_desc(RUV_FONT *font);

/* Copies the parts named by `what` (1 family, 2 size, 4 style, 8 native
   descriptor, 0x10 app data, 0x20 window; -1 everything and the whole
   native part). */
int32_t ruvv_font_copy(RUV_FONT *dst, const RUV_FONT *src, int32_t what);
/* Equal fonts: same size, style, family, app data and descriptor id. */
RUV_BOOL ruvv_font_is_equal(const RUV_FONT *a, const RUV_FONT *b);
RUV_BOOL ruvv_font_same_desc(const RUV_FONT *a, const RUV_FONT *b);

/* ---- Mapping ------------------------------------------------------------ */
RUV_BOOL ruvv_font_map(RUV_FONT *font, RUV_WIN win);
RUV_BOOL ruvv_font_map_using_default(RUV_FONT *font);
void ruvv_font_select(RUV_FONT *font);

/* ---- Text form "01\family\style\size\descriptor" ------------------------ */
/* NULL buffer: the bytes needed; too small: "" and 0x01260004, result 0;
   else the bytes written including the terminator. */
int32_t ruvv_font_serialize(const RUV_FONT *font, char *buffer, int32_t size);
/* 1, or 0 with 0x00240000 and the font unchanged for fewer than four
   backslashes. */
int32_t ruvv_font_deserialize(RUV_FONT *font, const char *text);

/* ---- Family, style and size lists --------------------------------------- */
/* Each fills heap copies (names) or values up to max and returns the count;
   device is a print record, or NULL for the display. */
int32_t ruvv_fmap_get_families(void *device, char **names, int32_t max);
int32_t ruvv_fmap_get_family_styles(void *device, const char *family, uint32_t *styles, int32_t max);
int32_t ruvv_fmap_get_familysize_styles(void *device, const char *family, int32_t size, uint32_t *styles,
                                        int32_t max);
int32_t ruvv_fmap_get_family_sizes(void *device, const char *family, int32_t *sizes, RUV_BOOL *scalable,
                                   int32_t max);
int32_t ruvv_fmap_get_familystyle_sizes(void *device, const char *family, uint32_t style, int32_t *sizes,
                                        RUV_BOOL *scalable, int32_t max);

/* ---- Font cache (kernel side) ------------------------------------------- */
/* Capacity: toolkit attribute 802, at least 4. */
RUV_BOOL ruvv_font_cache_init(void);
void ruvv_font_cache_term(void);
/* The slot holding the font's descriptor becomes current (use count + 1);
   FALSE when none does. */
RUV_BOOL ruvv_font_cache_has(const RUV_FONT *font);
/* Copies the font into a free (or unused) slot, which becomes current. */
RUV_BOOL ruvv_font_cache_push(const RUV_FONT *font);
void ruvv_font_cache_release(RUV_FONT *slot_font);
RUV_FONT *ruvv_font_cache_current(void);
void ruvv_font_cache_flush(void);
void ruvv_font_cache_purge(void);
/* Slots in use and the use count of slot i (tests and the kernel). */
int32_t ruvv_font_cache_used(void);
int32_t ruvv_font_cache_use_count(int32_t slot);
RUV_FONT *ruvv_font_cache_slot(int32_t slot);

/* The font-map table (fonts of the compiled resources that carry a native
   descriptor), loaded once per process; NULL-terminated, may be NULL. */
RUV_FONT **ruvv_fmap_get_table(void);

#ifdef __cplusplus
}
#endif

#endif
