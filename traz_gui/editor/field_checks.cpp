// Field checks of the editor without windows: number, date-time and
// time-step rules with their messages, and the shared small rules and
// formatters of the pages.
#include "field_checks.h"

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "datetime.h"
#include "editor_services.h"


std::string CheckTextF(const char *format, ...)
{
    va_list args, again;
    va_start(args, format);
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (n > 0) {
        text.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(&text[0], text.size(), format, again);
        text.resize(static_cast<size_t>(n));
    }
    va_end(again);
    return text;
}

namespace {


std::string Trimmed(const char *text)
{
    if (text == nullptr)
        return std::string();
    const char *begin = text;
    while (*begin == ' ' || *begin == '\t' || *begin == '\n' || *begin == '\r')
        ++begin;
    const char *end = begin + std::strlen(begin);
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\n' || end[-1] == '\r'))
        --end;
    return std::string(begin, end);
}

// The whole text one decimal integer within the int range.
bool ReadInteger(const std::string &text, int *value)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    errno = 0;
    char *end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno == ERANGE || *end != '\0' || end == text.c_str() || v < INT_MIN || v > INT_MAX)
        return false;
    *value = static_cast<int>(v);
    return true;
}

// The whole text one finite number that a float holds.
bool ReadFloat(const std::string &text, double *value)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    char *end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || end == text.c_str() || !std::isfinite(v) || std::fabs(v) > FLT_MAX)
        return false;
    *value = static_cast<double>(static_cast<float>(v));
    return true;
}

constexpr const char *kEmpty = "Empty value !";

// Steps shared by the number checks: empty, not a number, then the range
// test of the value (a message, "" when it is inside).
template <typename Range>
std::string IntegerCheck(const char *text, Range range)
{
    const std::string t = Trimmed(text);
    if (t.empty())
        return kEmpty;
    int v = 0;
    if (!ReadInteger(t, &v))
        return CheckTextF("Input error:\nInput %s is not a valid integer number", t.c_str());
    return range(t, v);
}

template <typename Range>
std::string FloatCheck(const char *text, Range range)
{
    const std::string t = Trimmed(text);
    if (t.empty())
        return kEmpty;
    double v = 0;
    if (!ReadFloat(t, &v))
        return CheckTextF("Input error:\nInput %s is not a valid floating point number", t.c_str());
    return range(t, v);
}

// The six fields of an edit-form text when it has the shape of one:
// 19 characters after trimming and six numbers read.
bool ReadEditFields(const char *text, std::string *trimmed, int f[6])
{
    *trimmed = Trimmed(text);
    if (trimmed->size() != 19)
        return false;
    return std::sscanf(trimmed->c_str(), "%2d%2d%4d%2d%2d%2d", &f[0], &f[1], &f[2], &f[3], &f[4],
                       &f[5]) == 6;
}

} // namespace

std::string IntegerRangeMessage(const char *text, int min, int max)
{
    return IntegerCheck(text, [&](const std::string &, int v) {
        return min <= v && v <= max ? std::string()
                                    : CheckTextF("Input error:\nValue must be between %d and %d", min, max);
    });
}

std::string FloatNonNegativeMessage(const char *text)
{
    return FloatCheck(text, [](const std::string &t, double v) {
        return v >= 0 ? std::string()
                      : CheckTextF("Input error:\nValue %s must be greater than or equal to %g", t.c_str(), 0.0);
    });
}

std::string IntegerPositiveMessage(const char *text)
{
    return IntegerCheck(text, [](const std::string &t, int v) {
        return v > 0 ? std::string() : CheckTextF("Input error:\nValue %s must be greater than %d", t.c_str(), 0);
    });
}

std::string FloatIntervalMessage(const char *text, double lo, double hi)
{
    return FloatCheck(text, [&](const std::string &t, double v) {
        // The value is a float: so are the bounds it is held to.
        const double low = static_cast<float>(lo), high = static_cast<float>(hi);
        return low <= v && v <= high
                   ? std::string()
                   : CheckTextF("Input error:\nValue %s must be in interval [%6.2f,%6.2f]", t.c_str(), lo, hi);
    });
}

std::string FloatPositiveMessage(const char *text)
{
    return FloatCheck(text, [](const std::string &t, double v) {
        return v > 0 ? std::string() : CheckTextF("Input error:\nValue %s must be greater than %g", t.c_str(), 0.0);
    });
}

std::string FloatMessage(const char *text)
{
    return FloatCheck(text, [](const std::string &, double) { return std::string(); });
}

std::string IntegerMessage(const char *text)
{
    return IntegerCheck(text, [](const std::string &, int) { return std::string(); });
}

std::string IntervalMultipleMessage(const char *text, int32_t stepSeconds)
{
    return IntegerCheck(text, [&](const std::string &, int interval) {
        const long long step = (static_cast<long long>(stepSeconds) + 30) / 60;
        const bool multiple = step == 0 ? interval == 0 : interval % step == 0;
        return multiple ? std::string()
                        : CheckTextF("Input error:\nInterval %d is not a multiple of simulation time step (%lld min.)",
                                 interval, step);
    });
}

