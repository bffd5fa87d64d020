// Status bar: a custom control along the bottom of its owner window that
// shows a text split into fields at tab characters (the first field at the
// left, the others right-aligned) with a raised or plain frame.  Any window
// reaches the bar of itself, its owner or its owner's owner.
#ifndef TRAZ_EDITOR_STATUS_BAR_H
#define TRAZ_EDITOR_STATUS_BAR_H

#include <cstdint>

#include "ruvcm.h"

// The bar's block, kept by the design-support module for the bar window.
struct StatbarModel {
    char text[257];
    char defaultText[257];
    struct RUV_FONT *font;
    int16_t autosized;
    int16_t scaled;
    int16_t translated;
    int16_t plain;
    int16_t taskWindow;
    int16_t debug;
    int16_t height;
    int16_t leftOffset;
    int16_t fieldOffset;
    RUV_COLOR fillColor;
    RUV_COLOR textColor;
    RUV_RECT rect;
};

// At most this many bars exist at once; creating one more is refused.
constexpr int STATBAR_MAX_BARS = 128;

// Creates a bar in parent with the design rectangle and the parameters
// ("title", "NAME=value", ...; they must outlive the bar).  The bar's
// native control id is id.  NULL when refused.
RUV_WIN statbar_create(int32_t id, int16_t left, int16_t top, int16_t right, int16_t bottom, int32_t count,
                       char **params, RUV_WIN parent, int32_t parentResourceId, int32_t number, const char *title);
// The bar of the window, its owner or its owner's owner; NULL when none.
RUV_WIN statbar_find(RUV_WIN window);

// The accessors act on statbar_find of any window.  A NULL or empty text
// shows the default text; returns the text shown, NULL when there is no
// bar.  The bar's window text is always the text it shows.
const char *statbar_set_title(RUV_WIN window, const char *text);
char *statbar_get_title(RUV_WIN window, char *buffer, int32_t size);
// NULL empties the default text (and gives NULL).
const char *statbar_set_default_text(RUV_WIN window, const char *text);
char *statbar_get_default_text(RUV_WIN window, char *buffer, int32_t size);
// The setter copies a valid font into the bar; the getter copies the bar's
// font into font.
void statbar_set_font(RUV_WIN window, struct RUV_FONT *font);
struct RUV_FONT *statbar_get_font(RUV_WIN window, struct RUV_FONT *font);
// Moves the bar to the bottom strip of its owner's client area.
void statbar_autosize(RUV_WIN window);
void statbar_draw(RUV_WIN bar);
int32_t statbar_event_handler(RUV_WIN bar, RUV_EVENT *event);
// Placement before creation (the design-support module's callback).
void statbar_place(RUV_CM_CREATE_PARAMS *params);


// The model of a bar window (not of any window), NULL when none.
StatbarModel *statbar_model(RUV_WIN bar);

#endif
