// Dialog-control helpers on real controls: missing values in both
// directions, number texts, range checks with their boxes (answered by the
// guard, never left open), bounded formatted boxes, the three-field status
// text, history lists, radio groups, colours, focus order and file
// selection that reports a path it cannot form instead of ending the
// program.
#include "dialog_controls.h"
#include "file_selection.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "editor_test_support.h"
#include "front_fixture.h"
#include "status_bar.h"
#include "utilities.h"

using namespace ruvf_test;

namespace {

constexpr int16_t T = 1, F = 0;

// Controls of the tests, made in the fixture's document window.
enum : int32_t { FIELD = 201, FIELD2 = 202, FIELD3 = 203, LIST = 210, RADIO1 = 221, CHECK = 240 };

RUV_WIN MakeControl(RUV_WIN parent, int32_t type, int32_t id, int top, const char *title = "")
{
    RUV_RECT r{ static_cast<int16_t>(top), 10, static_cast<int16_t>(top + 22), 200 };
    return ruv_ctl_create(type, &r, title, parent, 0, nullptr, id);
}

// A document window with three edit fields, a list box, eleven radio
// buttons and a check box.
RUV_WIN Form(Ctx &c)
{
    const RUV_WIN w = c.get(Obj::Doc);
    MakeControl(w, 17, FIELD, 0);
    MakeControl(w, 17, FIELD2, 24);
    MakeControl(w, 17, FIELD3, 48);
    MakeControl(w, 19, LIST, 72);
    for (int i = 0; i < 11; ++i)
        MakeControl(w, 13, RADIO1 + i, 100 + 2 * i, "radio");
    MakeControl(w, 14, CHECK, 130, "check");
    return w;
}

TEST(ControlValues, EmptyTextIsTheMissingValueBothWays)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN w = Form(c);
        struct Read {
            const char *text;
            double real;
            int integer;
        };
        for (const Read &r : { Read{ "", -999.999, -999 }, Read{ "   ", -999.999, -999 }, Read{ "abc", 0.0, 0 },
                               Read{ "  2.5", 2.5, 2 }, Read{ "1e3", 1000.0, 1 }, Read{ "-999", -999.0, -999 } }) {
            SetControlTitle(w, FIELD, r.text);
            EXPECT_DOUBLE_EQ(GetControlDouble(w, FIELD), r.real) << "'" << r.text << "'";
            EXPECT_DOUBLE_EQ(GetControlReal(w, FIELD), r.real) << "'" << r.text << "'";
            EXPECT_EQ(GetControlInt(w, FIELD), r.integer) << "'" << r.text << "'";
        }
        SetControlDouble(w, FIELD, -999.999);
        EXPECT_STREQ(GetControlTitle(w, FIELD), "");
        SetControlDouble(w, FIELD, -999.9995);  // 0.0005 away: a number
        EXPECT_STREQ(GetControlTitle(w, FIELD), FormatExponential(-999.9995));
        EXPECT_NEAR(GetControlDouble(w, FIELD), -999.9995, 1e-6);
        SetControlDouble(w, FIELD, 1.5);
        EXPECT_STREQ(GetControlTitle(w, FIELD), "  1.5000000e+00");
        SetControlInt(w, FIELD, -999);
        EXPECT_STREQ(GetControlTitle(w, FIELD), "");
        SetControlInt(w, FIELD, -998);
        EXPECT_STREQ(GetControlTitle(w, FIELD), "-998");
        SetControlFloat(w, FIELD, 0.25f);
        EXPECT_STREQ(GetControlTitle(w, FIELD), "0.25");
        SetFileNameControl(w, FIELD, "");
        EXPECT_STREQ(GetControlTitle(w, FIELD), "Filename unknown");
        SetFileNameControl(w, FIELD, "a.inp");
        EXPECT_STREQ(GetControlTitle(w, FIELD), "a.inp");
        // Titles are read up to 100 characters.
        SetControlTitle(w, FIELD, std::string(150, 'x').c_str());
        EXPECT_EQ(std::string(GetControlTitle(w, FIELD)), std::string(100, 'x'));
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

TEST(NumberTexts, EmptyIsValidAndTheWholeTextMustBeOneNumber)
{
    struct Case {
        const char *text;
        int16_t integer, real;
    };
    for (const Case &k : { Case{ "", T, T }, Case{ "12", T, T }, Case{ "-3", T, T }, Case{ "12 ", F, F },
                           Case{ "1e5", F, T }, Case{ "2.5", F, T }, Case{ "abc", F, F }, Case{ "4x", F, F } }) {
        EXPECT_EQ(IsIntegerText(k.text), k.integer) << "'" << k.text << "'";
        EXPECT_EQ(IsDoubleText(k.text), k.real) << "'" << k.text << "'";
        EXPECT_EQ(IsFloatText(k.text), k.real) << "'" << k.text << "'";
    }
}

// ---- range checks ----

struct IntCheck {
    const char *text;
    int low, high, mode;
    const char *message;  // nullptr: valid
};

class IntegerRange : public ::testing::TestWithParam<IntCheck> {};

TEST_P(IntegerRange, GivesItsMessageAndTheFocusBack)
{
    const IntCheck &k = GetParam();
    in_app([&k] {
        Ctx c;
        const RUV_WIN w = Form(c);
        SetControlTitle(w, FIELD, k.text);
        SetControlFocus(w, FIELD2);
        const uint32_t mask = ruv_win_get_event_mask(w);
        std::vector<kt::Answer> script;
        if (k.message)
            script.push_back({ k.message, 0 });
        kt::ModalGuard guard(script);
        EXPECT_EQ(CheckIntegerField(w, FIELD, k.low, k.high, k.mode), k.message ? 1 : 0);
        guard.stop();
        EXPECT_EQ(ruv_win_get_event_mask(w), mask);
        EXPECT_EQ(ruv_scr_get_focus_vobj(), ruv_win_get_ctl(w, k.message ? FIELD : FIELD2));
    });
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntegerRange,
    ::testing::Values(IntCheck{ "101", INT_NO_LOWER, 100, 0, "Warning: value should be <= 100!" },
                      IntCheck{ "-1", 0, INT_NO_UPPER, 0, "Warning: value should be >= 0!" },
                      IntCheck{ "101", 0, 100, 0, "Warning: value outside domain range [0 - 100]!" },
                      IntCheck{ "100", 0, 100, 0, nullptr },
                      IntCheck{ "100", 0, 100, 1, "Warning: value outside domain range (0 - 100)!" },
                      IntCheck{ "0", 0, INT_NO_UPPER, 1, "Warning: value should be > 0!" },
                      IntCheck{ "7", INT_NO_LOWER, 7, 1, "Warning: value should be < 7!" },
                      IntCheck{ " 42 ", 0, 100, 0, nullptr }, IntCheck{ "", 0, 100, 0, "Empty value !" },
                      IntCheck{ "1.5", 0, 100, 0, "Invalid Integer !" },
                      IntCheck{ "1e2", 0, 100, 0, "Invalid Integer !" }));

TEST(RealRange, BoundsWithinTheToleranceCountAsEqualAndMessagesUseSixDigits)
{
    in_app([] {
        Ctx c;
        const RUV_WIN w = Form(c);
        struct Case {
            const char *text;
            double low, high;
            int mode;
            const char *message;
        };
        for (const Case &k :
             { Case{ "100.0000000001", 0, 100, 0, nullptr }, Case{ "100.001", 0, 100, 0,
                                                                   "Warning: value outside domain range [0 - 100]!" },
               Case{ "-0.5", 0.125, REAL_NO_BOUND, 0, "Warning: value should be >= 0.125!" },
               Case{ "3.14159265", -REAL_NO_BOUND, 3.14159, 1, "Warning: value should be < 3.14159!" },
               Case{ "", 0, 1, 0, "Empty value!" }, Case{ "1,5", 0, 1, 0, "Invalid Floating Point number!" } }) {
            SetControlTitle(w, FIELD, k.text);
            std::vector<kt::Answer> script;
            if (k.message)
                script.push_back({ k.message, 0 });
            kt::ModalGuard guard(script);
            EXPECT_EQ(CheckDoubleField(w, FIELD, k.low, k.high, k.mode), k.message ? 1 : 0) << k.text;
            guard.stop();
            std::vector<kt::Answer> floatScript = script;
            kt::ModalGuard floatGuard(floatScript);
            EXPECT_EQ(CheckFloatField(w, FIELD, static_cast<float>(k.low), static_cast<float>(k.high), k.mode),
                      k.message ? 1 : 0)
                << k.text;
        }
    });
}

TEST(RangeChecks, ARedFieldFailsSilentlyAndTheTestFormsNeverAsk)
{
    in_app([] {
        Ctx c;
        const RUV_WIN w = Form(c);
        kt::ModalGuard guard({ { "ERROR : value not between 0 and 1 !!", 0 }, { "Empty value !", 0 } });
        SetControlTitle(w, FIELD, "500");
        HighlightControlRed(w, 1, FIELD);
        EXPECT_EQ(GetControlForeColor(w, FIELD), GLUE_RED);
        EXPECT_EQ(CheckIntegerField(w, FIELD, 0, 100, 0), 1);  // no box
        HighlightControlRed(w, 0, FIELD);
        EXPECT_EQ(GetControlForeColor(w, FIELD), static_cast<RUV_COLOR>(-1));

        EXPECT_EQ(TestIntegerField(w, FIELD, 0, 100), 1);
        EXPECT_EQ(TestIntegerField(w, FIELD, 0, 500), 0);
        EXPECT_EQ(TestFloatField(w, FIELD, 0, 499.5f), 1);
        EXPECT_EQ(TestFloatRange(w, FIELD, 0, 500), 0);
        SetControlTitle(w, FIELD, "x");
        EXPECT_EQ(TestFloatRange(w, FIELD, 0, 500), 1);
        SetControlTitle(w, FIELD, "");
        EXPECT_EQ(TestIntegerField(w, FIELD, 0, 100), 1);

        SetControlTitle(w, FIELD, "1.5");
        EXPECT_EQ(CheckFloatRange(w, FIELD, 0, 1), 1);
        SetControlTitle(w, FIELD, "0.5");
        EXPECT_EQ(CheckFloatRange(w, FIELD, 0, 1), 0);
        SetControlTitle(w, FIELD, " ");
        EXPECT_EQ(CheckFloatRange(w, FIELD, 0, 1), 1);
    });
}

// ---- formatted boxes ----

TEST(FormattedBoxes, LongTextsAreCutAndNeverOverrun)
{
    const std::string huge(5000, 'q');
    auto format = [](const char *fmt, ...) {
        va_list args;
        va_start(args, fmt);
        std::string s = FormatMessageText(fmt, args);
        va_end(args);
        return s;
    };
    const std::string text = format("Cannot open %s!", huge.c_str());
    EXPECT_EQ(text.size(), MESSAGE_TEXT_MAX);
    EXPECT_EQ(text.substr(0, 14), "Cannot open qq");
    EXPECT_EQ(format("%d%%", 50), "50%");

    in_app([&huge] {
        kt::ModalGuard guard({ { "Input error:\nqqqq", 0 }, { "100%d stays", 0 }, { "note 7", 0 } });
        PostErrorF("Input error:\n%s", huge.c_str());
        PostWarningF("%s", "100%d stays");  // the formatted text is never a format again
        PostNoteF("note %d", 7);
    });
}

// ---- status text ----

TEST(StatusFields, ReplaceOnlyTheFieldsGivenAndStayWithin127Characters)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN main = c.get(Obj::Doc);
        char title[] = "";
        char *params[] = { title };
        ASSERT_NE(statbar_create(10, 0, 0, 0, 0, 1, params, main, 0, 0, nullptr), NULL_WIN);
        struct Case {
            const char *shown;
            const char *f1, *f2, *f3;
            std::string expected;
        };
        const std::string longField(200, 'L');
        for (const Case &k : {
                 Case{ "one\ttwo\tthree", nullptr, "X", nullptr, "one\tX\tthree" },
                 Case{ "no tab at all", nullptr, "X", nullptr, "\tX\t" },
                 Case{ "first\tdropped", nullptr, nullptr, "Z", "first\t\tZ" },
                 Case{ "a\tb\tc\td", "A", nullptr, nullptr, "A\tb\tc\td" },
                 Case{ "a\tb\tc", "", "", "", "\t\t" },
                 Case{ "a\tb\tc", longField.c_str(), "B", nullptr, longField.substr(0, 127) },
                 Case{ "a\tb\tc", "x", longField.c_str(), "C", ("x\t" + longField).substr(0, 127) },
             }) {
            statbar_set_title(main, k.shown);
            const char *shown = SetStatusFields(main, 0, k.f1, k.f2, k.f3);
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(std::string(shown), k.expected) << k.shown;
        }
        // Only the first 127 characters of the old text are read: its
        // second tab lies beyond them, so only field 1 was there to keep.
        statbar_set_title(main, ("a\t" + std::string(130, 'b') + "\tc").c_str());
        EXPECT_EQ(std::string(SetStatusFields(main, 0, "n", nullptr, nullptr)), "n\t\t");
        EXPECT_EQ(SetStatusFields(c.get(Obj::Plain), 0, "n", "o", "p"), nullptr);  // no bar
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

// ---- lists, radio buttons, focus ----

TEST(Lists, HistoryOfMoreThanFourItemsStartsAgainEmpty)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN w = Form(c);
        for (const char *item : { "a", "b", "c" })
            AddHistoryItem(w, LIST, item);
        EXPECT_EQ(CountList(w, LIST), 3);
        EXPECT_EQ(GetListSelIndex(w, LIST), 2);
        EXPECT_EQ(IsListItemSelected(w, LIST, 2), 1);
        EXPECT_STREQ(GetListItem(w, LIST, 1), "b");
        EXPECT_STREQ(GetListItem(w, LIST, 9), "");
        AddHistoryItem(w, LIST, "d");
        EXPECT_EQ(CountList(w, LIST), 4);
        AddHistoryItem(w, LIST, "e");  // a list of 4 items: emptied
        EXPECT_EQ(CountList(w, LIST), 0);
        EXPECT_EQ(GetListSelIndex(w, LIST), -1);
        AddListItem(w, LIST, -1, "x");
        AddListItem(w, LIST, 0, "w");
        EXPECT_STREQ(GetListItem(w, LIST, 0), "w");
        RemoveListItem(w, LIST, 0);
        EXPECT_STREQ(GetListItem(w, LIST, 0), "x");
        ClearList(w, LIST);
        EXPECT_EQ(CountList(w, LIST), 0);
    });
}

