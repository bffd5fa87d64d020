// Time-series files attached to a flow-model definition (time series of
// values, transport boundary conditions, wind fields): their times checked
// against the simulation's time frame and their contents copied to a
// scratch unit as unformatted records.

#include "timeseries_blocks.h"

#include "flow_record_util.h"
#include "keyword_records.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// What one reader knows of its file and of the time frame, and the checks
// of each time read.
class SeriesFrame {
public:
    SeriesFrame(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error, int32_t *last_common,
                int32_t *first_common, const char *name, int32_t name_len, const float *dt,
                const int32_t *start_index, const int32_t *stop_index)
        : diag_(diag_unit), scratch_(*scratch_unit), error_(error), last_common_(last_common),
          first_common_(first_common), name_(flowrec::FirstWord(name, name_len)), dt_(*dt),
          start_(*start_index), stop_(*stop_index)
    {
    }

    const std::string &name() const { return name_; }
    int scratch() const { return scratch_; }

    void Report(const char *code, const std::string &text) const
    {
        REPORT_MESSAGE(diag_, code, 4, text.c_str(), static_cast<int32_t>(text.size()));
    }
    // An error: the message, and the caller's error flag.
    void Fail(const char *code, const std::string &text) const
    {
        Report(code, text);
        *error_ = -1;
    }
    void FailQuietly() const { *error_ = -1; }

    // The file must exist, the time step be usable and the file open; the
    // unit is then connected in `file`.
    bool Open(flowrec::UnitGuard *file, bool unformatted)
    {
        if (!CHECK_FILE_EXISTS(name_.c_str(), static_cast<int32_t>(name_.size()), diag_, "G004", 4)) {
            FailQuietly();
            return false;
        }
        if (!(dt_ > 0.0f) || !std::isfinite(dt_)) {
            Fail("G007", name_);
            return false;
        }
        const recio::Form form = unformatted ? recio::Form::kUnformatted : recio::Form::kFormatted;
        if (file->Open(name_, form, recio::OpenStatus::kOld) != recio::kOk) {
            Fail("G007", name_);
            return false;
        }
        return true;
    }

    // Checks a time read from the file; false when the reading must stop.
    bool TakeTime(float time, int32_t *k)
    {
        const double q = static_cast<double>(time) / static_cast<double>(dt_);
        if (!std::isfinite(q) || std::fabs(q) > 2147483647.0) {
            Fail("G007", name_);
            return false;
        }
        *k = static_cast<int32_t>(std::lround(q));
        if (std::fabs(static_cast<double>(*k) * dt_ - time) > 0.1 * dt_)
            Report("U044", "Times in file " + name_);   // a warning
        if (first_) {
            first_ = false;
            if (*k > start_) {
                Fail("U041", "First time in file " + name_ + " >");
                return false;
            }
            *first_common_ = std::max(*first_common_, *k);
        }
        if (any_ && *k < last_k_) {
            Fail("U062", name_);
            return false;
        }
        return true;
    }

    // One record of a time and its values was read with result r: ends the
    // file at end of file, fails on a read error, else checks the time.
    // False when the reading must stop.
    bool TakeRecord(int r, float time, int32_t *k)
    {
        if (r == recio::kEndOfFile) {
            EndOfFile();
            return false;
        }
        if (r != recio::kOk) {
            Fail("G007", name_);
            return false;
        }
        return TakeTime(time, k);
    }

    // A time and its values went to the scratch unit.
    void Took(int32_t k)
    {
        last_k_ = k;
        any_ = true;
    }

    // The end of the file at a time record.
    void EndOfFile() const
    {
        if (!any_ || last_k_ < stop_)
            Fail("U042", "Last time in file " + name_ + " <");
    }

    // The earliest last time over the files read so far.
    void Finish() const
    {
        if (any_)
            *last_common_ = *last_common_ == -1 ? last_k_ : std::min(*last_common_, last_k_);
    }

