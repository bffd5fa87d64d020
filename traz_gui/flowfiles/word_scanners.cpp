// Scanners of the words of a record: the next word as text, integer or
// real (with bracketed words standing for a fill value), the text between
// two '#' characters, trimming and copying a value, and lower-casing.

#include "keyword_records.h"

#include "edit_descriptors.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

int32_t LastColumn(int32_t line_len, const int32_t *last_column)
{
    return std::max(0, std::min(line_len, *last_column));
}

// Skips blanks from *position and finds the word after them: its first
// column in *start, the column after it in *position and *word_end.  False
// when the line ends first.
bool NextWord(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position,
              int32_t *word_end, int32_t *start)
{
    const int32_t last = LastColumn(line_len, last_column);
    int32_t c = std::max(1, *position);
    while (c <= last && IsBlank(line[c - 1]))
        ++c;
    if (c > last) {
        *position = last + 1;
        *word_end = *position;
        return false;
    }
    *start = c;
    while (c <= last && !IsBlank(line[c - 1]))
        ++c;
    *position = c;
    *word_end = c;
    return true;
}

// A bracketed word: true when the word begins with '[' or ends with ']';
// one that opens without closing moves the scan past the next ']'.
bool Bracketed(const char *line, int32_t line_len, const int32_t *last_column, int32_t start, int32_t *position,
               int32_t *word_end)
{
    const char first = line[start - 1];
    const char final = line[*position - 2];
    if (first != '[' && final != ']')
        return false;
    if (first == '[' && final != ']') {
        const int32_t last = LastColumn(line_len, last_column);
        int32_t c = *position;
        while (c <= last && line[c - 1] != ']')
            ++c;
        *position = c <= last ? c + 1 : last + 1;
        *word_end = *position;
    }
    return true;
}

template <typename T, typename Parse>
void ScanNumber(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position, int32_t *word_end,
                T *value, const T *fill, int32_t *status, Parse parse)
{
    int32_t start = 0;
    if (!NextWord(line, line_len, last_column, position, word_end, &start)) {
        *status = 0;
        return;
    }
    if (Bracketed(line, line_len, last_column, start, position, word_end)) {
        *value = *fill;
        *status = -1;
        return;
    }
    std::string word(line + start - 1, static_cast<size_t>(*word_end - start));
    if (parse(word, value)) {
        *status = 1;
    } else {
        *value = *fill;
        *status = -2;
    }
}

}  // namespace

extern "C" void SCAN_NEXT_WORD(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position,
                               int32_t *word_end, char *word, int32_t word_len, const int32_t *max_length,
                               int32_t *status)
{
    int32_t start = 0;
    if (!NextWord(line, line_len, last_column, position, word_end, &start)) {
        *status = 0;
        return;
    }
    const int32_t length = *word_end - start;
    if (length > std::min(*max_length, word_len)) {
        *status = -1;
        return;
    }
    std::memset(word, ' ', static_cast<size_t>(word_len));
    std::memcpy(word, line + start - 1, static_cast<size_t>(length));
    *status = 1;
}

extern "C" void SCAN_NEXT_INT(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position,
                              int32_t *word_end, int32_t *value, const int32_t *fill, int32_t *status)
{
    ScanNumber(line, line_len, last_column, position, word_end, value, fill, status,
               [](const std::string &w, int32_t *v) { return flowrec::ParseIntField(w, v); });
}

extern "C" void SCAN_NEXT_REAL(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position,
                               int32_t *word_end, float *value, const float *fill, int32_t *status)
{
    ScanNumber(line, line_len, last_column, position, word_end, value, fill, status,
               [](const std::string &w, float *v) { return flowrec::ParseRealField(w, 0, v); });
}

extern "C" void SCAN_INT_ARRAY(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position,
                               int32_t *word_end, const int32_t *count, int32_t *values, const int32_t *fill,
                               int32_t *status)
{
    *status = 1;
    for (int32_t i = 0; i < *count; ++i) {
        SCAN_NEXT_INT(line, line_len, last_column, position, word_end, values + i, fill, status);
        if (*status == 0 || *status == -2)
            return;
    }
}

extern "C" void FIND_HASH_DELIMITED_VALUE(const char *record, int32_t record_len, const int32_t *last_column,
                                          int32_t *start, int32_t *end, int32_t *error)
{
    const int32_t last = LastColumn(record_len, last_column);
    int32_t c = std::max(1, *start);
    while (c <= last && record[c - 1] != '#')
        ++c;
    if (c > last) {
        *error = -1;
        return;
    }
    *start = c + 1;
    int32_t d = c + 1;
    while (d <= last && record[d - 1] != '#')
        ++d;
    *end = d <= last ? d - 1 : last;
}

extern "C" void COPY_TRIMMED_VALUE(const char *record, int32_t record_len, int32_t *first, int32_t *last,
                                   int32_t *length, char *value, int32_t value_len, int32_t *error)
{
    int32_t f = std::max(1, *first);
    int32_t l = std::min(record_len, *last);
    while (f <= l && IsBlank(record[f - 1]))
        ++f;
    while (l >= f && IsBlank(record[l - 1]))
        --l;
    const int32_t n = l >= f ? l - f + 1 : 0;
    if (n > std::min(*length, value_len)) {
        *error = -1;
        return;
    }
    *first = f;
    *last = l;
    std::memset(value, ' ', static_cast<size_t>(std::max(0, value_len)));
    if (n > 0)
        std::memcpy(value, record + f - 1, static_cast<size_t>(n));
    *length = n;
}

extern "C" void TO_LOWER_CASE(char *text, int32_t text_len, const int32_t *count)
{
    const int32_t n = std::min(text_len, *count);
    for (int32_t i = 0; i < n; ++i)
        if (text[i] >= 'A' && text[i] <= 'Z')
            text[i] = static_cast<char>(text[i] - 'A' + 'a');
}
