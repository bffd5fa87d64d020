// Wave input files of the wave reader tests, built from lines and written in
// the test's working directory.
#ifndef TRAZ_WAVE_FIXTURE_H
#define TRAZ_WAVE_FIXTURE_H

#include "wave_input.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace wavefix {

using Lines = std::vector<std::string>;

inline Lines operator+(Lines a, const Lines &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A text blank-padded (or cut) to width, as the record keeps texts.
inline std::string Fit(std::string text, size_t width)
{
    text.resize(width, ' ');
    return text;
}

inline void WriteLines(const std::string &path, const Lines &lines)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string &l : lines)
        out << l << "\n";
}

inline wave::WaveCapacities SmallCapacities()
{
    wave::WaveCapacities c;
    c.tide_steps = 3;
    c.nests = 2;
    c.starting_lines = 2;
    c.segments = 3;
    c.sections = 2;
    c.obstacle_points = 10;
    c.curve_entries = 5;
    return c;
}

struct Result {
    int32_t status = -1;
    int32_t lines = -1;
};

inline Result Read(const std::string &path, const Lines &lines, wave::WaveInputRecord *record,
                   const wave::WaveCapacities &caps = SmallCapacities())
{
    WriteLines(path, lines);
    Result r;
    r.lines = 0;
    r.status = wave::ReadWaveInput(path, caps, record, &r.lines);
    return r;
}

// Header of the current layout: the version line and ten switches
// T F T F T F T F T F.
inline Lines CurrentHeader()
{
    return {"Version 2", "T", "F", "T", "F", "T", "F", "T", "F", "T", "F"};
}

// The same switches in the old layout, with its three ignored lines.
inline Lines OldHeader()
{
    return {"T", "F", "F", "T", "F", "F", "F", "T", "F", "T", "F", "T", "F"};
}

// A general section with one tide step and no nests or starting lines;
// the field groups in the given layout's plain form.
inline Lines GeneralSection(bool current)
{
    Lines l = {"'bottom.dep'", "1 2 0.1 0.2 0.3 0.4 0.5", "1", "10 1.0 2.0 3.0",
               "'project'", "'run1'", "'text one'", "'text two'", "'text three'",
               "4 5", "1.0 2.0 3.0", "4.0 5.0",
               "1.5 270.", "0",
               "0.5 1 2", "3 0.25 0.75 4",
               "0 9.5",
               "1. 2. 3. 4. 5. T"};
    if (current)
        l = l + Lines{"'inc' 0.5", "'ref'"};
    else
        l = l + Lines{"T 1.0", "F 2.0", "T", "F"};
    return l;
}

// Obstacles 0, curves 0, no boundary section: the shortest end of a
// current-layout file.
inline Lines NoObstaclesNoBoundaries()
{
    return {"0", "0", "F"};
}

// Index of the general section's lines in GeneralSection().
enum GeneralLine { kG1 = 0, kG2, kG3, kG4, kG5, kG6, kG7, kG8, kG9, kG10, kG11, kG12, kG13, kG14,
                   kG18, kG19, kG20, kG22, kG23 };

}  // namespace wavefix

#endif
