// What the section readers of the master definition file share: the
// position in the definition file that each keyword search moves, the
// keyword value readers in the forms the sections use them, the attached
// file pair (Fil and Fmt keywords), scratch file names and the conversion
// of a time to a whole number of time steps.
#ifndef TRAZ_BOUNDARY_KEYWORDS_H
#define TRAZ_BOUNDARY_KEYWORDS_H

#include "flow_record_util.h"
#include "keyword_records.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace sectionkw {

constexpr int32_t kTrue = -1;

inline bool IsTrue(const int32_t *flag)
{
    return (*flag & 1) != 0;
}

// Blank-pads (or cuts) text into a fixed-length field.
inline void Store(char *to, int32_t len, const std::string &text)
{
    if (len <= 0)
        return;
    std::memset(to, ' ', static_cast<size_t>(len));
    std::memcpy(to, text.data(), std::min(text.size(), static_cast<size_t>(len)));
}

inline void Report(const int32_t *diag_unit, const char *code, const std::string &text)
{
    REPORT_MESSAGE(diag_unit, code, 4, text.c_str(), static_cast<int32_t>(text.size()));
}

// An integer right-aligned in three columns ("  1").
inline std::string Int3(int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%3d", static_cast<int>(value));
    return text;
}

inline bool Blank(const char *text, int32_t len)
{
    for (int32_t i = 0; i < len; ++i)
        if (text[i] != ' ' && text[i] != '\0')
            return false;
    return true;
}

// How far a search runs: once round the file back to the record where it
// began, or forward to the end of the file only.
enum class Reach { kRound, kToEnd };

// The definition file as a section reader sees it: its unit, the
// diagnostic unit, and the current record with its number, which every
// search moves.
struct Cursor {
    const int32_t *def_unit;
    const int32_t *diag_unit;
    int32_t *record_number;
    char *record;
    int32_t record_len;

    int32_t StopFor(Reach reach) const { return reach == Reach::kRound ? *record_number : 1; }

    // Finds the keyword's next record (its text up to the first blank),
    // testing the current record first when from_current; print: the
    // console line of a missing record.  False also on a read error
    // (io_error set).
    bool Find(const std::string &keyword, bool from_current, Reach reach, bool print = false,
              bool *io_error = nullptr)
    {
        return Find(keyword, from_current, StopFor(reach), print, io_error);
    }
    // The same, giving up at the record stop_record (once round the file).
    bool Find(const std::string &keyword, bool from_current, int32_t stop, bool print = false,
              bool *io_error = nullptr)
    {
        int32_t error = 0, found = 0;
        const int32_t new_search = from_current ? kTrue : 0;
        const int32_t width = FlowDefinitionStateGet()->keyword_width;
        const std::string key = flowrec::FirstWord(keyword.c_str(), static_cast<int32_t>(keyword.size()));
        FIND_KEYWORD_RECORD(def_unit, &error, &new_search, record_number, &found, &stop, record, record_len,
                            &width, key.c_str(), static_cast<int32_t>(key.size()), print ? "Y" : "N", 1);
        if (io_error)
            *io_error = error != 0;
        return found != 0 && error == 0;
    }

    // kMissing: an optional keyword that is absent (silent); kBad: a
    // required keyword that is absent ("U100") or a bad value ("U036").
    enum class Text { kValue, kMissing, kBad };

    // One text value.  Missing and bad values leave the fallback in value.
    Text ReadText(const std::string &keyword, bool required, char *value, int32_t value_len,
                  const std::string &fallback, bool from_current = true, Reach reach = Reach::kRound)
    {
        int32_t error = 0, length = 0, wanted = required ? 1 : 0;
        const int32_t new_search = from_current ? kTrue : 0, stop = StopFor(reach);
        const std::string key = Key6(keyword);
        READ_KEYWORD_STRING(def_unit, &error, key.c_str(), 6, &new_search, &wanted, record, record_len, value,
                            value_len, fallback.c_str(), static_cast<int32_t>(fallback.size()), &length,
                            record_number, &stop, diag_unit);
        if (wanted == 999 || error)
            Store(value, value_len, fallback);
        if (wanted == 999)
            return Text::kMissing;
        return error ? Text::kBad : Text::kValue;
    }

    // count numbers (0: every value up to the next keyword record) into
    // values, which hold capacity of them.  False when the read failed (the
    // keyword reader has reported it).
    bool ReadReals(const std::string &keyword, int32_t count, int32_t capacity, bool brackets, float *values,
                   float fill = 0.0f, bool from_current = true, Reach reach = Reach::kRound)
    {
        return ReadNumbers(READ_KEYWORD_REALS, keyword, count, capacity, brackets, values, fill, from_current,
                           reach);
    }
    bool ReadInts(const std::string &keyword, int32_t count, int32_t capacity, bool brackets, int32_t *values,
                  int32_t fill = 0, bool from_current = true, Reach reach = Reach::kRound)
    {
        return ReadNumbers(READ_KEYWORD_INTS, keyword, count, capacity, brackets, values, fill, from_current, reach);
    }