TEST(RadioButtons, GroupsOfMoreThanTenChangeNothing)
{
    in_app([] {
        Ctx c;
        const RUV_WIN w = Form(c);
        int32_t ids[11];
        for (int i = 0; i < 11; ++i)
            ids[i] = RADIO1 + i;
        CheckRadioGroup(w, RADIO1 + 1, ids, 3);
        EXPECT_EQ(GetCheckedRadioButton(w, RADIO1, RADIO1 + 1, RADIO1 + 2, 0), 2);
        testing::internal::CaptureStdout();
        CheckRadioGroup(w, RADIO1 + 10, ids, 11);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Too many radiobuttons in a group ( >10 ) !\n");
        EXPECT_EQ(IsControlChecked(w, RADIO1 + 10), 0);
        EXPECT_EQ(IsControlChecked(w, RADIO1 + 1), 1);
        CheckRadioButtonOf(w, 3, RADIO1, RADIO1 + 1, RADIO1 + 2, 0);
        EXPECT_EQ(IsControlChecked(w, RADIO1 + 1), 0);
        EXPECT_EQ(GetCheckedRadioButton(w, RADIO1, RADIO1 + 1, RADIO1 + 2, 0), 3);
        SetControlChecked(w, CHECK, 1);
        EXPECT_EQ(IsControlChecked(w, CHECK), 1);
        SetControlChecked(w, CHECK, 0);
        EXPECT_EQ(IsControlChecked(w, CHECK), 0);
    });
}

