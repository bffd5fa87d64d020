/* Reader of the wave model's input file: a text file without keywords in
   which every value is known by its place.  One call opens the file, reads
   the header (layout line and ten switches), the general section, and in the
   current layout the obstacles and curves and the boundary section, into the
   caller's wave input record, and closes the file.

   Outcome of a read (WaveStatus): 0 ok, 1 cannot open, 2 cannot close,
   3 a count exceeded its capacity (two lines on standard output, the second
   " Please contact Ostravel"), 4 read error, 6 end of file before the layout
   was complete.  The line counter then holds the number of the line being
   read, comment lines included.

   The C entries follow the convention of the flow-model readers: every
   argument by reference, each text followed at once by its length (by
   value); logicals are int32, true when all bits are set, tested by the
   lowest bit. */
#ifndef TRAZ_WAVE_INPUT_H
#define TRAZ_WAVE_INPUT_H

#include <stdint.h>

#ifdef __cplusplus
#include <array>
#include <string>
#include <vector>

namespace wave {

enum WaveStatus : int32_t {
    kWaveOk = 0,
    kWaveCannotOpen = 1,
    kWaveCannotClose = 2,
    kWaveCapacityExceeded = 3,
    kWaveReadError = 4,
    kWaveEndOfFile = 6,
};

constexpr int kNameLength = 37;     // file names and section names
constexpr int kMaxBoundaries = 4;
constexpr int kMaxPoints = 300;

// Most items the caller's record is to hold.  The reader grows the record's
// arrays to these sizes (it never shrinks them) before reading.
struct WaveCapacities {
    int32_t tide_steps = 0;
    int32_t nests = 0;
    int32_t starting_lines = 0;
    int32_t segments = 0;          // per boundary
    int32_t sections = 0;          // per boundary
    int32_t obstacle_points = 0;   // in all obstacles; also bounds the obstacle count
    int32_t curve_entries = 0;     // in all curves
};

// Three reals, two integers, two reals: nest line A and the field extra line.
struct WaveValueLine {
    float first[3] = {0.0f, 0.0f, 0.0f};
    int32_t ints[2] = {0, 0};
    float last[2] = {0.0f, 0.0f};
};

// A field group of the general section: constants, or a named field file
// with a three-letter code ("dif" adds the extra line).
struct WaveFieldGroup {
    float values[5] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};   // group 1 uses two
    bool flag_value = false;                           // group 2's logical
    bool file_flag = false;
    std::string file_name;   // 37 characters, blank-padded
    std::string code;        // 3 characters, blank-padded
    WaveValueLine extra;
};

struct WaveTideStep {
    int32_t step = 0;
    float values[3] = {0.0f, 0.0f, 0.0f};
};

struct WaveNest {
    WaveValueLine line_a;
    std::string name1, name2;          // 37 each
    float name_value = 0.0f;
    float b_reals[3] = {0.0f, 0.0f, 0.0f};
    int32_t b_ints[2] = {0, 0};
    int32_t c_int = 0;
    float c_reals[3] = {0.0f, 0.0f, 0.0f};
    std::string second_name1, second_name2;   // nests 2 onward
    int32_t second_value = 0;
};

struct WaveObstacle {
    bool short_form = false;
    int32_t point_count = 0;
    float coefficients[4] = {0.0f, 0.0f, 0.0f, 0.0f};   // 999.0 where not given
};

struct WaveCurveEntry {
    int32_t count = 0;
    float values[2] = {0.0f, 0.0f};
};

struct WaveInputRecord {
    // Header.
    std::array<bool, 10> switches{};   // switches[0] is switch 1
    bool switches_read = false;
    std::string grid_name;             // "hwgxy" + run id + extension, 37 characters
    std::string communication_name;    // "com-" + run id, 37 characters

    // General section.
    std::string first_file_name;       // 37
    int32_t seven_ints[2] = {0, 0};
    float seven_reals[5] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    int32_t tide_step_count = 0;
    std::vector<WaveTideStep> tide_steps;
    std::string text16, text4;
    std::array<std::string, 3> texts65;
    int32_t int_pair[2] = {0, 0};
    float real_triple[3] = {0.0f, 0.0f, 0.0f};
    float real_pair[2] = {0.0f, 0.0f};
    WaveFieldGroup field1;
    int32_t nest_count = 0;
    std::vector<WaveNest> nests;
    float further_real = 0.0f;                       // G18
    int32_t further_ints[2] = {0, 0};
    int32_t g19_int1 = 0;                            // G19
    float g19_reals[2] = {0.0f, 0.0f};
    int32_t g19_int2 = 0;
    int32_t starting_line_count = 0;
    float starting_value = 0.0f;
    std::vector<std::array<float, 5>> starting_lines;
    WaveFieldGroup field2;
    std::string code1, code2;          // 3 each
    float value1 = 0.0f, value2 = 0.0f;

