/* The toolkit's multi-line text edit: its attribute bits and the exported
   ruvv_tx_ operations.  A text edit is a TXEDIT: a small handle of the
   engine in handle mode (toolkit attribute 718 set), the text-edit window
   in window mode; either way a pointer-sized value. */
#ifndef RUVV_TX_H
#define RUVV_TX_H
#include "ruv_types.h"
#include "ruvv_event.h"
#ifdef __cplusplus
extern "C" {
#endif

typedef intptr_t TXEDIT;

/* Attribute bits. */
#define TX_READONLY     0x0001
#define TX_WRAP         0x0002
#define TX_AUTOVSCROLL  0x0004
#define TX_AUTOHSCROLL  0x0008
#define TX_BORDER       0x0010
#define TX_ONEPAR       0x0080
#define TX_NOCOPY       0x0100
#define TX_NOCUT        0x0200
#define TX_NOPASTE      0x0400
#define TX_NOMENUS      0x0800
#define TX_ENABLECLEAR  0x1000
#define TX_OVERTYPE     0x2000

/* Edit-menu commands a text edit answers. */
#define TX_CMD_CUT      32042
#define TX_CMD_COPY     32043
#define TX_CMD_PASTE    32044
#define TX_CMD_CLEAR    32045

/* Scroll callback: (text edit, first visible line, total lines, horizontal
   origin); a value not reported is 0x7FFFFFFF (lines) or -1 (origin). */
typedef void (*RUV_TX_SCROLL_CALLBACK)(TXEDIT tx, int32_t first_line, int32_t total, int32_t h_origin);

TXEDIT ruvv_tx_create(RUV_WIN win, const RUV_RECT *rect, uint16_t attrs, struct RUV_FONT *font, int32_t margin,
                      int32_t limit);
/* A text edit from a definition element of type 23 (rectangle in the
   element's unit, attributes, font, margin, limit and control id; a
   non-empty title becomes the first paragraph). */
struct RUV_WIN_DEF;
TXEDIT ruvv_tx_create_def(const struct RUV_WIN_DEF *def, RUV_WIN parent, void *app_data);
RUV_BOOL ruvv_tx_destroy(TXEDIT tx);
RUV_BOOL ruvv_tx_add_par(TXEDIT tx, int32_t index, const char *text);
RUV_BOOL ruvv_tx_append(TXEDIT tx, int32_t index, const char *text);
RUV_BOOL ruvv_tx_set_par(TXEDIT tx, int32_t index, const char *text);
RUV_BOOL ruvv_tx_rem_par(TXEDIT tx, int32_t index);
RUV_BOOL ruvv_tx_clear(TXEDIT tx);
RUV_BOOL ruvv_tx_reset(TXEDIT tx);
int32_t ruvv_tx_get_num_pars(TXEDIT tx);
int32_t ruvv_tx_get_num_par_lines(TXEDIT tx, int32_t par);
int32_t ruvv_tx_get_num_lines(TXEDIT tx);
int32_t ruvv_tx_get_num_chars(TXEDIT tx, int32_t par, int32_t line);
/* mode 0 opens the paragraph, 1 gives line `line` of it (not terminated;
   its byte length in *length), 2 closes it. */
char *ruvv_tx_get_line(TXEDIT tx, int32_t par, int32_t mode, int32_t line, int32_t *length);
RUV_BOOL ruvv_tx_get_sel(TXEDIT tx, uint32_t *par1, uint32_t *line1, uint32_t *ch1, uint32_t *par2, uint32_t *line2,
                         uint32_t *ch2);
RUV_BOOL ruvv_tx_set_sel(TXEDIT tx, uint32_t par1, uint32_t line1, uint32_t ch1, uint32_t par2, uint32_t line2,
                         uint32_t ch2);
RUV_BOOL ruvv_tx_get_origin(TXEDIT tx, uint32_t *par, uint32_t *line, uint16_t *first_line, int32_t *h_origin);
RUV_BOOL ruvv_tx_get_rect(TXEDIT tx, RUV_RECT *rect);
RUV_BOOL ruvv_tx_get_view(TXEDIT tx, RUV_RECT *rect);
RUV_BOOL ruvv_tx_move(TXEDIT tx, const RUV_RECT *rect);
uint16_t ruvv_tx_get_attr(TXEDIT tx);
RUV_BOOL ruvv_tx_set_attr(TXEDIT tx, uint16_t attrs);
int32_t ruvv_tx_get_cid(TXEDIT tx);
void *ruvv_tx_get_data(TXEDIT tx);
RUV_BOOL ruvv_tx_set_data(TXEDIT tx, void *data);
struct RUV_FONT *ruvv_tx_get_font(TXEDIT tx);
RUV_BOOL ruvv_tx_set_font(TXEDIT tx, struct RUV_FONT *font);
/* Window mode: the font (NULL: the toolkit's control font) for every
   text-edit window of win without a font of its own. */
RUV_BOOL ruvv_tx_win_set_font(RUV_WIN win, struct RUV_FONT *font);
int32_t ruvv_tx_get_limit(TXEDIT tx);
RUV_BOOL ruvv_tx_set_limit(TXEDIT tx, int32_t limit);
int32_t ruvv_tx_get_margin(TXEDIT tx);
RUV_BOOL ruvv_tx_set_margin(TXEDIT tx, int32_t margin);
int32_t ruvv_tx_get_tabstop(TXEDIT tx);
RUV_BOOL ruvv_tx_set_tabstop(TXEDIT tx, int32_t chars);
RUV_BOOL ruvv_tx_set_scroll_callback(TXEDIT tx, RUV_TX_SCROLL_CALLBACK callback);
/* Scrolls by dx pixels (positive: towards the start) or by lines
   (positive: back towards the first line), as far as the text allows. */
RUV_BOOL ruvv_tx_scroll_hor(TXEDIT tx, int32_t dx);
RUV_BOOL ruvv_tx_scroll_vert(TXEDIT tx, int32_t lines);
RUV_BOOL ruvv_tx_suspend(TXEDIT tx);
RUV_BOOL ruvv_tx_resume(TXEDIT tx);
RUV_BOOL ruvv_tx_set_colors(TXEDIT tx, RUV_COLOR foreground, RUV_COLOR border, RUV_COLOR background);
/* A new list {2 black, 4 white, 32 black, 0}; the caller frees it. */
struct RUV_COLOR_COMPONENT *ruvv_tx_get_native_colors(void);
/* Text edits whose owner is the object take their colours from the
   control-colour lists again (those given colours explicitly keep them). */
RUV_BOOL ruvv_tx_reset_colors(RUV_WIN object, const struct RUV_COLOR_COMPONENT *list, RUV_BOOL flag);
TXEDIT ruvv_tx_get_active(void);
RUV_BOOL ruvv_tx_set_active(TXEDIT tx);
TXEDIT ruvv_tx_get_tx(RUV_WIN win, int32_t cid);
RUV_WIN ruvv_tx_get_win(TXEDIT tx);
TXEDIT ruvv_tx_get_next_tx(TXEDIT tx, RUV_WIN win);
RUV_BOOL ruvv_tx_is_valid(TXEDIT tx);
RUV_BOOL ruvv_tx_is_scroll_update(void);
RUV_BOOL ruvv_tx_process_event(RUV_WIN win, RUV_EVENT *event);
RUV_BOOL ruvvo_tx_process_event(RUV_WIN win, RUV_EVENT *event);

#ifdef __cplusplus
}
#endif
#endif
