// Field checks on real edit controls of a started application: each
// rejected value's box (answered by the guard), the focus back in the field,
// the page's event mask kept, and a refused date-time or time step replaced
// by the text its own field had when it was entered.
#include "field_check_boxes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_controls.h"
#include "editor_test_support.h"
#include "front_fixture.h"
#include "ruvv_color.h"
#include "time_checks.h"

using namespace ruvf_test;
using editor_test::NativeOf;

namespace {

enum : int32_t { FIELD = 301, OTHER = 302 };

RUV_WIN Form(Ctx &c)
{
    const RUV_WIN w = c.get(Obj::Doc);
    RUV_RECT r1{ 0, 10, 22, 300 }, r2{ 30, 10, 52, 300 };
    ruv_ctl_create(17, &r1, "", w, 0, nullptr, FIELD);
    ruv_ctl_create(17, &r2, "", w, 0, nullptr, OTHER);
    return w;
}

using Check = std::function<int16_t(RUV_WIN, int32_t)>;

// Checks FIELD as it is left for OTHER; the one box expected (nullptr:
// none) is answered.  The page's event mask is the same afterwards.
int16_t Leave(RUV_WIN w, const Check &check, const char *message)
{
    SetControlFocus(w, OTHER);
    const uint32_t mask = ruv_win_get_event_mask(w);
    std::vector<kt::Answer> script;
    if (message)
        script.push_back({ message, 0 });
    kt::ModalGuard guard(script);
    const int16_t result = check(w, FIELD);
    guard.stop();
    EXPECT_EQ(ruv_win_get_event_mask(w), mask);
    return result;
}

struct NumberCase {
    const char *name;
    Check check;
    const char *text;
    const char *message; // nullptr: accepted
};

TEST(FieldCheckBoxes, RejectedNumbersShowTheirBoxAndKeepTheFocus)
{
    const NumberCase cases[] = {
        { "int>0", CheckIntegerPositive, "", "Empty value !" },
        { "int>0", CheckIntegerPositive, "1.5", "Input error:\nInput 1.5 is not a valid integer number" },
        { "int>0", CheckIntegerPositive, "0", "Input error:\nValue 0 must be greater than 0" },
        { "int>0", CheckIntegerPositive, "12", nullptr },
        { "float>=0", CheckFloatNonNegative, "-1", "Input error:\nValue -1 must be greater than or equal to 0" },
        { "float>=0", CheckFloatNonNegative, "abc", "Input error:\nInput abc is not a valid floating point number" },
        { "float>0", CheckFloatPositive, "0", "Input error:\nValue 0 must be greater than 0" },
        { "[0,1]", [](RUV_WIN w, int32_t id) { return CheckFloatInterval(w, id, 0.0, 1.0); }, "2",
          "Input error:\nValue 2 must be in interval [  0.00,  1.00]" },
        { "[1,5]", [](RUV_WIN w, int32_t id) { return CheckIntegerRange(w, id, 1, 5); }, "6",
          "Input error:\nValue must be between 1 and 5" },
        { "[1,5]", [](RUV_WIN w, int32_t id) { return CheckIntegerRange(w, id, 1, 5); }, "5", nullptr },
        { "float", CheckFloat, "1,5", "Input error:\nInput 1,5 is not a valid floating point number" },
        { "int", CheckInteger, "-7", nullptr },
    };
    in_app([&cases] {
        Recorder rec;
        Ctx c;
        const RUV_WIN w = Form(c);
        for (const NumberCase &k : cases) {
            SetControlTitle(w, FIELD, k.text);
            EXPECT_EQ(Leave(w, k.check, k.message), k.message ? 1 : 0) << k.name << " " << k.text;
            EXPECT_EQ(ruv_scr_get_focus_vobj(), ruv_win_get_ctl(w, k.message ? FIELD : OTHER))
                << k.name << " " << k.text;
            EXPECT_STREQ(GetControlTitle(w, FIELD), k.text); // the typed text stays
        }
        EXPECT_EQ(rec.errors(), 0u);
    });
}

TEST(FieldCheckBoxes, RefusedTimesGetTheirOwnFieldsPreviousText)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN w = Form(c);
        struct Case {
            Check check;
            const char *previous, *typed, *message; // message nullptr: accepted
        };
        const Case cases[] = {
            { CheckDateTimeField, "01 01 2000 00 00 00", "30 02 2000 00 00 00",
              "Input error:\nJust entered date-time 30 02 2000 00 00 00 is invalid\nPrevious input reset" },
            { CheckDateTimeField, "01 01 2000 00 00 00", "00 01 2000 00 00 00",
              "Input error:\nJust entered date-time 00 01 2000 00 00 00 is invalid\nPrevious input reset" },
            { CheckDateTimeField, "01 01 2000 00 00 00", " 29 02 2000 12 00 00", nullptr },
            { CheckTimeStepField, "00 00 0000 00 10 00", "00 00 0000 00 00 00",
              "Input error:\nJust entered time step 00 00 0000 00 00 00 is invalid\nPrevious input reset" },
            { CheckTimeStepField, "00 00 0000 00 10 00", "00 00 0000 00 05 00", nullptr },
        };
        for (const Case &k : cases) {
            // Both fields entered in turn: the reset takes the left field's text.
            SetControlTitle(w, FIELD, k.previous);
            SavePreviousInput(w, FIELD);
            SetControlTitle(w, OTHER, "31 12 2010 00 00 00");
            SavePreviousInput(w, OTHER);
            SetControlTitle(w, FIELD, k.typed);
            EXPECT_EQ(Leave(w, k.check, k.message), k.message ? 0 : 1) << k.typed;
            EXPECT_STREQ(GetControlTitle(w, FIELD), k.message ? k.previous : k.typed);
            EXPECT_EQ(ruv_scr_get_focus_vobj(), ruv_win_get_ctl(w, k.message ? FIELD : OTHER)) << k.typed;
        }
        EXPECT_EQ(rec.errors(), 0u);
    });
}

