// Placeholders for the kernel operations that the services module has not
// built yet; each goes when its real definition lands.

#include <stdarg.h>
#include "ruvk.h"
#include "draw_state.h"
#include "font_native.h"
#include "window_services.h"

extern "C" {

char * ruvk_vobj_get_title(RUV_WIN win, char *buf, int32_t size)
{
    return 0;
}

int32_t ruvk_image_get_row_alignment(void)
{
    return 0;
}

RUV_BOOL ruvk_palet_create(struct RUV_PALETTE *palette)
{
    return 0;
}

void ruvk_palet_destroy(struct RUV_PALETTE *palette)
{
}

void ruvk_palet_add_colors(struct RUV_PALETTE *palette, int32_t index, int32_t count)
{
}

void ruvk_palet_map_win(struct RUV_PALETTE *palette, RUV_WIN win)
{
}

struct RUV_PALETTE * ruvk_dwin_get_palet(RUV_WIN win)
{
    return 0;
}

void * ruvk_font_alloc_native(void)
{
    return 0;
}

void ruvk_font_free_native(void *native)
{
}

void ruvk_font_copy_native(struct RUV_FONT *to, const struct RUV_FONT *from, int32_t flags)
{
}

void ruvk_font_invalidate(struct RUV_FONT *font, const char *new_desc)
{
}

void ruvk_font_refresh_win(struct RUV_FONT *font)
{
}

RUV_BOOL ruvk_font_needs_remap(const struct RUV_FONT *font, RUV_WIN win)
{
    return 0;
}

RUV_BOOL ruvk_font_check_native_desc(struct RUV_FONT *font)
{
    return 0;
}

const char * ruvk_font_translate_desc(struct RUV_FONT *font, const char *desc)
{
    return 0;
}

RUV_BOOL ruvk_font_map_using_default(struct RUV_FONT *font)
{
    return 0;
}

const char * ruvk_font_get_plat_name(void)
{
    return 0;
}

int32_t ruvk_fmap_get_families(void *device, char **names, int32_t max)
{
    return 0;
}

int32_t ruvk_fmap_get_family_styles(void *device, const char *family, uint32_t *styles, int32_t max)
{
    return 0;
}

int32_t ruvk_fmap_get_familysize_styles(void *device, const char *family, int32_t size, uint32_t *styles, int32_t max)
{
    return 0;
}

int32_t ruvk_fmap_get_family_sizes(void *device, const char *family, int32_t *sizes, RUV_BOOL *scalable, int32_t max)
{
    return 0;
}

int32_t ruvk_fmap_get_familystyle_sizes(void *device, const char *family, uint32_t style, int32_t *sizes, RUV_BOOL *scalable, int32_t max)
{
    return 0;
}

RUV_DRAW_STATE *ruvk_draw_state_create(RUV_WIN obj) { return 0; }
void ruvk_draw_state_destroy(RUV_WIN obj) {}
RUV_DRAW_STATE *ruvk_draw_begin(RUV_WIN obj) { return 0; }
void ruvk_draw_end(RUV_DRAW_STATE *state) {}
HDC ruvk_draw_get_hdc(RUV_DRAW_STATE *state) { return 0; }
void ruvk_draw_release_dc(RUV_DRAW_STATE *state) {}
void ruvk_draw_release_cached(void) {}
RUV_WIN ruvk_draw_cached_window(void) { return 0; }
void ruvk_draw_begin_palette(RUV_WIN obj) {}
RUV_DRAW_STATE *ruvk_draw_paint_begin(RUV_WIN obj) { return 0; }
void ruvk_draw_paint_end(RUV_WIN obj) {}
void ruvk_draw_select_pen(RUV_DRAW_STATE *state) {}
void ruvk_draw_select_brush(RUV_DRAW_STATE *state) {}
void ruvk_draw_select_font(RUV_DRAW_STATE *state) {}
void ruvk_draw_deselect_all(RUV_DRAW_STATE *state) {}
POINT *ruvk_draw_points(const RUV_POINT *points, int32_t count) { return 0; }
int32_t ruvk_draw_get_logpixelsy(RUV_DRAW_STATE *state) { return 0; }
COLORREF ruvk_draw_colorref(const RUV_DRAW_STATE *state, RUV_COLOR color) { return 0; }
int32_t ruvk_draw_paint_depth(void) { return 0; }
void ruvk_dwin_get_draw_ctools(RUV_WIN win, RUV_DRAW_CTOOLS *out) {}
RUV_DRAW_CTOOLS *ruvk_dwin_set_draw_ctools(RUV_WIN win, const RUV_DRAW_CTOOLS *tools) { return 0; }
void ruvk_dwin_set_cpen(RUV_WIN win, const RUV_CPEN *pen) {}
void ruvk_dwin_set_cbrush(RUV_WIN win, const RUV_CBRUSH *brush) {}
void ruvk_dwin_set_draw_mode(RUV_WIN win, int32_t mode) {}
void ruvk_dwin_set_fore_color(RUV_WIN win, RUV_COLOR color) {}
void ruvk_dwin_set_back_color(RUV_WIN win, RUV_COLOR color) {}
void ruvk_dwin_set_font(RUV_WIN win, const struct RUV_FONT *font) {}
struct RUV_FONT *ruvk_dwin_get_font(RUV_WIN win, RUV_BOOL copy) { return 0; }
void ruvk_dwin_get_clip(RUV_WIN win, RUV_RECT *out) {}
void ruvk_dwin_set_clip(RUV_WIN win, const RUV_RECT *rect) {}
RUV_BOOL ruvk_dwin_is_update_needed(RUV_WIN win, const RUV_RECT *rect) { return 0; }

HWND ruvk_vobj_hwnd(RUV_WIN win) { return 0; }
void ruvk_focus_remember(RUV_WIN win) {}
void ruvk_focus_forget(RUV_WIN win) {}
void ruvk_focus_to_remembered(RUV_WIN win) {}
RUV_BOOL ruvk_focus_is_within(RUV_WIN win) { return 0; }
void ruvk_focus_before_control_click(RUV_WIN ctl) {}
void ruvk_win_apply_ctl_font(RUV_WIN win) {}
char *ruvk_title_to_native(const char *text, char *out, size_t size) { return out; }
char *ruvk_title_to_toolkit(const char *text, char *out, size_t size) { return out; }
int32_t ruvk_title_toolkit_length(const char *native) { return 0; }
void ruvk_vobj_get_client_rect(RUV_WIN win, RUV_RECT *rect) {}
void ruvk_vobj_get_outer_rect(RUV_WIN win, RUV_RECT *rect) {}
uint32_t ruvk_vobj_get_flags(RUV_WIN win) { return 0; }
RUV_BOOL ruvk_vobj_is_focusable(RUV_WIN win) { return 0; }
RUV_BOOL ruvk_vobj_is_list(RUV_WIN win) { return 0; }
void ruvk_vobj_raise(RUV_WIN win) {}
int32_t ruvk_vobj_translate_points(RUV_WIN from, RUV_WIN to, RUV_POINT *points, int32_t count) { return 0; }
void ruvk_vobj_move(RUV_WIN win, const RUV_RECT *rect) {}
void ruvk_vobj_set_visible(RUV_WIN win, RUV_BOOL visible) {}
void ruvk_vobj_set_enabled(RUV_WIN win, RUV_BOOL enabled) {}
void ruvk_vobj_set_title(RUV_WIN win, const char *text) {}
void ruvk_win_set_doc_title(RUV_WIN win, const char *text) {}
RUV_WIN ruvk_scr_get_focus_vobj(void) { return 0; }
intptr_t ruvk_scr_set_focus_vobj(RUV_WIN win) { return 0; }
void ruvk_win_set_ctl_font(RUV_WIN win, struct RUV_FONT *font) {}
void ruvk_win_set_cursor(RUV_WIN win, int32_t cursor_id) {}
void ruvk_win_set_caret_size(RUV_WIN win, int16_t width, int16_t height) {}
void ruvk_win_set_caret_pos(RUV_WIN win, const RUV_POINT *point) {}
void ruvk_win_set_caret_visible(RUV_WIN win, RUV_BOOL visible) {}
int32_t ruvk_win_dispatch_event(RUV_WIN win, struct RUV_EVENT *event) { return 0; }
void ruvk_app_allow_quit(void) {}

RUV_BOOL ruvk_font_desc_parse(const char *text, RUVK_FONT_DESC *out) { return 0; }
char *ruvk_font_desc_format(const LOGFONTA *logfont, char *out) { return out; }
const char *ruvk_font_face_of_family(const char *family) { return family; }
void ruvk_font_map_native(struct RUV_FONT *font, const RUVK_FONT_DESC *desc, int32_t resolution) {}
HFONT ruvk_font_get_hfont(struct RUV_DRAW_STATE *state, struct RUV_FONT *font) { return 0; }
RUV_BOOL ruvk_font_is_mapped(const struct RUV_FONT *font) { return 0; }

}
