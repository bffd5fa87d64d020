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
#include <sstream>
#include <string>
#include <vector>

namespace savedfile {

// The words of a line: a quoted text is one word with its blanks.
inline std::vector<std::string> Words(const std::string &line)
{
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        const size_t start = i;
        if (line[i] == '\'') {
            const size_t end = line.find('\'', i + 1);
            i = end == std::string::npos ? line.size() : end + 1;
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
                ++i;
        }
        words.push_back(line.substr(start, i - start));
    }
    return words;
}

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
// first difference, for the failure message.
inline std::string Differences(const std::string &first, const std::string &second)
{
    std::istringstream a(first), b(second);
    std::string lineA, lineB;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB)
            return std::string();
        const std::string where = "line " + std::to_string(line) + ": '" + lineA + "' / '" + lineB + "'";
        if (moreA != moreB)
            return where + " (one file ends first)";
        const std::vector<std::string> wordsA = Words(lineA), wordsB = Words(lineB);
        if (wordsA.size() != wordsB.size())
            return where;
        for (size_t k = 0; k < wordsA.size(); ++k) {
            double x, unit, y, unused;
            if (wordsA[k] == wordsB[k])
                continue;
            if (!Decimal(wordsA[k], x, unit) || !Decimal(wordsB[k], y, unused) ||
                std::fabs(x - y) > unit / 2 * (1 + 1e-9))
                return where;
        }
    }
}

}  // namespace savedfile

#endif