    // Writes a scratch record; false (error set) when it cannot be written.
    bool Write(const recio::RecordBytes &record) const
    {
        if (recio::WriteRecord(scratch_, record.bytes().data(), record.bytes().size()) == recio::kOk)
            return true;
        FailQuietly();
        return false;
    }

private:
    const int32_t *diag_;
    int scratch_;
    int32_t *error_;
    int32_t *last_common_;
    int32_t *first_common_;
    std::string name_;
    float dt_;
    int32_t start_;
    int32_t stop_;
    bool first_ = true;
    bool any_ = false;
    int32_t last_k_ = -1;
};

bool IsUnformatted(const char *format, int32_t format_len)
{
    std::string f = flowrec::FieldText(format, format_len);
    size_t i = f.find_first_not_of(' ');
    return i != std::string::npos && f.size() >= i + 2 && (f[i] == 'u' || f[i] == 'U') &&
           (f[i + 1] == 'n' || f[i + 1] == 'N');
}

size_t Count(int32_t n)
{
    return n > 0 ? static_cast<size_t>(n) : 0;
}

// Reals of a formatted wind file read from lines of up to 132 characters,
// continuing on the next line when one runs out.
class LineScanner {
public:
    explicit LineScanner(int unit) : unit_(unit) {}

    // Starts the next line.  The I/O result (end of file, error).
    int NextLine()
    {
        std::string text;
        int r = recio::ReadLine(unit_, &text);
        if (r != recio::kOk)
            return r;
        line_ = text.substr(0, std::min<size_t>(text.size(), 132));
        position_ = 1;
        return recio::kOk;
    }

    // The next real, over as many lines as needed: kOk, kEndOfFile, or
    // kErrBadNumber for a word that is not a number.
    int Real(float *value)
    {
        for (;;) {
            const int32_t len = static_cast<int32_t>(line_.size());
            int32_t end = 0, status = 0;
            const float fill = 0.0f;
            SCAN_NEXT_REAL(line_.data(), len, &len, &position_, &end, value, &fill, &status);
            if (status == 1)
                return recio::kOk;
            if (status != 0)
                return recio::kErrBadNumber;
            int r = NextLine();
            if (r != recio::kOk)
                return r;
        }
    }

    // True when the current line holds no word from the scan position on.
    bool AtLineEnd() const
    {
        size_t from = static_cast<size_t>(position_ - 1);
        return from >= line_.size() || line_.find_first_not_of(" \t", from) == std::string::npos;
    }

    // The next word of the current line ("" when it has none).
    std::string Word()
    {
        const int32_t len = static_cast<int32_t>(line_.size());
        std::string word(132, ' ');
        int32_t end = 0, status = 0;
        const int32_t max = 132;
        SCAN_NEXT_WORD(line_.data(), len, &len, &position_, &end, &word[0], 132, &max, &status);
        return status == 1 ? flowrec::FieldText(word.data(), 132) : std::string();
    }

private:
    int unit_;
    std::string line_;
    int32_t position_ = 1;
};

}  // namespace

extern "C" void READ_TIMESERIES_BLOCK(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                                      int32_t *last_common, int32_t *first_common, const char *name,
                                      int32_t name_len, const char *format, int32_t format_len, const int32_t *n,
                                      float *values, const float *dt, const int32_t *start_index,
                                      const int32_t *stop_index)
{
    SeriesFrame frame(diag_unit, scratch_unit, error, last_common, first_common, name, name_len, dt, start_index,
                      stop_index);
    const bool unformatted = IsUnformatted(format, format_len);
    flowrec::UnitGuard file;
    if (!frame.Open(&file, unformatted))
        return;
    const size_t count = Count(*n);
    std::vector<float> record(count + 1);
    for (;;) {
        float time = 0.0f;
        int r;
        if (unformatted) {
            r = recio::ReadReal32(file.unit(), record.data(), count + 1);
            time = record[0];
            std::copy(record.begin() + 1, record.end(), values);
        } else {
            recio::ListRead read(file.unit());
            read.Real(&time);
            for (size_t i = 0; i < count; ++i)
                read.Real(values + i);
            r = read.result();
        }
        int32_t k = 0;
        if (!frame.TakeRecord(r, time, &k))
            break;
        recio::RecordBytes out;
        out.Real(static_cast<float>(k)).Reals(values, count);
        if (!frame.Write(out))
            break;
        frame.Took(k);
    }
    frame.Finish();
}