int16_t IsValidDateTimeText(const char *text)
{
    std::string t;
    int f[6];
    if (!ReadEditFields(text, &t, f))
        return 0;
    const int day = f[0], month = f[1], year = f[2];
    if (year < 1000 || month < 1 || month > 12)
        return 0;
    static const int kDays[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    const int length = month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
    // Day 0 is no date: the stored form has no such day.
    if (day < 1 || day > length)
        return 0;
    if (f[3] < 0 || f[3] > 23 || f[4] < 0 || f[4] > 59 || f[5] < 0 || f[5] > 59)
        return 0;
    // The text is only valid when it is stored as it reads.
    return DmyToDateTime(t.c_str())[0] != '\0' ? 1 : 0;
}

int16_t IsValidTimeStepText(const char *text)
{
    std::string t;
    int f[6];
    if (!ReadEditFields(text, &t, f))
        return 0;
    if (f[2] != 0 || f[1] != 0)
        return 0;
    if (f[0] < 0 || f[3] < 0 || f[4] < 0 || f[5] < 0)
        return 0;
    if (f[0] == 0 && f[3] == 0 && f[4] == 0 && f[5] == 0)
        return 0;
    return DmyToDuration(t.c_str())[0] != '\0' ? 1 : 0;
}

std::string DateTimeFieldMessage(const char *text)
{
    if (IsValidDateTimeText(text))
        return std::string();
    return CheckTextF("Input error:\nJust entered date-time %s is invalid\nPrevious input reset", Trimmed(text).c_str());
}

std::string TimeStepFieldMessage(const char *text)
{
    if (IsValidTimeStepText(text))
        return std::string();
    return CheckTextF("Input error:\nJust entered time step %s is invalid\nPrevious input reset", Trimmed(text).c_str());
}

void PreviousInputs::Save(const void *window, int32_t id, const std::string &text)
{
    texts_[{ window, id }] = text;
}

const std::string *PreviousInputs::Find(const void *window, int32_t id) const
{
    const auto it = texts_.find({ window, id });
    return it == texts_.end() ? nullptr : &it->second;
}

void PreviousInputs::Forget(const void *window)
{
    for (auto it = texts_.begin(); it != texts_.end();)
        it = it->first.first == window ? texts_.erase(it) : std::next(it);
}

std::string LimitedText(const std::string &text, size_t max)
{
    return text.size() > max ? text.substr(0, max) : text;
}

TypedText LimitTypedText(const std::string &text, int caret, int max, bool refuseQuotes)
{
    TypedText out{std::string(), caret};
    for (size_t i = 0; i < text.size(); ++i) {
        if (refuseQuotes && text[i] == '\'') {
            if (static_cast<int>(i) < caret)
                --out.caret;
            continue;
        }
        out.text += text[i];
    }
    if (max >= 0)
        out.text = LimitedText(out.text, static_cast<size_t>(max));
    const int length = static_cast<int>(out.text.size());
    out.caret = out.caret < 0 ? 0 : out.caret > length ? length : out.caret;
    return out;
}

std::string TracksMessage(int16_t flag, int particles)
{
    if (!flag || particles <= 1000)
        return std::string();
    return "Number of particles for particle tracking exceeds 1000\n As all particles are written to the "
           "tracking file,\n this may result in a very large file\n Please, reconsider number of particles";
}

bool SettlingFieldsEnabled(double velocity)
{
    return std::fabs(velocity) > 1e-6;
}

std::string FloatFieldText(double value)
{
    // The fewest significant digits (at least six) that read back to the
    // same float: a shown value that is stored again stays what it was.
    const float stored = static_cast<float>(value);
    std::string text;
    for (int digits = 6; digits <= 9; ++digits) {
        text = CheckTextF("%.*g", digits, value);
        if (!std::isfinite(value) || static_cast<float>(std::strtod(text.c_str(), nullptr)) == stored)
            break;
    }
    return text;
}

std::string IntFieldText(int value)
{
    return CheckTextF("%d", value);
}

std::string PadTextToWidth(const std::string &text, int clientWidth,
                           const std::function<int(const std::string &)> &measure)
{
    const int difference = clientWidth - measure(text);
    if (difference <= 0)
        return text;
    std::string blanks;
    // A font whose blank has no width would never fill the difference.
    while (measure(blanks) < difference && blanks.size() <= static_cast<size_t>(difference))
        blanks += ' ';
    if (!blanks.empty())
        blanks.pop_back();
    return blanks + text;
}

void PrintStatus(long status, const char *text)
{
    std::printf("Status: %ld - %s\n", status, text ? text : "");
}

const char *TraceMessage(const char *format, ...)
{
    return format;
}
