// Section reader of the master definition file for the open boundaries:
// name, type, data kind, grid line, reflection parameter, vertical profile
// and labels of each opening, from the boundary file or from the keyword
// groups of the definition file, and the checks of the openings read.

#include "boundary_sections.h"

#include "boundary_keywords.h"

#include <algorithm>
#include <cstdio>
#include <string>

using sectionkw::Cursor;
using sectionkw::kTrue;
using sectionkw::Reach;

namespace {

constexpr int32_t kNameLength = 20;
constexpr int32_t kProfileLength = 20;
constexpr int32_t kLabelLength = 12;

// The caller's arrays of `limit` openings.
struct Openings {
    int32_t limit;
    char *names;
    int32_t names_len;
    char *types;
    int32_t types_len;
    char *data_kinds;
    int32_t data_kinds_len;
    int32_t *lines;
    float *alpha;
    char *profiles;
    int32_t profiles_len;
    char *labels;
    int32_t labels_len;

    // Opening i counts from 0.
    char *Name(int32_t i) const { return names + Offset(i, names_len); }
    char &Type(int32_t i) const { return types[Offset(i, types_len)]; }
    char &DataKind(int32_t i) const { return data_kinds[Offset(i, data_kinds_len)]; }
    int32_t *Line(int32_t i) const { return lines + 4 * static_cast<size_t>(i); }
    char *Profile(int32_t i) const { return profiles + Offset(i, profiles_len); }
    // Label j (0 or 1): the opening index runs fastest over the limit.
    char *Label(int32_t i, int32_t j) const { return labels + Offset(i + j * limit, labels_len); }

