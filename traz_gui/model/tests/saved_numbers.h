// What a save after a read must keep.  The first save of what was read may
// round a value to the precision of the format that writes it, and so
// change the form the next save chooses: 1000.01 is saved as "1.000e+03"
// ("%12.3e" above 1000), read back as 1000.0 and saved as "1000.000".  So
// the second save holds the first's lines and texts, and each of its numbers
// within the precision the first was written with: half a unit of its last
// digit.  From the second save on the file is a fixed point.
#ifndef SAVED_NUMBERS_H
#define SAVED_NUMBERS_H

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

namespace savedfile {

// The words of a line, one after the other: a quoted text is one word with
// its blanks.
class Words {
public:
    explicit Words(std::string_view line) : line_(line) {}

    // The next word, false when the line has no more.
    bool Next(std::string_view *word)
    {
        while (i_ < line_.size() && std::isspace(static_cast<unsigned char>(line_[i_])))
            ++i_;
        if (i_ >= line_.size())
            return false;
        const size_t start = i_;
        if (line_[i_] == '\'') {
            const size_t end = line_.find('\'', i_ + 1);
            i_ = end == std::string_view::npos ? line_.size() : end + 1;
        } else {
            while (i_ < line_.size() && !std::isspace(static_cast<unsigned char>(line_[i_])))
                ++i_;
        }
        *word = line_.substr(start, i_ - start);
        return true;
    }

private:
    std::string_view line_;
    size_t i_ = 0;
};

// The lines of a text as std::getline takes them: a last line without a
// line end is a line, a text that ends with a line end has no empty line
// after it.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool Next(std::string_view *line)
    {
        if (at_ >= text_.size())
            return false;
        const size_t end = text_.find('\n', at_);
        const size_t stop = end == std::string_view::npos ? text_.size() : end;
        *line = text_.substr(at_, stop - at_);
        at_ = end == std::string_view::npos ? text_.size() : end + 1;
        return true;
    }

private:
    std::string_view text_;
    size_t at_ = 0;
};

// A number written with a decimal point, in f- or e-form: its value and
// the unit of its last digit.
inline bool Decimal(const std::string &word, double &value, double &unit)
{
    auto digits = [&word](size_t &i) {
        const size_t start = i;
        while (i < word.size() && std::isdigit(static_cast<unsigned char>(word[i])))
            ++i;
        return i - start;
    };
    size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-'))
        ++i;
    if (digits(i) == 0 || i >= word.size() || word[i] != '.')
        return false;
    ++i;
    const size_t decimals = digits(i);
    long exponent = 0;
    if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
        const size_t start = ++i;
        if (i < word.size() && (word[i] == '+' || word[i] == '-'))
            ++i;
        if (digits(i) == 0)
            return false;
        exponent = std::strtol(word.c_str() + start, nullptr, 10);
    }
    if (i != word.size())
        return false;
    value = std::strtod(word.c_str(), nullptr);
    unit = std::pow(10.0, static_cast<double>(exponent) - static_cast<double>(decimals));
    return std::isfinite(value);
}

// Empty when the second save keeps the first as it must; otherwise the
// first difference, for the failure message.  Nothing is allocated while
// the files agree.
inline std::string Differences(const std::string &first, const std::string &second)
{
    Lines a(first), b(second);
    for (int line = 1;; ++line) {
        std::string_view lineA, lineB;
        const bool moreA = a.Next(&lineA);
        const bool moreB = b.Next(&lineB);
        if (!moreA && !moreB)
            return std::string();
        auto where = [&] {
            return "line " + std::to_string(line) + ": '" + std::string(lineA) + "' / '" + std::string(lineB) + "'";
        };
        if (moreA != moreB)
            return where() + " (one file ends first)";
        if (lineA == lineB)
            continue;
        // Word by word; a line with more words than the other differs.
        Words wordsA(lineA), wordsB(lineB);
        for (;;) {
            std::string_view wordA, wordB;
            const bool wordInA = wordsA.Next(&wordA);
            const bool wordInB = wordsB.Next(&wordB);
            if (wordInA != wordInB)
                return where();
            if (!wordInA)
                break;
            double x, unit, y, unused;
            if (wordA == wordB)
                continue;
            if (!Decimal(std::string(wordA), x, unit) || !Decimal(std::string(wordB), y, unused) ||
                std::fabs(x - y) > unit / 2 * (1 + 1e-9))
                return where();
        }
    }
}

}  // namespace savedfile

#endif
