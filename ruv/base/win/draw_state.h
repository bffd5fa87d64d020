/* Drawing state of every drawable toolkit object (window, print window,
   pixmap): clip rectangle, pen position, colour tools, font, palette, caret
   record and the device context it draws through.  One window per process
   keeps its device context between drawing calls (the cached window); it is
   let go when another window needs one, around painting, after every pass
   of the message loop and when the window goes. */
#ifndef RUV_DRAW_STATE_H
#define RUV_DRAW_STATE_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "ruv_types.h"
#include "ruvv_vobj.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_FONT;
struct RUV_PALETTE;

/* The no-clip rectangle: 0, 0, 16960, 16960. */
#define RUVK_NO_CLIP 16960

/* Caret of a drawable window (the caret module applies it to the native
   caret). */
typedef struct RUVK_CARET {
    int16_t v, h;            /* position; with height 0 the baseline */
    int16_t height;          /* 0: from the font */
    int16_t width;
    int16_t visible;
    int16_t created;
    int16_t font_descent;    /* read from the font when made visible */
    int16_t font_height;     /* leading + ascent + descent */
} RUVK_CARET;

/* One per held device context, zero-filled when made. */
typedef struct RUVK_DC_RECORD {
    uint32_t kind;
    struct RUV_DRAW_STATE *state;
    HDC hdc;
    HPALETTE palette;          /* selected palette */
    HPALETTE old_palette;      /* the one it replaced */
    HBRUSH brush;
    HBRUSH old_brush;
    HFONT font;
    HFONT old_font;
    struct RUV_FONT *font_slot; /* font-cache slot whose use is held */
    HPEN pen;
    HPEN old_pen;
    /* The raster operation, background mode and background colour last
       set through ruvk_draw_set_rop2 and the like (0, 0 and CLR_INVALID:
       not known), so that a drawing call repeats no setting the DC
       already has. */
    int rop2;
    int bk_mode;
    COLORREF bk_color;
} RUVK_DC_RECORD;

typedef struct RUV_DRAW_STATE {
    RUV_RECT clip;
    int16_t pen_v, pen_h;           /* current position between calls */
    struct RUV_PALETTE *palette;    /* released with the state */
    RUV_DRAW_CTOOLS tools;
    struct RUV_FONT *font;          /* bound to the object */
    uint32_t kind;                  /* the object's kind at creation */
    RUV_WIN obj;
    HDC hdc;                        /* NULL while none is held */
    HDC preset_hdc;                 /* printer context of a print window */
    PAINTSTRUCT *paint;             /* between paint begin and end */
    RUVK_DC_RECORD *dc;             /* exists exactly while a DC is held */
    void *recorder;                 /* picture being recorded */
    int32_t logpixelsy;             /* 0 until first asked */
    RUVK_CARET caret;
} RUV_DRAW_STATE;

/* ---- Kernel-internal ----------------------------------------------------- */
/* Makes and attaches the object's drawing state (default tools, no-clip
   rectangle, a font bound to the object); NULL when memory runs out. */
RUV_DRAW_STATE *ruvk_draw_state_create(RUV_WIN obj);
/* Lets go of the DC (and the cache when it is this object), detaches the
   state, destroys its font, releases its palette and frees it. */
void ruvk_draw_state_destroy(RUV_WIN obj);
/* Obtains the object's DC when it holds none; the state when it holds
   one afterwards, else NULL. */
RUV_DRAW_STATE *ruvk_draw_begin(RUV_WIN obj);
/* Saves the DC's current position into the pen position. */
void ruvk_draw_end(RUV_DRAW_STATE *state);
HDC ruvk_draw_get_hdc(RUV_DRAW_STATE *state);
/* Deselects everything, frees the DC record and gives the DC back. */
void ruvk_draw_release_dc(RUV_DRAW_STATE *state);
/* Gives back the DC of the cached window, if any. */
void ruvk_draw_release_cached(void);
/* The cached window (NULL_WIN when none). */
RUV_WIN ruvk_draw_cached_window(void);
/* Selects and realises the object's palette; for frame-like objects with
   an enabled palette invalidates every window of the same top level. */
