// Costs of a big model, as benchmarks of one run whose ratios are printed
// last:
// - File Open of a scenario with 5,000 observation points and 1,000 releases
//   (the example model made big, big_scenario.h) in the editor, driven from
//   this process as a user would (the menu command, the file dialog
//   answered, until the editor is idle again), with two map windows open,
//   against the same Open in a second editor with none;
// - the load of a 1000 x 1000 grid (ReadGridTable: grid table, coordinates
//   and depths read, checked and handed to the map library) against a bare
//   read of the same three files into memory; as the load keeps its arrays
//   from one load to the next, its ratio against the same read into buffers
//   kept between reads is printed as well.
// Run by hand under Wine (start it from a Unix shell through wine with the
// build tree's prefix), never by ctest; the program exits 1 when an Open
// costs more than 1.2 times its bare one or the load more than 1.5 times its
// read:
//   wine editor_big_model_bench.exe <traz_gui.exe> <example dir> <work dir> [benchmark options]
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "big_scenario.h"
#include "editor_services.h"
#include "grid_fixture.h"
#include "load_hydrodynamics.h"
#include "program_start.h"
#include "scenario.h"

namespace fs = std::filesystem;

// The shell's state and services that the scenario and the loader reach
// (no pages here).
RUV_WIN MainWindow = NULL_WIN;
RUV_WIN PageWindows[EDITOR_PAGE_COUNT] = {};
int16_t ModifiedFlag = 0;
int32_t CurrentPage = 0;
int32_t PageSelection[EDITOR_PAGE_COUNT] = {};
int32_t PageFilled[EDITOR_PAGE_COUNT] = {};
void ResetMapPageBoxes(void) {}
void ResetTableSlots(int) {}
void UpdateTableTimes(ScenarioRecord *) {}
void ShowHydrodynamicsPage(ScenarioRecord *, RUV_WIN) {}
void FindLocationCellsAgain(void) {}
const char *MakeProjectRelativePath(const char *fullPath) { return fullPath; }

namespace {

constexpr char kOpenTitle[] = "Select an existing Quarnex-TRAZ master file or input file";
constexpr WPARAM kMenuOpen = 1003, kMenuMap = 1048;
constexpr DWORD kWait = 600000;
constexpr int32_t kGridSide = 1000;

std::string g_editor;
fs::path g_example, g_work;

// ------------------------------------------------------------ File Open

std::vector<HWND> MapWindows(DWORD pid)
{
    std::vector<HWND> maps;
    for (HWND h : program_start::TopLevels(pid))
        if (program_start::TextOf(h) == "Visualisation Area")
            maps.push_back(h);
    return maps;
}

// Waits until the program's thread is idle again: it answers a message
// only after what it was doing, and waits for input only when nothing else
// is queued.
bool Idle(const program_start::Started &p, HWND main)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, kWait, &result) &&
           WaitForInputIdle(p.process, kWait) == 0;
}

// File Open of name in the work directory, until the editor is idle after
// the read; false when the dialog does not come, or a box is up after it.
bool Open(const program_start::Started &p, HWND main, const char *name)
{
    PostMessageA(main, WM_COMMAND, kMenuOpen, 0);
    HWND dialog = nullptr;
    for (ULONGLONG end = GetTickCount64() + 30000; !dialog && GetTickCount64() < end; Sleep(1))
        dialog = window_answers::FindDialog(p.pid, kOpenTitle, true);
    if (!dialog || !window_answers::ChooseFileName(dialog, name))
        return false;
    for (ULONGLONG end = GetTickCount64() + 30000; IsWindow(dialog) && IsWindowVisible(dialog); Sleep(1))
        if (GetTickCount64() > end)
            return false;
    return Idle(p, main) && window_answers::Dialogs(p.pid).empty();
}

// The editor on the big model with the given number of map windows, the
// model opened once; the timed Opens then read it again.
class Editor {
public:
    bool Begin(int maps)
    {
        if (!program_start::Start(g_editor, "", g_work.string(), &p_))
            return false;
        main_ = program_start::WaitReady(p_, "Particle tracking", 60000);
        if (!main_ || !Open(p_, main_, "trazest.inp"))
            return false;
        for (int k = 0; k < maps; ++k) {
            PostMessageA(main_, WM_COMMAND, kMenuMap, 0);
            for (ULONGLONG end = GetTickCount64() + 30000; MapWindows(p_.pid).size() <= static_cast<size_t>(k);
                 Sleep(1))
                if (GetTickCount64() > end)
                    return false;
        }
        return Idle(p_, main_);
    }
    bool OpenAgain() { return Open(p_, main_, "trazest.inp"); }
    ~Editor() { program_start::End(&p_); }

private:
    program_start::Started p_;
    HWND main_ = nullptr;
};

