// Section readers of the master definition file for the time frame (the
// reference date, the time unit and step, the start and stop times and
// the time zone, the times turned into whole numbers of steps) and for the
// smoothing time and the return times of the open boundaries.

#include "boundary_sections.h"

#include "boundary_keywords.h"
#include "edit_descriptors.h"
#include "timeseries_blocks.h"

#include <algorithm>
#include <cstdio>
#include <string>

using sectionkw::Cursor;
using sectionkw::kTrue;

namespace {

constexpr float kSmallestStep = 0.000001f;

std::string Lower(std::string text)
{
    for (char &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool IsLetter(char c)
{
    return c >= 'a' && c <= 'z';
}

// A date written as day, month name and two-digit year ("01 jan 93"): the
// date number yyyymmdd, or false when a part is missing or unknown.
bool ReadOldFormDate(const std::string &text, int32_t *date)
{
    std::string line = text;
    const int32_t len = static_cast<int32_t>(line.size());
    int32_t position = 1, end = 0, status = 0, day = 0, year = 0;
    const int32_t fill = 0;
    SCAN_NEXT_INT(line.data(), len, &len, &position, &end, &day, &fill, &status);
    if (status != 1)
        return false;
    char word[4];
    const int32_t max = 4;
    SCAN_NEXT_WORD(line.data(), len, &len, &position, &end, word, 4, &max, &status);
    if (status != 1)
        return false;
    // The year is the word after the month name.
    SCAN_NEXT_INT(line.data(), len, &len, &position, &end, &year, &fill, &status);
    if (status != 1)
        return false;
    static const std::string kMonths = "jan feb mar apr may jun jul aug sep oct nov dec ";
    const size_t at = kMonths.find(std::string(word, 3));
    if (at == std::string::npos || at % 4 != 0)
        return false;
    const int32_t month = static_cast<int32_t>(at / 4) + 1;
    if (year < 0 || year > 8099 || day < 1 || day > 31)
        return false;
    *date = (1900 + year) * 10000 + month * 100 + day;
    return true;
}

// The reference date: Itdate in the old or the new form.  False (date text
// blank, numbers 0) when it cannot be read or does not exist.
bool ReadReferenceDate(const std::string &value, char *date_text, int32_t date_text_len, int32_t *date_number,
                       int32_t *julian_day)
{
    const std::string lower = Lower(value);
    int32_t date = 0, day_number = 0;
    if (lower.size() >= 6 && IsLetter(lower[3]) && IsLetter(lower[4]) && IsLetter(lower[5])) {
        if (!ReadOldFormDate(lower, &date))
            return false;
        JULIAN_DAY_CONVERT(&date, &day_number);
        if (day_number == 0)
            return false;
        day_number = 0;   // the old form keeps no Julian day
        char text[16];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(date / 10000),
                      static_cast<int>(date / 100 % 100), static_cast<int>(date % 100));
        sectionkw::Store(date_text, date_text_len, text);
    } else {
        std::string field = value;
        field.resize(10, ' ');
        int32_t year = 0, month = 0, day = 0;
        if (!flowrec::ParseIntField(field.substr(0, 4), &year) || !flowrec::ParseIntField(field.substr(5, 2), &month) ||
            !flowrec::ParseIntField(field.substr(8, 2), &day))
            return false;
        date = year * 10000 + month * 100 + day;
        JULIAN_DAY_CONVERT(&date, &day_number);
        if (day_number == 0)
            return false;
        field[4] = '-';
        field[7] = '-';
        sectionkw::Store(date_text, date_text_len, field);
    }
    *date_number = date;
    *julian_day = day_number;
    return true;
}

// One real of the time frame: a failed read gives the default and, in
// strict mode, the error flag.
float ReadTime(Cursor &cursor, const char *keyword, bool strict, int32_t *error, float fallback = 0.0f)
{
    float value = fallback;
    if (!cursor.ReadReals(keyword, 1, 1, false, &value, fallback)) {
        value = fallback;
        if (strict)
            *error = kTrue;
    }
    return value;
}

// The whole number of steps of a time.  A time whose steps do not fit in
// 32 bits is "U036" with the keyword (the read fails: the time becomes 0);
// one more than a tenth of a step off the grid is "U044" with the text.
// Each finding sets the error flag in strict mode when `fails`.
int32_t StepsOf(const int32_t *diag_unit, float *time, float step, const char *keyword, const char *text, bool strict,
                bool fails, int32_t *error)
{
    int32_t steps = 0;
    bool off = false;
    if (!sectionkw::StepOf(*time, step, &steps, &off)) {
        sectionkw::Report(diag_unit, "U036", keyword);
        *time = 0.0f;
        if (fails && strict)
            *error = kTrue;
        return 0;
    }
    if (off) {
        sectionkw::Report(diag_unit, "U044", text);
        if (strict)
            *error = kTrue;
    }
    return steps;
}

}  // namespace

extern "C" void READ_TIME_FRAME(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                int32_t *record_number, char *record, int32_t record_len, const int32_t *strict_mode,
                                char *date_text, int32_t date_text_len, float *start_time, float *stop_time,
                                float *time_zone, int32_t *date_number, int32_t *julian_day, int32_t *start_step,
                                int32_t *stop_step, float *time_step, char *time_unit, int32_t time_unit_len,
                                float *seconds_per_unit)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};

    char date[10];
    if (cursor.ReadText("Itdate", true, date, 10, " ") != Cursor::Text::kValue) {
        if (strict)
            *error = kTrue;   // the date text stays as it was
    } else {
        sectionkw::Store(date_text, date_text_len, std::string(date, 10));
        if (!ReadReferenceDate(std::string(date, 10), date_text, date_text_len, date_number, julian_day)) {
            sectionkw::Report(diag_unit, "V007", "Itdate");
            if (strict)
                *error = kTrue;
            sectionkw::Store(date_text, date_text_len, "");
            *date_number = 0;
            *julian_day = 0;
        }
    }

    char unit = 'M';
    if (cursor.ReadText("Tunit", true, &unit, 1, "M") != Cursor::Text::kValue)
        unit = 'M';
    if (unit != 'M')
        sectionkw::Report(diag_unit, "V006", " ");
    sectionkw::Store(time_unit, time_unit_len, std::string(1, unit));
    *seconds_per_unit = 60.0f;

    *time_step = std::max(ReadTime(cursor, "Dt", strict, error), kSmallestStep);
    *start_time = ReadTime(cursor, "Tstart", strict, error);
    *stop_time = ReadTime(cursor, "Tstop", strict, error);
    *start_step = StepsOf(diag_unit, start_time, *time_step, "Tstart", "Start time", strict, true, error);
    *stop_step = StepsOf(diag_unit, stop_time, *time_step, "Tstop", "Stop time", strict, true, error);
    if (static_cast<int64_t>(*stop_step) - *start_step < 1) {
        *stop_step = *start_step;
        sectionkw::Report(diag_unit, "V041", "Stop time must be >=");
    }

    if (cursor.Find("Tzone", true, sectionkw::Reach::kRound))
        *time_zone = ReadTime(cursor, "Tzone", strict, error);
}

