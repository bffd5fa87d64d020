// What the section readers of the master definition file from gravity to
// the user processes share beyond the keyword cursor: answers "Y"/"N",
// reals that keep the field's value on a failed read, and for the
// discharge, wind and heat-model series the checks of their times and
// their scratch file.
#ifndef TRAZ_PROCESS_KEYWORDS_H
#define TRAZ_PROCESS_KEYWORDS_H

#include "boundary_keywords.h"

#include <string>

namespace sectionkw {

// The checks of a series read from the definition file, time by time: a
// time off the step grid ("U044"), a first time after the run start
// ("U041"), times that do not increase ("U060"), a last time before the
// run stop ("U042").  Each finding sets the error flag in strict mode.
class SeriesSteps {
public:
    SeriesSteps(const int32_t *diag_unit, int32_t *error, bool strict, const float *dt, const int32_t *start_step,
                const int32_t *stop_step)
        : diag_(diag_unit), error_(error), strict_(strict), dt_(*dt), start_(*start_step), stop_(*stop_step)
    {
    }

    void Finding(const char *code, const std::string &text) const
    {
        Report(diag_, code, text);
        if (strict_)
            *error_ = kTrue;
    }

    // The step of one time.  False when the time has no step in 32 bits
    // ("U036" with the keyword): the series ends there.
    bool Take(float time, const std::string &keyword, const std::string &name, const std::string &first_text,
              int32_t *first_common, int32_t *step)
    {
        bool off = false;
        if (!StepOf(time, dt_, step, &off)) {
            Finding("U036", keyword);
            return false;
        }
        if (off)
            Finding("U044", name);
        if (first_) {
            first_ = false;
            if (start_ < *step)
                Finding("U041", first_text);
            *first_common = std::max(*first_common, *step);
        }
        if (previous_ >= *step)
            Finding("U060", name);
        return true;
    }

    // A level is complete: its step becomes the previous one.
    void Completed(int32_t step)
    {
        previous_ = step;
        any_ = true;
    }

    // No further time: the series must reach the run stop.
    void CheckEnd(const std::string &last_text) const
    {
        if (previous_ < stop_)
            Finding("U042", last_text);
    }

    // The earliest last step over all series.
    void Finish(int32_t *last_common) const
    {
        if (any_)
            *last_common = *last_common == -1 ? previous_ : std::min(*last_common, previous_);
    }

private:
    const int32_t *diag_;
    int32_t *error_;
    bool strict_;
    float dt_;
    int32_t start_;
    int32_t stop_;
    bool first_ = true;
    bool any_ = false;
    int32_t previous_ = -1;
};

// A scratch record of a series: the step as a 4-byte real holding the
// whole number, then the values.  False when it cannot be written.
inline bool WriteStepRecord(const ScratchFile &scratch, int32_t step, const float *values, size_t count)
{
    recio::RecordBytes out;
    out.Real(static_cast<float>(step)).Reals(values, count);
    return scratch.Write(out);
}

// A "Y"/"N" answer: the fallback stands unless the value read is the other
// letter, in either case.
inline char ReadAnswer(Cursor &cursor, const std::string &keyword, bool required, char fallback)
{
    char value = fallback;
    if (cursor.ReadText(keyword, required, &value, 1, std::string(1, fallback)) != Cursor::Text::kValue)
        return fallback;
    const char other = fallback == 'Y' ? 'N' : 'Y';
    return value == other || value == other - 'A' + 'a' ? other : fallback;
}

// A search forward to the end of the file (it gives up when it comes round
// to the first record, also when it starts at the last one).
inline bool FindForward(Cursor &cursor, const std::string &keyword, bool from_current, bool *io_error = nullptr)
{
    return cursor.Find(keyword, from_current, Reach::kToEnd, false, io_error);
}

// count reals of the next record of a keyword, forward to the end of the
// file; a keyword not found there is "U100".  False on any failure.
inline bool ReadRealsForward(Cursor &cursor, const std::string &keyword, int32_t count, float *values,
                             bool from_current)
{
    if (!FindForward(cursor, keyword, from_current)) {
        Report(cursor.diag_unit, "U100", keyword);
        return false;
    }
    return cursor.ReadReals(keyword, count, count, false, values, 0.0f, true, Reach::kToEnd);
}

// A real with the field's value as its default: a failed read (reported
// by the keyword reader) keeps the field.
inline void ReadRealKeeping(Cursor &cursor, const std::string &keyword, float *field)
{
    float value = *field;
    if (cursor.ReadReals(keyword, 1, 1, true, &value, *field))
        *field = value;
}

}  // namespace sectionkw

#endif
