// Date-time strings and time functions (module timefunc).  Times are held as
// 14-digit texts yyyymmddhhmmss; this module checks them, converts them to
// and from the edit and readable forms, does arithmetic on them in whole
// seconds and converts to and from Julian days.
//
// The text forms are read by a small scanner with the rules of the runtime's
// formatted input (a field skips white space, takes a sign and at most its
// width of characters), so both builds read every text alike and an
// over-long number is refused instead of overflowing.
#include "datetime.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "utilities.h"

namespace {

const char *const kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const int kDaysInMonth[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr int kMinYear = 1000;  // a stored year has four digits
constexpr int kMaxYear = 9999;

// Reads fields from a text the way the runtime's formatted input does.
class FieldReader {
public:
    explicit FieldReader(const char *text) : p_(text) {}

    // "%<width>d" (width 0 = unbounded): white space, a sign, digits.
    bool Int(int width, int *out)
    {
        SkipSpace();
        const char *q = p_;
        int used = 0;
        bool negative = false;
        if ((*q == '+' || *q == '-') && (width == 0 || used < width)) {
            negative = *q == '-';
            ++q;
            ++used;
        }
        long long value = 0;
        int digits = 0;
        while (std::isdigit(static_cast<unsigned char>(*q)) && (width == 0 || used < width)) {
            value = value * 10 + (*q - '0');
            if (value > INT_MAX)
                return false;
            ++q;
            ++used;
            ++digits;
        }
        if (digits == 0)
            return false;
        p_ = q;
        *out = static_cast<int>(negative ? -value : value);
        return true;
    }

    // "%*[set]": at least one character of the set.
    bool SkipSet(const char *set)
    {
        const char *q = p_;
        while (*q && std::strchr(set, *q))
            ++q;
        if (q == p_)
            return false;
        p_ = q;
        return true;
    }

    // "%<width>s": white space, then up to width non-space characters.
    bool Word(int width, char *out)
    {
        SkipSpace();
        int n = 0;
        while (*p_ && !std::isspace(static_cast<unsigned char>(*p_)) && n < width)
            out[n++] = *p_++;
        out[n] = '\0';
        return n > 0;
    }

    // A literal character of the format.
    bool Literal(char c)
    {
        if (*p_ != c)
            return false;
        ++p_;
        return true;
    }

    // A blank in the format: any white space, none included.
    void SkipSpace()
    {
        while (std::isspace(static_cast<unsigned char>(*p_)))
            ++p_;
    }

    bool AtEnd() const { return *p_ == '\0'; }

private:
    const char *p_;
};

struct Fields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// "%4d%2d%2d%2d%2d%2d%n" over the trimmed text, all of it consumed.
bool ReadStored(const char *text, Fields *f)
{
    if (!text)
        return false;
    FieldReader r(TrimBlanks(text));
    return r.Int(4, &f->year) && r.Int(2, &f->month) && r.Int(2, &f->day) &&
           r.Int(2, &f->hour) && r.Int(2, &f->minute) && r.Int(2, &f->second) && r.AtEnd();
}

int DaysInMonth(int year, int month)
{
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kDaysInMonth[month];
}

bool FieldsAreDateTime(const Fields &f)
{
    return f.year >= kMinYear && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
           f.day <= DaysInMonth(f.year, f.month) && f.hour >= 0 && f.hour <= 24 &&
           f.minute >= 0 && f.minute <= 59 && f.second >= 0 && f.second <= 59;
}

bool FieldsAreDuration(const Fields &f)
{
    return f.year >= 0 && f.month >= 0 && f.day >= 0 && f.hour >= 0 && f.minute >= 0 &&
           f.second >= 0;
}

// Days from 1 January 1970 of a proleptic Gregorian date (exact for every
// year).
long long DaysFromCivil(long long y, int m, int d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, long long *y, int *m, int *d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    *d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *y = yoe + era * 400 + (*m <= 2);
}

// Seconds of a valid date-time from 1 January 1970 (an hour of 24 counts as
// the next day's midnight).
long long SecondsOf(const Fields &f)
{
    return DaysFromCivil(f.year, f.month, f.day) * 86400LL + f.hour * 3600LL + f.minute * 60LL +
           f.second;
}

// Writes the stored form of a day count and a second of the day; false
// outside the four-digit years.
bool FormatStored(long long days, long long secondOfDay, char *out, size_t size)
{
    long long year;
    int month, day;
    CivilFromDays(days, &year, &month, &day);
    if (year < kMinYear || year > kMaxYear)
        return false;
    const int h = static_cast<int>(secondOfDay / 3600);
    const int mi = static_cast<int>(secondOfDay / 60 % 60);
    const int s = static_cast<int>(secondOfDay % 60);
    std::snprintf(out, size, "%lld%02d%02d%02d%02d%02d", year, month, day, h, mi, s);
    return true;
}

// The longest text any function of this module writes is far below this.
constexpr size_t kBuf = 64;

} // namespace

int16_t IsLeapYear(int year)
{
    return ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0) ? 1 : 0;
}

