// Field checks on the editor's controls: the window-free rules applied to
// the text of a field being left, with the box and the focus.
#include "field_check_boxes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>

#include "datetime.h"
#include "dialog_controls.h"
#include "field_checks.h"
#include "ruvv_attr.h"
#include "ruvv_color.h"
#include "time_checks.h"

namespace {

// A field's text, at most 100 characters of it.
std::string FieldText(RUV_WIN window, int32_t id)
{
    const char *text = GetControlTitle(window, id);
    return std::string(text ? text : "").substr(0, 100);
}

void ShowMessage(RUV_WIN window, const std::string &message)
{
    ruv_win_trap_pointer(window);
    ruv_dm_post_message("%s", message.c_str());
    ruv_win_release_pointer();
}

PreviousInputs &Previous()
{
    static PreviousInputs inputs;
    return inputs;
}

RefusedField &Refused()
{
    static RefusedField refused;
    return refused;
}

// The field's text when it passes the rule; a refusal noted, unless the
// field still shows the value it was filled with (shown): that is no edit
// (a value read from a file may break a rule of typed input).
bool PassesRule(RUV_WIN window, int32_t id, const FieldRule &rule, std::string *text, const std::string &shown,
                bool time = false)
{
    *text = FieldText(window, id);
    const std::string message = rule ? rule(text->c_str()) : std::string();
    if (message.empty())
        return true;
    if (Refused().window == NULL_WIN && *text != shown)
        Refused() = RefusedField{window, id, message, time};
    return false;
}

// Number fields refused and not yet mended: the focus given back to one
// of them does not make its refused text the one to go back to.
std::set<std::pair<RUV_WIN, int32_t>> &Unmended()
{
    static std::set<std::pair<RUV_WIN, int32_t>> fields;
    return fields;
}

// The text a field had when it was entered, given back (a field never
// entered keeps what it shows).
void ResetToPreviousInput(RUV_WIN window, int32_t id)
{
    if (const std::string *previous = Previous().Find(window, id))
        SetControlTitle(window, id, previous->c_str());
}

// The field is shown, with every window above it, and enabled.
bool Reachable(RUV_WIN window, int32_t id)
{
    const RUV_WIN field = ruv_win_get_ctl(window, id);
    HWND hwnd = field ? reinterpret_cast<HWND>(ruv_vobj_get_attr(field, RUV_ATTR_NATIVE_WINDOW)) : nullptr;
    return hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

} // namespace

bool StoreNumberField(RUV_WIN window, int32_t id, const FieldRule &rule, float &target)
{
    std::string text;
    if (!PassesRule(window, id, rule, &text, FloatFieldText(target)))
        return false;
    target = static_cast<float>(std::strtod(text.c_str(), nullptr));
    return true;
}

bool StoreNumberField(RUV_WIN window, int32_t id, const FieldRule &rule, int32_t &target)
{
    std::string text;
    if (!PassesRule(window, id, rule, &text, IntFieldText(target)))
        return false;
    target = static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10));
    return true;
}

bool StoreNumberField(RUV_WIN window, int32_t id, const FieldRule &rule, int16_t &target)
{
    int32_t value = target;
    if (!StoreNumberField(window, id, rule, value))
        return false;
    target = static_cast<int16_t>(value);
    return true;
}

bool StoreTimeField(RUV_WIN window, int32_t id, bool step, const FieldRule &rule, char *target, size_t size)
{
    const FieldRule form = step ? FieldRule(TimeStepFieldMessage) : FieldRule(DateTimeFieldMessage);
    std::string text;
    const std::string shown = step ? DurationToDmy(target) : DateTimeToDmy(target);
    if (!PassesRule(window, id, form, &text, shown, true) || !PassesRule(window, id, rule, &text, shown, true))
        return false;
    const char *stored = step ? DmyToDuration(text.c_str()) : DmyToDateTime(text.c_str());
    if (!stored[0])
        return false;
    std::snprintf(target, size, "%s", stored);
    return true;
}

