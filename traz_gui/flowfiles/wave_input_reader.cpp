// Frame of the wave input reader: opening and closing the file, the layout
// line, the header switches and the derived names, the reading rules shared
// by all sections (comment lines, look-ahead, one list-directed statement a
// line) and the run identifier and extension of the derived names.

#include "wave_input.h"
#include "wave_reader_context.h"

#include "record_calls.h"
#include "record_io.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace wave {

namespace {

// Name parts set by SET_WAVE_NAME_PARTS, blank-padded.
std::string g_run_id = "   ";
std::string g_extension = "    ";

constexpr size_t kFieldCountColumns = 79;
constexpr size_t kLayoutColumns = 65;

// Counts the words of a line: a word starts at column 1 when that is not a
// blank, or at a non-blank character after a blank.
int CountWords(const std::string &line)
{
    const size_t n = std::min(line.size(), kFieldCountColumns);
    int words = 0;
    for (size_t i = 0; i < n; ++i)
        if (line[i] != ' ' && (i == 0 || line[i - 1] == ' '))
            ++words;
    return words;
}

int32_t StatusOf(int io_result)
{
    return io_result < 0 ? kWaveEndOfFile : kWaveReadError;
}

}  // namespace

std::string FitText(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

int SkipCommentLines(int unit, int32_t *skipped)
{
    *skipped = 0;
    for (;;) {
        std::string line;
        int r = recio::ReadLine(unit, &line);
        if (r != recio::kOk)
            return r;
        if (line.empty() || line[0] != '*')
            return recio::Backspace(unit);
        ++*skipped;
    }
}

void WaveReader::Overflow(const char *message)
{
    std::printf("%s\n Please contact Ostravel\n", message);
    std::fflush(stdout);
    status_ = kWaveCapacityExceeded;
}

bool WaveReader::SkipComments()
{
    if (failed())
        return false;
    int32_t skipped = 0;
    int r = SkipCommentLines(unit_, &skipped);
    *counter_ += skipped;
    if (r != recio::kOk) {
        status_ = StatusOf(r);
        return false;
    }
    return true;
}

bool WaveReader::NextLineHasWords(int n, bool *answer)
{
    if (!SkipComments())
        return false;
    std::string line;
    int r = recio::ReadLine(unit_, &line);
    if (r == recio::kOk)
        r = recio::Backspace(unit_);
    if (r != recio::kOk) {
        status_ = StatusOf(r);
        return false;
    }
    *answer = CountWords(line) == n;
    return true;
}

WaveReader::Statement::Statement(WaveReader *reader)
    : reader_(reader), skipped_ok_(reader->SkipComments()), read_(reader->unit())
{
    if (skipped_ok_)
        ++*reader_->counter_;
}

// Once a logical item has failed, the statement stops: the items after it
// keep their values, as after any other read error.
WaveReader::Statement &WaveReader::Statement::Int(int32_t *value)
{
    if (skipped_ok_ && !bad_logical_)
        read_.Int(value);
    return *this;
}

WaveReader::Statement &WaveReader::Statement::Real(float *value)
{
    if (skipped_ok_ && !bad_logical_)
        read_.Real(value);
    return *this;
}

// A logical is T or F, optionally after a period (".TRUE.", ".false.",
// "t", "Fals" ...); any other value is a read error.
WaveReader::Statement &WaveReader::Statement::Logical(bool *value)
{
    if (!skipped_ok_ || bad_logical_ || read_.result() != recio::kOk)
        return *this;
    std::string text;
    const std::string unset = "\x01";
    text = unset;
    read_.Text(&text);
    if (read_.result() != recio::kOk || text == unset)
        return *this;   // failure, or a null value: unchanged
    size_t at = (!text.empty() && text[0] == '.') ? 1 : 0;
    char c = at < text.size() ? text[at] : '\0';
    if (c == 'T' || c == 't')
        *value = true;
    else if (c == 'F' || c == 'f')
        *value = false;
    else
        bad_logical_ = true;
    return *this;
}

WaveReader::Statement &WaveReader::Statement::Text(std::string *value, size_t width)
{
    if (!skipped_ok_ || bad_logical_)
        return *this;
    std::string text = *value;
    read_.Text(&text);
    if (read_.result() == recio::kOk)
        *value = FitText(text, width);
    return *this;
}

bool WaveReader::Statement::Finish()
{
    if (!skipped_ok_)
        return false;
    int r = read_.result();
    if (r != recio::kOk) {
        reader_->status_ = StatusOf(r);
        return false;
    }
    if (bad_logical_) {
        reader_->status_ = kWaveReadError;
        return false;
    }
    return true;
}

namespace {

// Header: the ten switches (with the three ignored lines of the old
// layout), then the two derived names.
void ReadHeader(WaveReader *reader, WaveInputRecord *record)
{
    bool ignored = false;
    for (int s = 1; s <= 10; ++s) {
        if (!reader->Read().Logical(&record->switches[static_cast<size_t>(s - 1)]).Finish())
            return;
        if (s == 7)
            record->switches_read = true;
        if (!reader->current_layout()) {
            int extra = (s == 2) ? 1 : (s == 3) ? 2 : 0;
            for (int i = 0; i < extra; ++i)
                if (!reader->Read().Logical(&ignored).Finish())
                    return;
        }
    }
    std::string grid = FitText("hwgxy" + g_run_id, kNameLength);
    size_t blank = grid.find(' ');
    grid.replace(blank, g_extension.size(), g_extension);
    record->grid_name = FitText(grid, kNameLength);
    record->communication_name = FitText("com-" + g_run_id, kNameLength);
}

}  // namespace

size_t WaveIntSlots(const WaveCapacities &caps)
{
    return 40 + 3 * static_cast<size_t>(std::max(caps.nests, 0)) + 11 * kMaxBoundaries;
}

size_t WaveRealSlots(const WaveCapacities &caps)
{
    return 30 + 4 * static_cast<size_t>(std::max(caps.nests, 0)) +
           kMaxBoundaries * (5 * static_cast<size_t>(std::max(caps.sections, 0)) +
                             2 * static_cast<size_t>(std::max(caps.segments, 0))) +
           2 * kMaxPoints;
}

size_t WaveNameEntries(const WaveCapacities &caps)
{
    return 2 + kMaxBoundaries * static_cast<size_t>(std::max(caps.sections, 0));
}

namespace {

template <typename T>
void GrowTo(std::vector<T> *v, int32_t capacity)
{
    if (capacity > 0 && v->size() < static_cast<size_t>(capacity))
        v->resize(static_cast<size_t>(capacity));
}

void PrepareRecord(const WaveCapacities &caps, WaveInputRecord *record)
{
    GrowTo(&record->tide_steps, caps.tide_steps);
    GrowTo(&record->nests, caps.nests);
    GrowTo(&record->starting_lines, caps.starting_lines);
    GrowTo(&record->obstacles, caps.obstacle_points);
    GrowTo(&record->obstacle_points, caps.obstacle_points);
    GrowTo(&record->curve_entries, caps.curve_entries);
    GrowTo(&record->ints, static_cast<int32_t>(WaveIntSlots(caps)));
    GrowTo(&record->reals, static_cast<int32_t>(WaveRealSlots(caps)));
    GrowTo(&record->names, static_cast<int32_t>(WaveNameEntries(caps)));
}

}  // namespace

int32_t ReadWaveInput(const std::string &path, const WaveCapacities &caps, WaveInputRecord *record,
                      int32_t *line_counter)
{
    const int unit = ALLOCATE_UNIT_NUMBER();
    if (recio::Open(unit, path, recio::Form::kFormatted, recio::Access::kSequential,
                    recio::OpenStatus::kOld) != recio::kOk)
        return kWaveCannotOpen;
    PrepareRecord(caps, record);

    WaveReader reader(unit, line_counter);
    *line_counter = 0;
    if (recio::Rewind(unit) != recio::kOk) {
        reader.Fail(kWaveReadError);
    } else if (reader.SkipComments()) {
        std::string first;
        int r = recio::ReadLine(unit, &first);
        if (r != recio::kOk) {
            reader.Fail(StatusOf(r));
        } else {
            ++*line_counter;
            if (first.substr(0, kLayoutColumns).find("ersion") == std::string::npos) {
                reader.set_current_layout(false);
                *line_counter = 0;
                if (recio::Rewind(unit) != recio::kOk)
                    reader.Fail(kWaveReadError);
            }
        }
    }

    if (!reader.failed())
        ReadHeader(&reader, record);
    if (!reader.failed())
        ReadGeneralSection(&reader, caps, record);
    if (!reader.failed() && reader.current_layout())
        ReadObstaclesAndCurves(&reader, caps, record);

    int32_t status = reader.status();
    if (recio::Close(unit) != recio::kOk)
        status = kWaveCannotClose;
    return status;
}

}  // namespace wave

