// Fuzz target of the model input file reader, fed through the work-file
// path: the bytes become an input file in a scratch scenario directory that
// also holds the bay model (hyd/bay1.hyd to hyd/bay3.hyd, one to three
// layers, with their grid files), and File Open's reset and read run on it.
// The record's bounds are checked after each read.  A scenario that can be
// saved is saved, read back and saved again, three times: the second save
// keeps the first's numbers within the precision they were written with
// (the first may round a value, and so change its form), and the third
// file equals the second (from there the format is a fixed point of reader
// and writer).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "../../../gridfiles/tests/fuzz/fuzz_files.h"
#include "../../../gridfiles/tests/grid_fixture.h"
#include "../saved_numbers.h"
#include "editor_services.h"
#include "fakes.h"
#include "ge_list.h"
#include "input_reader.h"
#include "input_writer.h"
#include "scenario.h"
#include "../scenario_fixtures.h"

namespace fs = std::filesystem;

namespace {

std::string g_dir;
std::string g_cwd;
// The scratch files' paths, made once.
std::string g_case, g_saved, g_again, g_third;

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

bool Terminated(const char *slot, size_t size)
{
    return std::memchr(slot, '\0', size) != nullptr;
}

void MakeBayModel()
{
    fs::create_directories(g_dir + "/hyd");
    for (int layers = 1; layers <= 3; ++layers) {
        const std::string base = "bay" + std::to_string(layers);
        std::ofstream(g_dir + "/hyd/" + base + ".hyd")
            << "reference-time          '20190315000000'\n"
               "conversion-start-time   '20190315020000'\n"
               "conversion-stop-time    '20190315140000'\n"
               "conversion-timestep     '00000000001000'\n"
               "grid-indices-file       '" << base << ".lga'\n"
               "grid-coordinates-file   '" << base << ".cco'\n";
        gridfix::Grid g = gridfix::SampleGrid();
        g.layers = layers;
        gridfix::WriteGridFiles(g_dir + "/hyd/" + base, recio::Form::kUnformatted, g);
    }
}

void FreeGrid() { scenario_fixtures::FreeGridArrays(&g_scenario); }

// The bytes of a file, into a string kept from run to run.
void ReadFileText(const std::string &path, std::string *text)
{
    text->clear();
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return;
    char buffer[16384];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
        text->append(buffer, static_cast<size_t>(got));
    close(fd);
}

// The current directory is the one the process started in.
bool InStartDirectory()
{
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) != nullptr && g_cwd == buffer;
}

void Reset()
{
    FreeGrid();
    ResetScenario(&g_scenario);
}

void UseFile(const char *name)
{
    std::snprintf(g_scenario.scenarioFile.dir.path, sizeof g_scenario.scenarioFile.dir.path, "%s", g_dir.c_str());
    std::snprintf(g_scenario.scenarioFile.name, sizeof g_scenario.scenarioFile.name, "%s", name);
}

void RemoveScratch()
{
    std::error_code ec;
    fs::remove_all(g_dir, ec);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    std::error_code ec;
    g_cwd = fs::current_path(ec).string();
    // A name of fixed length (the process id in seven digits): the length
    // of a path must not change what a run covers.
    char name[40];
    std::snprintf(name, sizeof name, "traz_input_reader_fuzz_%07ld", static_cast<long>(getpid()));
    g_dir = (fuzzfiles::ScratchBase() / name).string();   // RAM-backed where there is one
    fs::remove_all(g_dir, ec);
    g_case = g_dir + "/case.inp";
    g_saved = g_dir + "/saved.inp";
    g_again = g_dir + "/again.inp";
    g_third = g_dir + "/third.inp";
    MakeBayModel();
    std::atexit(RemoveScratch);
    fakes::Reset();
    SetScenarioDefaults(&g_startup, &g_scenario);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 65536)
        return 0;
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    // Device and system files could block a read or never end.
    for (const char *place : {"/dev", "/proc", "/sys", "\\\\"})
        if (text.find(place) != std::string_view::npos)
            return 0;
    fuzzfiles::Write(g_case, data, size);
    // What the run read is freed with it, so that a run that leaks nothing
    // frees as much as it allocates (else the leak check runs it again).
    // The fakes are reset then, for the next run (and before the first).
    struct EndOfRun {
        ~EndOfRun()
        {
            Reset();
            fakes::Reset();
        }
    } end_of_run;

    fakes::SetModelKindSource([] { return static_cast<int>(g_scenario.modelKind); });
    Reset();
    UseFile("case.inp");
    int16_t obsolete = -1;
    const int32_t result = ReadInputFile(&obsolete);
    Check(result == 0 || result == 1 || result == 2 || result == 4);
    Check(obsolete == 0 || obsolete == 1);
    Check(InStartDirectory());

    const ScenarioRecord &s = g_scenario;
    Check(Terminated(s.version, sizeof s.version));
    for (const auto &title : s.titles)
        Check(Terminated(title, sizeof title));
    for (const auto &name : s.fileNames)
        Check(Terminated(name, sizeof name));
    for (const DateTimeString *group : s.timeGroups)
        for (int t = 0; t < 3; ++t)
            Check(Terminated(group[t], sizeof(DateTimeString)));
    Check(GE_ListCount(s.substances) <= SCEN_MAX_SUBSTANCES);
    Check(s.releaseNameCount >= 0 && s.releaseNameCount <= SCEN_MAX_RELEASE_NAMES);
    Check(GE_ListCount(s.instantaneousReleases) + GE_ListCount(s.continuousReleases) <= SCEN_MAX_RELEASE_NAMES);
    Check(s.processParameters->redTideCount == RED_TIDE_VALUE_COUNT);

    // Whatever was read can be saved, and what is saved reads back.
    if (GE_ListCount(s.substances) > 0 && s.hydLayers > 0) {
        g_startup.mode = STARTUP_STAND_ALONE;
        UseFile("saved.mdp");
        if (WriteInputFile(&g_scenario, &g_startup) != WRITE_OK)
            return 0;
        auto readAndSave = [&obsolete](const char *from, const char *to) {
            Reset();
            UseFile(from);
            Check(ReadInputFile(&obsolete) == 0 && obsolete == 0);
            UseFile(to);
            Check(WriteInputFile(&g_scenario, &g_startup) == WRITE_OK);
        };
        readAndSave("saved.inp", "again.mdp");
        readAndSave("again.inp", "third.mdp");
        static std::string saved, again, third;
        ReadFileText(g_saved, &saved);
        ReadFileText(g_again, &again);
        ReadFileText(g_third, &third);
        Check(savedfile::Differences(saved, again).empty());
        Check(third == again);
    }
    return 0;
}