void ruvk_draw_begin_palette(RUV_WIN obj);
/* WM_PAINT: BeginPaint, DC record, update rectangle into the application
   record; end reverses it.  Begin gives NULL when there is no state. */
RUV_DRAW_STATE *ruvk_draw_paint_begin(RUV_WIN obj);
void ruvk_draw_paint_end(RUV_WIN obj);
void ruvk_draw_select_pen(RUV_DRAW_STATE *state);
void ruvk_draw_select_brush(RUV_DRAW_STATE *state);
void ruvk_draw_select_font(RUV_DRAW_STATE *state);
/* Deselects the pen, brush and font and forgets the modes set (a printer
   page may reset them). */
void ruvk_draw_deselect_all(RUV_DRAW_STATE *state);
/* SetROP2, SetBkMode and SetBkColor on the held DC, each only when the DC
   does not have that value already (rop2 or mode 0, colour CLR_INVALID:
   left as it is). */
void ruvk_draw_set_rop2(RUV_DRAW_STATE *state, int rop2);
void ruvk_draw_set_bk_mode(RUV_DRAW_STATE *state, int mode);
void ruvk_draw_set_bk_color(RUV_DRAW_STATE *state, COLORREF color);
/* Deselect and delete one GDI object of the held DC (the font gives its
   font-cache use back); the next drawing call makes it again. */
void ruvk_draw_drop_pen(RUV_DRAW_STATE *state);
void ruvk_draw_drop_brush(RUV_DRAW_STATE *state);
void ruvk_draw_drop_font(RUV_DRAW_STATE *state);
/* The points as native POINTs in a per-process buffer that only grows;
   NULL when it cannot grow. */
POINT *ruvk_draw_points(const RUV_POINT *points, int32_t count);
int32_t ruvk_draw_get_logpixelsy(RUV_DRAW_STATE *state);
/* Line raster operation (SetROP2) of a draw mode; R2_COPYPEN outside 0-7. */
int ruvk_draw_rop2(int32_t mode);
/* COLORREF of a toolkit colour for the state's DC (palette-relative form
   while a palette is selected). */
COLORREF ruvk_draw_colorref(const RUV_DRAW_STATE *state, RUV_COLOR color);
/* The native palette of a toolkit palette (NULL when it has none) and
   whether it is flagged disabled. */
HPALETTE ruvk_palet_native(const struct RUV_PALETTE *palette, RUV_BOOL *disabled);
/* Nesting depth of painting (0 outside WM_PAINT). */
int32_t ruvk_draw_paint_depth(void);

/* ---- Exported ------------------------------------------------------------ */
void ruvk_dwin_get_draw_ctools(RUV_WIN win, RUV_DRAW_CTOOLS *out);
RUV_DRAW_CTOOLS *ruvk_dwin_set_draw_ctools(RUV_WIN win, const RUV_DRAW_CTOOLS *tools);
void ruvk_dwin_set_cpen(RUV_WIN win, const RUV_CPEN *pen);
void ruvk_dwin_set_cbrush(RUV_WIN win, const RUV_CBRUSH *brush);
void ruvk_dwin_set_draw_mode(RUV_WIN win, int32_t mode);
void ruvk_dwin_set_fore_color(RUV_WIN win, RUV_COLOR color);
void ruvk_dwin_set_back_color(RUV_WIN win, RUV_COLOR color);
void ruvk_dwin_set_font(RUV_WIN win, const struct RUV_FONT *font);
struct RUV_FONT *ruvk_dwin_get_font(RUV_WIN win, RUV_BOOL copy);
void ruvk_dwin_get_clip(RUV_WIN win, RUV_RECT *out);
void ruvk_dwin_set_clip(RUV_WIN win, const RUV_RECT *rect);
RUV_BOOL ruvk_dwin_is_update_needed(RUV_WIN win, const RUV_RECT *rect);

#ifdef __cplusplus
}
#endif

#endif