int16_t IsValidDateTime(const char *text)
{
    Fields f;
    return ReadStored(text, &f) && FieldsAreDateTime(f) ? 1 : 0;
}

int16_t IsValidDuration(const char *text)
{
    Fields f;
    return ReadStored(text, &f) && FieldsAreDuration(f) ? 1 : 0;
}

const char *DateTimeToDmy(const char *dateTime)
{
    static char buf[kBuf];
    Fields f;
    if (!ReadStored(dateTime, &f) || !FieldsAreDateTime(f))
        return "";
    std::snprintf(buf, sizeof buf, "%02d %02d %04d %02d %02d %02d", f.day, f.month, f.year, f.hour,
                  f.minute, f.second);
    return buf;
}

const char *DurationToDmy(const char *duration)
{
    static char buf[kBuf];
    Fields f;
    if (!ReadStored(duration, &f) || !FieldsAreDuration(f))
        return "";
    std::snprintf(buf, sizeof buf, "%02d %02d %04d %02d %02d %02d", f.day, f.month, f.year, f.hour,
                  f.minute, f.second);
    return buf;
}

namespace {

// "%2d%*[ /:]%2d%*[ /:]%4d%*[ /:]%2d%*[ /:]%2d%*[ /:]%2d%n"
bool ReadEditForm(const char *text, Fields *f)
{
    if (!text)
        return false;
    static const char kSep[] = " /:";
    FieldReader r(TrimBlanks(text));
    return r.Int(2, &f->day) && r.SkipSet(kSep) && r.Int(2, &f->month) && r.SkipSet(kSep) &&
           r.Int(4, &f->year) && r.SkipSet(kSep) && r.Int(2, &f->hour) && r.SkipSet(kSep) &&
           r.Int(2, &f->minute) && r.SkipSet(kSep) && r.Int(2, &f->second) && r.AtEnd();
}

} // namespace

const char *DmyToDateTime(const char *text)
{
    static char buf[kBuf];
    Fields f;
    // The fields themselves must be a date-time: a year below 1000 would be
    // written with three digits and read back shifted (0999 as 9990).
    if (!ReadEditForm(text, &f) || !FieldsAreDateTime(f))
        return "";
    std::snprintf(buf, sizeof buf, "%d%02d%02d%02d%02d%02d", f.year, f.month, f.day, f.hour,
                  f.minute, f.second);
    if (!IsValidDateTime(buf))
        return "";
    return buf;
}

const char *DmyToDuration(const char *text)
{
    static char buf[kBuf];
    Fields f;
    if (!ReadEditForm(text, &f))
        return "";
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", f.year, f.month, f.day, f.hour,
                  f.minute, f.second);
    if (!IsValidDuration(buf))
        return "";
    return buf;
}