    template <typename T, typename Reader>
    bool ReadNumbers(Reader reader, const std::string &keyword, int32_t count, int32_t capacity, bool brackets,
                     T *values, T fill, bool from_current, Reach reach)
    {
        int32_t error = 0;
        const int32_t new_search = from_current ? kTrue : 0, stop = StopFor(reach);
        const int32_t allowed = brackets ? kTrue : 0;
        const std::string key = Key6(keyword);
        reader(def_unit, &error, key.c_str(), 6, &new_search, &count, record, record_len, values, &capacity, &fill,
               &allowed, record_number, &stop, diag_unit);
        return error == 0;
    }

    // Rewinds the definition file and reads its first record (record 1).
    // False when that cannot be done.
    bool Restart()
    {
        std::memset(record, ' ', static_cast<size_t>(std::max(record_len, 0)));
        std::string line;
        if (recio::Rewind(*def_unit) != recio::kOk || recio::ReadLine(*def_unit, &line) != recio::kOk)
            return false;
        std::memcpy(record, line.data(), std::min(line.size(), static_cast<size_t>(std::max(record_len, 0))));
        *record_number = 1;
        return true;
    }

    // Goes back to record `number` (counted from the first record), as a
    // forward search that found nothing leaves the file at its start.
    bool Seek(int32_t number)
    {
        if (!Restart())
            return false;
        for (int32_t n = 1; n < number; ++n) {
            std::string line;
            if (recio::ReadLine(*def_unit, &line) != recio::kOk)
                return false;
            std::memset(record, ' ', static_cast<size_t>(std::max(record_len, 0)));
            std::memcpy(record, line.data(), std::min(line.size(), static_cast<size_t>(std::max(record_len, 0))));
            *record_number = n + 1;
        }
        return true;
    }

    static std::string Key6(const std::string &keyword)
    {
        std::string key = keyword.substr(0, 6);
        key.resize(6, ' ');
        return key;
    }
};

// Keyword groups that follow one another in the file, read from its first
// record on.  Each search runs forward to the end of the file from the
// record after the last one found (from the first record itself at the
// start); a keyword that is not found leaves that place as it was, so a
// missing keyword does not send the next search back to the start.
class ForwardReader {
public:
    explicit ForwardReader(Cursor &cursor) : cursor_(cursor) {}

    // Back to the first record.  False when the file cannot be read again.
    bool Start()
    {
        found_ = 0;
        return cursor_.Restart();
    }

    // Finds the keyword's next record, which becomes the current record; a
    // required keyword that is missing is "U100".  io_error: the search
    // met a read error.
    bool Locate(const std::string &keyword, bool required, bool *io_error = nullptr)
    {
        const int32_t here = *cursor_.record_number;
        // The record found last is not tested again (blanking it also makes
        // the first read of the search count towards its end); a record
        // that a value list read ahead to is.
        if (here == found_)
            std::memset(cursor_.record, ' ', static_cast<size_t>(std::max(cursor_.record_len, 0)));
        if (cursor_.Find(keyword, true, Reach::kToEnd, false, io_error)) {
            found_ = *cursor_.record_number;
            return true;
        }
        if (required)
            Report(cursor_.diag_unit, "U100", flowrec::FirstWord(keyword.c_str(), static_cast<int32_t>(keyword.size())));
        cursor_.Seek(here);
        return false;
    }

private:
    Cursor &cursor_;
    int32_t found_ = 0;   // the record of the last keyword found
};

// An attached file opened for reading by the name up to its first blank
// and the 11-character form ("unformatted" or "formatted").  A file that
// does not exist is "G004" with its name; result is then not set.
struct AttachedInput {
    bool exists = false;
    int result = recio::kErrOpenFailed;   // of the open
    bool unformatted = false;
    std::string file;
};

inline AttachedInput OpenAttached(const int32_t *diag_unit, const char *name, int32_t name_len, const char *format,
                                  int32_t format_len, flowrec::UnitGuard *in)
{
    AttachedInput a;
    a.file = flowrec::FirstWord(name, name_len);
    a.exists = CHECK_FILE_EXISTS(name, name_len, diag_unit, "G004", 4) != 0;
    if (!a.exists)
        return a;
    a.unformatted = flowrec::FieldText(format, format_len).rfind("un", 0) == 0;
    a.result = in->Open(a.file, a.unformatted ? recio::Form::kUnformatted : recio::Form::kFormatted,
                        recio::OpenStatus::kOld);
    return a;
}

