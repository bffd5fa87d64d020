// Console test tool of the scenario model: drives the input file reader and
// writer, the *.hyd reader, the grid readers and the start-up without any
// window, on the recording fakes, and prints every message, note, question,
// status text and map-window call it receives, one a line prefixed by its
// kind.  Where the writer asks the editor for default tables, the tool gives
// them as the editor does (editor_default_tables.h).  Used by the end-to-end
// tests; not part of the program.
//
//   traz_model_tool roundtrip IN OUT   read IN (input or list file), write OUT
//   traz_model_tool hyd FILE           read a *.hyd description
//   traz_model_tool grid FILE          read a grid table, coordinates, depths
//   traz_model_tool startup [ID]       start as the program would
// Its first line, on standard error, is "traz_model_tool started": a run
// under Wine that lacks it never reached the tool (the process was not
// started), which the test wrapper reports as such.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../editor_default_tables.h"
#include "editor_services.h"
#include "fakes.h"
#include "hyd_reader.h"
#include "input_reader.h"
#include "input_writer.h"
#include "record_calls.h"
#include "scenario.h"
#include "startup.h"

namespace {

size_t g_printed = 0;

// The entries recorded since the last call.
void PrintRecord()
{
    const auto &entries = fakes::Entries();
    for (; g_printed < entries.size(); ++g_printed)
        std::printf("%s\n", fakes::FormatEntry(entries[g_printed]).c_str());
}

void SetUpEditor()
{
    fakes::Reset();
    fakes::SetModelKindSource([] { return static_cast<int>(g_scenario.modelKind); });
    fakes::SetCreateDefaultTablesHook(EditorDefaultTables);
    MainWindow = fakes::CreateTestWindow(RUV_RECT{0, 0, 600, 800});
}

// The scenario's file specification from a path; the directory also becomes
// the project directory, to which the file list's paths are relative.
bool UseScenarioFile(const char *path)
{
    RUV_FILE_SPEC spec;
    std::memset(&spec, 0, sizeof spec);
    if (!PathToFileSpec(path, &spec)) {
        std::fprintf(stderr, "cannot use the file name %s\n", path);
        return false;
    }
    ToForwardSlashes(spec.dir.path);
    g_scenario.scenarioFile = spec;
    fakes::SetProjectDirectory(spec.dir.path);
    return true;
}

int RoundTrip(const char *in, const char *out)
{
    SetScenarioDefaults(&g_startup, &g_scenario);
    ResetScenario(&g_scenario);
    PrintRecord();
    if (!UseScenarioFile(in))
        return 2;
    int16_t obsolete = 0;
    const int32_t read = ReadInputFile(&obsolete);
    PrintRecord();
    std::printf("read=%d obsolete=%d\n", read, obsolete);

    if (!UseScenarioFile(out))
        return 2;
    g_startup.mode = STARTUP_STAND_ALONE;
    const int32_t written = WriteInputFile(&g_scenario, &g_startup);
    PrintRecord();
    std::printf("write=%d\n", written);
    return read == 0 && written == 0 ? 0 : 1;
}

const char *const kTimeKeywords[HYD_TIME_SLOTS] = {
    "reference-time", "hydrodynamic-start-time", "hydrodynamic-stop-time", "hydrodynamic-timestep",
    "conversion-ref-time", "conversion-start-time", "conversion-stop-time", "conversion-timestep"};

const char *const kFileKeywords[HYD_FILE_SLOTS] = {
    "hydrodynamic-file", "aggregation-file", "grid-indices-file", "grid-coordinates-file",
    "volumes-file", "areas-file", "flows-file", "pointers-file", "lengths-file", "salinity-file",
    "temperature-file", "vert-diffusion-file", "surfaces-file", "total-grid-file",
    "shear-stresses-file", "chezy-coefficients-file", "discharges-file", "description-file",
    "walking-discharges-file", "attributes-file", "depths-file"};

int Hyd(const char *path)
{
    SetScenarioDefaults(&g_startup, &g_scenario);
    const int32_t result = ReadHydFile(path, &g_scenario);
    std::fflush(stdout);
    PrintRecord();
    std::printf("result=%d\n", result);
    const HydDescription *d = GetHydDescription();
    for (int i = 0; i < HYD_TIME_SLOTS; ++i)
        std::printf("time %s '%s'\n", kTimeKeywords[i], d->times[i]);
    const int lines = d->descriptionLineCount < HYD_DESCRIPTION_LINES ? d->descriptionLineCount
                                                                       : HYD_DESCRIPTION_LINES;
    std::printf("description lines=%d\n", d->descriptionLineCount);
    for (int i = 0; i < lines; ++i)
        std::printf("description %d '%s'\n", i + 1, d->descriptionLines[i]);
    std::printf("grid cells=%d x %d\n", d->integers[HYD_CELLS_FIRST_DIRECTION],
                d->integers[HYD_CELLS_SECOND_DIRECTION]);
    std::printf("layers hydrodynamic=%d water-quality=%d\n", d->integers[HYD_HYDRODYNAMIC_LAYERS],
                d->integers[HYD_WATER_QUALITY_LAYERS]);
    for (int i = 0; i < HYD_FILE_SLOTS; ++i)
        if (d->files[i][0] != '\0')
            std::printf("file %s '%s'\n", kFileKeywords[i], d->files[i]);
    return result == 0 ? 0 : 1;
}

// FNV-1a over the bytes of an array (the same on every little-endian
// platform).
template <typename T>
uint32_t Checksum(const std::vector<T> &values)
{
    uint32_t hash = 2166136261u;
    const auto *bytes = reinterpret_cast<const unsigned char *>(values.data());
    for (size_t i = 0; i < values.size() * sizeof(T); ++i) {
        hash ^= bytes[i];
        hash *= 16777619u;
    }
    return hash;
}

int Grid(const char *path)
{
    const int32_t nameLength = 256;
    char name[2 * 256];
    std::memset(name, ' ', sizeof name);
    const size_t length = std::strlen(path);
    if (length >= static_cast<size_t>(nameLength)) {
        std::fprintf(stderr, "file name too long: %s\n", path);
        return 2;
    }
    std::memcpy(name, path, length);

    int32_t fileType = 0, spare = 0, status = 0, segments = 0;
    int32_t location[9] = {-2, 0, 0, 0, 0, 0, 0, 0, 0};
    int32_t dims[7] = {0, 0, 0, 0, 0, 0, 0};
    ReadLgaFile(name, nameLength, &fileType, location, dims, &segments, &spare, &status);
    std::printf("table query status=%d mmax=%d nmax=%d layers=%d cells=%d segments=%d exchanges=%d %d %d\n",
                status, dims[0], dims[1], dims[2], dims[3], segments, dims[4], dims[5], dims[6]);
    if (status != 0)
        return 1;
    const size_t cells = static_cast<size_t>(dims[0]) * static_cast<size_t>(dims[1]);

    std::vector<int32_t> table(cells);
    location[0] = 0;
    int32_t tableSegments = segments;
    ReadLgaFile(name, nameLength, &fileType, location, table.data(), &tableSegments, &spare, &status);
    int active = 0, boundary = 0, inactive = 0;
    for (int32_t entry : table)
        (entry > 0 ? active : entry < 0 ? boundary : inactive) += 1;
    std::printf("table status=%d active=%d boundary=%d inactive=%d checksum=%08x\n", status, active,
                boundary, inactive, Checksum(table));
    int failures = status != 0;

    for (int32_t selector = 1; selector <= 2; ++selector) {
        std::vector<float> values(cells);
        float missing = -999.0f;
        int32_t capacity = static_cast<int32_t>(cells);
        ReadCcoFile(name, nameLength, &fileType, &selector, &spare, location, &missing, &capacity,
                    values.data(), &status);
        std::printf("%s status=%d checksum=%08x\n", selector == 1 ? "x" : "y", status, Checksum(values));
        failures += status != 0;
    }

    std::vector<float> depths(static_cast<size_t>(segments > 0 ? segments : 0));
    int32_t depthDims[7] = {0, 0, 0, 0, 0, 0, 0};
    int32_t count = segments;
    ReadDpsFile(name, nameLength, &fileType, location, depthDims, depths.data(), &count, &spare, &status);
    if (status == 0 && count >= 0 && static_cast<size_t>(count) < depths.size())
        depths.resize(static_cast<size_t>(count));
    std::printf("depths status=%d count=%d checksum=%08x\n", status, count, Checksum(depths));
    failures += status != 0;
    PrintRecord();
    return failures == 0 ? 0 : 1;
}

int Startup(const char *id)
{
    char program[] = "traz_gui";
    std::vector<char> argument(id ? std::strlen(id) + 1 : 1, '\0');
    if (id)
        std::memcpy(argument.data(), id, argument.size());
    char *argv[] = {program, argument.data(), nullptr};
    ParseCommandLine(id ? 2 : 1, argv, &g_startup);
    std::printf("mode=%s\n", g_startup.mode == STARTUP_PROJECT ? "project" : "stand-alone");
    std::printf("scenario=%s\n", g_startup.scenarioName);
    std::printf("input=%s\n", g_startup.scenarioFile.name);
    SetScenarioDefaults(&g_startup, &g_scenario);
    OpenStartScenario(MainWindow, &g_startup, &g_scenario);
    PrintRecord();
    return 0;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: traz_model_tool roundtrip IN OUT | hyd FILE | grid FILE | startup [ID]\n");
    return 2;
}

}  // namespace

int main(int argc, char **argv)
{
    std::fputs("traz_model_tool started\n", stderr);
    std::fflush(stderr);
    if (argc < 2)
        return Usage();
    SetUpEditor();
    const std::string command = argv[1];
    int result;
    if (command == "roundtrip" && argc == 4)
        result = RoundTrip(argv[2], argv[3]);
    else if (command == "hyd" && argc == 3)
        result = Hyd(argv[2]);
    else if (command == "grid" && argc == 3)
        result = Grid(argv[2]);
    else if (command == "startup" && (argc == 2 || argc == 3))
        result = Startup(argc == 3 ? argv[2] : nullptr);
    else
        return Usage();
    std::fflush(stdout);
    return result;
}