RefusedField TakeRefusedField()
{
    RefusedField refused = Refused();
    Refused() = RefusedField{};
    return refused;
}

void ShowRefusedField(const RefusedField &refused, const char *end)
{
    if (refused.window == NULL_WIN)
        return;
    const std::string message = refused.message + end;
    if (refused.time) {
        RejectTimeEntry(refused.window, refused.id, message);
        return;
    }
    EventsFrozen frozen(refused.window);
    ShowMessage(refused.window, message);
    SetControlFocus(refused.window, refused.id);
}

void GiveBackStoredText(RUV_WIN window, int32_t id, const std::string &shown)
{
    Unmended().erase({window, id});
    if (FieldText(window, id) != shown)
        SetControlTitle(window, id, shown.c_str());
}

int16_t CheckNumberField(RUV_WIN window, int32_t id, const std::function<std::string(const char *)> &rule)
{
    EventsFrozen frozen(window);
    const std::string text = FieldText(window, id);
    // A field left as it was entered, never refused, holds no typed value:
    // a value read from a file that breaks the rule of typed input does not
    // hold the user in the field (nor, between two such fields, in a
    // round of boxes).
    const std::string *entered = Previous().Find(window, id);
    if (entered && *entered == text && !Unmended().count({window, id}))
        return 0;
    const std::string message = rule(text.c_str());
    if (message.empty()) {
        Unmended().erase({window, id});
        return 0;
    }
    // A field the user can still reach keeps the typed text and the focus,
    // to be mended; one its page hid meanwhile (File New or Open left with
    // the cursor in it) gets back the text it had when entered: no refused
    // text stays behind where no click can mend it, and the box comes once.
    const bool reachable = Reachable(window, id);
    if (reachable)
        Unmended().insert({window, id});
    else {
        Unmended().erase({window, id});
        ResetToPreviousInput(window, id);
    }
    ShowMessage(window, message);
    // While the box was up the user may have closed the field's window
    // (the table generator, by File New or Open): nothing to go back to.
    if (!ruv_vobj_is_valid(window)) {
        Unmended().erase({window, id});
        return 1;
    }
    if (reachable)
        SetControlFocus(window, id);
    return 1;
}

int16_t CheckIntegerRange(RUV_WIN window, int32_t id, int min, int max)
{
    return CheckNumberField(window, id, [&](const char *t) { return IntegerRangeMessage(t, min, max); });
}

int16_t CheckFloatNonNegative(RUV_WIN window, int32_t id)
{
    return CheckNumberField(window, id, FloatNonNegativeMessage);
}

int16_t CheckIntegerPositive(RUV_WIN window, int32_t id)
{
    return CheckNumberField(window, id, IntegerPositiveMessage);
}

int16_t CheckFloatInterval(RUV_WIN window, int32_t id, double lo, double hi)
{
    return CheckNumberField(window, id, [&](const char *t) { return FloatIntervalMessage(t, lo, hi); });
}

int16_t CheckFloatPositive(RUV_WIN window, int32_t id)
{
    return CheckNumberField(window, id, FloatPositiveMessage);
}

int16_t CheckFloat(RUV_WIN window, int32_t id)
{
    return CheckNumberField(window, id, FloatMessage);
}

int16_t CheckInteger(RUV_WIN window, int32_t id)
{
    return CheckNumberField(window, id, IntegerMessage);
}

FieldEvent FieldEventOf(const RUV_EVENT *event)
{
    const int32_t type = event->v.control.type;
    if (type != 17 && type != 21)
        return FieldEvent::Other;
    if (event->v.control.data.edit.change == 0)
        return FieldEvent::Changed;
    return event->v.control.data.edit.gained ? FieldEvent::Entered : FieldEvent::Left;
}

int16_t CheckDateTimeField(RUV_WIN window, int32_t id)
{
    EventsFrozen frozen(window);
    return RejectTimeEntry(window, id, DateTimeFieldMessage(FieldText(window, id).c_str())) ? 0 : 1;
}

