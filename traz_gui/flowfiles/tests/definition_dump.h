// Test dumps of the flow definition record: every field by name, one line
// per element that holds anything (texts with their NUL bytes shown as
// '.', numbers as written by "%.9g"), and the names of the fields in which
// two records differ.  The dump of a field that holds nothing is its name
// alone, so every field stands in every dump.  And the values of scratch
// records.
#ifndef TRAZ_DEFINITION_DUMP_H
#define TRAZ_DEFINITION_DUMP_H

#include "flow_definition.h"
#include "record_io.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace defdump {

inline std::string Text(const char *text, size_t length)
{
    std::string out(text, length);
    for (char &c : out)
        if (c == '\0')
            c = '.';
    return out;
}

inline std::string Value(float v)
{
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(v));
    return buffer;
}

inline std::string Value(int32_t v)
{
    return std::to_string(v);
}

// One text field of count elements of length characters.
inline void DumpTexts(std::string *out, const char *name, const char *field, size_t length, size_t count)
{
    *out += name;
    *out += '\n';
    for (size_t i = 0; i < count; ++i) {
        const char *element = field + i * length;
        bool empty = true;
        for (size_t j = 0; j < length; ++j)
            empty = empty && element[j] == '\0';
        if (!empty)
            *out += "  " + std::string(name) + "[" + std::to_string(i + 1) + "] '" + Text(element, length) + "'\n";
    }
}

template <typename T>
void DumpValues(std::string *out, const char *name, const T *field, size_t count)
{
    *out += name;
    *out += '\n';
    for (size_t i = 0; i < count; ++i)
        if (field[i] != T(0) || std::signbit(static_cast<double>(field[i])))
            *out += "  " + std::string(name) + "[" + std::to_string(i + 1) + "] " + Value(field[i]) + "\n";
}

// The whole record, block after block, field after field.
inline std::string Dump(const FlowDefinition &d)
{
    std::string out;
#define DUMP_TEXT(name, length, count) DumpTexts(&out, #name, d.name, length, count);
#define DUMP_VALUES(type, name, count) DumpValues<type>(&out, #name, d.name, count);
    FLOW_DEFINITION_STRINGS(DUMP_TEXT, )
    FLOW_DEFINITION_INTS_A(DUMP_VALUES, )
    FLOW_DEFINITION_INTS_B(DUMP_VALUES, )
#undef DUMP_TEXT
#undef DUMP_VALUES
    return out;
}

// The fields whose bytes differ between two records.
inline std::set<std::string> ChangedFields(const FlowDefinition &a, const FlowDefinition &b)
{
    std::set<std::string> changed;
#define CHANGED(name, ...)                                   \
    if (std::memcmp(a.name, b.name, sizeof a.name) != 0)    \
        changed.insert(#name);
#define CHANGED_VALUES(type, name, count) CHANGED(name)
    FLOW_DEFINITION_STRINGS(CHANGED, )
    FLOW_DEFINITION_INTS_A(CHANGED_VALUES, )
    FLOW_DEFINITION_INTS_B(CHANGED_VALUES, )
#undef CHANGED
#undef CHANGED_VALUES
    return changed;
}

// The 4-byte reals of a scratch record.
inline std::vector<float> Reals(const std::vector<unsigned char> &record)
{
    std::vector<float> values;
    for (size_t i = 0; i + 4 <= record.size(); i += 4)
        values.push_back(recio::GetReal32LE(record.data() + i));
    return values;
}

// The records of an unformatted scratch file, one line each, decoded by
// their length: 4-byte integers for the grid-object files (".grd", ".dry",
// ".td", whose record ends in the direction letter), otherwise 4-byte
// reals, with the 10-character profile name of a transport record (30
// bytes) and the one-letter flag of a wind header (5 bytes) as text.
inline std::string DecodeScratch(const std::string &path)
{
    const bool integers = path.size() >= 4 && (path.substr(path.size() - 4) == ".grd" ||
                                               path.substr(path.size() - 4) == ".dry" ||
                                               path.substr(path.size() - 3) == ".td");
    std::string out;
    const int unit = 75;
    if (recio::Open(unit, path, recio::Form::kUnformatted, recio::Access::kSequential, recio::OpenStatus::kOld) !=
        recio::kOk)
        return "(none)\n";
    for (;;) {
        size_t bytes = 0;
        if (recio::ReadRecord(unit, nullptr, 0, &bytes) != recio::kOk || recio::Backspace(unit) != recio::kOk)
            break;
        std::vector<unsigned char> record(bytes);
        if (recio::ReadRecord(unit, record.data(), bytes) != recio::kOk)
            break;
        size_t at = 0;
        std::string line;
        if (bytes == 30) {
            line += " '" + std::string(reinterpret_cast<const char *>(record.data()), 10) + "'";
            at = 10;
        }
        for (; at + 4 <= bytes; at += 4)
            line += " " + (integers ? Value(recio::GetInt32LE(record.data() + at))
                                    : Value(recio::GetReal32LE(record.data() + at)));
        if (at < bytes)
            line += " '" + std::string(reinterpret_cast<const char *>(record.data() + at), bytes - at) + "'";
        out += line + "\n";
    }
    recio::Close(unit);
    return out;
}

}  // namespace defdump

#endif