const char *DateTimeToText(const char *dateTime)
{
    static char buf[kBuf];
    Fields f;
    if (!ReadStored(dateTime, &f) || !FieldsAreDateTime(f))
        return "";
    std::snprintf(buf, sizeof buf, "%s %d, %d %02d:%02d:%02d", kMonthNames[f.month - 1], f.day,
                  f.year, f.hour, f.minute, f.second);
    return buf;
}

const char *TextToDateTime(const char *text)
{
    static char buf[kBuf];
    if (!text)
        return "";
    // "%3s%d, %4d%2d:%2d:%2d%n"
    char name[4];
    Fields f;
    FieldReader r(TrimBlanks(text));
    if (!(r.Word(3, name) && r.Int(0, &f.day) && r.Literal(','))) {
        return "";
    }
    r.SkipSpace();
    if (!(r.Int(4, &f.year) && r.Int(2, &f.hour) && r.Literal(':') && r.Int(2, &f.minute) &&
          r.Literal(':') && r.Int(2, &f.second) && r.AtEnd()))
        return "";
    f.month = MonthFromName(name);
    if (!FieldsAreDateTime(f))  // a three-digit year would be read back shifted
        return "";
    std::snprintf(buf, sizeof buf, "%d%02d%02d%02d%02d%02d", f.year, f.month, f.day, f.hour,
                  f.minute, f.second);
    if (!IsValidDateTime(buf))
        return "";
    return buf;
}

int MonthFromName(const char *name)
{
    if (!name)
        return 0;
    for (int m = 0; m < 12; ++m)
        if (std::strcmp(name, kMonthNames[m]) == 0)
            return m + 1;
    return 0;
}

const char *AddDaysToDate(const char *date, int days)
{
    static char buf[kBuf];
    if (!date)
        return "";
    Fields f;
    FieldReader r(TrimBlanks(date));
    if (!(r.Int(4, &f.year) && r.Int(2, &f.month) && r.Int(2, &f.day) && r.AtEnd()))
        return "";
    if (!FieldsAreDateTime(f))
        return "";
    long long year;
    int month, day;
    CivilFromDays(DaysFromCivil(f.year, f.month, f.day) + days, &year, &month, &day);
    if (year < kMinYear || year > kMaxYear)
        return "";
    std::snprintf(buf, sizeof buf, "%lld%02d%02d", year, month, day);
    return buf;
}

const char *AddSecondsToDateTime(const char *dateTime, double seconds)
{
    static char buf[kBuf];
    Fields f;
    if (!ReadStored(dateTime, &f) || !FieldsAreDateTime(f))
        return "";
    // The sum is rounded to whole seconds before it is split, so a fraction
    // that rounds up to a full minute carries through minutes, hours and
    // days instead of leaving a second 60.
    const double total = f.hour * 3600.0 + f.minute * 60.0 + f.second + seconds;
    if (!std::isfinite(total) || std::fabs(total) > 1e14)
        return "";
    const long long whole = static_cast<long long>(RoundHalfUp(total));
    long long dayShift = whole / 86400;
    long long secondOfDay = whole % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        dayShift -= 1;
    }
    if (!FormatStored(DaysFromCivil(f.year, f.month, f.day) + dayShift, secondOfDay, buf, sizeof buf))
        return "";
    return buf;
}

int16_t DateTimeDiffSeconds(const char *first, const char *second, double *seconds)
{
    Fields a, b;
    if (!ReadStored(first, &a) || !FieldsAreDateTime(a) || !ReadStored(second, &b) ||
        !FieldsAreDateTime(b))
        return 0;
    if (seconds)
        *seconds = static_cast<double>(SecondsOf(b) - SecondsOf(a));
    return 1;
}

int16_t DateTimeDiffMinutes(const char *first, const char *second, double *minutes)
{
    double s = 0.0;
    const int16_t ok = DateTimeDiffSeconds(first, second, &s);
    if (ok && minutes)
        *minutes = s / 60.0;
    return ok;
}

double MinutesToSeconds(double minutes)
{
    return RoundHalfUp(minutes * 60.0);
}

