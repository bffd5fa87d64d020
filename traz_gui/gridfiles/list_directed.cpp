// List-directed input on formatted units: the items of one READ statement
// taken from as many lines as they need, with separators, repeat counts,
// empty items and the slash that ends a statement early.

#include "record_io.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace recio {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

bool IsDelimiter(char c)
{
    return IsBlank(c) || c == ',' || c == '/';
}

bool ParseInt(const std::string &text, int32_t *value)
{
    if (text.empty())
        return false;
    const char *s = text.c_str();
    char *end = nullptr;
    errno = 0;
    long long v = std::strtoll(s, &end, 10);
    if (end == s || *end != '\0' || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return false;
    *value = static_cast<int32_t>(v);
    return true;
}

bool ParseDouble(const std::string &text, double *value)
{
    if (text.empty())
        return false;
    std::string t = text;
    for (char &c : t)
        if (c == 'd' || c == 'D')
            c = 'e';
    const char *s = t.c_str();
    char *end = nullptr;
    double v = std::strtod(s, &end);
    if (end == s || *end != '\0')
        return false;
    *value = v;
    return true;
}

}  // namespace

ListRead::ListRead(int unit) : unit_(unit) {}

// The next item of the statement, before repeat counts are applied.
int ListRead::NextRaw(Token *kind, std::string *text)
{
    for (;;) {
        if (!started_ || at_ >= line_.size()) {
            // A line end separates items like a blank.
            int r = ReadLine(unit_, &line_);
            if (r != kOk)
                return r;
            started_ = true;
            at_ = 0;
            continue;
        }
        char c = line_[at_];
        if (IsBlank(c)) {
            ++at_;
            continue;
        }
        if (c == '/') {
            ++at_;
            *kind = Token::kSlash;
            return kOk;
        }
        if (c == ',') {
            ++at_;
            if (after_value_) {
                after_value_ = false;   // the separator after a value
                continue;
            }
            *kind = Token::kNull;
            return kOk;
        }
        text->clear();
        // "r*'text'": the repeat count of a quoted text is taken off here,
        // since the text may hold blanks and separators.
        repeat_prefix_.clear();
        size_t digits = at_;
        while (digits < line_.size() && line_[digits] >= '0' && line_[digits] <= '9')
            ++digits;
        if (digits > at_ && digits + 1 < line_.size() && line_[digits] == '*' &&
            (line_[digits + 1] == '\'' || line_[digits + 1] == '"')) {
            repeat_prefix_ = line_.substr(at_, digits - at_);
            at_ = digits + 1;
            c = line_[at_];
        }
        if (c == '\'' || c == '"') {
            char quote = c;
            ++at_;
            for (;;) {
                if (at_ >= line_.size())
                    return kErrBadNumber;   // unterminated text
                char d = line_[at_++];
                if (d == quote) {
                    if (at_ < line_.size() && line_[at_] == quote) {
                        text->push_back(quote);
                        ++at_;
                        continue;
                    }
                    break;
                }
                text->push_back(d);
            }
            quoted_ = true;
        } else {
            quoted_ = false;
            while (at_ < line_.size() && !IsDelimiter(line_[at_]))
                text->push_back(line_[at_++]);
        }
        after_value_ = true;
        *kind = Token::kValue;
        return kOk;
    }
}

int ListRead::Next(Token *kind, std::string *text)
{
    if (repeat_ > 0) {
        --repeat_;
        *kind = repeat_null_ ? Token::kNull : Token::kValue;
        *text = repeat_text_;
        return kOk;
    }
    int r = NextRaw(kind, text);
    if (r != kOk || *kind != Token::kValue)
        return r;
    // "r*v" and "r*": a repeat count in front of a value or of nothing; a
    // quoted text comes with its count already taken off.
    std::string count_text;
    std::string value;
    if (quoted_) {
        if (repeat_prefix_.empty())
            return kOk;
        count_text = repeat_prefix_;
        value = *text;
    } else {
        size_t star = text->find('*');
        if (star == std::string::npos || star == 0)
            return kOk;
        for (size_t i = 0; i < star; ++i)
            if ((*text)[i] < '0' || (*text)[i] > '9')
                return kOk;
        count_text = text->substr(0, star);
        value = text->substr(star + 1);
    }
    errno = 0;
    long count = std::strtol(count_text.c_str(), nullptr, 10);
    if (count < 1 || errno == ERANGE)
        return kErrBadNumber;
    repeat_text_ = value;
    repeat_null_ = !quoted_ && repeat_text_.empty();   // "r*" alone; "r*''" is an empty text
    repeat_ = count - 1;
    *kind = repeat_null_ ? Token::kNull : Token::kValue;
    *text = repeat_text_;
    return kOk;
}

bool ListRead::Take(std::string *text)
{
    if (result_ != kOk || ended_)
        return false;
    Token kind;
    int r = Next(&kind, text);
    if (r != kOk) {
        result_ = r;
        return false;
    }
    if (kind == Token::kSlash) {
        ended_ = true;
        return false;
    }
    return kind == Token::kValue;
}

ListRead &ListRead::Int(int32_t *value)
{
    std::string text;
    if (Take(&text)) {
        int32_t v;
        if (!quoted_ && ParseInt(text, &v))
            *value = v;
        else
            result_ = kErrBadNumber;
    }
    return *this;
}

ListRead &ListRead::Double(double *value)
{
    std::string text;
    if (Take(&text)) {
        double v;
        if (!quoted_ && ParseDouble(text, &v))
            *value = v;
        else
            result_ = kErrBadNumber;
    }
    return *this;
}

ListRead &ListRead::Real(float *value)
{
    double v = *value;
    Double(&v);
    if (result_ == kOk) {
        if (std::isfinite(v) && std::fabs(v) > FLT_MAX)
            result_ = kErrBadNumber;   // no float holds it
        else
            *value = static_cast<float>(v);
    }
    return *this;
}

ListRead &ListRead::Text(std::string *value)
{
    std::string text;
    if (Take(&text))
        *value = text;
    return *this;
}

}  // namespace recio