int16_t CheckTimeStepField(RUV_WIN window, int32_t id)
{
    EventsFrozen frozen(window);
    return RejectTimeEntry(window, id, TimeStepFieldMessage(FieldText(window, id).c_str())) ? 0 : 1;
}

void SavePreviousInput(RUV_WIN window, int32_t id)
{
    if (Unmended().count({window, id}))
        return;
    Previous().Save(window, id, FieldText(window, id));
}

void ForgetPreviousInputs(RUV_WIN window)
{
    Previous().Forget(window);
    auto &unmended = Unmended();
    for (auto it = unmended.begin(); it != unmended.end();)
        it = it->first == window ? unmended.erase(it) : std::next(it);
}

void RefocusControl(RUV_WIN window, int32_t id)
{
    SetControlFocus(window, id);
    ProcessPendingEvents();
}

int16_t RejectTimeEntry(RUV_WIN window, int32_t id, const std::string &message)
{
    if (message.empty())
        return 0;
    EventsFrozen frozen(window);
    // A field never entered has no text to go back to: it is emptied rather
    // than left holding what was refused.
    const std::string *previous = Previous().Find(window, id);
    SetControlTitle(window, id, previous ? previous->c_str() : "");
    ShowMessage(window, message);
    RefocusControl(window, id);
    return 1;
}

void PostTimeInputError(const char *headline, const char *label1, const char *value1, const char *label2,
                        const char *value2)
{
    ruv_dm_post_message("%s", TimeInputErrorText(headline, label1, value1, label2, value2).c_str());
}

void ApplySettlingEnableRule(RUV_WIN settlingPane)
{
    const int16_t enabled = SettlingFieldsEnabled(GetControlDouble(settlingPane, 2)) ? 1 : 0;
    SetControlEnabled(settlingPane, 3, enabled);
    SetControlEnabled(settlingPane, 8, enabled);
}

void LimitTextLength(RUV_WIN window, int32_t id, int max)
{
    if (max >= 0)
        LimitFieldText(window, id, max, false);
}

void LimitFieldText(RUV_WIN window, int32_t id, int max, bool refuseQuotes)
{
    const RUV_WIN field = ruv_win_get_ctl(window, id);
    if (!field)
        return;
    char text[1024] = "";
    ruv_vobj_get_title(field, text, sizeof text);
    const std::string current(text);
    int32_t first = 0, last = 0;
    ruv_ctl_get_text_sel(field, &first, &last);
    const TypedText limited = LimitTypedText(current, last, max, refuseQuotes);
    if (limited.text == current)
        return;
    SetControlTitle(window, id, limited.text.c_str());
    ruv_ctl_set_text_sel(field, limited.caret, limited.caret);
    ruv_scr_beep();
}

void SetControlFloatText(RUV_WIN window, int32_t id, float value)
{
    SetControlTitle(window, id, FloatFieldText(value).c_str());
}

void SetControlIntText(RUV_WIN window, int32_t id, int value)
{
    SetControlTitle(window, id, IntFieldText(value).c_str());
}

void SetControlStandardColors(RUV_WIN window, int32_t id)
{
    static const RUV_COLOR_COMPONENT kStandardColors[] = {{2, RUV_COLOR_BLACK}, {4, RUV_COLOR_WHITE}, {0, 0}};
    if (const RUV_WIN control = ruv_win_get_ctl(window, id))
        ruv_ctl_set_colors(control, kStandardColors, 0);
}

std::string PadTextToControl(RUV_WIN window, int32_t id, const char *text)
{
    RUV_RECT client = { 0, 0, 0, 0 };
    ruv_vobj_get_client_rect(ruv_win_get_ctl(window, id), &client);
    return PadTextToWidth(text ? text : "", client.right - client.left, [window](const std::string &t) {
        return static_cast<int>(ruv_dwin_get_text_width(window, t.c_str(), -1));
    });
}
