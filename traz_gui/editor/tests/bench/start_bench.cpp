// Start-up cost of the editor: the time from starting "traz_gui.exe est" in
// a copy of the example model to its main window being ready (shown, titled
// with the scenario, answering messages; the opening box answered on the
// way), against the same time for the smallest program that shows one
// window.  Both run as benchmarks of one run, each start in a fresh copy of
// the example made outside the timing; the ratio of their mean times is
// printed last.  Run by hand under Wine (start_bench.sh), never by ctest.
//   start_bench <traz_gui.exe> <minimal_window.exe> <example dir> <work dir> [benchmark options]
#include <windows.h>


#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "program_start.h"

namespace fs = std::filesystem;

namespace {

std::string g_editor, g_minimal;
fs::path g_example, g_work;

// A fresh copy of the example in the work directory.
bool FreshCopy()
{
    std::error_code ec;
    fs::remove_all(g_work, ec);
    fs::create_directories(g_work, ec);
    if (ec)
        return false;
    for (const fs::directory_entry &entry : fs::directory_iterator(g_example, ec))
        fs::copy(entry.path(), g_work / entry.path().filename(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    return !ec;
}

void TimeStarts(benchmark::State &state, const std::string &program, const std::string &args,
                const std::string &titlePart)
{
    for (auto _ : state) {
        state.PauseTiming();
        if (!FreshCopy()) {
            state.SkipWithError("cannot copy the example");
            break;
        }
        state.ResumeTiming();
        program_start::Started p;
        if (!program_start::Start(program, args, g_work.string(), &p)) {
            state.SkipWithError("cannot start the program");
            break;
        }
        HWND ready = program_start::WaitReady(p, titlePart, 60000);
        state.PauseTiming();
        program_start::End(&p);
        state.ResumeTiming();
        if (!ready) {
            state.SkipWithError("the program's window did not come up");
            break;
        }
    }
}

void BM_MinimalWindowStart(benchmark::State &state) { TimeStarts(state, g_minimal, "", "Minimal window"); }
void BM_EditorExampleStart(benchmark::State &state) { TimeStarts(state, g_editor, "est", "trazest.inp"); }

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: start_bench <traz_gui.exe> <minimal_window.exe> <example dir> <work dir> [options]\n");
        return 2;
    }
    g_editor = argv[1];
    g_minimal = argv[2];
    g_example = argv[3];
    g_work = argv[4];
    // A start takes a good part of a second: a fixed number of them, the
    // first of each loading the program's libraries from disk.
    benchmark::RegisterBenchmark("BM_MinimalWindowStart", BM_MinimalWindowStart)
        ->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_EditorExampleStart", BM_EditorExampleStart)
        ->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);
    bench_ratio::Keeper keeper;
    benchmark::RunSpecifiedBenchmarks(&keeper);
    const int result = keeper.PrintRatio("start of the editor on the example against a one-window program",
                                         "BM_EditorExampleStart", "BM_MinimalWindowStart")
                           ? 0
                           : 1;
    benchmark::Shutdown();
    return result;
}