    void SetName(int32_t i, const std::string &text) const { sectionkw::Store(Name(i), names_len, text); }
    void SetProfile(int32_t i, const std::string &text) const { sectionkw::Store(Profile(i), profiles_len, text); }
    void SetLabel(int32_t i, int32_t j, const std::string &text) const
    {
        sectionkw::Store(Label(i, j), labels_len, text);
    }
    std::string ProfileText(int32_t i) const { return std::string(Profile(i), static_cast<size_t>(profiles_len)); }

private:
    static size_t Offset(int32_t i, int32_t len) { return static_cast<size_t>(i) * static_cast<size_t>(std::max(len, 0)); }
};

// "Boundary Opening" with the opening number right-aligned in columns
// 18-20.
std::string DefaultName(int32_t number)
{
    char text[32];
    std::snprintf(text, sizeof text, "Boundary Opening %3d", static_cast<int>(number % 1000));
    return text;
}

bool IsFlowType(char type)
{
    return type == 'C' || type == 'Q' || type == 'R';
}

bool StartsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The words of a formatted boundary line from column 21 on.
class LineWords {
public:
    explicit LineWords(const std::string &line) : line_(line)
    {
        line_.resize(132, ' ');
    }
    // The next word of at most max characters: 1 taken, 0 none left, -1
    // longer.
    int Word(int32_t max, std::string *word)
    {
        std::string buffer(static_cast<size_t>(max), ' ');
        int32_t end = 0, status = 0;
        SCAN_NEXT_WORD(line_.data(), 132, &kLast, &position_, &end, &buffer[0], max, &max, &status);
        *word = flowrec::FieldText(buffer.data(), max);
        return status;
    }
    bool Int(int32_t *value)
    {
        int32_t end = 0, status = 0;
        const int32_t fill = 1;
        SCAN_NEXT_INT(line_.data(), 132, &kLast, &position_, &end, value, &fill, &status);
        return status == 1;
    }
    bool Real(float *value)
    {
        int32_t end = 0, status = 0;
        const float fill = 0.0f;
        SCAN_NEXT_REAL(line_.data(), 132, &kLast, &position_, &end, value, &fill, &status);
        return status == 1;
    }

private:
    static constexpr int32_t kLast = 132;
    std::string line_;
    int32_t position_ = 21;
};

// One formatted line of opening i; false (with the failed item set to its
// default) when the line cannot be read.
bool ReadBoundaryLine(const std::string &line, int32_t i, int32_t kmax, const Openings &o, const std::string &file,
                      const int32_t *diag_unit)
{
    const std::string name = line.substr(0, std::min<size_t>(line.size(), kNameLength));
    if (name.find_first_not_of(' ') == std::string::npos) {
        o.SetName(i, DefaultName(i + 1));
        sectionkw::Report(diag_unit, "U150", file);
    } else {
        o.SetName(i, name);
    }
    LineWords words(line);
    std::string word;
    if (words.Word(1, &word) != 1) {
        o.Type(i) = 'Z';
        return false;
    }
    o.Type(i) = word[0];
    if (words.Word(1, &word) != 1) {
        o.DataKind(i) = 'H';
        return false;
    }
    o.DataKind(i) = word[0];
    int32_t mn[4];
    for (int32_t &v : mn) {
        if (!words.Int(&v)) {
            std::fill(o.Line(i), o.Line(i) + 4, 1);
            return false;
        }
    }
    std::copy(mn, mn + 4, o.Line(i));
    if (!words.Real(&o.alpha[i])) {
        o.alpha[i] = 0.0f;
        return false;
    }
    o.SetProfile(i, "Uniform");
    const bool profile_expected = kmax > 1 && IsFlowType(o.Type(i));
    if (profile_expected && words.Word(kProfileLength, &word) == 1)
        o.SetProfile(i, word);
    o.SetLabel(i, 0, "");
    o.SetLabel(i, 1, "");
    if (o.DataKind(i) != 'A')
        return true;
    std::string labels[2];
    if (words.Word(kLabelLength, &labels[0]) != 1)
        return false;
    if (!profile_expected) {
        // A profile written where none is used is passed over.
        std::string lower = labels[0];
        for (char &c : lower)
            c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if ((StartsWith(lower, "uniform") || StartsWith(lower, "logarithmic")) &&
            words.Word(kLabelLength, &labels[0]) != 1)
            return false;
    }
    if (words.Word(kLabelLength, &labels[1]) != 1)
        return false;
    o.SetLabel(i, 0, labels[0]);
    o.SetLabel(i, 1, labels[1]);
    return true;
}

// The openings of the definition file's keyword groups.
void ReadBoundaryGroups(Cursor &cursor, bool strict, int32_t *error, int32_t count, int32_t kmax, const Openings &o)
{
    auto fail = [&]() {
        if (strict)
            *error = kTrue;
    };
    const bool profiles_given = cursor.Find("ProfU", true, Reach::kRound);
    sectionkw::ForwardReader groups(cursor);
    if (!groups.Start()) {
        fail();
        return;
    }
    for (int32_t i = 0; i < count; ++i) {
        const std::string fallback = DefaultName(i + 1);
        char name[kNameLength];
        if (!groups.Locate("Nambnd", true) ||
            cursor.ReadText("Nambnd", true, name, kNameLength, fallback, true, Reach::kToEnd) !=
                Cursor::Text::kValue) {
            fail();
            o.SetName(i, fallback);
            sectionkw::Report(cursor.diag_unit, "U150", " ");
        } else {
            o.SetName(i, std::string(name, kNameLength));
        }

        // The type and the data kind: the first character of the value.
        struct Letter {
            const char *keyword;
            char fallback;
            char *field;
        } letters[2] = {{"Typbnd", 'Z', &o.Type(i)}, {"Datbnd", 'H', &o.DataKind(i)}};
        for (const Letter &l : letters) {
            *l.field = l.fallback;
            char value[20];
            if (!groups.Locate(l.keyword, true) ||
                cursor.ReadText(l.keyword, true, value, 20, std::string(1, l.fallback), true, Reach::kToEnd) !=
                    Cursor::Text::kValue)
                fail();
            else
                *l.field = value[0];
        }

        int32_t mn[4];
        if (!groups.Locate("MNbnd", true) || !cursor.ReadInts("MNbnd", 4, 4, false, mn, 0, true, Reach::kToEnd))
            fail();
        else
            std::copy(mn, mn + 4, o.Line(i));

        float alpha = 0.0f;
        if (!groups.Locate("Alpha", true) || !cursor.ReadReals("Alpha", 1, 1, true, &alpha, 0.0f, true, Reach::kToEnd))
            alpha = 0.0f;
        o.alpha[i] = alpha;

        o.SetProfile(i, "Uniform");
        if (kmax > 1 && profiles_given && IsFlowType(o.Type(i))) {
            char profile[kProfileLength];
            if (!groups.Locate("ProfU", true) ||
                cursor.ReadText("ProfU", true, profile, kProfileLength, "Uniform", true, Reach::kToEnd) !=
                    Cursor::Text::kValue)
                fail();
            else
                o.SetProfile(i, std::string(profile, kProfileLength));
        }

        o.SetLabel(i, 0, "");
        o.SetLabel(i, 1, "");
        if (o.DataKind(i) == 'A' && groups.Locate("Label", true)) {
            char labels[2 * kLabelLength];
            int32_t wanted = 2, failed = 0;
            const int32_t max = kLabelLength, from_current = kTrue, stop = 1;
            READ_KEYWORD_STRINGS(cursor.def_unit, &failed, "Label ", 6, &from_current, &wanted, cursor.record,
                                 cursor.record_len, labels, kLabelLength, " ", 1, &max, cursor.record_number, &stop,
                                 cursor.diag_unit);
            if (!failed && wanted < 2) {
                sectionkw::Report(cursor.diag_unit, "U036", "Label ");
            } else if (!failed) {
                o.SetLabel(i, 0, std::string(labels, kLabelLength));
                o.SetLabel(i, 1, std::string(labels + kLabelLength, kLabelLength));
            }
        }
    }
}

// The checks of the openings, whichever way they were read.
void CheckOpenings(const int32_t *diag_unit, bool strict, int32_t *error, int32_t count, int32_t mmax, int32_t nmax,
                   int32_t kmax, const Openings &o, char *label_flag, int32_t label_flag_len)
{
    if (count <= 0)
        return;
    auto finding = [&](const char *code, const std::string &text, bool fails) {
        sectionkw::Report(diag_unit, code, text);
        if (fails && strict)
            *error = kTrue;
    };
    const char flag = o.DataKind(0) == 'A' ? 'Y' : 'N';
    sectionkw::Store(label_flag, label_flag_len, std::string(1, flag));
    bool series_seen = false;
    for (int32_t i = 0; i < count; ++i) {
        if (sectionkw::Blank(o.Name(i), o.names_len)) {
            o.SetName(i, DefaultName(i + 1));
            finding("U150", " ", false);
        }
        const char type = o.Type(i);
        if (type != 'Z' && !IsFlowType(type)) {
            finding("U047", " ", true);
            o.Type(i) = 'Z';
        }
        char &kind = o.DataKind(i);
        if (kind != 'T' && kind != 'H' && kind != 'A') {
            finding("V004", sectionkw::Int3(i + 1), true);
            kind = 'H';
        }
        if (kind == 'T')
            series_seen = true;
        else if (series_seen)
            finding("U039", " ", true);   // the series openings come last
        if ((kind == 'H' && flag == 'Y') || (kind == 'A' && flag == 'N'))
            finding("U065", " ", true);
        int32_t *mn = o.Line(i);
        if (std::any_of(mn, mn + 4, [](int32_t v) { return v < 1; })) {
            finding("U151", " ", true);
            for (int k = 0; k < 4; ++k)
                mn[k] = std::max(mn[k], 1);
        }
        if (mn[0] > mmax || mn[2] > mmax || mn[1] > nmax || mn[3] > nmax) {
            finding("U151", " ", true);
            mn[0] = std::min(mn[0], mmax);
            mn[2] = std::min(mn[2], mmax);
            mn[1] = std::min(mn[1], nmax);
            mn[3] = std::min(mn[3], nmax);
        }
        if (kmax > 1 && IsFlowType(o.Type(i))) {
            const std::string profile = o.ProfileText(i);
            if (!StartsWith(profile, "Uniform") && !StartsWith(profile, "Logarithmic")) {
                finding("U066", profile, false);
                o.SetProfile(i, "Uniform");
            }
        }
    }
}

}  // namespace