void SplitSeconds(double seconds, int *days, int *hours, int *minutes, float *secs)
{
    const double a = std::fabs(seconds);
    const double dayCount = std::isfinite(a) ? std::trunc(a / 86400.0 + GE_EPSILON) : 0.0;
    // A count beyond the int range keeps only its days.
    const bool huge = dayCount >= static_cast<double>(INT_MAX);
    const int d = huge ? INT_MAX : static_cast<int>(dayCount);
    float rest = huge || !std::isfinite(a) ? 0.0f : static_cast<float>(a - dayCount * 86400.0);
    int h = 0, m = 0;
    float s = 0.0f;
    if (rest > GE_EPSILON) {
        h = static_cast<int>(std::trunc(rest / 3600.0 + GE_EPSILON));
        rest = rest - 3600.0f * static_cast<float>(h);
        if (rest > GE_EPSILON) {
            m = static_cast<int>(std::trunc(rest / 60.0 + GE_EPSILON));
            rest = rest - 60.0f * static_cast<float>(m);
            s = rest > GE_EPSILON ? rest : 0.0f;
        }
    }
    if (days)
        *days = d;
    if (hours)
        *hours = h;
    if (minutes)
        *minutes = m;
    if (secs)
        *secs = s;
}

double JoinSeconds(int days, int hours, int minutes, float seconds)
{
    return days * 86400.0 + hours * 3600.0 + minutes * 60.0 + seconds;
}

void CalendarToJulian(const int *year, const int *month, const int *day, const int *hour,
                      const int *minute, const int *second, double *julian)
{
    if (!julian)
        return;
    *julian = -1.0;
    if (!year || !month || !day || !hour || !minute || !second)
        return;
    const int y = *year, mo = *month, d = *day, h = *hour, mi = *minute, s = *second;
    if (y < -4713 || mo < 1 || mo > 12 || d < 1 || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 ||
        s > 59)
        return;
    const int dim = mo == 2 ? 29 : kDaysInMonth[mo];
    if (d > dim)
        return;
    const double a = (mo <= 2) ? -1.0 : 0.0;
    const double yy = static_cast<double>(y);
    const double jdn = d - 32075.0 + std::trunc((yy + 4800.0 + a) * 1461.0 / 4.0) +
                       static_cast<double>(((mo - 2 - 12 * static_cast<int>(a)) * 367) / 12) -
                       std::trunc(std::trunc((yy + 4900.0 + a) / 100.0) * 3.0 / 4.0);
    *julian = jdn + (3600.0 * h + 60.0 * mi + s - 43200.0) / 86400.0;
}

void JulianToCalendar(const double *julian, int *year, int *month, int *day, int *hour,
                      int *minute, int *second)
{
    if (!julian || !year || !month || !day || !hour || !minute || !second)
        return;
    const double jd = *julian;
    // Negative, non-finite or far-future days have no calendar date here.
    if (!(jd >= 0.0) || jd > 1e9) {
        *year = -9999;
        return;
    }
    double whole = std::floor(jd);
    const double fraction = jd - whole;
    double f;
    if (fraction < 0.5) {
        f = fraction + 0.5;
    } else {
        f = fraction - 0.5;
        whole += 1.0;
    }
    f += 5.787e-6;  // half a second: the clock below truncates
    long long secondOfDay = static_cast<long long>(86400.0 * f);
    if (secondOfDay >= 86400) {  // the half second reached midnight
        secondOfDay -= 86400;
        whole += 1.0;
    }
    long long l = static_cast<long long>(whole) + 68569;
    const long long n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    const long long i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    const long long j = 80 * l / 2447;
    *day = static_cast<int>(l - 2447 * j / 80);
    l = j / 11;
    *month = static_cast<int>(j + 2 - 12 * l);
    *year = static_cast<int>(100 * (n - 49) + i + l);
    *hour = static_cast<int>(secondOfDay / 3600);
    *minute = static_cast<int>(secondOfDay / 60 % 60);
    *second = static_cast<int>(secondOfDay % 60);
}