// ---------------------------------------------------------------- C entries

namespace {

std::string FixedText(const char *text, int32_t len, size_t width)
{
    std::string s;
    if (text && len > 0)
        s.assign(text, static_cast<size_t>(len));
    return wave::FitText(s, width);
}

}  // namespace

extern "C" void SET_WAVE_NAME_PARTS(const char *run_id, int32_t run_id_len, const char *extension,
                                    int32_t extension_len)
{
    wave::g_run_id = FixedText(run_id, run_id_len, 3);
    wave::g_extension = FixedText(extension, extension_len, 4);
}

extern "C" void READ_WAVE_INPUT(const char *name, int32_t name_len, const int32_t *tide_step_capacity,
                                const int32_t *nest_capacity, const int32_t *starting_line_capacity,
                                const int32_t *segment_capacity, const int32_t *section_capacity,
                                const int32_t *obstacle_point_capacity,
                                const int32_t *curve_entry_capacity, wave::WaveInputRecord *record,
                                int32_t *status, int32_t *line_counter)
{
    wave::WaveCapacities caps;
    caps.tide_steps = *tide_step_capacity;
    caps.nests = *nest_capacity;
    caps.starting_lines = *starting_line_capacity;
    caps.segments = *segment_capacity;
    caps.sections = *section_capacity;
    caps.obstacle_points = *obstacle_point_capacity;
    caps.curve_entries = *curve_entry_capacity;
    *status = wave::ReadWaveInput(recio::FieldText(name, name_len), caps, record, line_counter);
}

