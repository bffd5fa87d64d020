// Field checks on the editor's controls: a field being left is read, its
// value checked by the window-free rules of field_checks.h and
// time_checks.h, and a rejection shown in a message box with the focus put
// back into the field.  While a check runs only update events reach the
// page.  Date-time and time-step fields get back the text they had when
// they were entered, kept per (window, control).
#ifndef TRAZ_EDITOR_FIELD_CHECK_BOXES_H
#define TRAZ_EDITOR_FIELD_CHECK_BOXES_H

#include <cstdint>
#include <functional>
#include <string>

#include "ruv.h"

// What an edit field's control event reports: its text changed, the focus
// came or went; Other for any control that is no edit field.
enum class FieldEvent { Changed, Entered, Left, Other };
FieldEvent FieldEventOf(const RUV_EVENT *event);
// A control event of a button, list or other control that is no edit field.
inline bool IsClick(const RUV_EVENT *event) { return FieldEventOf(event) == FieldEvent::Other; }

// While a field is checked only update events reach its window: a box
// being up makes the control being entered report a focus loss without a
// gain, which must not start a second check.
class EventsFrozen {
public:
    // Only repaints reach the window while frozen, and its destruction: a
    // window closed under the box must still hear it, or whoever keeps its
    // handle keeps one to a window gone.
    explicit EventsFrozen(RUV_WIN window) : window_(window), mask_(ruv_win_get_event_mask(window))
    {
        ruv_win_set_event_mask(window_, (1u << E_UPDATE) | (1u << E_DESTROY));
    }
    // The window may be gone by then: a box's message loop can let the
    // user close it (the table generator, by File New or Open).
    ~EventsFrozen()
    {
        if (ruv_vobj_is_valid(window_))
            ruv_win_set_event_mask(window_, mask_);
    }
    EventsFrozen(const EventsFrozen &) = delete;
    EventsFrozen &operator=(const EventsFrozen &) = delete;

private:
    RUV_WIN window_;
    uint32_t mask_;
};

// Number fields: 1 when the value was rejected, 0 when it is accepted.
// The rule gives the message of the field's text, "" to accept it.  A
// rejected field keeps the typed text and gets the focus; one no longer
// shown gets back the text it had when entered.
int16_t CheckNumberField(RUV_WIN window, int32_t id, const std::function<std::string(const char *)> &rule);
int16_t CheckIntegerRange(RUV_WIN window, int32_t id, int min, int max);
int16_t CheckFloatNonNegative(RUV_WIN window, int32_t id);
int16_t CheckIntegerPositive(RUV_WIN window, int32_t id);
int16_t CheckFloatInterval(RUV_WIN window, int32_t id, double lo, double hi);
int16_t CheckFloatPositive(RUV_WIN window, int32_t id);
int16_t CheckFloat(RUV_WIN window, int32_t id);
int16_t CheckInteger(RUV_WIN window, int32_t id);

// One path from a field to the data: the field's value goes into target
// only when its text passes the field's rule (true); a refused text leaves
// target as it was and is remembered as the refused field of the store in
// progress (false).  Every path that stores a field (leaving it, a page
// switch, a list click, the map's callback, Save, New, Exit) calls these.
using FieldRule = std::function<std::string(const char *)>;
bool StoreNumberField(RUV_WIN window, int32_t id, const FieldRule &rule, float &target);
bool StoreNumberField(RUV_WIN window, int32_t id, const FieldRule &rule, int32_t &target);
bool StoreNumberField(RUV_WIN window, int32_t id, const FieldRule &rule, int16_t &target);
// A date-time (step false) or time-step field into its stored form when
// the text is one and passes the rule (nullptr: no further rule).
bool StoreTimeField(RUV_WIN window, int32_t id, bool step, const FieldRule &rule, char *target, size_t size);
// The first field refused since the last call (window NULL_WIN: none), and
// the record emptied.
struct RefusedField {
    RUV_WIN window = NULL_WIN;
    int32_t id = 0;
    std::string message;
    bool time = false;  // a date-time or time-step field
};
RefusedField TakeRefusedField();
// Shows a refused field's message with the end given, the field focused
// (a time field first gets back its previous text).
void ShowRefusedField(const RefusedField &refused, const char *end);
// A field about to be hidden that its rule refused gets back the text of
// the value stored (shown), and is no longer one to be mended: no refused
// text stays where no click reaches it, nor is it refused again when the
// hidden field loses the focus.
void GiveBackStoredText(RUV_WIN window, int32_t id, const std::string &shown);

// Date-time and time-step fields: 1 when the field holds a valid value,
// 0 when it was rejected and reset.
int16_t CheckDateTimeField(RUV_WIN window, int32_t id);
int16_t CheckTimeStepField(RUV_WIN window, int32_t id);

// The field's text as it is entered (page handlers, on focus gain).
void SavePreviousInput(RUV_WIN window, int32_t id);
// Forgets the texts of a window's fields (on its destroy event).
void ForgetPreviousInputs(RUV_WIN window);
// The focus back to the field, pending events processed.
void RefocusControl(RUV_WIN window, int32_t id);
// A time entry's rejection: with a message, the field gets back its
// previous text, the message is shown and the field refocused (1); with
// none nothing happens (0).
int16_t RejectTimeEntry(RUV_WIN window, int32_t id, const std::string &message);
// Shows the message of a rejected time entry with its two values.
void PostTimeInputError(const char *headline, const char *label1, const char *value1, const char *label2,
                        const char *value2);

// Settling sub-pane: fields 3 and 8 enabled while field 2 holds a
// settling velocity other than 0.
void ApplySettlingEnableRule(RUV_WIN settlingPane);

// A text longer than max characters loses its end.
void LimitTextLength(RUV_WIN window, int32_t id, int max);
// A field's text after a change of it: a quote refused where the field is
// written in quotes, the text cut to max characters (max < 0: no cut), with
// a beep, the caret kept where the user typed (LimitTypedText).
void LimitFieldText(RUV_WIN window, int32_t id, int max, bool refuseQuotes);
// "%g" and "%d" texts; no value stands for empty.
void SetControlFloatText(RUV_WIN window, int32_t id, float value);
void SetControlIntText(RUV_WIN window, int32_t id, int value);
// The text right-aligned in the control's client width by prepended
// blanks, measured in the window's font.
std::string PadTextToControl(RUV_WIN window, int32_t id, const char *text);
// Gives the control the editor's standard colours (black text on white),
// in place of a highlight it may show.  Nothing in the editor calls it yet.
void SetControlStandardColors(RUV_WIN window, int32_t id);

#endif
