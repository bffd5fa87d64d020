// Field checks of the editor without windows: the rules of typed numbers,
// date-times and time steps, with the exact message each rejection shows,
// and the small rules and formatters the pages share.  The page code reads a
// control's text, calls one of these and, when a message comes back, shows it
// in a box and puts the focus back (a date-time or time-step field first gets
// its previous text back).  An empty message means the value is accepted.
#ifndef TRAZ_EDITOR_FIELD_CHECKS_H
#define TRAZ_EDITOR_FIELD_CHECKS_H

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "editor_services.h"

// ---- typed numbers: the message of a rejected text, "" when accepted ----
// The text is trimmed; a text of blanks only is empty.  A number must be the
// whole text, within the range of its type and finite.
std::string IntegerRangeMessage(const char *text, int min, int max);
std::string FloatNonNegativeMessage(const char *text);
std::string IntegerPositiveMessage(const char *text);
std::string FloatIntervalMessage(const char *text, double lo, double hi);
std::string FloatPositiveMessage(const char *text);
std::string FloatMessage(const char *text);
std::string IntegerMessage(const char *text);

// The interval (minutes, an integer text) of an output step against the
// simulation time step in seconds (rounded to whole minutes, halves up).  A
// zero step divides nothing: only an interval of 0 is its multiple.
std::string IntervalMultipleMessage(const char *text, int32_t stepSeconds);

// ---- date-times and time steps in the edit form "dd mm yyyy hh mm ss" ----
// 1 valid, 0 invalid.  A valid text always converts to the stored form.
int16_t IsValidDateTimeText(const char *text);
int16_t IsValidTimeStepText(const char *text);
// The rejection of a field's text, "" when the text is valid.
std::string DateTimeFieldMessage(const char *text);
std::string TimeStepFieldMessage(const char *text);

// The text each field had when it was entered, kept per (window, control)
// so that a reset never writes another field's text.
class PreviousInputs {
public:
    void Save(const void *window, int32_t id, const std::string &text);
    // The saved text, or NULL when the field was never entered.
    const std::string *Find(const void *window, int32_t id) const;
    void Forget(const void *window);

private:
    std::map<std::pair<const void *, int32_t>, std::string> texts_;
};

// ---- shared rules ----
// A title line longer than max characters keeps its first max.
std::string LimitedText(const std::string &text, size_t max);
// A field's text after a change: the quote character dropped where the
// field is written in quotes, then the first max characters kept (max < 0:
// no cut).  The caret moves back by the characters removed before it and
// stays inside the text, so typing goes on where the user typed.
struct TypedText {
    std::string text;
    int caret;
};
TypedText LimitTypedText(const std::string &text, int caret, int max, bool refuseQuotes);
// The warning of particle tracks switched on for more than 1000 particles,
// "" when there is none.
std::string TracksMessage(int16_t flag, int particles);
// Whether the settling fields follow a settling velocity of this value.
bool SettlingFieldsEnabled(double velocity);

// ---- formatters ----
// The text of a printf format, of any length.
std::string CheckTextF(const char *format, ...) TRAZ_PRINTF_LIKE(1, 2);
// "%g" with as many digits (6 to 9) as the float needs to read back the same.
std::string FloatFieldText(double value);
std::string IntFieldText(int value);      // "%d"
// The text right-aligned in a client area of the width by prepended blanks;
// measure gives a text's width in the control's font.
std::string PadTextToWidth(const std::string &text, int clientWidth,
                           const std::function<int(const std::string &)> &measure);
// "Status: <status> - <text>" and a new line on standard output.
void PrintStatus(long status, const char *text);
// The debug trace of the status bar: does nothing, gives back the format.
const char *TraceMessage(const char *format, ...);

#endif