TEST(Focus, NextAndPreviousControlSkipThoseThatRefuseAndWrapRound)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN w = Form(c);
        pump(20);
        const int32_t ids[] = { FIELD, FIELD2, FIELD3 };
        auto focused = [w] { return ruv_scr_get_focus_vobj(); };
        SetControlFocus(w, FIELD);
        FocusNextControl(w, ids, 3);
        EXPECT_EQ(focused(), ruv_win_get_ctl(w, FIELD2));
        SetControlEnabled(w, FIELD3, 0);
        FocusNextControl(w, ids, 3);  // FIELD3 refuses: round to the first
        EXPECT_EQ(focused(), ruv_win_get_ctl(w, FIELD));
        SetControlEnabled(w, FIELD3, 1);
        SetControlFocus(w, FIELD3);
        FocusNextControl(w, ids, 3);
        EXPECT_EQ(focused(), ruv_win_get_ctl(w, FIELD));
        SetControlsEnabled(w, 0, FIELD, FIELD2, 0);
        SetControlFocus(w, FIELD3);
        FocusNextControl(w, ids, 3);  // only FIELD3 takes it
        EXPECT_EQ(focused(), ruv_win_get_ctl(w, FIELD3));
        // Backwards: from the first round to the last, past one that
        // refuses.
        SetControlsEnabled(w, 1, FIELD, FIELD2, 0);
        SetControlFocus(w, FIELD);
        FocusPreviousControl(w, ids, 3);
        EXPECT_EQ(focused(), ruv_win_get_ctl(w, FIELD3));
        SetControlEnabled(w, FIELD2, 0);
        FocusPreviousControl(w, ids, 3);
        EXPECT_EQ(focused(), ruv_win_get_ctl(w, FIELD));
    });
}

