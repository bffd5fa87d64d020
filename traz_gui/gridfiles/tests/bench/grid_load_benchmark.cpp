// Loading a 1000 x 1000 grid result (table query and read, x, y, depths, as
// the editor does, its files held for the load) in both storage forms,
// beside a plain sequential read of the same three files into one buffer,
// and the same read into a buffer of its own for each file, kept between
// reads (a load fills four arrays that it keeps; one buffer read again and
// again stays in the processor's cache).  The ratios of the mean times are
// printed.  Run by hand:
//   gridfiles_load_benchmark [--benchmark_min_time=2]

#include "bench_ratio.h"
#include "../grid_fixture.h"
#include "grid_readers.h"
#include "record_calls.h"
#include "record_io.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int32_t kSide = 1000;

std::string Base(recio::Form form)
{
    static const std::string dir = [] {
        std::filesystem::path p = std::filesystem::temp_directory_path() / "traz_grid_benchmark";
        std::filesystem::create_directories(p);
        return p.string() + "/";
    }();
    std::string base = dir + (form == recio::Form::kBinary ? "binary" : "unformatted");
    if (!recio::FileExists(base + ".dps")) {
        gridfix::Grid g = gridfix::RegularGrid(kSide, kSide);
        if (gridfix::WriteGridFiles(base, form, g) != recio::kOk)
            std::fprintf(stderr, "cannot write %s\n", base.c_str());
    }
    return base;
}

void Load(benchmark::State &state, recio::Form form)
{
    const std::string base = Base(form);
    std::vector<int32_t> table;
    std::vector<float> x, y, depths;
    for (auto _ : state) {
        GridFilesHeld held;
        char name[512];
        std::memset(name, 0, sizeof name);
        std::snprintf(name, 256, "%s.lga", base.c_str());
        int32_t ft = 0, loc[9] = {GRID_QUERY_EXCHANGES, 0, 0, 0, 0, 0, 0, 0, 0}, dims[7], seg = 0, spare = 0,
                status = -1;
        ReadLgaFile(name, 256, &ft, loc, dims, &seg, &spare, &status);
        if (status != GRID_OK) {
            state.SkipWithError("query failed");
            return;
        }
        const size_t cells = static_cast<size_t>(dims[3]);
        table.resize(cells);
        x.resize(cells);
        y.resize(cells);
        depths.resize(static_cast<size_t>(seg));
        loc[0] = 0;
        ReadLgaFile(name, 256, &ft, loc, table.data(), &seg, &spare, &status);
        float missing = -999.0f;
        int32_t capacity = dims[3], selector = 1, s2 = 0, s3 = 0, s4 = 0;
        ReadCcoFile(name, 256, &ft, &selector, &spare, loc, &missing, &capacity, x.data(), &s2);
        selector = 2;
        ReadCcoFile(name, 256, &ft, &selector, &spare, loc, &missing, &capacity, y.data(), &s3);
        int32_t dseg = seg;
        ReadDpsFile(name, 256, &ft, loc, dims, depths.data(), &dseg, &spare, &s4);
        if (status != GRID_OK || s2 != GRID_OK || s3 != GRID_OK || s4 != GRID_OK) {
            state.SkipWithError("read failed");
            return;
        }
        benchmark::DoNotOptimize(table.data());
        benchmark::DoNotOptimize(depths.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            (recio::FileSize(base + ".lga") + recio::FileSize(base + ".cco") +
                             recio::FileSize(base + ".dps")));
}

// The same bytes read front to back with no interpretation, into one
// buffer or (kept) into one for each file.
void PlainRead(benchmark::State &state, recio::Form form, bool kept)
{
    const std::string base = Base(form);
    std::vector<char> buffers[3];
    int64_t total = 0;
    for (auto _ : state) {
        total = 0;
        int file = 0;
        for (const char *ext : {".lga", ".cco", ".dps"}) {
            std::vector<char> &buffer = buffers[kept ? file++ : 0];
            std::FILE *f = std::fopen((base + ext).c_str(), "rb");
            if (!f) {
                state.SkipWithError("open failed");
                return;
            }
            std::fseek(f, 0, SEEK_END);
            long size = std::ftell(f);
            std::fseek(f, 0, SEEK_SET);
            buffer.resize(static_cast<size_t>(size));
            size_t got = std::fread(buffer.data(), 1, buffer.size(), f);
            std::fclose(f);
            total += static_cast<int64_t>(got);
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * total);
}

void LoadUnformatted(benchmark::State &s) { Load(s, recio::Form::kUnformatted); }
void LoadBinary(benchmark::State &s) { Load(s, recio::Form::kBinary); }
void PlainReadUnformatted(benchmark::State &s) { PlainRead(s, recio::Form::kUnformatted, false); }
void PlainReadBinary(benchmark::State &s) { PlainRead(s, recio::Form::kBinary, false); }
void KeptReadUnformatted(benchmark::State &s) { PlainRead(s, recio::Form::kUnformatted, true); }
void KeptReadBinary(benchmark::State &s) { PlainRead(s, recio::Form::kBinary, true); }

BENCHMARK(PlainReadUnformatted)->Unit(benchmark::kMillisecond);
BENCHMARK(KeptReadUnformatted)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadUnformatted)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainReadBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(KeptReadBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadBinary)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    bench_ratio::Keeper keeper;
    benchmark::RunSpecifiedBenchmarks(&keeper);
    int result = 0;
    for (const char *form : {"Unformatted", "Binary"}) {
        const std::string load = std::string("Load") + form;
        const std::string what = std::string("grid load, ") + form;
        if (!keeper.PrintRatio((what + ", against a plain read").c_str(), load, std::string("PlainRead") + form) ||
            !keeper.PrintRatio((what + ", against a read into kept buffers").c_str(), load,
                               std::string("KeptRead") + form))
            result = 1;
    }
    benchmark::Shutdown();
    return result;
}