// Outside strict mode, moves a series of the definition file on to its
// next time; false when the table of `room` times is full ("code" with a
// blank text): the last time is then left out of the count.
inline bool NextTime(bool strict, int32_t *index, int32_t room, const int32_t *diag_unit, const char *code)
{
    if (strict || ++*index < room)
        return true;
    Report(diag_unit, code, " ");
    *index = room - 1;
    return false;
}

// A scratch file of a section in strict mode: "TMP_" + run id (up to its
// first blank) + extension, unformatted, begun empty.  A file still open
// when the object goes is deleted.
inline std::string ScratchName(const char *run_id, int32_t run_id_len, const std::string &extension)
{
    return "TMP_" + flowrec::FirstWord(run_id, run_id_len) + extension;
}

class ScratchFile {
public:
    ScratchFile(bool strict, const char *run_id, int32_t run_id_len, const std::string &extension)
    {
        if (!strict)
            return;
        const std::string name = ScratchName(run_id, run_id_len, extension);
        std::remove(name.c_str());   // nothing of an earlier run stays behind
        unit_ = ALLOCATE_UNIT_NUMBER();
        open_ = recio::Open(unit_, name, recio::Form::kUnformatted, recio::Access::kSequential,
                            recio::OpenStatus::kUnknown) == recio::kOk;
    }
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;
    ~ScratchFile() { Close(true); }

    bool open() const { return open_; }
    const int32_t *unit() const { return &unit_; }

    // One record; false when it cannot be written.
    bool Write(const recio::RecordBytes &record) const
    {
        return open_ && recio::WriteRecord(unit_, record.bytes().data(), record.bytes().size()) == recio::kOk;
    }

    // Closes the file, keeping it unless delete_file.
    void Close(bool delete_file)
    {
        if (open_)
            recio::Close(unit_, delete_file);
        open_ = false;
    }

private:
    int32_t unit_ = 0;
    bool open_ = false;
};

// An attached file named by a Fil keyword, with its form from the Fmt
// keyword.
struct AttachedFile {
    bool named = false;          // the Fil keyword gave a non-blank name
    bool unformatted = false;    // the form, "formatted" unless the Fmt keyword says otherwise
    bool rejected = false;       // the Fmt value was missing, unreadable or refused
    std::string name;            // up to its first blank
    // The 11-character form handed to the file readers.
    std::string Format() const { return unformatted ? "unformatted" : "formatted  "; }
};

// Defaults of a blank Fmt value: most sections take "FRformatted", which
// the format check accepts; the series and monitoring-point sections take
// "formatted", which it refuses (a blank value is then reported).
inline const char kAcceptedFormatDefault[] = "FRformatted";
inline const char kReportedFormatDefault[] = "formatted";

// The attached-file pair rule: the Fil keyword into name_field (a failed
// read: blank); for a named file the Fmt keyword (a blank value: the
// default), normalised (a failed read or a refused value: formatted), and
// its code "UN"/"FR" into code_field.
inline AttachedFile ReadFilePair(Cursor &cursor, const std::string &file_keyword,
                                 const std::string &format_keyword, bool required, char *name_field,
                                 int32_t name_len, char *code_field, int32_t code_len,
                                 const char *format_default = kAcceptedFormatDefault)
{
    AttachedFile file;
    if (cursor.ReadText(file_keyword, required, name_field, name_len, " ") != Cursor::Text::kValue)
        Store(name_field, name_len, "");
    file.name = flowrec::FirstWord(name_field, name_len);
    if (file.name.empty())
        return file;
    file.named = true;
    // An optional Fmt keyword that is missing leaves a blank value, which
    // the format check refuses.
    char format[11];
    const Cursor::Text got = cursor.ReadText(format_keyword, required, format, 11, format_default);
    if (got == Cursor::Text::kMissing)
        Store(format, 11, "");
    if (got != Cursor::Text::kBad) {
        int32_t bad = 0;
        CHECK_FILE_FORMAT(cursor.diag_unit, Cursor::Key6(format_keyword).c_str(), 6, format, 11, &bad);
        file.rejected = bad != 0;
        file.unformatted = !bad && std::string(format, 2) == "un";
    } else {
        file.rejected = true;
    }
    Store(code_field, code_len, file.unformatted ? "UN" : "FR");
    return file;
}

// The nearest whole number of steps of a time (halves away from zero).
// False when the quotient is not finite or does not fit in 32 bits;
// off_grid: more than a tenth of a step away from that number.
inline bool StepOf(float time, float step, int32_t *steps, bool *off_grid)
{
    const double q = static_cast<double>(time) / static_cast<double>(step);
    if (!std::isfinite(q) || std::fabs(q) > 2147483647.0)
        return false;
    const double r = std::round(q);
    if (std::fabs(r) > 2147483647.0)
        return false;
    *steps = static_cast<int32_t>(r);
    *off_grid = std::fabs(r * static_cast<double>(step) - static_cast<double>(time)) > 0.1 * static_cast<double>(step);
    return true;
}

}  // namespace sectionkw

#endif
