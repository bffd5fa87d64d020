// Fuzzes the wave input reader: the first byte chooses small capacities,
// the rest is the file.  Every count the file gives is bounded by them.

#include "wave_input.h"
#include "../../../gridfiles/tests/fuzz/fuzz_files.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int32_t cap = data[0] % 8;
    const std::string path = fuzzfiles::Dir() + "w.inp";
    fuzzfiles::Write(path, data + 1, size - 1);
    wave::WaveCapacities caps;
    caps.tide_steps = cap;
    caps.nests = cap;
    caps.starting_lines = cap;
    caps.segments = cap;
    caps.sections = cap;
    caps.obstacle_points = 2 * cap;
    caps.curve_entries = 2 * cap;
    wave::WaveInputRecord record;
    int32_t lines = 0;
    const int32_t status = wave::ReadWaveInput(path, caps, &record, &lines);
    if (status != 0 && status != 3 && status != 4 && status != 6)
        __builtin_trap();
    return 0;
}