extern "C" void READ_SMOOTHING_TIME(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                    int32_t *record_number, char *record, int32_t record_len,
                                    const int32_t *strict_mode, int32_t *smoothing_steps, float *smoothing_time,
                                    const float *time_step, const int32_t *open_boundary_count,
                                    const int32_t *leading_dimension, const int32_t *constituent_count,
                                    float *return_times)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};

    float smoothing = 0.0f;
    if (!cursor.ReadReals("Tlfsmo", 1, 1, false, &smoothing))
        smoothing = 0.0f;
    *smoothing_steps = StepsOf(diag_unit, &smoothing, *time_step, "Tlfsmo", "Smoothing time", strict, false, error);
    *smoothing_time = smoothing;

    if (*constituent_count <= 0)
        return;
    const int32_t lead = std::max(*leading_dimension, 0);
    const int32_t count = std::clamp(*open_boundary_count, 0, lead);
    if (count == 0)
        return;
    float *columns[2] = {return_times, return_times + lead};
    auto read_column = [&](const char *keyword, float *column) {
        if (!cursor.ReadReals(keyword, count, count, false, column))
            std::fill(column, column + count, 0.0f);
    };
    bool single = false;
    if (cursor.Find("Rettis", true, sectionkw::Reach::kRound)) {
        read_column("Rettis", columns[0]);
        read_column("Rettib", columns[1]);
    } else if (cursor.Find("Rettim", true, sectionkw::Reach::kRound)) {
        single = true;
        read_column("Rettim", columns[0]);
        std::copy(columns[0], columns[0] + count, columns[1]);
    } else {
        return;   // the table keeps its values
    }
    for (int32_t i = 0; i < count; ++i)
        for (float *column : columns)
            if (column[i] < 0.0f) {
                sectionkw::Report(diag_unit, "U057", "Th. Harlemann opening nr. " + sectionkw::Int3(i + 1));
                column[i] = 0.0f;
                if (single) {
                    columns[0][i] = columns[1][i] = 0.0f;
                    break;
                }
            }
}