    // Obstacles and curves.
    int32_t obstacle_count = 0;
    std::vector<WaveObstacle> obstacles;
    int32_t obstacle_point_total = 0;
    std::vector<std::array<float, 2>> obstacle_points;
    int32_t curve_count = 0;
    int32_t curve_entry_count = 0;
    int32_t curve_total = 0;
    std::vector<WaveCurveEntry> curve_entries;
    bool boundary_section_absent = false;

    // Boundary section: packed arrays indexed by slot number from 1
    // (element 0 is not used), the names from entry 1 likewise.
    std::vector<int32_t> ints;
    std::vector<float> reals;
    std::array<bool, 13> logicals{};
    std::vector<std::string> names;        // 37 each
    std::string boundary_file_name;        // 37
};

// Sizes of the packed arrays of the boundary section for the capacities
// (the largest slot number plus one).
size_t WaveIntSlots(const WaveCapacities &caps);
size_t WaveRealSlots(const WaveCapacities &caps);
size_t WaveNameEntries(const WaveCapacities &caps);

// Reads the file into the record; returns the status.  *line_counter is
// left as passed when the file cannot be opened.
int32_t ReadWaveInput(const std::string &path, const WaveCapacities &caps, WaveInputRecord *record,
                      int32_t *line_counter);

}  // namespace wave

extern "C" {
#endif

/* The run identifier (3 characters) and extension (4) of the derived names;
   each is cut or blank-padded.  Both start blank. */
void SET_WAVE_NAME_PARTS(const char *run_id, int32_t run_id_len, const char *extension,
                         int32_t extension_len);

/* Reads the wave input file named by the first name_len characters (cut at
   the first NUL or trailing blanks) into *record; the status and the line
   counter go out by reference. */
#ifdef __cplusplus
void READ_WAVE_INPUT(const char *name, int32_t name_len, const int32_t *tide_step_capacity,
                     const int32_t *nest_capacity, const int32_t *starting_line_capacity,
                     const int32_t *segment_capacity, const int32_t *section_capacity,
                     const int32_t *obstacle_point_capacity, const int32_t *curve_entry_capacity,
                     wave::WaveInputRecord *record, int32_t *status, int32_t *line_counter);
#endif

/* Skips lines with '*' in column 1 on a formatted unit and leaves the unit
   at the first other line; returns the number skipped.  End of file or a
   read error while skipping: -1 - (lines skipped) is returned instead. */
int32_t SKIP_COMMENT_LINES(const int32_t *unit);

/* True (-1) when the next line's first 79 characters hold exactly *n
   blank-separated words; the line is not consumed.  False (0) otherwise,
   also at end of file. */
int32_t LINE_HAS_FIELD_COUNT(const int32_t *n, const int32_t *unit);

/* From position *n (at most text_len) back to the first non-blank
   character, blanks become NUL characters. */
void TRIM_TO_NUL_TERMINATED(char *text, int32_t text_len, const int32_t *n);

/* From the first NUL character up to position *n (at most text_len),
   every character becomes a blank; a text without NUL is unchanged. */
void PAD_NUL_TERMINATED(char *text, int32_t text_len, const int32_t *n);

/* Sets the whole text to blanks; the integer is not used. */
void BLANK_STRING(char *text, int32_t text_len, const int32_t *unused);

/* Reads the sections of one boundary from the unit (kind 1: parameter
   values; layout 1: one section).  real_block receives five reals per
   section, name_block one name of name_len characters per section; both
   must hold *section_capacity entries.  Returns 0, 3 (count above the
   capacity, nothing stored), 4 (read error) or 6 (end of file). */
int32_t READ_BOUNDARY_SECTIONS(const int32_t *unit, const int32_t *kind, const int32_t *layout,
                               const int32_t *section_capacity, int32_t *count, float *real_block,
                               char *name_block, int32_t name_len, int32_t *line_counter);

#ifdef __cplusplus
}
#endif

#endif
