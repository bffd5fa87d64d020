/* Inside the text edit: the record, the handle table, the paragraph
   storage and the operations its modules share.  A record lives in a
   global-memory block reached through its TXEDIT handle; every operation
   locks it, works and unlocks.  The platform seam carries what the engine
   asks of the window system beyond measuring text: the clipboard and the
   Edit-menu items (the kernel's by default, a test's natively). */
#ifndef RUV_TEXT_EDIT_PRIVATE_H
#define RUV_TEXT_EDIT_PRIVATE_H

#include <cstdint>

#include "ruv_types.h"
#include "ruvv_event.h"
#include "ruvv_tx.h"

struct RUV_FONT;
struct RUV_COLOR_COMPONENT;

namespace ruvtx {

constexpr int32_t kMagic = 31987;
constexpr uint32_t kEndChar = 0x7FFFFFFF;   // character index: end of the paragraph
constexpr int32_t kBlockLimit = 0x7FFF;     // a paragraph block stays below this
constexpr int32_t kStartsLimit = 0x7FFF;    // so does its line-start array

// State bits.
constexpr uint16_t kInactive = 0x0001;
constexpr uint16_t kSuspended = 0x0002;
constexpr uint16_t kByWords = 0x0004;

// Message ids.
constexpr uint32_t kErrInternal = 0x01740001;
constexpr uint32_t kErrDestroyInvalid = 0x01740002;
constexpr uint32_t kErrFreeing = 0x01740003;
constexpr uint32_t kErrHighlight = 0x01740004;
constexpr uint32_t kErrWrongState = 0x00640000;
constexpr uint32_t kErrTooBig = 0x01260002;
constexpr uint32_t kErrGlobalMemory = 0x01510002;
constexpr uint32_t kErrInvalidWindow = 0x01220002;

struct Pos {
    uint32_t par;
    uint32_t line;
    uint32_t ch;
    int32_t x;
};

// (paragraph, line, character) order; x takes no part.
int compare(const Pos &a, const Pos &b);
inline bool same_place(const Pos &a, const Pos &b) { return compare(a, b) == 0; }

struct ParEntry {
    int32_t lines;
    void *block;
};

// Head of a paragraph block; the zero-terminated text follows it.
struct ParBlock {
    uint32_t flags;
    int32_t length;
    int32_t capacity;
    void *starts_handle;
    int32_t *starts;
    uint16_t starts_cap;
    char *text() { return reinterpret_cast<char *>(this + 1); }
};
constexpr uint32_t kParFlagsNew = 0x1F21;
constexpr uint32_t kParLaidOut = 0x1000;

struct Record {
    int32_t magic;
    int32_t handle;
    uint16_t attrs;
    uint16_t state;
    RUV_WIN win;
    RUV_WIN owner;
    RUV_RECT view;
    RUV_RECT outer;
    RUV_FONT *font;
    int32_t margin;
    int32_t limit;
    int32_t cid;
    void *app_data;
    Pos anchor;
    Pos caret;
    Pos hl_from;
    Pos hl_to;
    int32_t h_origin;
    uint32_t org_par;
    uint32_t org_line;
    int32_t total_lines;
    uint16_t line_height;
    int16_t ascent;
    int16_t descent;
    int32_t avg_width;
    int32_t npars;
    void *pars_handle;
    int32_t pars_cap;
    ParEntry *pars;
    RUV_TX_SCROLL_CALLBACK scroll_cb;
    RUV_COLOR fg;
    RUV_COLOR bg;
    RUV_COLOR border;
    int16_t explicit_colors;
    int32_t tabstop;
};

struct Slot {
    RUV_WIN win;
    RUV_RECT rect;
    void *mem;
    Record *rec;
    uint16_t flags;   // bit 0: the active text edit of its window
    int32_t locks;
};

// What the engine asks of the window system besides measuring text.
struct Platform {
    RUV_BOOL (*cb_open)(int16_t for_writing);
    RUV_BOOL (*cb_close)(void);
    RUV_BOOL (*cb_has_text)(void);
    RUV_BOOL (*cb_put_text)(const char *text, int32_t length);  // copies the text
    const char *(*cb_get_text)(int32_t *length);               // valid until the close
    void (*menu_enable)(RUV_WIN menu_win, int32_t tag, RUV_BOOL enabled);
    // Drawing beyond tools, font and rectangles, and the window's caret and
    // pointer.  A member left NULL takes the default.
    void (*draw_text)(RUV_WIN win, int32_t x, int32_t baseline, const char *text, int32_t chars);
    void (*invalidate)(RUV_WIN win, const RUV_RECT *rect);
    void (*update)(RUV_WIN win);
    RUV_BOOL (*is_update_needed)(RUV_WIN win, const RUV_RECT *rect);
    void (*scroll_rect)(RUV_WIN win, const RUV_RECT *rect, int32_t dh, int32_t dv);
    void (*get_clip)(RUV_WIN win, RUV_RECT *rect);
    void (*set_clip)(RUV_WIN win, const RUV_RECT *rect);
    void (*caret_pos)(RUV_WIN win, const RUV_POINT *point);
    void (*caret_visible)(RUV_WIN win, RUV_BOOL visible);
    void (*trap_pointer)(RUV_WIN win);
    void (*release_pointer)(void);
    void (*set_focus)(RUV_WIN win);
};
// Replaces the seam (NULL: the kernel's clipboard, menus, drawing and caret
// on Windows; natively nothing is drawn and the clipboard is empty).
void set_platform(const Platform *platform);
const Platform &platform();

// ---- handle table (text_edit_records.cpp) ----
Record *lock_record(int32_t handle);
bool unlock_record(int32_t handle);
Slot *slot(int32_t handle);          // NULL for a handle outside the table
int32_t slot_count();
bool handle_api_mode();
int32_t create_record(RUV_WIN win, const RUV_RECT *rect, uint16_t attrs, RUV_FONT *font, int32_t margin,
                      int32_t limit, int32_t cid, void *app_data);
bool destroy_record(int32_t handle, bool api_form);
void destroy_all_on(RUV_WIN win);
bool set_font_metrics(Record *r, RUV_FONT *font);
// Colours from the control-colour lists of the window, the owner and the
// toolkit's default; false (nothing changed) once colours were set explicitly.
bool recompute_colors(Record *r);
// Every text edit drawn on the object (drawn_on) or owned by it takes its
// colours again; those that changed are drawn again.
void recolor(RUV_WIN object, bool drawn_on);
int32_t active_on(RUV_WIN win);
void set_active(RUV_WIN win, int32_t handle, bool defer);
void focus_change(Record *r, bool gained);
void update_edit_menu(RUV_WIN win, Record *r, bool with_paste);
void place_at(Record *r, const RUV_RECT *outer);
void notify_scroll(Record *r, int32_t first, int32_t total, int32_t h_origin);
int32_t visible_lines(const Record *r);
int32_t first_visible_line(const Record *r);
// Window-mode resolver of a text-edit window to its handle (set by the
// child-window module; none: every window maps to 0).
extern int32_t (*window_to_handle)(RUV_WIN win);
// Window mode: tells the text-edit window's parent of a change (value 0,
// text changed; 1, focus changed with the gained flag).
extern void (*notify_parent)(Record *r, int32_t value, int32_t flag);

// ---- text model (text_model.cpp) ----
// Characters in the first nbytes bytes; bytes of the first n characters
// (never beyond nbytes).
int32_t chars_in(const char *text, int32_t nbytes);
int32_t bytes_of(const char *text, int32_t nbytes, int32_t n);
ParBlock *par_block(Record *r, uint32_t par);
int32_t line_start(const Record *r, uint32_t par, int32_t line);
int32_t line_end(const Record *r, uint32_t par, int32_t line);
int32_t line_chars(Record *r, uint32_t par, int32_t line);
int32_t par_lines(const Record *r, uint32_t par);
bool grow_table(Record *r, int32_t more);
void *make_block(const char *text, int32_t length);
void free_block(void *block);
bool grow_block(Record *r, uint32_t par, int32_t more);
bool set_line_start(Record *r, uint32_t par, int32_t k, int32_t offset);
int32_t text_width(Record *r, const char *text, int32_t nbytes, int32_t x);
void wrap(Record *r, uint32_t par, int32_t from_line);
void relayout(Record *r);
void clear_text(Record *r, bool redraw);
int32_t line_distance(const Record *r, uint32_t p1, uint32_t l1, uint32_t p2, uint32_t l2);
// Byte offset of a position in its paragraph; the position from an offset.
int32_t pos_offset(Record *r, const Pos &pos);
Pos pos_at_offset(Record *r, uint32_t par, int32_t offset);
int32_t x_of(Record *r, const Pos &pos);
// Nearest character edge of line (par, line) to pixel x.
Pos pos_at_x(Record *r, uint32_t par, int32_t line, int32_t x);
void close_line_access();

// ---- editing (text_editing.cpp) ----
bool insert_text(Record *r, const char *text, int32_t nbytes, Pos &pos);
bool delete_selection(Record *r);
bool split_par(Record *r, Pos &pos);
bool add_par(Record *r, int32_t index, const char *text);
bool append_text(Record *r, int32_t index, const char *text);
bool set_par(Record *r, int32_t index, const char *text);
bool rem_par(Record *r, int32_t index);
// Returns whether the text changed.
bool handle_key(Record *r, int32_t key, bool shift, bool virtual_key);
void move_caret(Record *r, int32_t key, bool shift);
void select_at(Record *r, const Pos &pos, bool shift, bool by_words, bool dragging);
bool copy_sel(Record *r);
bool cut_sel(Record *r);
bool paste(Record *r);
void suspend(Record *r);
void resume(Record *r);
Pos point_to_pos(Record *r, int16_t v, int16_t h);
Pos end_of_text(Record *r);

// ---- view (text_view.cpp) ----
// Drawing is begun on a record (its colours, font and clip set on its
// window, the window's own saved) and ended once per public operation.
void begin_draw(Record *r);
void end_draw();
void draw_all(Record *r, bool only_update);
// Lines (p1, l1) .. (p2, l2) inclusive, those on screen.
void draw_lines(Record *r, uint32_t p1, int32_t l1, uint32_t p2, int32_t l2, bool only_update);
void draw_line(Record *r, uint32_t par, int32_t line, int32_t x, int32_t baseline);
// After paragraph par was laid out from line from_line (old_count lines before).
void redraw_wrapped(Record *r, uint32_t par, int32_t from_line, int32_t old_count);
void show_highlight(Record *r, bool show);
void place_caret(Record *r, bool scroll);
void hide_caret(Record *r);
void scroll_pos_into_view(Record *r, const Pos &p);
// Moves a box at (x, y) into view as far as the auto-scroll bits allow; the
// point follows what was scrolled.
void scroll_box_into_view(Record *r, int32_t &x, int32_t &y, int32_t w, int32_t h);
int32_t scroll_hor(Record *r, int32_t dx);
int32_t scroll_vert(Record *r, int32_t n);
void scroll_pixels(Record *r, int32_t dh, int32_t dv);
// The lines from (par, line) on moved by k lines on screen.
void lines_moved(Record *r, uint32_t par, int32_t line, int32_t k, bool update_first);
// The outer rectangle grown by one pixel, to be drawn again.
void invalidate_outer(Record *r);
// Top of line (par, line) on screen.
int32_t line_top(const Record *r, uint32_t par, int32_t line);
bool scroll_update_flag();

// ---- text-edit windows (text_edit_window.cpp) ----
void txn_start();
RUV_WIN txn_create(RUV_WIN parent, const RUV_RECT *rect, uint16_t attrs, RUV_FONT *font, int32_t margin,
                   int32_t limit, int32_t cid, void *app_data);
bool txn_destroy(RUV_WIN win);
bool txn_outer_rect(RUV_WIN win, RUV_RECT *rect);
// A rectangle of the window translated into its parent's coordinates.
bool txn_view_in_parent(RUV_WIN win, RUV_RECT *rect);
bool txn_move(RUV_WIN win, const RUV_RECT *rect);
// 0x4000 when the window is disabled, 0x8000 when hidden.
uint16_t txn_state_bits(RUV_WIN win);
void txn_apply_state_bits(RUV_WIN win, uint16_t attrs);
RUV_BOOL txn_set_font(RUV_WIN win, RUV_FONT *font);
RUV_BOOL txn_win_set_font(RUV_WIN parent, RUV_FONT *font);
RUV_BOOL txn_reset_colors(RUV_WIN object, const struct RUV_COLOR_COMPONENT *list);
RUV_WIN txn_active();
RUV_BOOL txn_set_active(RUV_WIN win);
RUV_WIN txn_find(RUV_WIN parent, int32_t cid);
RUV_WIN txn_next(RUV_WIN after, RUV_WIN parent);
bool txn_is_valid(RUV_WIN win);

} // namespace ruvtx