extern "C" void READ_BOUNDARY_FILE(const int32_t *diag_unit, int32_t *error, const int32_t *strict_mode,
                                   const int32_t *kmax, const int32_t *limit, int32_t *read, int32_t *non_series,
                                   const char *name, int32_t name_len, const char *format, int32_t format_len,
                                   char *names, int32_t names_len, char *types, int32_t types_len, char *data_kinds,
                                   int32_t data_kinds_len, int32_t *lines, float *alpha, char *profiles,
                                   int32_t profiles_len, char *labels, int32_t labels_len)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    const int32_t room = std::max(0, *limit);
    const Openings o{room, names, names_len, types, types_len, data_kinds, data_kinds_len, lines, alpha,
                     profiles, profiles_len, labels, labels_len};
    *read = 0;
    *non_series = 0;
    const std::string file = flowrec::FirstWord(name, name_len);
    auto fail = [&](const char *code) {
        if (code)
            sectionkw::Report(diag_unit, code, file);
        if (strict)
            *error = kTrue;
    };
    flowrec::UnitGuard in;
    const sectionkw::AttachedInput input = sectionkw::OpenAttached(diag_unit, name, name_len, format, format_len, &in);
    if (!input.exists) {
        fail(nullptr);
        return;
    }
    if (input.result != recio::kOk) {
        fail("G007");
        return;
    }
    const bool unformatted = input.unformatted;
    const int unit = in.unit();
    auto counted = [&](int32_t i) {
        ++*read;
        if (o.DataKind(i) != 'T' && o.DataKind(i) != 't')
            ++*non_series;
    };
    // One record more than the limit fails the read in either mode.
    auto check_extra = [&]() {
        std::string line;
        unsigned char byte;
        const int r = unformatted ? recio::ReadRecord(unit, &byte, 0) : recio::ReadLine(unit, &line);
        if (r == recio::kOk) {
            sectionkw::Report(diag_unit, "U122", file);
            *error = kTrue;
        }
    };

    if (unformatted) {
        int32_t i = 0;
        for (; i < room; ++i) {
            unsigned char bytes[42];
            const int r = recio::ReadRecord(unit, bytes, sizeof bytes);
            if (r == recio::kEndOfFile)
                break;
            if (r != recio::kOk) {
                fail("G007");
                break;
            }
            o.SetName(i, std::string(reinterpret_cast<const char *>(bytes), kNameLength));
            o.Type(i) = static_cast<char>(bytes[20]);
            o.DataKind(i) = static_cast<char>(bytes[21]);
            for (int k = 0; k < 4; ++k)
                o.Line(i)[k] = recio::GetInt32LE(bytes + 22 + 4 * k);
            o.alpha[i] = recio::GetReal32LE(bytes + 38);
            o.SetProfile(i, "Uniform");
            o.SetLabel(i, 0, "");
            o.SetLabel(i, 1, "");
            counted(i);
        }
        if (i == room)
            check_extra();
        return;
    }

    std::string first;
    int r = recio::ReadLine(unit, &first);
    if (r == recio::kEndOfFile)
        return;
    if (r != recio::kOk || recio::Rewind(unit) != recio::kOk) {
        fail("G007");
        return;
    }
    if (first.find('\'') != std::string::npos) {
        // A list-directed file is not a boundary file.
        fail("U158");
        check_extra();
        return;
    }
    int32_t i = 0;
    for (; i < room; ++i) {
        std::string line;
        r = recio::ReadLine(unit, &line);
        if (r == recio::kEndOfFile)
            break;
        if (r != recio::kOk || !ReadBoundaryLine(line.substr(0, std::min<size_t>(line.size(), 132)), i, *kmax, o,
                                                 file, diag_unit)) {
            fail("G007");
            break;
        }
        counted(i);
    }
    if (i == room)
        check_extra();
}