TEST(EventControl, AFrozenWindowGetsItsHandlerAndMaskBack)
{
    in_app([] {
        Recorder rec;
        Ctx c;
        const RUV_WIN w = Form(c);
        const RUV_EVENT_HANDLER handler = ruv_win_get_handler(w);
        const uint32_t mask = ruv_win_get_event_mask(w);
        FreezeWindowEvents(w);
        EXPECT_EQ(ruv_win_get_handler(w), IgnoreEventsHandler);
        EXPECT_EQ(ruv_win_get_event_mask(w), 16u);
        ThawWindowEvents();
        EXPECT_EQ(ruv_win_get_handler(w), handler);
        EXPECT_EQ(ruv_win_get_event_mask(w), mask);
        EXPECT_EQ(rec.errors(), 0u) << editor_test::Reports(rec.reports());
    });
}

// ---- files ----

TEST(FileSelection, APathThatCannotBeFormedIsReportedAndTheProgramGoesOn)
{
    in_app([] {
        RUV_FILE_SPEC spec{};
        std::snprintf(spec.dir.path, sizeof spec.dir.path, "C:\\%s", std::string(256, 'd').c_str());
        std::snprintf(spec.name, sizeof spec.name, "a.inp");
        char *path = nullptr;
        {
            kt::ModalGuard guard({ { "Cannot convert directoryname!", 0 } });
            EXPECT_EQ(ChosenFilePath(&spec, &path), 0);
        }
        EXPECT_EQ(path, nullptr);
        std::snprintf(spec.dir.path, sizeof spec.dir.path, "C:\\windows");
        std::snprintf(spec.name, sizeof spec.name, "%s", std::string(256, 'n').c_str());
        {
            kt::ModalGuard guard({ { "Cannot build pathname for nnnn", 0 } });
            EXPECT_EQ(ChosenFilePath(&spec, &path), 0);
        }
        std::snprintf(spec.name, sizeof spec.name, "a.inp");
        ASSERT_EQ(ChosenFilePath(&spec, &path), 1);
        ASSERT_NE(path, nullptr);
        EXPECT_STREQ(path, "C:\\windows\\a.inp");
    });
}

