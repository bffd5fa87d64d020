// Date-time strings: validity, the edit and readable forms, arithmetic in
// whole seconds with its carries, minutes held in floating point, and
// Julian days.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "datetime.h"
#include "utilities.h"

namespace {

struct ValidityCase {
    const char *text;
    int dateTime;
    int duration;
};

TEST(DateTime, Validity)
{
    const ValidityCase cases[] = {
        {"20200229120000", 1, 1},   // leap day
        {"20190229120000", 0, 1},   // not a leap year
        {"21000229000000", 0, 1},   // century, not a leap year
        {"20000229000000", 1, 1},   // four-hundredth year
        {"20201231240000", 1, 1},   // hour 24 is accepted
        {"20201231250000", 0, 1},
        {"09990101000000", 0, 1},   // year below 1000: a duration only
        {"20201301000000", 0, 1},   // month 13
        {"20200100000000", 0, 1},   // day 0
        {"20200431000000", 0, 1},   // 31 April
        {"20200101006000", 0, 1},   // minute 60
        {"20200101000060", 0, 1},   // second 60
        {"20200101000000x", 0, 0},  // trailing text
        {"  20200101000000  ", 1, 1},
        {"202001010000-1", 0, 0},   // negative second
        {"", 0, 0},
        {"00000000001000", 0, 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(IsValidDateTime(c.text), c.dateTime) << c.text;
        EXPECT_EQ(IsValidDuration(c.text), c.duration) << c.text;
    }
    EXPECT_EQ(IsValidDateTime(nullptr), 0);
    EXPECT_EQ(IsValidDateTime(TrimBlanks("  20200101000000 ")), 1);  // the shared buffer itself
    EXPECT_EQ(IsValidDuration(nullptr), 0);
}

TEST(DateTime, LeapYears)
{
    EXPECT_EQ(IsLeapYear(2020), 1);
    EXPECT_EQ(IsLeapYear(2019), 0);
    EXPECT_EQ(IsLeapYear(1900), 0);
    EXPECT_EQ(IsLeapYear(2000), 1);
}

TEST(DateTime, EditForm)
{
    const struct {
        const char *edit;
        const char *stored;
    } toStored[] = {
        {"05/01/2020 10:00:00", "20200105100000"},
        {"05 01 2020 10 00 00", "20200105100000"},
        {"  05 / 01 / 2020  10:00:00 ", "20200105100000"},
        {"05012020100000", ""},          // no separators
        {"30 02 2020 00 00 00", ""},     // no such day
        {"05 01 2020 10 00", ""},        // five fields
        {"05 01 2020 10 00 00 7", ""},   // something follows
        {"05-01-2020 10:00:00", ""},     // '-' is no separator
        // A year below 1000 is refused, not written with three digits and
        // read back as another date (0999 as the year 9990).
        {"01 01 0999 00 00 00", ""},
        {"1 1 999 0 0 0", ""},
        {"1 1 1000 0 0 0", "10000101000000"},
    };
    for (const auto &c : toStored)
        EXPECT_STREQ(DmyToDateTime(c.edit), c.stored) << c.edit;

    EXPECT_STREQ(DateTimeToDmy("20200105100000"), "05 01 2020 10 00 00");
    EXPECT_STREQ(DateTimeToDmy("20190229000000"), "");
    EXPECT_STREQ(DurationToDmy("00000000001000"), "00 00 0000 00 10 00");
    EXPECT_STREQ(DmyToDuration("00 00 0000 00 10 00"), "00000000001000");
    EXPECT_STREQ(DmyToDuration("45 00 0000 00 10 00"), "00000045001000");
    EXPECT_STREQ(DmyToDuration("-1 00 0000 00 10 00"), "");
}

TEST(DateTime, ReadableForm)
{
    EXPECT_STREQ(DateTimeToText("20200105100000"), "Jan 5, 2020 10:00:00");
    EXPECT_STREQ(TextToDateTime("Jan 5, 2020 10:00:00"), "20200105100000");
    EXPECT_STREQ(TextToDateTime("Dec 31, 1999 23:59:59"), "19991231235959");
    EXPECT_STREQ(TextToDateTime("jan 5, 2020 10:00:00"), "");   // month names are exact
    EXPECT_STREQ(TextToDateTime("Feb 30, 2020 10:00:00"), "");
    EXPECT_STREQ(TextToDateTime("Jan 5 2020 10:00:00"), "");    // comma missing
    EXPECT_STREQ(TextToDateTime("Jan 1, 999 00:00:00"), "");    // not the year 9990
    EXPECT_STREQ(TextToDateTime("Jan 99999999999999999999, 2020 10:00:00"), "");
    EXPECT_EQ(MonthFromName("jan"), 0);
    EXPECT_EQ(MonthFromName("Jan"), 1);
    EXPECT_EQ(MonthFromName("Dec"), 12);
    EXPECT_EQ(MonthFromName("December"), 0);
    EXPECT_EQ(MonthFromName(nullptr), 0);
}

TEST(DateTime, AddSeconds)
{
    const struct {
        const char *start;
        double seconds;
        const char *result;
    } cases[] = {
        {"20201231240000", 0.0, "20210101000000"},   // hour 24 carries into the next day
        {"20200101000000", -1.0, "20191231235959"},
        {"20200101000000", 86400.4, "20200102000000"},  // 0.4 s rounds down
        {"20200101000000", 0.5, "20200101000001"},      // halves round up
        {"19000101000000", 43200.0, "19000101120000"},  // the default stop time
        {"20200228120000", 86400.0, "20200229120000"},
        {"21000228120000", 86400.0, "21000301120000"},
        {"20200101000000", 366.0 * 86400.0, "20210101000000"},
        // A rounded second that reaches 60 carries through minute, hour,
        // day, month and year.
        {"20200101000059", 0.6, "20200101000100"},
        {"20200101005959", 0.5, "20200101010000"},
        {"20200101235959", 0.5, "20200102000000"},
        {"20191231235959", 0.5, "20200101000000"},
        {"20200101000000", 59.5, "20200101000100"},
        {"20200101000000", -0.5, "20200101000000"},   // -0.5 rounds up to 0
        {"20200101000000", -0.6, "20191231235959"},
        {"20200101000000", -1.5, "20191231235959"},
        // Outside the four-digit years or not a time at all.
        {"10000101000000", -1.0, ""},
        {"99991231235959", 1.0, ""},
        {"20200101000000", 1e15, ""},
        {"20200101000000", std::numeric_limits<double>::quiet_NaN(), ""},
        {"20200101000000", std::numeric_limits<double>::infinity(), ""},
        {"20190229000000", 0.0, ""},
    };
    for (const auto &c : cases)
        EXPECT_STREQ(AddSecondsToDateTime(c.start, c.seconds), c.result)
            << c.start << " + " << c.seconds;
}

// The day arithmetic as the calendar tables define it (days counted from
// 1 January 1600), used as an oracle for dates from 1600 on.
std::string DayCountOracle(int year, int month, int day, int days)
{
    static const int before[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    auto leapYear = [](int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; };
    const int leap = (month > 2 && leapYear(year)) ? 1 : 0;
    const int e = year - 1600, f = e - 1;
    int n = f / 4 - f / 100 + (f + 400) / 400 + 365 * e + before[month] + day + leap;
    n = n + days - 1;
    if (n < 0)
        return "";
    const int k = n / 366, g = k - 1;
    n = n - 365 * k - g / 4 + g / 100 - (g + 400) / 400;
    int y = 1600 + k;
    while (n >= (leapYear(y) ? 366 : 365)) {
        n -= leapYear(y) ? 366 : 365;
        ++y;
    }
    int m = 12, adj = leapYear(y) ? 1 : 0;
    while (n < before[m] + adj) {
        --m;
        if (m == 2)
            adj = 0;
    }
    char buf[48];
    std::snprintf(buf, sizeof buf, "%d%02d%02d", y, m, n - before[m] - adj + 1);
    return buf;
}

TEST(DateTime, AddDays)
{
    EXPECT_STREQ(AddDaysToDate("20200228", 1), "20200229");
    EXPECT_STREQ(AddDaysToDate("20200301", -1), "20200229");
    EXPECT_STREQ(AddDaysToDate("19991231", 1), "20000101");
    EXPECT_STREQ(AddDaysToDate("15991231", 1), "16000101");  // exact before 1600 too
    EXPECT_STREQ(AddDaysToDate("15000301", -1), "15000228"); // 1500 is no leap year
    EXPECT_STREQ(AddDaysToDate("20200230", 0), "");
    EXPECT_STREQ(AddDaysToDate("2020022x", 0), "");
    EXPECT_STREQ(AddDaysToDate("20200101", 2147483647), "");

    const int offsets[] = {-400, -60, -1, 0, 1, 59, 365, 1000, 40000};
    for (int year = 1600; year <= 2400; year += 7) {
        for (int month = 1; month <= 12; month += 5) {
            for (int day : {1, 28}) {
                char date[48];
                std::snprintf(date, sizeof date, "%d%02d%02d", year, month, day);
                for (int days : offsets) {
                    const std::string expected = DayCountOracle(year, month, day, days);
                    if (expected.empty())
                        continue;
                    ASSERT_EQ(AddDaysToDate(date, days), expected) << date << " + " << days;
                }
            }
        }
    }
}

TEST(DateTime, Differences)
{
    double s = -1.0;
    EXPECT_EQ(DateTimeDiffSeconds("20200101000000", "20200301000000", &s), 1);
    EXPECT_EQ(s, 5184000.0);
    EXPECT_EQ(DateTimeDiffSeconds("20200301000000", "20200101000000", &s), 1);
    EXPECT_EQ(s, -5184000.0);
    EXPECT_EQ(DateTimeDiffSeconds("20200101000000", "20200101000000", &s), 1);
    EXPECT_EQ(s, 0.0);
    EXPECT_EQ(DateTimeDiffSeconds("20201231240000", "20210101000000", &s), 1);
    EXPECT_EQ(s, 0.0);
    EXPECT_EQ(DateTimeDiffSeconds("18991231000000", "19010101000000", &s), 1);
    EXPECT_EQ(s, (1 + 365) * 86400.0);  // 1900 is no leap year
    s = 42.0;
    EXPECT_EQ(DateTimeDiffSeconds("20200101000000", "bad", &s), 0);
    EXPECT_EQ(DateTimeDiffSeconds("20190229000000", "20200101000000", &s), 0);
    EXPECT_EQ(s, 42.0);

    double minutes = 0.0;
    EXPECT_EQ(DateTimeDiffMinutes("20200101000000", "20200101000050", &minutes), 1);
    EXPECT_NEAR(minutes, 50.0 / 60.0, 1e-12);
    EXPECT_EQ(DateTimeDiffMinutes("x", "20200101000050", &minutes), 0);
}

// A time held in minutes comes back as the same whole second, near the
// reference and years away from it.
TEST(DateTime, MinutesKeepWholeSeconds)
{
    const char *t0 = "19000101000000";
    const double seconds[] = {50.0, 59.0, 61.0, 3599.0, 86399.0, 31536000.0 + 50.0,
                              10.0 * 31536000.0 + 7.0, 150.0 * 31536000.0 + 49.0};
    for (double s : seconds) {
        const std::string later = AddSecondsToDateTime(t0, s);
        ASSERT_FALSE(later.empty());
        double minutes = 0.0;
        ASSERT_EQ(DateTimeDiffMinutes(t0, later.c_str(), &minutes), 1);
        EXPECT_EQ(MinutesToSeconds(minutes), s) << later;
        EXPECT_STREQ(AddSecondsToDateTime(t0, MinutesToSeconds(minutes)), later.c_str());
    }
    // Minutes that went through single precision still give 50 s, where a
    // truncation would give 49.
    const float stored = 50.0f / 60.0f;
    EXPECT_LT(static_cast<double>(stored) * 60.0, 50.0);
    EXPECT_EQ(MinutesToSeconds(stored), 50.0);
    EXPECT_EQ(MinutesToSeconds(-stored), -50.0);
}

TEST(DateTime, SplitAndJoinSeconds)
{
    int d = -1, h = -1, m = -1;
    float s = -1.0f;
    SplitSeconds(90061.5, &d, &h, &m, &s);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(m, 1);
    EXPECT_FLOAT_EQ(s, 1.5f);
    SplitSeconds(-3600.0, &d, &h, &m, &s);  // the absolute value is split
    EXPECT_EQ(d, 0);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(m, 0);
    EXPECT_EQ(s, 0.0f);
    SplitSeconds(86400.0 * 3, &d, &h, &m, &s);
    EXPECT_EQ(d, 3);
    EXPECT_EQ(h + m, 0);
    SplitSeconds(std::numeric_limits<double>::infinity(), &d, &h, &m, &s);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(JoinSeconds(1, 1, 1, 1.5f), 90061.5);
}

TEST(DateTime, JulianDays)
{
    int y = 2000, mo = 1, d = 1, h = 12, mi = 0, s = 0;
    double jd = 0.0;
    CalendarToJulian(&y, &mo, &d, &h, &mi, &s, &jd);
    EXPECT_EQ(jd, 2451545.0);

    jd = 2451545.0;
    JulianToCalendar(&jd, &y, &mo, &d, &h, &mi, &s);
    EXPECT_EQ(y, 2000);
    EXPECT_EQ(mo, 1);
    EXPECT_EQ(d, 1);
    EXPECT_EQ(h, 12);
    EXPECT_EQ(mi, 0);
    EXPECT_EQ(s, 0);

    const int bad[][6] = {{2000, 13, 1, 0, 0, 0}, {2001, 2, 30, 0, 0, 0}, {2000, 1, 1, 24, 0, 0},
                          {2000, 1, 1, 0, 60, 0}, {-4714, 1, 1, 0, 0, 0}};
    for (const auto &f : bad) {
        jd = 0.0;
        CalendarToJulian(&f[0], &f[1], &f[2], &f[3], &f[4], &f[5], &jd);
        EXPECT_EQ(jd, -1.0) << f[0] << "-" << f[1] << "-" << f[2] << " " << f[3] << ":" << f[4];
    }

    // Round trips to the second.
    const int times[][6] = {{1858, 11, 17, 0, 0, 0}, {1999, 12, 31, 23, 59, 59},
                            {2020, 2, 29, 6, 30, 15}, {2100, 3, 1, 18, 0, 1}};
    for (const auto &t : times) {
        CalendarToJulian(&t[0], &t[1], &t[2], &t[3], &t[4], &t[5], &jd);
        JulianToCalendar(&jd, &y, &mo, &d, &h, &mi, &s);
        EXPECT_EQ(y, t[0]);
        EXPECT_EQ(mo, t[1]);
        EXPECT_EQ(d, t[2]);
        EXPECT_EQ(h, t[3]);
        EXPECT_EQ(mi, t[4]);
        EXPECT_EQ(s, t[5]);
    }

    // A day a hair before midnight rounds into the next day, not to hour 24.
    jd = 2451545.4999999;
    JulianToCalendar(&jd, &y, &mo, &d, &h, &mi, &s);
    EXPECT_EQ(d, 2);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(mi, 0);
    EXPECT_EQ(s, 0);

    for (double invalid : {-1.0, std::numeric_limits<double>::quiet_NaN(), 1e300}) {
        y = 0;
        JulianToCalendar(&invalid, &y, &mo, &d, &h, &mi, &s);
        EXPECT_EQ(y, -9999);
    }
}

} // namespace