TEST(FieldCheckBoxes, ATimeRuleRejectionResetsAndRefocuses)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN w = Form(c);
        SimulationTimes t;
        t.start = "20000101000000";
        t.stop = "20000101010000";
        t.step = "00000000000100";
        t.hydrodynamicsStep = "00000000003000";
        SetControlTitle(w, FIELD, "01 01 2000 01 00 00");
        SavePreviousInput(w, FIELD);
        SetControlTitle(w, FIELD, "01 01 2000 01 01 40");
        SetControlFocus(w, OTHER);
        {
            kt::ModalGuard guard({ { "Simulation period      : 3700 sec.    [    61.7 min.]", 0 } });
            EXPECT_EQ(RejectTimeEntry(w, FIELD, StopTimeMessage(t, GetControlTitle(w, FIELD))), 1);
        }
        EXPECT_STREQ(GetControlTitle(w, FIELD), "01 01 2000 01 00 00");
        EXPECT_EQ(ruv_scr_get_focus_vobj(), ruv_win_get_ctl(w, FIELD));
        // A passing entry changes nothing.
        SetControlTitle(w, FIELD, "01 01 2000 00 30 00");
        SetControlFocus(w, OTHER);
        {
            kt::ModalGuard guard;
            EXPECT_EQ(RejectTimeEntry(w, FIELD, StopTimeMessage(t, GetControlTitle(w, FIELD))), 0);
        }
        EXPECT_STREQ(GetControlTitle(w, FIELD), "01 01 2000 00 30 00");
        EXPECT_EQ(ruv_scr_get_focus_vobj(), ruv_win_get_ctl(w, OTHER));
        // A field never entered is emptied, never given another's text.
        ForgetPreviousInputs(w);
        SetControlTitle(w, OTHER, "02 01 2000 00 00 00");
        SavePreviousInput(w, OTHER);
        SetControlTitle(w, FIELD, "30 02 2000 00 00 00");
        {
            kt::ModalGuard guard({ { "Just entered date-time 30 02 2000 00 00 00 is invalid", 0 } });
            EXPECT_EQ(CheckDateTimeField(w, FIELD), 0);
        }
        EXPECT_STREQ(GetControlTitle(w, FIELD), "");
        EXPECT_EQ(rec.errors(), 0u);
    });
}

TEST(FieldCheckBoxes, TitleLinesKeepFortyCharactersAndNumbersAreWrittenPlainly)
{
    in_app([] {
        Ctx c;
        const RUV_WIN w = Form(c);
        const std::string forty(40, 'x');
        SetControlTitle(w, FIELD, (forty + "y").c_str());
        LimitTextLength(w, FIELD, 40);
        EXPECT_EQ(std::string(GetControlTitle(w, FIELD)), forty);
        LimitTextLength(w, FIELD, 40);
        EXPECT_EQ(std::string(GetControlTitle(w, FIELD)), forty);
        SetControlFloatText(w, FIELD, 0.25f);
        EXPECT_STREQ(GetControlTitle(w, FIELD), "0.25");
        SetControlIntText(w, FIELD, -999);
        EXPECT_STREQ(GetControlTitle(w, FIELD), "-999");
    });
}

