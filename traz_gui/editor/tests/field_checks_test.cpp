// Field checks without windows: the number rules and their messages, the
// date-time and time-step texts, the per-field previous texts and the small
// shared rules and formatters.
#include "field_checks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "datetime.h"

namespace {

struct NumberCase {
    const char *check;
    std::function<std::string(const char *)> run;
    const char *text;
    const char *message; // "" accepted
};

TEST(FieldChecks, NumberRulesGiveTheirMessages)
{
    const auto positiveInt = [](const char *t) { return IntegerPositiveMessage(t); };
    const auto nonNegative = [](const char *t) { return FloatNonNegativeMessage(t); };
    const auto positive = [](const char *t) { return FloatPositiveMessage(t); };
    const auto interval = [](const char *t) { return FloatIntervalMessage(t, 0.0, 1.0); };
    const auto range = [](const char *t) { return IntegerRangeMessage(t, 1, 10); };
    const auto anyFloat = [](const char *t) { return FloatMessage(t); };
    const auto anyInt = [](const char *t) { return IntegerMessage(t); };
    const NumberCase cases[] = {
        { "int>0", positiveInt, "", "Empty value !" },
        { "int>0", positiveInt, "   ", "Empty value !" },
        { "int>0", positiveInt, nullptr, "Empty value !" },
        { "int>0", positiveInt, "1.5", "Input error:\nInput 1.5 is not a valid integer number" },
        { "int>0", positiveInt, " 1.5 ", "Input error:\nInput 1.5 is not a valid integer number" },
        { "int>0", positiveInt, "0", "Input error:\nValue 0 must be greater than 0" },
        { "int>0", positiveInt, " 7 ", "" },
        { "int>0", positiveInt, "1 2", "Input error:\nInput 1 2 is not a valid integer number" },
        { "int>0", positiveInt, "12abc", "Input error:\nInput 12abc is not a valid integer number" },
        // Beyond the int range is no integer, not a wrapped or clamped one.
        { "int>0", positiveInt, "99999999999", "Input error:\nInput 99999999999 is not a valid integer number" },
        { "float>=0", nonNegative, "-1", "Input error:\nValue -1 must be greater than or equal to 0" },
        { "float>=0", nonNegative, "0", "" },
        { "float>=0", nonNegative, "abc", "Input error:\nInput abc is not a valid floating point number" },
        { "float>=0", nonNegative, "", "Empty value !" },
        // Values no float holds, and no numbers at all, never reach the model.
        { "float>=0", nonNegative, "nan", "Input error:\nInput nan is not a valid floating point number" },
        { "float>=0", nonNegative, "inf", "Input error:\nInput inf is not a valid floating point number" },
        { "float>=0", nonNegative, "1e39", "Input error:\nInput 1e39 is not a valid floating point number" },
        { "float>0", positive, "0", "Input error:\nValue 0 must be greater than 0" },
        { "float>0", positive, "1e-3", "" },
        { "[0,1]", interval, "1.5", "Input error:\nValue 1.5 must be in interval [  0.00,  1.00]" },
        { "[0,1]", interval, "-0.1", "Input error:\nValue -0.1 must be in interval [  0.00,  1.00]" },
        { "[0,1]", interval, "0", "" },
        { "[0,1]", interval, "1", "" },
        { "[0,0.1]", [](const char *t) { return FloatIntervalMessage(t, 0.0, 0.1); }, "0.1", "" },
        { "[1,10]", range, "11", "Input error:\nValue must be between 1 and 10" },
        { "[1,10]", range, "0", "Input error:\nValue must be between 1 and 10" },
        { "[1,10]", range, "10", "" },
        { "[1,10]", range, "x", "Input error:\nInput x is not a valid integer number" },
        { "float", anyFloat, "-3.5e2", "" },
        { "float", anyFloat, "3,5", "Input error:\nInput 3,5 is not a valid floating point number" },
        { "int", anyInt, "-4", "" },
        { "int", anyInt, "", "Empty value !" },
    };
    for (const NumberCase &c : cases)
        EXPECT_EQ(c.run(c.text), c.message) << c.check << " \"" << (c.text ? c.text : "(null)") << "\"";
}

TEST(FieldChecks, IntervalMustBeAMultipleOfTheStepInWholeMinutes)
{
    const struct {
        const char *text;
        int stepSeconds;
        const char *message;
    } cases[] = {
        { "30", 600, "" },
        { "25", 600, "Input error:\nInterval 25 is not a multiple of simulation time step (10 min.)" },
        { "5", 89, "" }, // 89 s is one minute, halves up
        { "5", 90, "Input error:\nInterval 5 is not a multiple of simulation time step (2 min.)" },
        // A step below half a minute is 0 minutes and divides nothing.
        { "0", 29, "" },
        { "5", 29, "Input error:\nInterval 5 is not a multiple of simulation time step (0 min.)" },
        { "2.5", 60, "Input error:\nInput 2.5 is not a valid integer number" },
        { "", 60, "Empty value !" },
    };
    for (const auto &c : cases)
        EXPECT_EQ(IntervalMultipleMessage(c.text, c.stepSeconds), c.message) << c.text << " / " << c.stepSeconds;
}

TEST(FieldChecks, DateTimeTexts)
{
    const struct {
        const char *text;
        int valid;
    } cases[] = {
        { " 01 02 2003 04 05 06 ", 1 },
        { "01 02 2003 04 05 06", 1 },
        { "1 02 2003 04 05 06", 0 }, // 18 characters
        { "29 02 2000 00 00 00", 1 },
        { "29 02 1900 00 00 00", 0 },
        { "30 02 2000 00 00 00", 0 },
        { "31 04 2001 00 00 00", 0 },
        { "31 12 2001 23 59 59", 1 },
        // Day 0 has no stored form: it would show a time that is never kept.
        { "00 01 2000 00 00 00", 0 },
        { "01 00 2000 00 00 00", 0 },
        { "01 13 2000 00 00 00", 0 },
        { "01 01 0999 00 00 00", 0 },
        { "01 01 2000 24 00 00", 0 },
        { "01 01 2000 00 60 00", 0 },
        { "01 01 2000 00 00 60", 0 },
        { "aa 01 2000 00 00 00", 0 },
        { "01 01 2000 00 00 00 1", 0 },
        { "", 0 },
        { nullptr, 0 },
    };
    for (const auto &c : cases) {
        const char *shown = c.text ? c.text : "(null)";
        EXPECT_EQ(IsValidDateTimeText(c.text), c.valid) << shown;
        // Every accepted text is the one stored.
        if (c.valid) {
            EXPECT_STRNE(DmyToDateTime(c.text), "") << shown;
        }
    }
    EXPECT_EQ(DateTimeFieldMessage("30 02 2000 00 00 00"),
              "Input error:\nJust entered date-time 30 02 2000 00 00 00 is invalid\nPrevious input reset");
    EXPECT_EQ(DateTimeFieldMessage("00 01 2000 00 00 00"),
              "Input error:\nJust entered date-time 00 01 2000 00 00 00 is invalid\nPrevious input reset");
    EXPECT_EQ(DateTimeFieldMessage(" 29 02 2000 00 00 00"), "");
}

TEST(FieldChecks, EveryDayOfTheCalendarIsCheckedAndKeptAsTyped)
{
    static const int kLength[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    for (int year : { 1000, 1900, 2000, 2001, 2004, 9999 })
        for (int month = 0; month <= 13; ++month)
            for (int day = 0; day <= 32; ++day) {
                char text[32];
                std::snprintf(text, sizeof text, "%02d %02d %04d 23 59 59", day, month, year);
                const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
                const int length = month >= 1 && month <= 12 ? kLength[month - 1] + (month == 2 && leap) : 0;
                const int16_t expected = day >= 1 && day <= length ? 1 : 0;
                ASSERT_EQ(IsValidDateTimeText(text), expected) << text;
                if (expected) {
                    const std::string stored = DmyToDateTime(text);
                    ASSERT_EQ(std::string(DateTimeToDmy(stored.c_str())), text);
                }
            }
}

TEST(FieldChecks, TimeStepTexts)
{
    const struct {
        const char *text;
        int valid;
    } cases[] = {
        { "00 00 0000 00 00 00", 0 }, // all zero
        { "00 00 0000 00 10 00", 1 },
        { " 00 00 0000 00 10 00 ", 1 },
        { "00 01 0000 00 00 00", 0 }, // a month
        { "00 00 0001 00 00 00", 0 }, // a year
        { "99 00 0000 99 99 99", 1 }, // no upper bounds
        { "-1 00 0000 01 00 00", 0 },
        { "0 00 0000 00 10 00", 0 },
        { "", 0 },
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsValidTimeStepText(c.text), c.valid) << c.text;
        if (c.valid) {
            EXPECT_STRNE(DmyToDuration(c.text), "") << c.text;
        }
    }
    EXPECT_EQ(TimeStepFieldMessage("00 00 0000 00 00 00"),
              "Input error:\nJust entered time step 00 00 0000 00 00 00 is invalid\nPrevious input reset");
    EXPECT_EQ(TimeStepFieldMessage("00 00 0000 00 10 00"), "");
}

TEST(FieldChecks, PreviousTextsAreKeptPerField)
{
    PreviousInputs inputs;
    int page1 = 0, page2 = 0;
    inputs.Save(&page1, 9, "01 01 2000 00 00 00");
    inputs.Save(&page1, 12, "02 01 2000 00 00 00");
    inputs.Save(&page2, 9, "03 01 2000 00 00 00");
    ASSERT_NE(inputs.Find(&page1, 9), nullptr);
    EXPECT_EQ(*inputs.Find(&page1, 9), "01 01 2000 00 00 00");
    EXPECT_EQ(*inputs.Find(&page1, 12), "02 01 2000 00 00 00");
    EXPECT_EQ(*inputs.Find(&page2, 9), "03 01 2000 00 00 00");
    EXPECT_EQ(inputs.Find(&page2, 12), nullptr);
    inputs.Save(&page1, 9, "05 01 2000 00 00 00");
    EXPECT_EQ(*inputs.Find(&page1, 9), "05 01 2000 00 00 00");
    inputs.Forget(&page1);
    EXPECT_EQ(inputs.Find(&page1, 9), nullptr);
    EXPECT_EQ(inputs.Find(&page1, 12), nullptr);
    EXPECT_EQ(*inputs.Find(&page2, 9), "03 01 2000 00 00 00");
}

TEST(FieldChecks, SharedRules)
{
    const std::string forty(40, 'a');
    EXPECT_EQ(LimitedText(forty + "b", 40), forty);
    EXPECT_EQ(LimitedText(forty, 40), forty);
    EXPECT_EQ(LimitedText(forty + "bcdef", 40), forty); // a pasted run is cut as a whole

    // A typed text: quotes refused where the field is written in quotes, the
    // cut after them, the caret where the user typed.
    struct Typed {
        const char *typed;
        int caret, max;
        bool quotes;
        const char *kept;
        int keptCaret;
    };
    const Typed typed[] = {
        {"fourteen chars", 14, 14, true, "fourteen chars", 14},
        {"fifteen chars!!", 15, 14, true, "fifteen chars!", 14},
        {"much longer than that", 21, 14, true, "much longer th", 14},
        {"o'brien", 2, 14, true, "obrien", 1},
        {"Jack's pier", 5, -1, true, "Jacks pier", 4},
        {"''", 2, 14, true, "", 0},
        {"it's", 3, 40, false, "it's", 3},
        {"", 0, 14, true, "", 0},
        // Typed in the middle of a full line: the line keeps its first 40
        // characters and the caret stays after the typed one.
        {"WEstuary run with the spring tide and the NW", 1, 40, true, "WEstuary run with the spring tide and th", 1},
        {"Estuary run with the spring tide and the N", 42, 40, true, "Estuary run with the spring tide and the", 40},
    };
    for (const Typed &t : typed) {
        const TypedText out = LimitTypedText(t.typed, t.caret, t.max, t.quotes);
        EXPECT_EQ(out.text, t.kept) << t.typed;
        EXPECT_EQ(out.caret, t.keptCaret) << t.typed;
    }

    EXPECT_EQ(TracksMessage(1, 1001),
              "Number of particles for particle tracking exceeds 1000\n As all particles are written to the "
              "tracking file,\n this may result in a very large file\n Please, reconsider number of particles");
    EXPECT_EQ(TracksMessage(1, 1000), "");
    EXPECT_EQ(TracksMessage(0, 5000), "");

    EXPECT_FALSE(SettlingFieldsEnabled(1e-6));
    EXPECT_FALSE(SettlingFieldsEnabled(0.0));
    EXPECT_TRUE(SettlingFieldsEnabled(-2e-6));

    EXPECT_EQ(FloatFieldText(0.5), "0.5");
    EXPECT_EQ(FloatFieldText(1e-7), "1e-07");
    // Grid coordinates in metres read back to the float they came from.
    for (const float v : {155123.45f, 463456.78f, 4634567.5f, 123456.789f, 0.1f, -20500.25f}) {
        const std::string text = FloatFieldText(v);
        EXPECT_EQ(static_cast<float>(std::strtod(text.c_str(), nullptr)), v) << text;
    }
    EXPECT_EQ(FloatFieldText(155123.45f), "155123.45");
    EXPECT_EQ(FloatFieldText(4634567.5f), "4634567.5");
    EXPECT_EQ(IntFieldText(-999), "-999"); // no value stands for empty
}

TEST(FieldChecks, PaddingRightAlignsInTheClientWidth)
{
    const auto fivePerChar = [](const std::string &t) { return static_cast<int>(t.size()) * 5; };
    // 22 pixels to fill: five blanks cover it, one fewer is prepended.
    EXPECT_EQ(PadTextToWidth("ab", 32, fivePerChar), "    ab");
    EXPECT_EQ(PadTextToWidth("abcdefg", 32, fivePerChar), "abcdefg");
    EXPECT_EQ(PadTextToWidth("abcdefg", 35, fivePerChar), "abcdefg");
    // A font whose blanks have no width ends the padding all the same.
    const auto blanksNoWidth = [](const std::string &t) {
        int w = 0;
        for (char ch : t)
            w += ch == ' ' ? 0 : 5;
        return w;
    };
    const std::string padded = PadTextToWidth("ab", 20, blanksNoWidth);
    EXPECT_LE(padded.size(), 13u);
    EXPECT_EQ(padded.substr(padded.size() - 2), "ab");
}

TEST(FieldChecks, TraceGivesBackItsFormat)
{
    const char *format = "trace %d";
    EXPECT_EQ(TraceMessage(format, 1), format);
}

} // namespace