void TimeOpens(benchmark::State &state, int maps)
{
    Editor editor;
    if (!editor.Begin(maps)) {
        state.SkipWithError("the editor did not open the big model");
        return;
    }
    for (auto _ : state)
        if (!editor.OpenAgain()) {
            state.SkipWithError("File Open did not end");
            break;
        }
}

void BM_OpenTwoMaps(benchmark::State &state) { TimeOpens(state, 2); }
void BM_OpenNoMap(benchmark::State &state) { TimeOpens(state, 0); }

// ------------------------------------------------------------ the grid

std::string GridBase() { return (g_work / "grid" / "big").string(); }

bool WriteGrid()
{
    std::error_code ec;
    fs::create_directories(g_work / "grid", ec);
    return !ec && gridfix::WriteGridFiles(GridBase(), recio::Form::kUnformatted,
                                          gridfix::RegularGrid(kGridSide, kGridSide)) == recio::kOk;
}

void BM_LoadGrid(benchmark::State &state)
{
    const std::string table = GridBase() + ".lga";
    for (auto _ : state)
        if (ReadGridTable(&g_scenario, table.c_str()) != GRID_TABLE_READ) {
            state.SkipWithError("the grid was not read");
            break;
        }
}

// Reads a grid file (its suffix) whole into bytes.
void ReadGridFile(const char *suffix, std::vector<char> *bytes)
{
    std::ifstream in(GridBase() + suffix, std::ios::binary | std::ios::ate);
    bytes->resize(static_cast<size_t>(in.tellg()));
    in.seekg(0);
    in.read(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    benchmark::DoNotOptimize(bytes->data());
}

// The bare loop: the three files read whole into fresh memory, as the load
// must put them somewhere new.
void BM_ReadGridFiles(benchmark::State &state)
{
    for (auto _ : state)
        for (const char *suffix : { ".lga", ".cco", ".dps" }) {
            std::vector<char> bytes;
            ReadGridFile(suffix, &bytes);
        }
}

// The same read into buffers kept from one iteration to the next, as the
// load keeps its arrays from one load to the next: what the load costs over
// the read itself once neither touches fresh memory.
void BM_ReadGridFilesKeptBuffers(benchmark::State &state)
{
    std::vector<char> buffers[3];
    for (auto _ : state) {
        int k = 0;
        for (const char *suffix : { ".lga", ".cco", ".dps" })
            ReadGridFile(suffix, &buffers[k++]);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: editor_big_model_bench <traz_gui.exe> <example dir> <work dir> [options]\n");
        return 2;
    }
    g_editor = fs::absolute(argv[1]).string();
    g_example = argv[2];
    g_work = fs::absolute(argv[3]);
    std::string why;
    if (!big_scenario::WriteModel(g_example.string(), g_work.string(), { 5000, 500, 500 }, &why) || !WriteGrid()) {
        std::fprintf(stderr, "cannot make the big model in %s: %s\n", argv[3], why.c_str());
        return 1;
    }
    ResetScenario(&g_scenario);
    // An Open takes seconds: a fixed number of them.
    benchmark::RegisterBenchmark("BM_OpenTwoMaps", BM_OpenTwoMaps)->Iterations(5)->UseRealTime()->Unit(
        benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_OpenNoMap", BM_OpenNoMap)->Iterations(5)->UseRealTime()->Unit(
        benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_LoadGrid", BM_LoadGrid)->Iterations(10)->UseRealTime()->Unit(
        benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ReadGridFiles", BM_ReadGridFiles)->Iterations(10)->UseRealTime()->Unit(
        benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_ReadGridFilesKeptBuffers", BM_ReadGridFilesKeptBuffers)->Iterations(10)->UseRealTime()->Unit(
        benchmark::kMillisecond);
    bench_ratio::Keeper keeper;
    benchmark::RunSpecifiedBenchmarks(&keeper);
    bool ok = keeper.PrintRatio("File Open of 5,000 points and 1,000 releases with two map windows against none",
                                "BM_OpenTwoMaps", "BM_OpenNoMap");
    ok = keeper.PrintRatio("load of a 1000 x 1000 grid against a bare read of its files", "BM_LoadGrid",
                           "BM_ReadGridFiles") && ok;
    keeper.PrintRatio("load of a 1000 x 1000 grid against a read of its files into buffers kept between reads",
                      "BM_LoadGrid", "BM_ReadGridFilesKeptBuffers");
    ok = ok && keeper.Mean("BM_OpenTwoMaps") <= 1.2 * keeper.Mean("BM_OpenNoMap") &&
         keeper.Mean("BM_LoadGrid") <= 1.5 * keeper.Mean("BM_ReadGridFiles");
    benchmark::Shutdown();
    return ok ? 0 : 1;
}
