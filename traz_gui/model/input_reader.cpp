/* Opening a scenario: File Open, the model input file reader of every
   supported version with its conversion to the current layout, the work
   file without comments that it reads, and the reader of the older list
   (master) files.

   The input file is first copied, without comments, into the work file
   "particle.wrk" in the scenario's directory; the work file is then read in
   the order of its sections.  Lines are read whole and scanned like
   sscanf; tables and parameter blocks are read number after number across
   lines, like fscanf.  Every count and value that could overflow a slot of
   the record, a table or a time text is checked: the read then ends with
   READ_BAD_INPUT and a message that names the line of the input file. */
#include "input_reader.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "datetime.h"
#include "editor_services.h"
#include "ge_list.h"
#include "input_writer.h"
#include "load_hydrodynamics.h"
#include "ruv.h"
#include "scenario.h"
#include "utilities.h"
#include "visarea.h"
#include "xyseries.h"

namespace {

const char kOldTag[] = "LUPREN_VERSION_3.60";
const char kOldTagVersion[] = "V3.60.00";

/* Menu tags and table slots of the editor. */
const int32_t kMenuSave = 1004;
const int32_t kMenuSaveAs = 1005;
const int kSlotDecay = 0;
const int kSlotWind = 2;
const int kSlotFirstSettling = 3;

/* Pages of the map window's objects. */
const int kPageInstantaneous = 7;
const int kPageContinuous = 8;
const int kPageObservation = 10;

/* Longest text of a quoted value ("fewer than 255"). */
const int32_t kQuotedLimit = 254;

const int kSubstanceNameLength = 14;
const int kTemperatureValues = 11;
const int kIntakeValues = 10;
const int kOldSettlingValues = 4;
const float kOldMinimumOilThickness = 0.00005f;
const float kFayHoultRadius = 100.0f;

const char kCannotOpen[] = "Reading data: could not open file!";
const char kStripFailed[] = "Reading data: error stripping input file!";

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string Trimmed(const std::string &text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && IsSpace(text[begin]))
        ++begin;
    while (end > begin && IsSpace(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

void CopyText(char *slot, size_t size, const char *text)
{
    if (size > 0)
        std::snprintf(slot, size, "%s", text);
}

std::string Printf(const char *format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

/* The layout changes of the older versions; versions compare as plain byte
   strings, so the writer's blank-padded "V3.66.00" is not older. */
struct Layout {
    bool before362;
    bool before363;
    bool before364;
    bool before366;
};

Layout LayoutOf(const char *version)
{
    return Layout{std::strcmp(version, "V3.62.00") < 0, std::strcmp(version, "V3.63.00") < 0,
                  std::strcmp(version, "V3.64.00") < 0,
                  std::strcmp(version, SCENARIO_CURRENT_VERSION) < 0};
}

/* Ends a read: the message has been shown. */
struct ReadStop {
    int32_t result;
};

/* A number of the file runs to a blank or the end of its line: "0x3F8" or
   "12kg" is no number (sscanf would take the 0 or the 12 and leave the
   rest unread). */
bool EndsANumber(char c) { return c == '\0' || IsSpace(c); }

/* Number scanning as sscanf's %d and %f do it, but refusing what does not
   fit: an integer outside int32, a real that is not finite or outside the
   range of a float, a number followed by other characters.  *used =
   characters taken (leading blanks included). */
bool ScanInt(const char *text, int32_t *value, size_t *used)
{
    const char *p = text;
    while (IsSpace(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (!std::isdigit(static_cast<unsigned char>(*p)))
        return false;
    long long v = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        v = v * 10 + (*p++ - '0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > INT32_MAX || v < INT32_MIN || !EndsANumber(*p))
        return false;
    *value = static_cast<int32_t>(v);
    *used = static_cast<size_t>(p - text);
    return true;
}

bool ScanReal(const char *text, float *value, size_t *used)
{
    const char *p = text;
    while (IsSpace(*p))
        ++p;
    /* Decimal forms only (digits, a point, an exponent), the same on every
       platform: "nan", "inf" and "0x1p3" are not numbers of this file. */
    const char *q = p;
    if (*q == '+' || *q == '-')
        ++q;
    if (!std::isdigit(static_cast<unsigned char>(*q)) &&
        !(*q == '.' && std::isdigit(static_cast<unsigned char>(q[1]))))
        return false;
    if (q[0] == '0' && (q[1] == 'x' || q[1] == 'X'))
        return false;   /* strtod would read it as hexadecimal */
    char *end = nullptr;
    const double v = std::strtod(p, &end);
    if (end == p || !std::isfinite(v) || std::fabs(v) > FLT_MAX || !EndsANumber(*end))
        return false;
    *value = static_cast<float>(v);
    *used = static_cast<size_t>(end - text);
    return true;
}

/* The work file in memory, read line by line or number by number. */
class WorkText {
public:
    WorkText(std::string text, std::vector<int> sourceLines)
        : text_(std::move(text)), sourceLines_(std::move(sourceLines))
    {
    }

    /* The next line; the file must have one. */
    std::string Line(const char *what)
    {
        if (pos_ >= text_.size())
            EndedEarly(what);
        tokenLine_ = line_;
        const size_t end = text_.find('\n', pos_);
        std::string line = text_.substr(pos_, end == std::string::npos ? std::string::npos : end - pos_);
        pos_ = end == std::string::npos ? text_.size() : end + 1;
        ++line_;
        return line;
    }

    /* The next number, wherever it stands; blanks and line ends after it
       are passed over. */
    int32_t Int(const char *what)
    {
        StartToken(what);
        int32_t value = 0;
        size_t used = 0;
        if (!ScanInt(text_.c_str() + pos_, &value, &used))
            Invalid("%s expected", what);
        pos_ += used;
        SkipSpace();
        return value;
    }

    float Real(const char *what)
    {
        StartToken(what);
        float value = 0.0f;
        size_t used = 0;
        if (!ScanReal(text_.c_str() + pos_, &value, &used))
            Invalid("%s expected", what);
        pos_ += used;
        SkipSpace();
        return value;
    }

    /* A count: not negative, and at most max. */
    int32_t Count(const char *what, int32_t max = INT32_MAX)
    {
        const int32_t n = Int(what);
        CheckCount(n, what, max);
        return n;
    }

    void CheckCount(int32_t n, const char *what, int32_t max = INT32_MAX)
    {
        if (n < 0)
            Invalid("%s is negative (%d)", what, n);
        if (n > max)
            Invalid("%s is %d (at most %d)", what, n, max);
    }

    /* Line of the input file of the last line or number taken. */
    int SourceLine() const
    {
        if (tokenLine_ >= 0 && static_cast<size_t>(tokenLine_) < sourceLines_.size())
            return sourceLines_[static_cast<size_t>(tokenLine_)];
        return sourceLines_.empty() ? tokenLine_ + 1 : sourceLines_.back() + 1;
    }

    [[noreturn]] void Invalid(const char *format, ...)
    {
        char detail[512];
        va_list args;
        va_start(args, format);
        std::vsnprintf(detail, sizeof detail, format, args);
        va_end(args);
        ruv_dm_post_error("Reading data: error in line %d of the input file:\n%s", SourceLine(), detail);
        throw ReadStop{READ_BAD_INPUT};
    }

    [[noreturn]] void EndedEarly(const char *what)
    {
        ruv_dm_post_error("Reading data: the input file ends too early:\n%s expected", what);
        throw ReadStop{READ_BAD_INPUT};
    }

private:
    void SkipSpace()
    {
        while (pos_ < text_.size() && IsSpace(text_[pos_])) {
            if (text_[pos_] == '\n')
                ++line_;
            ++pos_;
        }
    }

    void StartToken(const char *what)
    {
        SkipSpace();
        if (pos_ >= text_.size())
            EndedEarly(what);
        tokenLine_ = line_;
    }

    std::string text_;
    std::vector<int> sourceLines_;   /* input-file line of each work-file line */
    size_t pos_ = 0;
    int line_ = 0;                   /* work-file line at pos_ */
    int tokenLine_ = -1;
};

/* The closing quote of a quoted text that runs from before `at`: the next
   single quote that is not one of a doubled pair; npos when there is none. */
std::string::size_type QuotedTextEnd(const std::string &line, size_t at)
{
    while ((at = line.find('\'', at)) != std::string::npos && at + 1 < line.size() && line[at + 1] == '\'')
        at += 2;
    return at;
}

/* Numbers of one line, scanned in turn. */
class LineFields {
public:
    LineFields(WorkText &work, const char *what) : work_(work), line_(work.Line(what)) {}

    int32_t Int(const char *what)
    {
        int32_t value = 0;
        size_t used = 0;
        if (!ScanInt(line_.c_str() + pos_, &value, &used))
            work_.Invalid("%s expected", what);
        pos_ += used;
        return value;
    }

    float Real(const char *what)
    {
        float value = 0.0f;
        size_t used = 0;
        if (!ScanReal(line_.c_str() + pos_, &value, &used))
            work_.Invalid("%s expected", what);
        pos_ += used;
        return value;
    }

    int32_t Count(const char *what, int32_t max = INT32_MAX)
    {
        const int32_t n = Int(what);
        work_.CheckCount(n, what, max);
        return n;
    }

    /* The quoted text of the line (maximum characters); the fields after
       the closing quote are scanned next. */
    std::string Quoted(int32_t maximum, const char *what)
    {
        /* Room for the text and its NUL: on the stack for the usual limits. */
        char local[kQuotedLimit + 2] = {};
        std::vector<char> large;
        char *text = local;
        if (maximum > kQuotedLimit) {
            large.assign(static_cast<size_t>(maximum) + 1, '\0');
            text = large.data();
        }
        const int32_t end = ExtractQuoted(maximum, line_.c_str(), text);
        if (end < 0)
            work_.Invalid("%s expected between single quotes", what);
        /* The fields follow the closing quote (a text cut at its maximum
           goes on to it). */
        const std::string::size_type close = QuotedTextEnd(line_, static_cast<size_t>(end));
        pos_ = close == std::string::npos ? line_.size() : close + 1;
        return text;
    }

    void Rewind() { pos_ = 0; }
    const std::string &Text() const { return line_; }

private:
    WorkText &work_;
    std::string line_;
    size_t pos_ = 0;
};

/* Tables under construction belong to a holder until the record takes
   them. */
struct TableDeleter {
    void operator()(XYSeries *table) const { DestroyXYSeries(table); }
};
using TablePtr = std::unique_ptr<XYSeries, TableDeleter>;

struct LocationDeleter {
    void operator()(Location *location) const { FreeLocation(location); }
};
using LocationPtr = std::unique_ptr<Location, LocationDeleter>;

[[noreturn]] void OutOfMemory()
{
    ruv_dm_post_error("%s", "Reading data: not enough memory!");
    throw ReadStop{READ_BAD_INPUT};
}

TablePtr NewTable(int modeFlag, int series)
{
    TablePtr table(CreateXYSeries(XYS_LINEAR, modeFlag, series));
    if (!table)
        OutOfMemory();
    return table;
}

void AppendRow(XYSeries *table, double minutes, const float *values)
{
    const int previous = SelectXYSeries(table, XYS_ALL);
    const int rowsBefore = GetXYSeriesInfo(table, XYS_INFO_ROWS);
    XYSeriesEdit edit = {table, XYS_INSERT_AT_TIME, rowsBefore, minutes, values, nullptr};
    const int result = EditXYSeriesRows(edit);
    SelectXYSeries(table, previous);
    if (result != XYS_OK || GetXYSeriesInfo(table, XYS_INFO_ROWS) != rowsBefore + 1)
        OutOfMemory();
}

void Replace(XYSeries **slot, TablePtr table)
{
    DestroyXYSeries(*slot);
    *slot = table.release();
}

template <typename T>
void Append(GE_List *list, T *element)
{
    if (!GE_ListInsert(list, GE_ListCount(list), &element))
        OutOfMemory();
}

void FreeLocations(GE_List *list)
{
    Location *location = nullptr;
    while (GE_ListCount(list) > 0) {
        GE_ListRemove(list, GE_ListCount(list) - 1, &location);
        FreeLocation(location);
    }
}

/* The text of a line without the blanks around it: [*begin, *end). */
void TrimRange(const char *line, size_t *begin, size_t *end)
{
    while (*begin < *end && IsSpace(line[*begin]))
        ++*begin;
    while (*end > *begin && IsSpace(line[*end - 1]))
        --*end;
}

/* The work file: "particle.wrk" made from the input file (in, when the
   caller has opened it, else source opened here), with the input-file line
   of each of its lines; *text, when given, gets the bytes written to it.
   The input is taken in blocks and each line is cut and trimmed where it
   lies, so that a line costs no copies of its own. */
int32_t StripLines(FILE *given, const char *source, const char *workFile, int32_t lineLimit,
                   std::vector<int> *sourceLines, std::string *text)
{
    struct Closer {
        void operator()(FILE *f) const { std::fclose(f); }
    };
    std::unique_ptr<FILE, Closer> owned;
    if (source == nullptr || workFile == nullptr || source[0] == '\0' || workFile[0] == '\0')
        return READ_CANNOT_OPEN;
    const size_t limit = static_cast<size_t>(lineLimit < INPUT_MIN_LINE_LIMIT ? INPUT_MIN_LINE_LIMIT : lineLimit);

    /* Writing the work file over the input file would destroy it. */
    std::error_code ec;
    if (std::filesystem::equivalent(source, workFile, ec) && !ec)
        return READ_CANNOT_OPEN;

    FILE *in = given;
    if (in == nullptr) {
        owned.reset(OpenRegularFile(source, "rb", INT64_MAX, nullptr));
        if (!owned)
            return READ_CANNOT_OPEN;
        in = owned.get();
    }
    FILE *rawOut = nullptr;
    if (!OpenFileChecked(workFile, &rawOut, 1))
        return READ_CANNOT_OPEN;
    std::unique_ptr<FILE, Closer> out(rawOut);

    int number = 0;
    /* One line of the input (without its LF); false when it cannot be
       written or is too long. */
    auto strip = [&](const char *line, size_t length) {
        ++number;
        /* The text up to the first ";" that is not inside a quoted text:
           from quote to quote, a ";" counts only outside them. */
        size_t begin = 0, end = length;
        TrimRange(line, &begin, &end);
        bool quoted = false;
        for (size_t at = begin; at < end;) {
            const void *quote = std::memchr(line + at, '\'', end - at);
            const size_t next = quote ? static_cast<size_t>(static_cast<const char *>(quote) - line) : end;
            if (!quoted) {
                if (const void *semicolon = std::memchr(line + at, ';', next - at)) {
                    end = static_cast<size_t>(static_cast<const char *>(semicolon) - line);
                    break;
                }
            }
            quoted = !quoted;
            at = next + 1;
        }
        TrimRange(line, &begin, &end);
        if (begin == end)
            return true;
        if (end - begin > limit) {
            ruv_dm_post_error("Reading data: line %d of the input file is longer than %d characters!",
                              number, static_cast<int>(limit));
            return false;
        }
        /* The work file holds a line's text up to a NUL in it. */
        const void *nul = std::memchr(line + begin, '\0', end - begin);
        const size_t written = nul ? static_cast<size_t>(static_cast<const char *>(nul) - (line + begin)) : end - begin;
        if (std::fwrite(line + begin, 1, written, out.get()) != written || std::fputc('\n', out.get()) == EOF)
            return false;
        if (text) {
            text->append(line + begin, written);
            text->push_back('\n');
        }
        if (sourceLines)
            sourceLines->push_back(number);
        return true;
    };

    /* The lines of each block; a line that runs over its block's end waits
       in `carried` for the rest, up to the length a line of the file can
       have with its comment. */
    char block[8192];
    std::string carried;
    auto tooLong = [&number]() {
        ruv_dm_post_error("Reading data: line %d of the input file is longer than %d characters!", number + 1,
                          static_cast<int>(INPUT_RAW_LINE_LIMIT));
        return READ_CANNOT_OPEN;
    };
    for (;;) {
        const size_t got = std::fread(block, 1, sizeof block, in);
        /* Room for the block's lines, in steps that at least double. */
        if (text && text->capacity() < text->size() + got)
            text->reserve(std::max(2 * text->capacity(), text->size() + got));
        size_t at = 0;
        while (at < got) {
            const char *lf = static_cast<const char *>(std::memchr(block + at, '\n', got - at));
            if (lf == nullptr) {
                if (carried.size() + (got - at) > INPUT_RAW_LINE_LIMIT)
                    return tooLong();
                carried.append(block + at, got - at);
                break;
            }
            const size_t length = static_cast<size_t>(lf - (block + at));
            if (carried.size() + length > INPUT_RAW_LINE_LIMIT)
                return tooLong();
            bool ok;
            if (carried.empty()) {
                ok = strip(block + at, length);
            } else {
                carried.append(block + at, length);
                ok = strip(carried.data(), carried.size());
                carried.clear();
            }
            if (!ok)
                return READ_CANNOT_OPEN;
            at += length + 1;
        }
        if (got < sizeof block) {
            if (std::ferror(in))
                return READ_CANNOT_OPEN;
            break;
        }
    }
    /* A last line without a line end is a line. */
    if (!carried.empty() && !strip(carried.data(), carried.size()))
        return READ_CANNOT_OPEN;
    if (std::fflush(out.get()) != 0 || std::ferror(out.get()))
        return READ_CANNOT_OPEN;
    if (std::fclose(out.release()) != 0)
        return READ_CANNOT_OPEN;
    return READ_OK;
}

#ifdef _WIN32
bool ReadWholeFile(const char *path, std::string *text)
{
    FILE *f = std::fopen(path, "r");
    if (f == nullptr)
        return false;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text->append(buffer, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}
#endif

/* The input file a list names is the one a save writes back into: kept
   (in full) when it is not the list's own name with ".inp". */
void RememberInputFile(ScenarioRecord *s, const char *folder, const char *input)
{
    s->inputFile[0] = '\0';
    char own[SCEN_FILE_NAME_LEN + 8];
    MakeInputName(own, sizeof own, s->scenarioFile.name);
    char named[SCEN_FILE_NAME_LEN], derived[SCEN_FILE_NAME_LEN];
    if (!ResolvePathIn(folder, input, named, sizeof named))
        return;
    if (ResolvePathIn(folder, own, derived, sizeof derived) &&
#ifdef _WIN32
        CompareNoCase(named, derived) == 0
#else
        std::strcmp(named, derived) == 0
#endif
    )
        return;
    CopyText(s->inputFile, sizeof s->inputFile, named);
}

/* The current directory on entry comes back on every way out. */
class DirectoryGuard {
public:
    DirectoryGuard() { saved_ = ruv_fsys_get_dir(&dir_) != 0; }
    ~DirectoryGuard()
    {
        if (saved_)
            ruv_fsys_set_dir(&dir_);
    }
    DirectoryGuard(const DirectoryGuard &) = delete;
    DirectoryGuard &operator=(const DirectoryGuard &) = delete;

private:
    RUV_FILE_DIR dir_ = {{0}};
    bool saved_ = false;
};

/* The sections of the input file, in file order. */
class InputFileReader {
public:
    /* folder: the directory of the file read, in which its relative file
       names are taken. */
    InputFileReader(WorkText &work, ScenarioRecord *scenario, StartupRecord *startup, std::string folder)
        : w_(work), s_(scenario), st_(startup), folder_(std::move(folder))
    {
    }

    void Read(int16_t *obsolete)
    {
        Version(obsolete);
        Titles();
        Hydrodynamics();
        ModelLine();
        NumericalParameters();
        Substances();
        Particles();
        PhysicalParameters();
        Wind();
        ModelSpecific();
        Timers();
        InitialCondition();
        ObservationPoints();
        OutputParameters();
        ZoomGrid();
        InstantaneousReleases();
        ContinuousReleases();
        UserDefinedReleases();
        DecayRates();
        SettlingVelocities();
        SedimentationErosion();
    }

private:
    ProcessParameters *P() const { return s_->processParameters; }
    bool Oil() const { return s_->modelKind == MODEL_OIL; }
    bool SeveralLayers() const { return s_->hydLayers > 1; }

    /* Output columns: each substance, and after each oil fraction its
       dispersed and sticky parts. */
    int OutputColumns() const { return substances_ + 2 * oilFractions_; }
    int OutputColumnOf(int substance) const
    {
        return substance < oilFractions_ ? 3 * substance : substance + 2 * oilFractions_;
    }
    /* Settling columns: two per oil fraction, one per other substance; -1
       for the sticky part, which has none. */
    int SettlingColumnOf(int outputColumn) const
    {
        if (outputColumn < 3 * oilFractions_) {
            const int part = outputColumn % 3;
            return part == 2 ? -1 : 2 * (outputColumn / 3) + part;
        }
        return outputColumn - oilFractions_;
    }
    int SettlingColumns() const { return substances_ + oilFractions_; }

    /* An absolute time from its offset to T0 in days, hours, minutes,
       seconds (the fields carry the sign of a time before T0). */
    void OffsetTime(int32_t d, int32_t h, int32_t m, int32_t sec, char *out, const char *what)
    {
        const double seconds = ((static_cast<double>(d) * 24.0 + h) * 60.0 + m) * 60.0 + sec;
        const char *time = AddSecondsToDateTime(s_->hydReferenceTime, seconds);
        if (time[0] == '\0')
            w_.Invalid("%s is out of range (%d %d %d %d after %s)", what, d, h, m, sec, s_->hydReferenceTime);
        CopyText(out, SCEN_TIME_LEN, time);
    }

    void OffsetLine(LineFields &f, char *out, const char *what)
    {
        const int32_t d = f.Int(what), h = f.Int(what), m = f.Int(what), sec = f.Int(what);
        OffsetTime(d, h, m, sec, out, what);
    }

    void TimeField(int flag, const char *what, char *out)
    {
        const std::string line = w_.Line(what);
        char parsed[SCEN_TIME_LEN];
        if (!ParseTimeField(flag, line.c_str(), parsed))
            w_.Invalid("%s is not a valid %s: %s", what, flag == 1 ? "duration" : "date", line.c_str());
        CopyText(out, SCEN_TIME_LEN, parsed);
    }

    /* Rows of a table read number after number: with a time column (flag
       0: days, hours, minutes, seconds, held in minutes) or without (flag 1
       or 2: every row at time 0). */
    TablePtr ReadXYSeriesTable(int32_t rows, int series, int flag, const char *what)
    {
        TablePtr table = NewTable(flag == 0 ? 1 : 0, series);
        std::vector<float> values(static_cast<size_t>(series));
        for (int32_t r = 0; r < rows; ++r) {
            double minutes = 0.0;
            if (flag == 0)
                minutes = ReadRowTime(what);
            for (float &v : values)
                v = w_.Real(what);
            AppendRow(table.get(), minutes, values.data());
        }
        return table;
    }

    double ReadRowTime(const char *what)
    {
        const int32_t d = w_.Int(what), h = w_.Int(what), m = w_.Int(what), sec = w_.Int(what);
        return (static_cast<double>(d) * 24.0 + h) * 60.0 + m + sec / 60.0;
    }

    /* Rows of times (minutes) and valuesPerRow values each, stored at
       stride per row. */
    void ReadTimeTableRows(std::vector<double> *times, std::vector<float> *values, int32_t rows,
                           int valuesPerRow, int stride, bool noTime, const char *what)
    {
        for (int32_t r = 0; r < rows; ++r) {
            times->push_back(noTime ? 0.0 : ReadRowTime(what));
            const size_t base = values->size();
            values->resize(base + static_cast<size_t>(stride), 0.0f);
            for (int k = 0; k < valuesPerRow; ++k)
                (*values)[base + static_cast<size_t>(k)] = w_.Real(what);
        }
    }

    /* One row of output-column values mapped back to substance columns. */
    XYSeries *ReadSubstanceRow(const char *what)
    {
        const int columns = OutputColumns();
        if (columns == 0 || substances_ == 0)
            return nullptr;
        TablePtr row = ReadXYSeriesTable(1, columns, 1, what);
        std::vector<float> in(static_cast<size_t>(columns)), out(static_cast<size_t>(substances_));
        double time = 0.0;
        SelectXYSeries(row.get(), XYS_ALL);
        EvaluateXYSeries(row.get(), XYS_ROW, 0, &time, in.data(), nullptr);
        for (int k = 0; k < substances_; ++k)
            out[static_cast<size_t>(k)] = in[static_cast<size_t>(OutputColumnOf(k))];
        TablePtr table = NewTable(0, substances_);
        AppendRow(table.get(), time, out.data());
        return table.release();
    }

    /* A file name of the file, held absolute: it names the same file
       whichever folder the scenario is saved into next. */
    std::string Resolved(const std::string &name) const
    {
        char full[SCEN_FILE_NAME_LEN];
        return ResolvePathIn(folder_.c_str(), name.c_str(), full, sizeof full) ? std::string(full) : name;
    }

    void Version(int16_t *obsolete)
    {
        LineFields f(w_, "version");
        std::string version = f.Quoted(kQuotedLimit, "version");
        /* The old tag is longer than a version: it is known before the
           version is cut to its 16 characters. */
        oldTag_ = Trimmed(version) == kOldTag ? 1 : 0;
        if (oldTag_)
            version = kOldTagVersion;
        /* A version of another layout would be read as some other one. */
        static const char *const known[] = {"V3.60.00", "V3.62.00", "V3.63.00", "V3.64.00", SCENARIO_CURRENT_VERSION};
        if (std::find(std::begin(known), std::end(known), Trimmed(version)) == std::end(known))
            w_.Invalid("unknown version '%s' (known: V3.60.00, V3.62.00, V3.63.00, V3.64.00, %s and %s)",
                       Trimmed(version).c_str(), SCENARIO_CURRENT_VERSION, kOldTag);
        CopyText(s_->version, SCEN_VERSION_LEN, version.c_str());
        layout_ = LayoutOf(s_->version);
        *obsolete = layout_.before366 ? 1 : 0;
    }

    void Titles()
    {
        for (std::string &title : titles_) {
            LineFields f(w_, "title");
            title = f.Quoted(SCEN_TITLE_CHARS, "title");
        }
    }

    /* The T0 line repeats the reference time of the *.hyd file; it stands
       in for that file when the file cannot be read, so that the times of
       the file keep their offsets. */
    void Hydrodynamics()
    {
        const std::string t0 = w_.Line("T0 line");
        LineFields f(w_, "name of the *.hyd file");
        hydUnread_ = LoadHydrodynamics("", Resolved(f.Quoted(kQuotedLimit, "name of the *.hyd file")).c_str()) != 0;
        if (hydUnread_)
            ReferenceTimeFromT0Line(t0);
        for (int i = 0; i < 3; ++i)
            CopyText(s_->titles[i], SCEN_TITLE_LEN, titles_[i].c_str());
    }

    void ReferenceTimeFromT0Line(const std::string &line)
    {
        const size_t at = line.find("T0:");
        int f[6] = {0, 0, 0, 0, 0, 0};
        if (at == std::string::npos ||
            std::sscanf(line.c_str() + at + 3, "%d.%d.%d %d:%d:%d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]) != 6)
            return;
        char time[32];
        std::snprintf(time, sizeof time, "%04d%02d%02d%02d%02d%02d", f[0], f[1], f[2], f[3], f[4], f[5]);
        if (std::strlen(time) == static_cast<size_t>(DATETIME_LEN) && IsValidDateTime(time))
            CopyText(s_->hydReferenceTime, SCEN_TIME_LEN, time);
    }

    void ModelLine()
    {
        LineFields f(w_, "type of model");
        int32_t type = f.Int("type of model");
        if (layout_.before366)
            substanceLines_ = f.Count("number of substances");
        const int32_t tracks = f.Int("tracks switch");
        f.Int("extra output switch");
        const int32_t sedimentation = f.Int("sedimentation/erosion switch");
        P()->tracks = tracks == 1 ? 1 : 0;
        P()->sedimentationErosion = sedimentation == 1 ? 1 : 0;

        if (type == 2 && SeveralLayers()) {
            ruv_dm_post_error("%s\n%s", "Cannot choose temperature 2 layer model",
                              "in case of multi layer hydrodynamics!");
            type = 5;
        }
        type_ = type;
        switch (type) {
        case 2: s_->modelKind = MODEL_TEMPERATURE; s_->temperatureVariant = 0; break;
        case 3: s_->modelKind = MODEL_RED_TIDE; break;
        case 4: s_->modelKind = MODEL_OIL; break;
        case 5: s_->modelKind = MODEL_TEMPERATURE; s_->temperatureVariant = 1; break;
        default: s_->modelKind = MODEL_TRACER; break;
        }
        s_->oilFractionCount = 0;

        if (layout_.before366) {
            LineFields extra(w_, Oil() ? "number of oil fractions" : "model line");
            extra.Int(Oil() ? "number of oil fractions" : "model value");
            if (Oil())
                oilFractions_ = extra.Count("number of oil fractions");
        }
    }

    void NumericalParameters()
    {
        LineFields f(w_, "time step");
        f.Int("numerical scheme");
        const int32_t step = f.Int("time step");
        if (step < 0)
            w_.Invalid("time step is negative (%d)", step);
        char *simulationStep = s_->timeGroups[TIME_GROUP_SIMULATION][TIME_STEP];
        if (step != 0) {
            const int32_t days = step / 86400;
            if (days > 99)
                w_.Invalid("time step of %d s is 100 days or more", step);
            std::snprintf(simulationStep, SCEN_TIME_LEN, "000000%02d%02d%02d%02d", days, step % 86400 / 3600,
                          step % 3600 / 60, step % 60);
        } else {
            CopyText(simulationStep, SCEN_TIME_LEN, s_->hydTimes[HYD_CONVERSION_STEP]);
        }

        LineFields d(w_, "vertical dispersion");
        const int32_t option = d.Int("vertical dispersion option");
        ::NumericalParameters *np = s_->numericalParameters;
        np->verticalDispersionOption = option == 0 ? 3 : 0;
        np->scale = d.Real("dispersion scale");
        np->dispersionCoefficient = d.Real("dispersion coefficient");
    }

    void Substances()
    {
        FreeSubstanceList();
        if (!layout_.before366) {
            LineFields f(w_, "number of substances");
            substanceLines_ = f.Count("number of substances");
            if (Oil())
                oilFractions_ = f.Count("number of oil fractions");
        }
        if (!Oil())
            oilFractions_ = 0;
        if (3 * static_cast<int64_t>(oilFractions_) > substanceLines_)
            w_.Invalid("%d oil fractions need %lld substance lines, the file gives %d", oilFractions_,
                       3 * static_cast<long long>(oilFractions_), substanceLines_);
        const int32_t created = substanceLines_ - 2 * oilFractions_;
        if (created > SCEN_MAX_SUBSTANCES)
            w_.Invalid("%d substances (at most %d)", created, SCEN_MAX_SUBSTANCES);
        s_->oilFractionCount = oilFractions_;

        Substance *nh4 = nullptr;
        Substance *no3 = nullptr;
        for (int32_t k = 0; k < substanceLines_; ++k) {
            LineFields f(w_, "substance name");
            if (!(k >= 3 * oilFractions_ || k % 3 == 0))
                continue;   /* the "disp" and "stick" lines of an oil fraction */
            const std::string name = f.Quoted(kSubstanceNameLength, "substance name");
            Substance *sub = NewSubstance(name);
            if (s_->modelKind == MODEL_RED_TIDE) {
                if (name == "NH4_file")
                    nh4 = sub;
                else if (name == "NO3_file")
                    no3 = sub;
            }
        }
        substances_ = GE_ListCount(s_->substances);
        for (Substance *nutrient : {nh4, no3})
            if (nutrient != nullptr) {
                LineFields f(w_, "name of a nutrient data file");
                CopyText(nutrient->dataFile, SCEN_DATA_FILE_LEN,
                         f.Quoted(kQuotedLimit, "name of a nutrient data file").c_str());
            }
    }

    void FreeSubstanceList()
    {
        Substance *sub = nullptr;
        while (GE_ListCount(s_->substances) > 0) {
            const int i = GE_ListCount(s_->substances) - 1;
            GE_ListRemove(s_->substances, i, &sub);
            FreeSubstance(sub);
            if (i < SCEN_MAX_SUBSTANCES) {
                st_->substanceNames[i][0] = '\0';
                st_->concentrationUnits[i][0] = '\0';
                st_->massUnits[i][0] = '\0';
                st_->oilFlags[i] = 0;
            }
        }
    }

    Substance *NewSubstance(const std::string &name)
    {
        Substance *sub = CreateSubstance();
        if (sub == nullptr)
            OutOfMemory();
        const int index = GE_ListCount(s_->substances);
        CopyText(sub->name, SCEN_SUBSTANCE_NAME_LEN, name.c_str());
        const char *concentration = GetConcentrationUnit();
        char *mass = GetMassUnit();
        CopyText(sub->concentrationUnit, SCEN_UNIT_LEN, concentration ? concentration : "");
        CopyText(sub->massUnit, SCEN_UNIT_LEN, mass ? mass : "");
        sub->isOilFraction = Oil() && index < oilFractions_ ? 1 : 0;
        if (!GE_ListInsert(s_->substances, index, &sub)) {
            GE_Free(mass);
            FreeSubstance(sub);
            OutOfMemory();
        }
        CopyText(st_->substanceNames[index], SCEN_SUBSTANCE_TABLE_LEN, sub->name);
        CopyText(st_->concentrationUnits[index], SCEN_SUBSTANCE_TABLE_LEN, sub->concentrationUnit);
        CopyText(st_->massUnits[index], SCEN_SUBSTANCE_TABLE_LEN, mass ? mass : "");
        st_->oilFlags[index] = sub->isOilFraction;
        GE_Free(mass);
        return sub;
    }

    void Particles()
    {
        LineFields f(w_, "number of particles");
        s_->numericalParameters->particleCount = f.Count("number of particles");
    }

    void PhysicalParameters()
    {
        ::PhysicalParameters *p = P()->physical;
        p->roughness = LineFields(w_, "roughness").Real("roughness");
        p->dispersionA = LineFields(w_, "a coefficient of the horizontal dispersion")
                             .Real("a coefficient of the horizontal dispersion");
        p->dispersionB = LineFields(w_, "b coefficient of the horizontal dispersion")
                             .Real("b coefficient of the horizontal dispersion");
        p->windDrag = LineFields(w_, "wind drag").Real("wind drag");
        if (layout_.before366)
            p->waterDensity = 1024.0f;
        else
            p->waterDensity = LineFields(w_, "density of water").Real("density of water");
    }

    void Wind()
    {
        const int32_t rows = LineFields(w_, "number of wind rows").Count("number of wind rows");
        if (rows > 1) {
            Replace(&P()->physical->wind, ReadXYSeriesTable(rows, 2, 0, "wind table row"));
            st_->tableSlotFlags[kSlotWind] = kSlotWind;
        }
    }

    void ModelSpecific()
    {
        const int32_t count = w_.Count("number of model specific parameters");
        switch (type_) {
        case 3: {
            w_.CheckCount(count, "number of red tide parameters", RED_TIDE_VALUE_COUNT);
            P()->redTideCount = RED_TIDE_VALUE_COUNT;
            for (int32_t i = 0; i < count; ++i)
                P()->redTide[i] = w_.Real("red tide parameter");
            break;
        }
        case 4:
            OilParameters();
            break;
        case 2:
        case 5:
            Temperature(count);
            break;
        default:
            for (int32_t i = 0; i < count; ++i)
                w_.Real("model specific parameter");
            break;
        }
    }

    void Temperature(int32_t count)
    {
        for (int i = 0; i < kTemperatureValues; ++i)
            P()->temperature[i] = w_.Real("temperature parameter");
        const int32_t rows = w_.Count("number of intakes");
        if (static_cast<int64_t>(rows) * kIntakeValues + 12 != count) {
            ruv_dm_post_error("Reading data: error in line %d of the input file:\n"
                              "%d temperature parameters do not fit %d intakes (%lld expected)",
                              w_.SourceLine(), count, rows, static_cast<long long>(rows) * kIntakeValues + 12);
            throw ReadStop{READ_TEMPERATURE_MISMATCH};
        }
        if (type_ == 5) {
            Replace(&P()->intakes, ReadXYSeriesTable(rows, kIntakeValues, 1, "intake value"));
            return;
        }
        TablePtr intakes = NewTable(0, SCEN_INTAKE_SERIES_TWO_LAYER);
        std::vector<float> row(kIntakeValues), kept;
        for (int32_t r = 0; r < rows; ++r) {
            for (float &v : row)
                v = w_.Real("intake value");
            kept.assign(row.begin(), row.begin() + 4);
            kept.insert(kept.end(), row.begin() + 5, row.end());
            AppendRow(intakes.get(), 0.0, kept.data());
        }
        Replace(&P()->intakes, std::move(intakes));
    }

    void OilParameters()
    {
        if (layout_.before366) {
            ruv_dm_post_message("%s", "Obsolete input found\nThe oil input parameter \"Dispersion par. C0\"\n"
                                      "has been redefined as \"Kinematic Viscosity (cSt)\"\n"
                                      "Please check the chosen default!\n");
            ruv_dm_post_message("%s", "Obsolete input found\nNew oil input parameters were  added\n"
                                      "i.e. volatile fraction, emulsification fraction,\n"
                                      "max. water content and evap. fraction\nPlease check the chosen defaults!\n");
        }
        FreeOilFractions(P());
        for (int i = 0; i < substances_; ++i) {
            Substance *sub = nullptr;
            GE_ListGet(s_->substances, i, &sub);
            if (sub == nullptr || !sub->isOilFraction)
                continue;
            OilFraction *oil = CreateOilFraction();
            if (oil == nullptr)
                OutOfMemory();
            CopyText(oil->name, SCEN_OIL_NAME_LEN, sub->name);
            if (!GE_ListInsert(P()->oilFractions, GE_ListCount(P()->oilFractions), &oil)) {
                GE_Free(oil);
                OutOfMemory();
            }
            sub->oilFraction = oil;

            oil->evaporation = w_.Real("evaporation fraction");
            const int32_t option = w_.Int("oil dispersion option");
            if (option != 0 && option != 1)
                w_.Invalid("oil dispersion option is %d (0 or 1)", option);
            oil->dispersionOption = option;
            if (option == 0)
                oil->dispersionRate = w_.Real("oil dispersion rate");
            else if (layout_.before366)
                w_.Real("oil dispersion parameter");
            oil->stickyProbability = w_.Real("sticky probability");
            if (!layout_.before366) {
                oil->volatileFraction = w_.Real("volatile fraction");
                oil->emulsificationC1 = w_.Real("emulsification parameter C1");
                oil->maxWaterContentC2 = w_.Real("maximum water content C2");
                oil->emulsificationStart = w_.Real("evaporated fraction at which emulsification starts");
                oil->density = w_.Real("oil density");
                oil->viscosity = w_.Real("kinematic viscosity");
            }
        }
        if (layout_.before366) {
            const int32_t listed = w_.Count("number of listed releases");
            for (int32_t i = 0; i < listed; ++i) {
                listedReleases_.insert(w_.Int("number of a listed release"));
                w_.Real("value of a listed release");
                w_.Real("value of a listed release");
            }
            P()->minimumOilThickness = kOldMinimumOilThickness;
        } else {
            P()->minimumOilThickness = w_.Real("minimum thickness of the oil layer");
        }
        if (layout_.before362)
            P()->coriolisAngle = 0.0f;
        else if (SeveralLayers())
            P()->coriolisAngle = w_.Real("Coriolis deflection angle");
    }

    void Timers()
    {
        auto &sim = s_->timeGroups[TIME_GROUP_SIMULATION];
        auto &map = s_->timeGroups[TIME_GROUP_MAP];
        auto &his = s_->timeGroups[TIME_GROUP_HISTORY];
        Offset("simulation start time", sim[TIME_START]);
        Offset("simulation stop time", sim[TIME_STOP]);
        TimeField(1, "take over time", s_->takeOverTime);
        Offset("map file start time", map[TIME_START]);
        Offset("map file stop time", map[TIME_STOP]);
        TimeField(1, "map file time step", map[TIME_STEP]);
        Offset("his file start time", his[TIME_START]);
        Offset("his file stop time", his[TIME_STOP]);
        TimeField(1, "his file time step", his[TIME_STEP]);
        TimeField(0, "reference date for output", s_->outputReferenceDate);
    }

    void Offset(const char *what, char *out)
    {
        LineFields f(w_, what);
        OffsetLine(f, out, what);
    }

    void InitialCondition()
    {
        InitialConditions *ic = s_->initialConditions;
        ic->option = 0;
        if (!Oil() || layout_.before366)
            return;
        const int32_t option = LineFields(w_, "initial condition option").Int("initial condition option");
        if (option != 0 && option != 1)
            w_.Invalid("initial condition option is %d (0 or 1)", option);
        ic->option = option;
        if (option != 1)
            return;
        LineFields f(w_, "name of the initial condition file");
        const std::string name = f.Quoted(kQuotedLimit, "name of the initial condition file");
        CopyText(ic->iniFile, SCEN_INI_FILE_LEN, Resolved(name).c_str());
        ic->fileGiven = 1;
        FILE *file = std::fopen(ic->iniFile, "r");
        if (file != nullptr)
            std::fclose(file);
        else
            ruv_dm_post_message("Ini-file\n%s not found\nPlease check !!", name.c_str());
    }

    void ObservationPoints()
    {
        const int32_t count = LineFields(w_, "number of observation points").Count("number of observation points");
        FreeLocations(s_->observationPoints);
        for (int32_t i = 0; i < count; ++i) {
            LineFields f(w_, "observation point");
            LocationPtr point(CreateLocation());
            if (!point)
                OutOfMemory();
            CopyText(point->name, SCEN_LOCATION_NAME_LEN,
                     f.Quoted(SCEN_LOCATION_NAME_LEN - 1, "name of the observation point").c_str());
            point->x = point->x2 = f.Real("x of the observation point");
            point->y = point->y2 = f.Real("y of the observation point");
            Append(s_->observationPoints, point.get());
            point.release();
            SendLocationToVisArea(NULL_WIN, kPageObservation, i, 0);
        }
    }

    void OutputParameters()
    {
        const int32_t rows = LineFields(w_, "number of recovery rows").Count("number of recovery rows");
        if (rows > 0)
            Replace(&s_->outputOptions->recovery, ReadXYSeriesTable(rows, 1, 0, "recovery table row"));
        if (!layout_.before366)
            return;
        const int32_t psf = LineFields(w_, "number of PSF points").Count("number of PSF points");
        if (psf > 0)
            ruv_dm_post_message("%s", "Obsolete input found\nPSF method for output has been removed\n"
                                      "Consider standard output to zoom grid\nPlease check output!\n");
        w_.Line("PSF parameters");
        for (int32_t i = 0; i < psf; ++i)
            w_.Line("PSF point");
    }

    void ZoomGrid()
    {
        ::ZoomGrid *z = s_->outputOptions->zoomGrid;
        LineFields x(w_, "zoom grid x-start and x-end");
        z->xStart = z->xStart2 = x.Real("zoom grid x-start");
        z->xEnd = z->xEnd2 = x.Real("zoom grid x-end");
        LineFields y(w_, "zoom grid y-start and y-end");
        z->yStart = z->yStart2 = y.Real("zoom grid y-start");
        z->yEnd = z->yEnd2 = y.Real("zoom grid y-end");
        LineFields cells(w_, "zoom grid cells");
        const int32_t first = cells.Count("zoom grid cells");
        const int32_t second = cells.Count("zoom grid cells");
        /* Before "V3.64.00" the cells in y came first. */
        z->cellsX = layout_.before364 ? second : first;
        z->cellsY = layout_.before364 ? first : second;
        GE_PointObject corners[2];
        std::memset(corners, 0, sizeof corners);
        corners[0].x = z->xStart;
        corners[0].y = z->yStart;
        corners[1].x = z->xEnd;
        corners[1].y = z->yEnd;
        GE_SetAreaBox(corners);
    }

    /* Name of a release ("unknown name %d" when empty), also kept in the
       record's release names. */
    void ReleaseName(Location *r, int numberInSection, int nameIndex)
    {
        LineFields f(w_, "release name");
        std::string name = f.Quoted(SCEN_LOCATION_NAME_LEN - 1, "release name");
        if (name.empty())
            name = Printf("unknown name %d", numberInSection);
        CopyText(r->name, SCEN_LOCATION_NAME_LEN, name.c_str());
        CopyText(s_->releaseNames[nameIndex], SCEN_RELEASE_NAME_LEN, r->name);
    }

    /* The position line, and before "V3.64.00" the line after it with the
       depth fraction, radius and share. */
    void Position(Location *r, bool continuous)
    {
        LineFields f(w_, "release position");
        r->x = r->x2 = f.Real("x of the release");
        r->y = r->y2 = f.Real("y of the release");
        if (layout_.before364) {
            const int32_t layer = f.Int("release layer");
            SetLayer(r, Oil() ? 1 : layer);
            LineFields g(w_, "depth fraction, radius and share of the release");
            const float fraction = g.Real("depth fraction of the release");
            r->radius = g.Real("radius of the release");
            r->particleShare = g.Real("share of the particles");
            r->depth = Oil() ? 0.0f : (1.0f - fraction) * 100.0f;
            return;
        }
        if (Oil()) {
            SetLayer(r, 1);
            r->depth = 0.0f;
        } else if (SeveralLayers()) {
            SetLayer(r, f.Int("release layer"));
            r->depth = 0.0f;
        } else if (hydUnread_) {
            /* Without the *.hyd the layer count is not known: the value is a
               layer (several layers) or a depth (one).  Both keep it, so
               that the file's value is written back whichever *.hyd is
               chosen. */
            const float value = f.Real("layer or depth of the release");
            r->depth = value;
            SetLayer(r, value >= 1.0f && value <= 1000.0f && value == std::floor(value) ? static_cast<int32_t>(value) : 1);
        } else {
            r->depth = f.Real("depth of the release");
            SetLayer(r, 1);
        }
        if (!continuous && !layout_.before366)
            return;
        LineFields g(w_, "radius and share of the release");
        r->radius = g.Real("radius of the release");
        r->particleShare = g.Real("share of the particles");
    }

    void SetLayer(Location *r, int32_t layer)
    {
        if (layer < 1)
            w_.Invalid("release layer is %d (1 or more)", layer);
        r->layer = layer;
        r->layerIndex = layer - 1;
    }

    void InstantaneousReleases()
    {
        const int32_t count = LineFields(w_, "number of instantaneous releases")
                                  .Count("number of instantaneous releases", SCEN_MAX_RELEASE_NAMES);
        FreeLocations(s_->instantaneousReleases);
        instantaneous_ = count;
        for (int32_t i = 0; i < count; ++i) {
            LocationPtr r(CreateLocation());
            if (!r)
                OutOfMemory();
            ReleaseName(r.get(), i + 1, i);
            Offset("release time", r->releaseTime);
            Position(r.get(), false);
            if (layout_.before366) {
                r->radiusOption = listedReleases_.count(i + 1) ? 1 : 0;
            } else {
                LineFields option(w_, "release radius option");
                r->radiusOption = option.Int("release radius option") != 0 ? 1 : 0;
                if (r->radiusOption != 0) {
                    r->radius = kFayHoultRadius;
                } else {
                    option.Rewind();
                    option.Int("release radius option");
                    r->radius = option.Real("release radius");
                }
                r->particleShare = LineFields(w_, "share of the particles").Real("share of the particles");
            }
            r->masses = ReadSubstanceRow("released mass");
            Append(s_->instantaneousReleases, r.get());
            r.release();
            SendLocationToVisArea(NULL_WIN, kPageInstantaneous, i, 0);
        }
    }

    void ContinuousReleases()
    {
        const int32_t count = LineFields(w_, "number of continuous releases")
                                  .Count("number of continuous releases", SCEN_MAX_RELEASE_NAMES - instantaneous_);
        FreeLocations(s_->continuousReleases);
        s_->releaseNameCount = instantaneous_ + count;
        for (int32_t i = 0; i < count; ++i) {
            LocationPtr r(CreateLocation());
            if (!r)
                OutOfMemory();
            ReleaseName(r.get(), i + 1, instantaneous_ + i);
            Position(r.get(), true);
            if (!layout_.before366) {
                r->loadScale = w_.Real("scale factor for the load");
                r->interpolation = w_.Int("interpolation option");
                r->masses = ReadSubstanceRow("released concentration");
                const int32_t rows = w_.Count("number of release rates");
                r->releaseRates = ReadXYSeriesTable(rows, 1, 0, "release rate row").release();
            }
            /* On the map at once: a read that stops later keeps the list
               and the map the same, index for index. */
            Append(s_->continuousReleases, r.get());
            r.release();
            SendLocationToVisArea(NULL_WIN, kPageContinuous, i, 0);
        }
        if (layout_.before366 && count > 0) {
            std::vector<Location *> releases(static_cast<size_t>(count));
            for (int32_t i = 0; i < count; ++i)
                GE_ListGet(s_->continuousReleases, i, &releases[static_cast<size_t>(i)]);
            for (Location *r : releases)
                r->loadScale = w_.Real("scale factor for the load");
            for (Location *r : releases)
                r->interpolation = layout_.before363 ? 1 : w_.Int("interpolation option");
            for (Location *r : releases)
                r->masses = ReadSubstanceRow("released concentration");
            /* One rate table for all releases: a column per release. */
            const int32_t rows = w_.Count("number of release rates");
            std::vector<double> times;
            std::vector<float> rates;
            ReadTimeTableRows(&times, &rates, rows, count, count, false, "release rate row");
            for (int32_t i = 0; i < count; ++i) {
                TablePtr table = NewTable(1, 1);
                for (int32_t row = 0; row < rows; ++row)
                    AppendRow(table.get(), times[static_cast<size_t>(row)],
                              &rates[static_cast<size_t>(row) * static_cast<size_t>(count) + static_cast<size_t>(i)]);
                Replace(&releases[static_cast<size_t>(i)]->releaseRates, std::move(table));
            }
        }
    }

    void UserDefinedReleases()
    {
        const int32_t count = LineFields(w_, "number of user defined releases").Count("number of user defined releases");
        FreeLocations(s_->userDefinedReleases);
        for (int32_t i = 0; i < count; ++i) {
            LocationPtr r(CreateLocation());
            if (!r)
                OutOfMemory();
            LineFields first(w_, "share and scale factor of a user defined release");
            r->particleShare = first.Real("share of the particles");
            r->loadScale = first.Real("scale factor for the load");
            CopyText(r->name, SCEN_LOCATION_NAME_LEN, Printf("UD-%d", i + 1).c_str());
            LineFields start(w_, "start time and layer of a user defined release");
            OffsetLine(start, r->releaseTime, "start time of a user defined release");
            const int32_t layer = start.Int("layer of a user defined release");
            r->userLayer = layer;
            r->layerIndex = layer - 1;
            r->userOption = LineFields(w_, "option of a user defined release").Int("option of a user defined release");
            LineFields text(w_, "text of a user defined release");
            CopyText(r->userText, SCEN_USER_TEXT_LEN, text.Quoted(kQuotedLimit, "text of a user defined release").c_str());
            if (r->userOption == 0) {
                LineFields stop(w_, "stop time of a user defined release");
                OffsetLine(stop, r->stopTime, "stop time of a user defined release");
                r->userWord3 = stop.Int("user defined release value");
                r->userWord4 = stop.Int("user defined release value") - 1;
                r->substanceIndex = r->userWord3 - 1;
            }
            r->spare[0] = -1;
            r->closingWords[0] = 0;
            r->closingWords[1] = 0;
            Append(s_->userDefinedReleases, r.get());
            r.release();
        }
    }

    void DecayRates()
    {
        const int32_t rows = LineFields(w_, "number of decay rows").Count("number of decay rows");
        if (rows <= 1)
            return;
        if (OutputColumns() == 0) {
            /* Rows of times alone: nothing to keep. */
            for (int32_t r = 0; r < rows; ++r)
                ReadRowTime("decay table row");
            return;
        }
        Replace(&P()->decayRates, ReadXYSeriesTable(rows, OutputColumns(), 0, "decay table row"));
        st_->tableSlotFlags[kSlotDecay] = kSlotDecay;
    }

    void SettlingVelocities()
    {
        ProcessParameters *p = P();
        if (layout_.before363) {
            p->settlingExponent = 0.0f;
            p->refinementFactor = 1;
            p->refinementLabelIndex = 0;
        } else {
            p->settlingExponent = LineFields(w_, "exponent for c").Real("exponent for c");
            p->refinementFactor = LineFields(w_, "grid refinement factor").Int("grid refinement factor");
            const int32_t label = p->refinementFactor - 1;
            p->refinementLabelIndex = label < 0 ? 0 : label > 9 ? 9 : label;
        }
        const int32_t rows = LineFields(w_, "settling table dimension").Count("settling table dimension");
        const int columns = OutputColumns();
        if (rows <= 1 || columns < 1)
            return;

        const int perRow = layout_.before363 ? kOldSettlingValues : SETTLING_TABLE_COUNT;
        std::vector<double> times;
        std::vector<std::vector<float>> byColumn(static_cast<size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            std::vector<double> columnTimes;
            ReadTimeTableRows(&columnTimes, &byColumn[static_cast<size_t>(c)], rows, perRow, SETTLING_TABLE_COUNT,
                              false, "settling table row");
            if (c == 0)
                times = columnTimes;
            if (layout_.before363)
                for (int32_t r = 0; r < rows; ++r) {
                    float *row = &byColumn[static_cast<size_t>(c)][static_cast<size_t>(r) * SETTLING_TABLE_COUNT];
                    row[SETTLING_VMIN] = 0.0f;
                    row[SETTLING_VMAX] = 1000.0f;
                }
        }
        const int settlingColumns = SettlingColumns();
        std::vector<float> values(static_cast<size_t>(settlingColumns));
        for (int k = 0; k < SETTLING_TABLE_COUNT; ++k) {
            TablePtr table = NewTable(1, settlingColumns);
            for (int32_t r = 0; r < rows; ++r) {
                for (int c = 0; c < columns; ++c) {
                    const int target = SettlingColumnOf(c);
                    if (target >= 0 && target < settlingColumns)
                        values[static_cast<size_t>(target)] =
                            byColumn[static_cast<size_t>(c)][static_cast<size_t>(r) * SETTLING_TABLE_COUNT + static_cast<size_t>(k)];
                }
                AppendRow(table.get(), times[static_cast<size_t>(r)], values.data());
            }
            Replace(&p->settling[k], std::move(table));
            st_->tableSlotFlags[kSlotFirstSettling + k] = kSlotFirstSettling + k;
        }
    }

    void SedimentationErosion()
    {
        ProcessParameters *p = P();
        if (!p->sedimentationErosion)
            return;
        p->criticalShearSedimentation = LineFields(w_, "critical shear stress for sedimentation")
                                            .Real("critical shear stress for sedimentation");
        p->criticalShearErosion = LineFields(w_, "critical shear stress for erosion").Real("critical shear stress for erosion");
        p->chezy = LineFields(w_, "Chezy coefficient").Real("Chezy coefficient");
        if (layout_.before366)
            w_.Line("sedimentation/erosion parameter");
    }

    WorkText &w_;
    ScenarioRecord *s_;
    StartupRecord *st_;
    std::string folder_;
    bool hydUnread_ = false;
    Layout layout_ = {false, false, false, false};
    int16_t oldTag_ = 0;
    std::string titles_[3];
    int32_t type_ = 1;
    int32_t substanceLines_ = 0;
    int32_t oilFractions_ = 0;
    int substances_ = 0;
    int32_t instantaneous_ = 0;
    std::set<int32_t> listedReleases_;
};

}  // namespace

int32_t ExtractQuoted(int32_t maximum, const char *line, char *destination)
{
    if (line == nullptr)
        return -1;
    const char *open = std::strchr(line, '\'');
    if (open == nullptr)
        return -1;
    const int32_t limit = maximum < kQuotedLimit ? maximum : kQuotedLimit;
    /* A quote inside the text is written twice. */
    const char *p = open + 1;
    int32_t n = 0;
    while (*p != '\0' && n < limit) {
        if (*p == '\'') {
            if (p[1] != '\'')
                break;
            ++p;
        }
        if (destination != nullptr)
            destination[n] = *p;
        ++n;
        ++p;
    }
    if (destination != nullptr)
        destination[n < 0 ? 0 : n] = '\0';
    return static_cast<int32_t>(p - line);
}

int16_t ParseTimeField(int flag, const char *text, char *output)
{
    if (output == nullptr)
        return 0;
    output[0] = '\0';
    if (text == nullptr)
        return 0;
    int f[6] = {0, 0, 0, 0, 0, 0};
    int first = flag == 1 ? 2 : 0;
    const char *p = text;
    for (int i = first; i < 6; ++i) {
        size_t used = 0;
        int32_t value = 0;
        if (!ScanInt(p, &value, &used))
            return 0;
        f[i] = value;
        p += used;
    }
    /* Each field must fit its digits: a day count of 100 or a negative
       field would break the 14-digit form. */
    if (f[0] < 0 || f[0] > 9999)
        return 0;
    for (int i = 1; i < 6; ++i)
        if (f[i] < 0 || f[i] > 99)
            return 0;
    char text14[32];
    std::snprintf(text14, sizeof text14, "%04d%02d%02d%02d%02d%02d", f[0], f[1], f[2], f[3], f[4], f[5]);
    if (flag == 1 ? !IsValidDuration(text14) : !IsValidDateTime(text14))
        return 0;
    std::memcpy(output, text14, static_cast<size_t>(DATETIME_LEN) + 1);
    return 1;
}

void SplitPathName(const char *path, char *directory, char *name, size_t nameSize)
{
    if (directory != nullptr)
        directory[0] = '\0';
    if (name != nullptr && nameSize > 0)
        CopyText(name, nameSize, path != nullptr ? path : "");
}

int32_t StripInputComments(const char *source, const char *workFile, int32_t lineLimit)
{
    return StripLines(nullptr, source, workFile, lineLimit, nullptr, nullptr);
}

int16_t ResolveInputName(char *destination, size_t size, const char *chosenName)
{
    if (destination == nullptr || size == 0)
        return 0;
    destination[0] = '\0';
    const std::string name = chosenName != nullptr ? chosenName : "";
    if (name.empty())
        return 0;
    if (name.size() >= 4 && CompareNoCase(name.c_str() + name.size() - 4, ".inp") == 0) {
        CopyText(destination, size, name.c_str());
        return std::strlen(destination) == name.size() ? 1 : 0;
    }
    FILE *list = OpenRegularFile(name.c_str(), "r", INT64_MAX, nullptr);
    if (list == nullptr)
        return 0;
    std::string first;
    for (int c; (c = std::fgetc(list)) != EOF && c != '\n';) {
        if (first.size() == INPUT_RAW_LINE_LIMIT) {
            std::fclose(list);
            return 0;
        }
        first += static_cast<char>(c);
    }
    std::fclose(list);
    char quoted[kQuotedLimit + 1];
    if (ExtractQuoted(kQuotedLimit, first.c_str(), quoted) < 0 || Trimmed(quoted).empty())
        return 0;
    CopyText(destination, size, Trimmed(quoted).c_str());
    return 1;
}

int32_t ReadInputFile(int16_t *obsolete)
{
    int16_t scratch = 0;
    if (obsolete == nullptr)
        obsolete = &scratch;
    *obsolete = 0;
    ScenarioRecord *s = &g_scenario;
    DirectoryGuard directory;

    char input[SCEN_FILE_NAME_LEN];
    if (!ruv_fsys_set_dir(&s->scenarioFile.dir) ||
        !ResolveInputName(input, sizeof input, s->scenarioFile.name)) {
        ruv_dm_post_error("%s", kCannotOpen);
        return READ_CANNOT_OPEN;
    }
    /* The file opened to see that it can be is the one stripped. */
    FILE *in = OpenRegularFile(input, "rb", INT64_MAX, nullptr);
    if (in == nullptr) {
        ruv_dm_post_error("%s", kCannotOpen);
        return READ_CANNOT_OPEN;
    }

    std::vector<int> sourceLines;
    std::string text;
#ifdef _WIN32
    /* There the work file is read back as text, which ends it at a Ctrl-Z. */
    const int32_t stripped = StripLines(in, input, INPUT_WORK_FILE, INPUT_LINE_LIMIT, &sourceLines, nullptr);
    std::fclose(in);
    const bool haveText = stripped == READ_OK && ReadWholeFile(INPUT_WORK_FILE, &text);
#else
    /* Elsewhere a read of the work file gives the bytes written to it. */
    const int32_t stripped = StripLines(in, input, INPUT_WORK_FILE, INPUT_LINE_LIMIT, &sourceLines, &text);
    std::fclose(in);
    const bool haveText = stripped == READ_OK;
#endif
    if (!haveText) {
        ruv_dm_post_error("%s", kStripFailed);
        return stripped != READ_OK ? stripped : READ_CANNOT_OPEN;
    }

    char folder[SCEN_FILE_NAME_LEN] = "";
    if (ruv_fsys_convert_dir_to_str(&s->scenarioFile.dir, folder, sizeof folder))
        ToForwardSlashes(folder);
    RememberInputFile(s, folder, input);
    WorkText work(std::move(text), std::move(sourceLines));
    int32_t result = READ_OK;
    // The locations go to the map without drawing, and the zoom-grid box's
    // drawing waits: each map window draws what was read once, at the end.
    GE_SuspendDrawing();
    try {
        InputFileReader(work, s, &g_startup, folder).Read(obsolete);
    } catch (const ReadStop &stop) {
        result = stop.result;
    }
    GE_ResumeDrawing();
    return result;
}

int32_t CmdOpen(RUV_WIN mainWindow)
{
    ScenarioRecord *s = &g_scenario;
    if (ModifiedFlag &&
        ruv_dm_post_ask("Cancel", "OK", nullptr, "%s", "Data may be changed. Do you really want to read new data ?") != 1)
        return 0;

    /* A cancelled dialog leaves the scenario as it is. */
    RUV_FILE_SPEC chosen = s->scenarioFile;
    SelectFile("mdp", "Select an existing Quarnex-TRAZ master file or input file", 1, &chosen);
    if (chosen.name[0] == '\0')
        return 0;

    ResetScenario(s);
    /* The map shows the grid of the scenario opened, or none. */
    GE_FreeGrid();
    s->scenarioFile = chosen;
    /* The folder of the file opened: the file's names are taken in it, and
       a Save writes them relative to it. */
    SetScenarioFolder(&g_startup, &chosen.dir);
    int16_t obsolete = 0;
    const int32_t result = ReadInputFile(&obsolete);
    if (result != READ_OK) {
        /* What was read is no copy of the file: it keeps no name, so that
           Save asks for one instead of replacing the file with less. */
        s->scenarioFile.name[0] = '\0';
        s->inputFile[0] = '\0';
        if (result != READ_CANNOT_OPEN) {
            ModifiedFlag = 1;
            ruv_dm_post_error("%s", "The file was read only in part.\n"
                                    "What was read is kept without the file's name:\n"
                                    "Save asks for a new name.");
        }
    }

    BuildScenarioPath();
    UpdateMainTitle();
    EnablePageButtons();
    EnableInitialConditionButton(s->modelKind == MODEL_OIL ? 1 : 0);
    ruv_menu_set_item_enabled(mainWindow, kMenuSave, TRUE);
    ruv_menu_set_item_enabled(mainWindow, kMenuSaveAs, TRUE);

    /* What was converted is told only of a file that was read. */
    if (obsolete == 1 && (result == READ_OK || s->modelKind == MODEL_TEMPERATURE)) {
        switch (s->modelKind) {
        case MODEL_TEMPERATURE:
            ruv_dm_post_note("%s", "Temperature model no longer supported");
            RefuseScenarioSave("Temperature model no longer supported");
            ruv_menu_set_item_enabled(mainWindow, kMenuSave, FALSE);
            ruv_menu_set_item_enabled(mainWindow, kMenuSaveAs, FALSE);
            break;
        case MODEL_OIL:
            ruv_dm_post_message("%s", "Obsolete input found\nRelease scenario for oil has been modified\n"
                                      "1. Oil releases are always at water surface\n"
                                      "2. Oil releases are restricted to floating fractions only\nPlease check!\n");
            break;
        case MODEL_RED_TIDE:
            if ((s->redTideSwitch & 0xFFFF) != 1) {
                ruv_dm_post_note("%s", "Red tide model no longer supported");
                break;
            }
            [[fallthrough]];   /* as a tracer */
        default:
            ruv_dm_post_message("%s", "Obsolete input found\nRelease scenario has been modified\nPlease check!\n");
            break;
        }
    }
    return result;
}

int32_t ReadMasterFile(const char *listFile, ScenarioRecord *scenario, StartupRecord *startup)
{
    CopyText(scenario->fileNames[FILE_HYD], SCEN_FILE_NAME_LEN, "- unknown name -");
    FILE *list = listFile != nullptr ? std::fopen(listFile, "r") : nullptr;
    if (list == nullptr) {
        statbar_set_title(MainWindow, "Reading data: filename.dat not found !");
        return 2;
    }
    std::vector<std::string> lines;
    {
        std::string line;
        int c;
        do {
            c = std::fgetc(list);
            if (c == EOF || c == '\n') {
                if (c == '\n' || !line.empty())
                    lines.push_back(line);
                line.clear();
            } else {
                line += static_cast<char>(c);
            }
        } while (c != EOF);
        std::fclose(list);
    }
    auto quoted = [](const std::string &line) {
        char text[kQuotedLimit + 1] = "";
        ExtractQuoted(kQuotedLimit, line.c_str(), text);
        return std::string(text);
    };
    if (lines.empty()) {
        PostErrorF("%s", "Error reading Quarnex-TRAZ master file\nPlease check!");
        return 4;
    }
    CopyText(scenario->fileNames[6], SCEN_FILE_NAME_LEN, quoted(lines[0]).c_str());

    std::string expected = startup->scenarioFile.name;
    if (startup->mode == STARTUP_STAND_ALONE) {
        RUV_FILE_DIR dir;
        char text[SCEN_FILE_NAME_LEN];
        if (!ruv_fsys_get_dir(&dir) || !ruv_fsys_convert_dir_to_str(&dir, text, sizeof text)) {
            statbar_set_title(MainWindow, "Current directory not found!");
            return 9;
        }
        expected = std::string(text) + "/" + expected;
    }
    if (expected != scenario->fileNames[6]) {
        statbar_set_title(MainWindow, "Not valid Quarnex-TRAZ master file!");
        return 10;
    }
    const int slots[5] = {FILE_GRID_INDICES, FILE_TOTAL_GRID, FILE_GRID_COORDINATES, FILE_VOLUMES, FILE_FLOWS};
    if (lines.size() < 7) {
        PostErrorF("%s", "Error reading Quarnex-TRAZ master file\nPlease check!");
        return 4;
    }
    for (int i = 0; i < 5; ++i)
        CopyText(scenario->fileNames[slots[i]], SCEN_FILE_NAME_LEN, quoted(lines[static_cast<size_t>(i) + 2]).c_str());

    bool gridRead = false;
    if (scenario->fileNames[FILE_GRID_INDICES][0] != '\0' && scenario->fileNames[FILE_GRID_COORDINATES][0] != '\0') {
        gridRead = ReadGridTable(scenario, scenario->fileNames[FILE_GRID_INDICES]) == GRID_TABLE_READ;
        if (!gridRead)
            PostErrorF("Error reading grid file:\n%s\nPlease check", scenario->fileNames[FILE_GRID_INDICES]);
    } else {
        statbar_set_title(MainWindow, "Reading Quarnex-TRAZ master file: error finding grid files!");
    }
    startup->gridAvailable = gridRead ? 1 : 0;
    return 0;
}