TEST(FileSelection, CancelledDialogsChooseNothing)
{
    in_app([] {
        char *path = nullptr;
        {
            kt::ModalGuard guard({ { "Save the scenario", 0 } });
            EXPECT_EQ(SelectFileName("Save the scenario", "a.inp", 1, &path), 0);
        }
        EXPECT_EQ(path, nullptr);
        RUV_FILE_SPEC spec{};
        std::snprintf(spec.name, sizeof spec.name, "given.mdp");
        {
            kt::ModalGuard guard({ { "Select hydrodynamics file", 0 } });
            SelectFile("hyd", "Select hydrodynamics file", 1, &spec);
        }
        EXPECT_STREQ(spec.name, "");
        EXPECT_STREQ(spec.type, "hyd");
        {
            kt::ModalGuard guard({ { "Select an input file", 0 } });
            EXPECT_STREQ(SelectInputFile("map"), "");
        }
    });
}

TEST(FileSelection, PathsSplitIntoSpecificationsAndSlashesTurnForward)
{
    in_app([] {
        RUV_FILE_SPEC spec{};
        ASSERT_EQ(PathToFileSpec("C:\\windows\\system32\\trazest.inp", &spec), 1);
        EXPECT_STREQ(spec.name, "trazest.inp");
        char dir[300];
        ASSERT_TRUE(ruv_fsys_convert_dir_to_str(&spec.dir, dir, sizeof dir));
        ToForwardSlashes(dir);
        EXPECT_EQ(CompareNoCase(dir, "C:/windows/system32"), 0) << dir;
        RUV_FILE_DIR before{}, after{};
        ruv_fsys_get_dir(&before);
        ASSERT_EQ(PathToFileSpec("noext", &spec), 1);  // no directory: the current one
        ruv_fsys_get_dir(&after);
        EXPECT_STREQ(before.path, after.path);
        EXPECT_STREQ(spec.name, "noext");
        EXPECT_STREQ(spec.dir.path, before.path);

        char arg0[] = "C:/prog/bin\\traz_gui.exe";
        char *argv[] = { arg0 };
        SetProgramDirectory(1, argv);
        EXPECT_STREQ(arg0, "C:/prog/bin");
    });
}

}  // namespace
