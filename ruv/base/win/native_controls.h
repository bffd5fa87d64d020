/* Native controls: the toolkit's control kinds (types 12-22 and 24) as
   Windows child controls.  The control state each control record carries,
   the kinds' native classes and styles, class recognition, creation from
   arguments or from a definition element, the subclass procedures, the
   colour answer and the coloured-row painter that the window procedures
   call for their children, and the exported control, list and scroll-bar
   operations. */
#ifndef RUV_KERNEL_NATIVE_CONTROLS_H
#define RUV_KERNEL_NATIVE_CONTROLS_H

#include "kernel_app.h"
#include <commctrl.h>
#include "ruvv_color.h"
#include "ruvv_res.h"

#ifdef __cplusplus
extern "C" {
#endif

struct RUV_FONT;
struct SLIST;

#define RUVK_KIND_CONTROL  0x80u
#define RUVK_KIND_SUBCTL   0x8000000u   /* the edit part of a drop-down */

/* Control types. */
#define WC_PUSH_BUTTON   12
#define WC_RADIO_BUTTON  13
#define WC_CHECK_BOX     14
#define WC_HSCROLL_BAR   15
#define WC_VSCROLL_BAR   16
/* The common controls name their edit class WC_EDIT; here it is the kind. */
#undef WC_EDIT
#define WC_EDIT          17
#define WC_STATIC_TEXT   18
#define WC_LIST_BOX      19
#define WC_DROP_LIST     20
#define WC_DROP_DOWN     21
#define WC_GROUP_BOX     22
#define WC_TEXT_EDIT     23
#define WC_ICON          24
#define WC_NOTEBOOK      25
#define WC_HTML_VIEW     26

/* Creation flags of controls (RUV_CTL_FLAGS). */
#define RUV_CF_DISABLED  0x1u
#define RUV_CF_LIST_HSCROLL 0x2u
#define RUV_CF_CHECKED   0x4u
#define RUV_CF_DEFAULT   0x8u
#define RUV_CF_HIDDEN    0x10u
#define RUV_CF_READONLY  0x200u   /* edit: read-only; list box: no notify */
#define RUV_CF_EXTENDED  0x400u
#define RUV_CF_CENTER    0x4000u
#define RUV_CF_RIGHT     0x8000u
#define RUV_CF_PASSWORD  0x10000u

/* A scroll bar's range record. */
typedef struct RUVK_SBAR_RANGE {
    int32_t min, max, proportion;
} RUVK_SBAR_RANGE;

/* What a control (and, for its scroll bars, a window) carries besides the
   common record fields; the record's ctl_font is the control's own font. */
typedef struct RUVK_CTL_STATE {
    WNDPROC prev_proc;          /* native procedure replaced by ours */
    int16_t proc_kind;          /* which subclass procedure (control_procs.cpp) */
    int16_t tracking, pressed;  /* button click tracking */
    RUV_COLOR_SET colors;       /* own components; allowed = applicable mask */
    COLORREF text, back, brush; /* resolved, PALETTERGB form */
    int16_t has_text, has_back, has_brush;
    HFONT hfont;                /* native font of the own font */
    RUV_WIN secondary;          /* drop-down: its edit part's object; and back */
    int32_t list_height;        /* drop list, drop-down: the closed rectangle's height */
    int32_t notebook_sel, notebook_hover;
    RUVK_SBAR_RANGE bars[2];    /* a window's horizontal and vertical bar; a bar control's is [0] */
} RUVK_CTL_STATE;

/* The state of a record, made on first need (NULL when memory runs out);
   released with the record. */
RUVK_CTL_STATE *ruvk_ctl_state(RUV_WIN obj);
void ruvk_ctl_state_free(RUV_WIN obj);

/* ---- Kinds, classes and styles ---- */
/* Native class, style and extended style of a control type with creation
   flags (attributes 10029, 10039 and 10040 read now); an unknown type is
   fatal 0x347857 and gets the common styles only. */
const char *ruvk_ctl_class_style(int32_t type, uint32_t flags, DWORD *style, DWORD *ex_style);
/* The control type a native class and style stand for, -1 for none. */
int32_t ruvk_ctl_type_of_class(const char *class_name, DWORD style);
int32_t ruvk_ctl_type_of_hwnd(HWND hwnd);
/* The three colour components a type accepts (text, background, brush;
   0 none) and their OR. */
void ruvk_ctl_components(int32_t type, uint32_t *text, uint32_t *back, uint32_t *brush);
uint32_t ruvk_ctl_component_mask(int32_t type);

/* ---- Definition units ---- */
/* The system dialog base units, read once per process. */
void ruvk_dialog_base_units(int32_t *bx, int32_t *by);
/* Both corners of a rectangle from a definition unit to pixels. */
void ruvk_rect_to_pixels(RUV_RECT *rect, int32_t unit);

/* ---- Creation ---- */
RUV_WIN ruvk_ctl_create(int32_t type, const RUV_RECT *rect, const char *title, RUV_WIN parent, uint32_t flags,
                        void *app_data, int32_t ctl_id);
RUV_WIN ruvk_ctl_create_def(const RUV_WIN_DEF *def, RUV_WIN parent, void *app_data);
/* Every control element after the window element of a definition under
   the new window; FALSE when one cannot be made (text edits go through the
   start record's text-edit create callback). */
RUV_BOOL ruvk_ctl_create_all(const RUV_WIN_DEF *def, RUV_WIN win, void *app_data);

/* ---- Subclass procedures, colours and rows (controls.cpp's callers) ---- */
/* Installs the subclass procedure that fits the type and parent. */
void ruvk_ctl_subclass(RUV_WIN ctl, HWND hwnd);
/* The answer of a toolkit window to its child's WM_CTLCOLOR* (kind 0-6). */
LRESULT ruvk_ctl_color_answer(HWND parent, UINT msg, HDC dc, HWND child, int32_t kind);
/* WM_CTLCOLOR* of any toolkit window: TRUE with the answer in *result. */
RUV_BOOL ruvk_ctl_handle_color_msg(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT *result);
/* WM_DRAWITEM of a coloured-row list or combo box; TRUE when painted. */
RUV_BOOL ruvk_ctl_draw_item(const DRAWITEMSTRUCT *item);
/* Resolves the given components of a control from its own list, its
   parent's default list and the application's default list. */
void ruvk_ctl_resolve_colors(RUV_WIN ctl, uint32_t components);
/* The font a control or window passes on: own, parent's, default. */
HFONT ruvk_ctl_inherited_font(RUV_WIN obj);
/* Horizontal extent of a list box with flag 0x2 recomputed from its rows. */
RUV_BOOL ruvk_list_recompute_extent(RUV_WIN list);
/* Row read that measures the row first: at most size - 1 bytes copied,
   terminated; FALSE when the row cannot be read. */
RUV_BOOL ruvk_list_read_row(HWND hwnd, bool combo, int32_t index, char *buf, int32_t size);

/* Drop-down: its selected row (at most 255 bytes) into its edit part;
   FALSE when the row cannot be read. */
RUV_BOOL ruvk_ctl_copy_selected_row(RUV_WIN combo);
/* Edit field or drop-down: the control's formatter over its text. */
void ruvk_ctl_run_formatter(RUV_WIN ctl);

/* Notification guard: notifications of programmatic changes give no
   events while it is up. */
void ruvk_ctl_guard(RUV_BOOL up);

/* ---- Exported ---- */
RUV_BOOL ruvk_ctl_is_checked(RUV_WIN ctl);
void ruvk_ctl_set_checked(RUV_WIN ctl, RUV_BOOL checked);
void ruvk_ctl_check_radio_button(RUV_WIN button, RUV_WIN *buttons, int32_t count);
void ruvk_ctl_set_text_sel(RUV_WIN ctl, int32_t first, int32_t last);
void ruvk_ctl_get_text_sel(RUV_WIN ctl, int32_t *first, int32_t *last);
int32_t ruvk_ctl_get_id(RUV_WIN ctl);
RUV_WIN ruvk_win_get_ctl(RUV_WIN win, int32_t id);
void ruvk_ctl_set_colors(RUV_WIN ctl, const RUV_COLOR_COMPONENT *colors, int32_t action);
RUV_COLOR_COMPONENT *ruvk_ctl_get_native_colors(int32_t type);
RUV_COLOR_COMPONENT *ruvk_ctl_get_colors(RUV_WIN win);
RUV_COLOR_COMPONENT *ruvk_win_get_ctl_colors(RUV_WIN win);
void ruvk_win_set_ctl_colors(RUV_WIN win, const RUV_COLOR_COMPONENT *colors, int32_t count);
void ruvk_ctl_set_font(RUV_WIN ctl, struct RUV_FONT *font);
struct RUV_FONT *ruvk_ctl_get_font(RUV_WIN obj);
struct RUV_FONT *ruvk_win_get_ctl_font(RUV_WIN obj);
intptr_t ruvk_ctl_set_tooltip(RUV_WIN ctl, const char *text, const RUV_RECT *rect);
void ruvk_ctl_press_button(RUV_WIN ctl);
void ruvk_ctl_set_default_button(RUV_WIN ctl);

RUV_BOOL ruvk_list_add(RUV_WIN list, int32_t index, const char *text);
RUV_BOOL ruvk_list_rem(RUV_WIN list, int32_t index);
RUV_BOOL ruvk_list_clear(RUV_WIN list);
int32_t ruvk_list_count_all(RUV_WIN list);
int32_t ruvk_list_count_sel(RUV_WIN list);
RUV_BOOL ruvk_list_get_elt(RUV_WIN list, int32_t index, char *buf, int32_t len);
RUV_BOOL ruvk_list_get_first_sel(RUV_WIN list, char *buf, int32_t len);
int32_t ruvk_list_get_sel_index(RUV_WIN list);
RUV_BOOL ruvk_list_is_sel(RUV_WIN list, int32_t index);
RUV_BOOL ruvk_list_set_sel(RUV_WIN list, int32_t index, RUV_BOOL select);
struct SLIST *ruvk_list_get_all(RUV_WIN list);
struct SLIST *ruvk_list_get_sel(RUV_WIN list);
void ruvk_list_suspend(RUV_WIN list);
void ruvk_list_resume(RUV_WIN list);

void ruvk_sbar_set_range(RUV_WIN obj, int32_t bar, int32_t min, int32_t max);
void ruvk_sbar_get_range(RUV_WIN obj, int32_t bar, int32_t *min, int32_t *max);
void ruvk_sbar_set_proportion(RUV_WIN obj, int32_t bar, int32_t proportion);
int32_t ruvk_sbar_get_proportion(RUV_WIN obj, int32_t bar);
void ruvk_sbar_set_pos(RUV_WIN obj, int32_t bar, int32_t pos);
int32_t ruvk_sbar_get_pos(RUV_WIN obj, int32_t bar);

#ifdef __cplusplus
}
#endif

#endif
