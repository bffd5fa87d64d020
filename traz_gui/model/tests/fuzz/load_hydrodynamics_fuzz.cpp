// Fuzz target of a hydrodynamics load as a user meets it: a *.hyd with its
// grid table, coordinate and depth files, read together by
// LoadHydrodynamics (the description, its times, the grid, the depths and
// the fill next to the wet area).  The input holds four files: three
// 2-byte little-endian lengths, then the *.hyd, the table (g.lga) and the
// coordinates (g.cco) of those lengths, and the depths (g.dps) to the end.
// A header's count that reaches an allocation is a finding under the
// target's memory limits.  After each load the scenario's grid must agree
// with itself, and a load that failed must have left the grid before it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "../../../gridfiles/tests/fuzz/fuzz_files.h"
#include "editor_services.h"
#include "fakes.h"
#include "ge_list.h"
#include "hyd_reader.h"
#include "load_hydrodynamics.h"
#include "scenario.h"
#include "../scenario_fixtures.h"

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

// The next file of the input: its 2-byte length, or the rest.
std::string_view Take(std::string_view *input, bool last)
{
    size_t n = input->size();
    if (!last) {
        if (input->size() < 2) {
            *input = std::string_view();
            return std::string_view();
        }
        n = static_cast<unsigned char>((*input)[0]) | static_cast<unsigned char>((*input)[1]) << 8;
        input->remove_prefix(2);
        if (n > input->size())
            n = input->size();
    }
    const std::string_view file = input->substr(0, n);
    input->remove_prefix(n);
    return file;
}

void WriteFile(const char *name, std::string_view bytes)
{
    fuzzfiles::Write(fuzzfiles::Dir() + name, reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
}

void FreeGrid() { scenario_fixtures::FreeGridArrays(&g_scenario); }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fakes::Reset();
    SetScenarioDefaults(&g_startup, &g_scenario);
    MainWindow = fakes::CreateTestWindow(RUV_RECT{0, 0, 400, 600});
    PageWindows[1] = fakes::CreateTestWindow(RUV_RECT{0, 0, 300, 500});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string_view input(reinterpret_cast<const char *>(data), size);
    // Names of system files could block a read (a pipe) or never end.
    for (const char *place : {"/dev", "/proc", "/sys", "\\\\"})
        if (input.find(place) != std::string_view::npos)
            return 0;
    const std::string_view hyd = Take(&input, false);
    const std::string_view lga = Take(&input, false);
    const std::string_view cco = Take(&input, false);
    WriteFile("g.hyd", hyd);
    WriteFile("g.lga", lga);
    WriteFile("g.cco", cco);
    WriteFile("g.dps", Take(&input, true));

    // Every run starts from no grid, with the fakes' records emptied, and
    // frees what it read (a run that leaks nothing frees what it takes).
    struct EndOfRun {
        ~EndOfRun()
        {
            FreeGrid();
            fakes::ClearRecord();
            fakes::ClearCalls();
        }
    } endOfRun;
    FreeGrid();
    SetScenarioDefaults(&g_startup, &g_scenario);
    g_scenario.mmax = g_scenario.nmax = g_scenario.activeGridLength = g_scenario.depthCount = 0;
    g_startup.gridAvailable = 0;

    const std::string dir = fuzzfiles::Dir();
    const int32_t result = LoadHydrodynamics(dir.substr(0, dir.size() - 1).c_str(), "g.hyd");
    Check(result == HYD_READ_OK || result == HYD_CANNOT_OPEN || result == HYD_PARSE_FAILED);

    const ScenarioRecord &s = g_scenario;
    for (const auto &name : s.fileNames)
        Check(std::memchr(name, '\0', sizeof name) != nullptr);
    if (g_startup.gridAvailable) {
        // A grid read is whole: its arrays hold its cells and its depths.
        Check(result == HYD_READ_OK);
        Check(s.mmax > 0 && s.nmax > 0 && s.activeGridLength == s.mmax * s.nmax);
        Check(s.activeGrid != nullptr && s.x != nullptr && s.y != nullptr);
        Check(s.depthCount >= 0 && (s.depthCount == 0 || s.segmentDepths != nullptr));
        Check(s.gridLayers >= 1 && s.hydLayers == s.gridLayers);
        // Every value is there to be read (the sanitizer sees a read beyond).
        volatile uint32_t sum = 0;
        for (int32_t c = 0; c < s.activeGridLength; ++c)
            sum = sum + static_cast<uint32_t>(s.activeGrid[c]);
        for (int32_t d = 0; d < s.depthCount; ++d)
            sum = sum + (s.segmentDepths[d] != 0.0f ? 1u : 0u);
    } else {
        // No grid: none was made.
        Check(s.activeGrid == nullptr && s.mmax == 0 && s.nmax == 0);
    }
    return 0;
}