TEST(FieldCheckBoxes, SettlingFieldsFollowTheVelocity)
{
    in_app([] {
        Ctx c;
        const RUV_WIN w = c.get(Obj::Doc);
        for (int32_t id : { 2, 3, 8 }) {
            RUV_RECT r{ static_cast<int16_t>(id * 24), 10, static_cast<int16_t>(id * 24 + 22), 200 };
            ruv_ctl_create(17, &r, "", w, 0, nullptr, id);
        }
        const auto enabled = [w](int32_t id) { return IsWindowEnabled(NativeOf(ruv_win_get_ctl(w, id))) != 0; };
        for (const auto &k : { std::make_pair("0", false), std::make_pair("0.000001", false),
                               std::make_pair("-0.5", true), std::make_pair("2e-6", true),
                               std::make_pair("0", false) }) {
            SetControlTitle(w, 2, k.first);
            ApplySettlingEnableRule(w);
            EXPECT_EQ(enabled(3), k.second) << k.first;
            EXPECT_EQ(enabled(8), k.second) << k.first;
        }
    });
}

TEST(FieldCheckBoxes, PaddingRightAlignsInTheControl)
{
    in_app([] {
        Ctx c;
        const RUV_WIN w = Form(c);
        RUV_RECT client = { 0, 0, 0, 0 };
        ruv_vobj_get_client_rect(ruv_win_get_ctl(w, FIELD), &client);
        const int width = client.right - client.left;
        ASSERT_GT(width, 100);
        const std::string padded = PadTextToControl(w, FIELD, "12.5");
        ASSERT_GT(padded.size(), 4u);
        EXPECT_EQ(padded.substr(padded.size() - 4), "12.5");
        EXPECT_EQ(padded.find_first_not_of(' '), padded.size() - 4);
        const int blank = ruv_dwin_get_text_width(w, " ", -1);
        const int shown = ruv_dwin_get_text_width(w, padded.c_str(), -1);
        EXPECT_LE(shown, width);
        EXPECT_GT(shown, width - 2 * blank - 1);
        const std::string wide(200, 'W');
        EXPECT_EQ(PadTextToControl(w, FIELD, wide.c_str()), wide);
    });
}

TEST(FieldCheckBoxes, StandardColoursReplaceARedHighlight)
{
    in_app([] {
        Ctx c;
        const RUV_WIN w = Form(c);
        HighlightControlRed(w, 1, FIELD);
        ASSERT_EQ(GetControlForeColor(w, FIELD), GLUE_RED);
        SetControlStandardColors(w, FIELD);
        const RUV_WIN field = ruv_win_get_ctl(w, FIELD);
        EXPECT_EQ(ruv_ctl_get_color_component(field, 2), RUV_COLOR_BLACK);
        EXPECT_EQ(ruv_ctl_get_color_component(field, 4), RUV_COLOR_WHITE);
        // A field no longer red is checked again when it is left.
        EXPECT_NE(GetControlForeColor(w, FIELD), GLUE_RED);
        // A missing control is no fault.
        SetControlStandardColors(w, 999);
    });
}

// A window closed while a check holds its events (a box's message loop
// runs the File Open that closes the table generator) still hears its
// destruction, so whoever keeps its handle lets go of it; the hold then
// ends without touching the window gone.
int g_destroyEvents = 0;

int32_t CountDestroy(RUV_WIN, RUV_EVENT *event)
{
    if (event->type == E_DESTROY)
        ++g_destroyEvents;
    return 0;
}

TEST(FieldCheckBoxes, AWindowClosedWhileItsEventsAreHeldHearsItsDestruction)
{
    in_app([] {
        Recorder rec;
        g_destroyEvents = 0;
        RUV_RECT r{ 0, 0, 200, 300 };
        const RUV_WIN task = reinterpret_cast<RUV_WIN>(ruv_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
        const RUV_WIN w = ruv_win_create(1, &r, "Generate", 0, task, 0x803, RUV_EVENT_MASK_ALL, CountDestroy, nullptr);
        ASSERT_NE(w, NULL_WIN);
        {
            EventsFrozen held(w);
            ruv_vobj_destroy(w);
        }
        EXPECT_EQ(g_destroyEvents, 1);
        EXPECT_EQ(rec.errors(), 0u);
    });
}

} // namespace