extern "C" void READ_TRANSPORT_BC_BLOCK(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                                        int32_t *last_common, int32_t *first_common, const char *name,
                                        int32_t name_len, const char *format, int32_t format_len,
                                        const int32_t *nopen, const int32_t *ncons, const float *dt,
                                        const int32_t *start_index, const int32_t *stop_index)
{
    SeriesFrame frame(diag_unit, scratch_unit, error, last_common, first_common, name, name_len, dt, start_index,
                      stop_index);
    const bool unformatted = IsUnformatted(format, format_len);
    flowrec::UnitGuard file;
    if (!frame.Open(&file, unformatted))
        return;
    const int unit = file.unit();
    const size_t openings = Count(*nopen);
    const size_t quantities = Count(*ncons);

    // One record of a time and a value per quantity.
    std::vector<float> uniform(1 + quantities);
    auto read_uniform = [&]() {
        if (unformatted)
            return recio::ReadReal32(unit, uniform.data(), uniform.size());
        recio::ListRead read(unit);
        for (float &v : uniform)
            read.Real(&v);
        return read.result();
    };

    // The layout from the first record: a time with a value per quantity
    // makes the file uniform; one that cannot be read so holds profiles.
    int r = read_uniform();
    if (r == recio::kEndOfFile) {
        frame.Fail("G007", frame.name());
        return;
    }
    const bool profiles = r != recio::kOk;
    if (recio::Rewind(unit) != recio::kOk) {
        frame.Fail("G007", frame.name());
        return;
    }

    struct Condition {
        std::string profile = "Uniform";
        float jump = 0.0f;
        float values[4] = {0, 0, 0, 0};
    };
    std::vector<Condition> conditions(openings * quantities);   // opening o, quantity q at o * quantities + q
    for (;;) {
        float time = 0.0f;
        if (profiles) {
            if (unformatted)
                r = recio::ReadReal32(unit, &time, 1);
            else
                r = recio::ListRead(unit).Real(&time).result();
        } else {
            r = read_uniform();
            time = uniform[0];
        }
        int32_t k = 0;
        if (!frame.TakeRecord(r, time, &k))
            break;
        // The records of the openings and quantities at this time.
        for (size_t o = 0; o < openings && r == recio::kOk; ++o) {
            if (profiles) {
                for (size_t q = 0; q < quantities && r == recio::kOk; ++q) {
                    Condition &c = conditions[o * quantities + q];
                    if (unformatted) {
                        unsigned char bytes[30];
                        r = recio::ReadRecord(unit, bytes, sizeof bytes);
                        if (r == recio::kOk) {
                            c.profile.assign(reinterpret_cast<const char *>(bytes), 10);
                            c.jump = recio::GetReal32LE(bytes + 10);
                            for (int i = 0; i < 4; ++i)
                                c.values[i] = recio::GetReal32LE(bytes + 14 + 4 * i);
                        }
                    } else {
                        recio::ListRead read(unit);
                        read.Text(&c.profile).Real(&c.jump);
                        for (float &v : c.values)
                            read.Real(&v);
                        r = read.result();
                    }
                }
                continue;
            }
            // Uniform: a record for end A, then one for end B, each
            // repeating the time (the time record itself is end A of the
            // first opening).
            for (int end = 0; end < 2 && r == recio::kOk; ++end) {
                if (o > 0 || end > 0) {
                    r = read_uniform();
                    if (r == recio::kOk && uniform[0] != time)
                        r = recio::kErrBadNumber;   // the records of a time hold that time
                }
                for (size_t q = 0; q < quantities && r == recio::kOk; ++q) {
                    Condition &c = conditions[o * quantities + q];
                    c.profile = "Uniform";
                    c.jump = 0.0f;
                    c.values[2 * end] = c.values[2 * end + 1] = uniform[1 + q];
                }
            }
        }
        if (r != recio::kOk) {
            frame.Fail("G007", frame.name());
            break;
        }
        for (const Condition &c : conditions)
            if (std::any_of(c.values, c.values + 4, [](float v) { return v < 0.0f; }))
                frame.Fail("V061", "Concentration at open boundary");
        recio::RecordBytes head;
        head.Real(static_cast<float>(k));
        bool written = frame.Write(head);
        for (size_t i = 0; i < conditions.size() && written; ++i) {
            const Condition &c = conditions[i];
            recio::RecordBytes out;
            out.Text(c.profile, 10).Real(c.jump).Reals(c.values, 4);
            written = frame.Write(out);
        }
        if (!written)
            break;
        frame.Took(k);
    }
    frame.Finish();
}

