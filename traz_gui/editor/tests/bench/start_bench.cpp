// Start-up cost of the editor: the time from starting "traz_gui.exe est" in
// a copy of the example model to its main window being ready (shown, titled
// with the scenario, answering messages; the opening box answered on the
// way), against the same time for the smallest program that shows one
// window.  Both run as benchmarks of one run, each start in a fresh copy of
// the example made outside the timing; the ratio of their mean times is
// printed last.  Run by hand under Wine (start_bench.sh), never by ctest.
//   start_bench <traz_gui.exe> <minimal_window.exe> <example dir> <work dir> [benchmark options]
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

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

// Keeps each benchmark's mean real time per start.
class Keeper : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !r.error_occurred)
                seconds[r.benchmark_name()] = r.real_accumulated_time / static_cast<double>(r.iterations);
    }
};

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
    Keeper keeper;
    benchmark::RunSpecifiedBenchmarks(&keeper);
    const double minimal = keeper.seconds["BM_MinimalWindowStart/iterations:10/real_time"];
    const double editor = keeper.seconds["BM_EditorExampleStart/iterations:10/real_time"];
    int result = 0;
    if (minimal > 0 && editor > 0)
        std::printf("editor %.1f ms, minimal window %.1f ms, ratio %.2f\n", editor * 1e3, minimal * 1e3,
                    editor / minimal);
    else
        result = 1;
    benchmark::Shutdown();
    return result;
}
