// Start-up cost of the editor: the time from starting "traz_gui.exe est" in
// a copy of the example model to its main window being ready (shown, titled
// with the scenario, answering messages; the opening box answered on the
// way), against the same time for the smallest program that shows one
// window.  Both are measured in the same run, alternately, for several
// rounds; the medians and their ratio are printed.  Run by hand under Wine
// (start_bench.sh), never by ctest.
//   start_bench <traz_gui.exe> <minimal_window.exe> <example dir> <work dir> [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "program_start.h"

namespace fs = std::filesystem;

namespace {

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from process start to ready, or a negative value on failure.
double TimeStart(const std::string &program, const std::string &args, const std::string &dir,
                 const std::string &titlePart)
{
    program_start::Started p;
    const double t0 = Seconds();
    if (!program_start::Start(program, args, dir, &p))
        return -1;
    HWND ready = program_start::WaitReady(p, titlePart, 60000);
    const double t1 = Seconds();
    program_start::End(&p);
    return ready ? (t1 - t0) * 1000.0 : -1;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: start_bench <traz_gui.exe> <minimal_window.exe> <example dir> <work dir> [rounds]\n");
        return 2;
    }
    const std::string editor = argv[1], minimal = argv[2];
    const fs::path example = argv[3], work = argv[4];
    const int rounds = argc > 5 ? std::max(1, std::atoi(argv[5])) : 9;

    // One round of each, not counted: the first start loads the libraries
    // from disk.
    std::vector<double> editorMs, minimalMs;
    for (int round = -1; round < rounds; ++round) {
        // A fresh copy of the example each round, outside the timing.
        std::error_code ec;
        fs::remove_all(work, ec);
        fs::create_directories(work);
        for (const fs::directory_entry &entry : fs::directory_iterator(example))
            fs::copy(entry.path(), work / entry.path().filename(),
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing);

        // Alternate which program goes first.
        double e = 0, m = 0;
        if (round % 2 == 0) {
            m = TimeStart(minimal, "", work.string(), "Minimal window");
            e = TimeStart(editor, "est", work.string(), "trazest.inp");
        } else {
            e = TimeStart(editor, "est", work.string(), "trazest.inp");
            m = TimeStart(minimal, "", work.string(), "Minimal window");
        }
        if (e < 0 || m < 0) {
            std::printf("round %d: %s did not come up\n", round + 1, e < 0 ? "the editor" : "the minimal program");
            return 1;
        }
        if (round < 0) {
            std::printf("warm-up: editor %.1f ms, minimal window %.1f ms\n", e, m);
            continue;
        }
        std::printf("round %d: editor %.1f ms, minimal window %.1f ms\n", round + 1, e, m);
        std::fflush(stdout);
        editorMs.push_back(e);
        minimalMs.push_back(m);
    }
    const double e = Median(editorMs), m = Median(minimalMs);
    std::printf("median of %d rounds: editor %.1f ms, minimal window %.1f ms, ratio %.2f\n", rounds, e, m, e / m);
    return 0;
}