// The engine's entry points by their toolkit names (the handle table and
// record, width of a run, keys, drawing, text-edit windows).
extern "C" {
ruvtx::Record *ruvv_txc_lock_record(int32_t handle);
RUV_BOOL ruvv_txc_unlock_record(int32_t handle);
int32_t ruvv_txc_create_record(RUV_WIN win, const RUV_RECT *rect, uint16_t attrs, struct RUV_FONT *font,
                               int32_t margin, int32_t limit, int32_t cid, void *app_data);
// The direct form, as window destruction uses it.
RUV_BOOL ruvv_txc_destroy_record(int32_t handle);
RUV_BOOL ruvv_txc_set_font_metrics(ruvtx::Record *r, struct RUV_FONT *font);
void ruvv_txc_update_edit_menu(RUV_WIN win, ruvtx::Record *r, RUV_BOOL with_paste);
RUV_BOOL ruvv_txc_process_event(RUV_WIN win, RUV_EVENT *event);
// Width of n characters of text (n < 0: all of it) starting at x; the x reached.
int32_t ruvv_txe_text_width(ruvtx::Record *r, const char *text, int32_t n, int32_t x);
RUV_BOOL ruvv_txm_handle_key(ruvtx::Record *r, int32_t key, RUV_BOOL shift, RUV_BOOL virtual_key);
void ruvv_txv_begin_draw(ruvtx::Record *r);
void ruvv_txv_end_draw(void);
void ruvv_txv_draw_line(ruvtx::Record *r, uint32_t par, uint32_t line, int32_t x, int32_t baseline);
void ruvv_txv_place_caret(ruvtx::Record *r, RUV_BOOL scroll);
RUV_WIN ruvv_txn_create_window(RUV_WIN parent, const RUV_RECT *rect, uint16_t attrs, struct RUV_FONT *font,
                               int32_t margin, int32_t limit, int32_t cid, void *app_data);
struct RUV_CXO;
int32_t ruvv_txn_handler(struct RUV_CXO *cxo, RUV_EVENT *event);
void ruvv_txn_notify_parent(RUV_WIN win, int32_t value, int32_t flag);
}

#endif
