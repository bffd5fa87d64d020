/* What the section readers of the wave input file share: the open unit, the
   layout, the line counter and the status, and the reading rules (comment
   lines skipped and counted before every data line and look-ahead; one
   list-directed statement per data line; the first failure ends the read). */
#ifndef TRAZ_WAVE_READER_CONTEXT_H
#define TRAZ_WAVE_READER_CONTEXT_H

#include "wave_input.h"

#include "record_io.h"

#include <string>

namespace wave {

class WaveReader {
public:
    WaveReader(int unit, int32_t *line_counter) : unit_(unit), counter_(line_counter) {}

    int unit() const { return unit_; }
    bool current_layout() const { return current_layout_; }
    void set_current_layout(bool current) { current_layout_ = current; }
    int32_t status() const { return status_; }
    bool failed() const { return status_ != kWaveOk; }
    void Fail(int32_t status) { status_ = status; }
    // The two lines of a capacity overflow, then status 3.
    void Overflow(const char *message);

    // Skips and counts comment lines; false (status set) at end of file or a
    // read error.
    bool SkipComments();

    // Comment skipping, then the look-ahead: does the next line hold
    // exactly n words?  False with the status set when the file ends.
    bool NextLineHasWords(int n, bool *answer);

    // One data line: comments skipped and counted, the line counted, then
    // one list-directed statement whose items are added with the methods
    // below.  Finish() tests the result; false (status 4 or 6) on failure.
    class Statement {
    public:
        explicit Statement(WaveReader *reader);
        Statement &Int(int32_t *value);
        Statement &Real(float *value);
        Statement &Logical(bool *value);
        Statement &Text(std::string *value, size_t width);   // kept blank-padded to width
        bool Finish();

    private:
        WaveReader *reader_;
        bool skipped_ok_;
        recio::ListRead read_;
        bool bad_logical_ = false;
    };
    Statement Read() { return Statement(this); }

private:
    int unit_;
    int32_t *counter_;
    bool current_layout_ = true;
    int32_t status_ = kWaveOk;
};

// A text cut or blank-padded to width.
std::string FitText(std::string text, size_t width);

// The sections after the header; each returns with the reader's status set
// on failure.
void ReadGeneralSection(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *record);
void ReadObstaclesAndCurves(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *record);
void ReadBoundarySection(WaveReader *reader, const WaveCapacities &caps, WaveInputRecord *record);

// Skips comment lines from the unit's position; result kOk, kEndOfFile or
// an error of the record layer.
int SkipCommentLines(int unit, int32_t *skipped);

}  // namespace wave

#endif