extern "C" int32_t SKIP_COMMENT_LINES(const int32_t *unit)
{
    int32_t skipped = 0;
    int r = wave::SkipCommentLines(*unit, &skipped);
    return r == recio::kOk ? skipped : -1 - skipped;
}

extern "C" int32_t LINE_HAS_FIELD_COUNT(const int32_t *n, const int32_t *unit)
{
    std::string line;
    if (recio::ReadLine(*unit, &line) != recio::kOk)
        return 0;
    if (recio::Backspace(*unit) != recio::kOk)
        return 0;
    return wave::CountWords(line) == *n ? -1 : 0;
}

extern "C" void TRIM_TO_NUL_TERMINATED(char *text, int32_t text_len, const int32_t *n)
{
    int32_t i = std::min(*n, text_len);
    for (; i >= 1 && text[i - 1] == ' '; --i)
        text[i - 1] = '\0';
}

extern "C" void PAD_NUL_TERMINATED(char *text, int32_t text_len, const int32_t *n)
{
    const int32_t end = std::min(*n, text_len);
    if (end <= 0)
        return;
    const void *nul = std::memchr(text, '\0', static_cast<size_t>(text_len));
    if (!nul)
        return;
    for (int32_t i = static_cast<int32_t>(static_cast<const char *>(nul) - text); i < end; ++i)
        text[i] = ' ';
}

extern "C" void BLANK_STRING(char *text, int32_t text_len, const int32_t * /*unused*/)
{
    if (text && text_len > 0)
        std::memset(text, ' ', static_cast<size_t>(text_len));
}