extern "C" void READ_WIND_TIMESERIES_BLOCK(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                                           int32_t *last_common, int32_t *first_common, const char *name,
                                           int32_t name_len, const char *format, int32_t format_len,
                                           const int32_t *size1, const int32_t *size2, const int32_t *extent,
                                           const float *dt, const int32_t *start_index, const int32_t *stop_index)
{
    SeriesFrame frame(diag_unit, scratch_unit, error, last_common, first_common, name, name_len, dt, start_index,
                      stop_index);
    if (*size1 > 750 || *size2 > 750 || *extent > 750) {
        frame.Fail("U120", " ");
        return;
    }
    const bool unformatted = IsUnformatted(format, format_len);
    flowrec::UnitGuard file;
    if (!frame.Open(&file, unformatted))
        return;
    const int unit = file.unit();
    const size_t count = Count(*size1) * Count(*size2);

    // The header: a number and a one-letter flag.
    float number = 0.0f;
    std::string flag;
    LineScanner lines(unit);
    int r;
    if (unformatted) {
        unsigned char head[5];
        size_t bytes = 0;
        r = recio::ReadRecord(unit, head, 5, &bytes);
        if (r == recio::kOk) {
            number = recio::GetReal32LE(head);
            flag.assign(1, static_cast<char>(head[4]));
        } else if (r == recio::kErrShortRecord && bytes >= 4) {
            // No flag: the number alone.
            r = recio::Rewind(unit);
            if (r == recio::kOk)
                r = recio::ReadReal32(unit, &number, 1);
        }
    } else {
        r = lines.NextLine();
        if (r == recio::kOk)
            r = lines.Real(&number);
        if (r == recio::kOk)
            flag = lines.Word();
    }
    if (r != recio::kOk) {
        frame.Fail(r == recio::kEndOfFile ? "G006" : "G007", frame.name());
        return;
    }
    for (char &c : flag)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (flag != "y" && flag != "n") {
        frame.Report("U159", " ");
        flag = "y";
    }
    recio::RecordBytes header;
    header.Real(number).Text(flag, 1);
    if (!frame.Write(header))
        return;

    std::vector<float> record(count + 1);
    for (;;) {
        float time = 0.0f;
        if (unformatted) {
            r = recio::ReadReal32(unit, record.data(), record.size());
            time = record[0];
            if (r == recio::kEndOfFile) {
                frame.EndOfFile();
                break;
            }
        } else {
            // Each time begins on a new line; blank lines are passed over.
            do
                r = lines.NextLine();
            while (r == recio::kOk && lines.AtLineEnd());
            if (r == recio::kEndOfFile) {
                frame.EndOfFile();
                break;
            }
            if (r == recio::kOk)
                r = lines.Real(&time);
            for (size_t i = 0; i < count && r == recio::kOk; ++i)
                r = lines.Real(&record[i + 1]);
        }
        if (r != recio::kOk) {
            frame.Fail(r == recio::kEndOfFile ? "G006" : "G007", frame.name());
            break;
        }
        int32_t k = 0;
        if (!frame.TakeTime(time, &k))
            break;
        recio::RecordBytes out;
        out.Real(static_cast<float>(k)).Reals(record.data() + 1, count);
        if (!frame.Write(out))
            break;
        frame.Took(k);
    }
    frame.Finish();
}