extern "C" void READ_OPEN_BOUNDARIES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                     int32_t *record_number, char *record, int32_t record_len,
                                     const int32_t *strict_mode, const int32_t *open_boundary_count,
                                     const int32_t *harmonic_boundary_count, const int32_t *mmax, const int32_t *nmax,
                                     const int32_t *kmax, const int32_t *limit, char *boundary_file,
                                     int32_t boundary_file_len, char *boundary_format, int32_t boundary_format_len,
                                     char *label_flag, int32_t label_flag_len, char *names, int32_t names_len,
                                     char *types, int32_t types_len, char *data_kinds, int32_t data_kinds_len,
                                     int32_t *lines, float *alpha, char *profiles, int32_t profiles_len, char *labels,
                                     int32_t labels_len)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    const int32_t room = std::max(0, *limit);
    const int32_t count = std::clamp(*open_boundary_count, 0, room);
    const Openings o{room, names, names_len, types, types_len, data_kinds, data_kinds_len, lines, alpha,
                     profiles, profiles_len, labels, labels_len};
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    const sectionkw::AttachedFile file = sectionkw::ReadFilePair(cursor, "Filbnd", "Fmtbnd", true, boundary_file,
                                                                 boundary_file_len, boundary_format,
                                                                 boundary_format_len);
    if (file.named) {
        const std::string format = file.Format();
        int32_t read = 0, non_series = 0;
        READ_BOUNDARY_FILE(diag_unit, error, strict_mode, kmax, limit, &read, &non_series, file.name.c_str(),
                           static_cast<int32_t>(file.name.size()), format.c_str(), 11, names, names_len, types,
                           types_len, data_kinds, data_kinds_len, lines, alpha, profiles, profiles_len, labels,
                           labels_len);
        if (sectionkw::IsTrue(error))
            return;
        if (read != *open_boundary_count)
            sectionkw::Report(diag_unit, "U145", " ");
        if (non_series != *harmonic_boundary_count)
            sectionkw::Report(diag_unit, "U145", " ");
    } else {
        ReadBoundaryGroups(cursor, strict, error, count, *kmax, o);
    }
    CheckOpenings(diag_unit, strict, error, count, *mmax, *nmax, *kmax, o, label_flag, label_flag_len);
}
