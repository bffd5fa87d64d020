// Fixed-width integer and real fields of formatted records: reading with
// blanks ignored and implied decimals, writing right-justified with
// asterisks for a value that does not fit.

#include "edit_descriptors.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace flowrec {
namespace {

// The field without blanks (blanks in numeric input fields are ignored).
std::string Squeeze(std::string_view field)
{
    std::string s;
    for (char c : field)
        if (c != ' ' && c != '\t')
            s.push_back(c);
    return s;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::string FieldAt(std::string_view record, size_t start, size_t width)
{
    std::string f;
    if (start < record.size())
        f = std::string(record.substr(start, width));
    f.resize(width, ' ');
    return f;
}

bool ParseIntField(std::string_view field, int32_t *value)
{
    std::string s = Squeeze(field);
    if (s.empty()) {
        *value = 0;
        return true;
    }
    size_t i = 0;
    bool negative = false;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        i = 1;
    }
    if (i == s.size())
        return false;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (!IsDigit(s[i]))
            return false;
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<long long>(INT32_MAX) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return false;
    *value = static_cast<int32_t>(v);
    return true;
}

bool ParseRealField(std::string_view field, int decimals, float *value)
{
    std::string s = Squeeze(field);
    if (s.empty()) {
        *value = 0.0f;
        return true;
    }
    size_t i = 0;
    std::string sign;
    if (s[0] == '+' || s[0] == '-') {
        if (s[0] == '-')
            sign = "-";
        i = 1;
    }
    std::string whole, fraction;
    bool point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (IsDigit(c))
            (point ? fraction : whole).push_back(c);
        else if (c == '.' && !point)
            point = true;
        else
            break;
    }
    if (whole.empty() && fraction.empty())
        return false;
    // Exponent: a letter E, D or Q with an optional sign, or a sign alone.
    std::string exponent = "0";
    if (i < s.size()) {
        char c = s[i];
        if (c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == 'q' || c == 'Q')
            ++i;
        else if (c != '+' && c != '-')
            return false;
        std::string e;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            e.push_back(s[i++]);
        size_t digits = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++digits)
            e.push_back(s[i]);
        if (digits == 0 || i != s.size() || digits > 6)
            return false;
        exponent = e;
    }
    if (!point && decimals > 0) {
        // Implied decimals: the last `decimals` digits are the fraction.
        std::string digits = whole;
        if (digits.size() < static_cast<size_t>(decimals))
            digits.insert(0, static_cast<size_t>(decimals) - digits.size(), '0');
        whole = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
        fraction = digits.substr(digits.size() - static_cast<size_t>(decimals));
    }
    std::string text = sign + (whole.empty() ? "0" : whole) + "." + fraction + "e" + exponent;
    double v = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(v) || std::fabs(v) > FLT_MAX)
        return false;
    *value = static_cast<float>(v);
    return true;
}

std::string FormatFixed(double value, int width, int decimals)
{
    std::string text;
    if (std::isnan(value)) {
        text = "NaN";
    } else if (std::isinf(value)) {
        text = value < 0 ? "-Infinity" : "Infinity";
        if (static_cast<int>(text.size()) > width)
            text = value < 0 ? "-Inf" : "Inf";
    } else {
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
        text = buf;
        // A negative value that rounds to zero keeps no minus sign.
        if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
            text.erase(0, 1);
    }
    if (static_cast<int>(text.size()) > width)
        return std::string(static_cast<size_t>(width), '*');
    return std::string(static_cast<size_t>(width) - text.size(), ' ') + text;
}

std::string FormatInt(long long value, int width)
{
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) > width)
        return std::string(static_cast<size_t>(width), '*');
    return std::string(static_cast<size_t>(width) - text.size(), ' ') + text;
}

}  // namespace flowrec
