// Reading a formatted file of 2000 lines through the record layer, each line
// into an 80-character record as the definition readers take it, and as a
// string as the other readers take it, against a bare loop that reads the
// same file with one fread and copies its lines out with memchr and memcpy;
// and reading a small file of 60 lines again and again from a rewind, as
// the keyword searches of a definition file do, against the same bare loop
// on that file.  All run in the same process; the ratios of their mean
// times are printed.
// Run by hand:
//   gridfiles_line_benchmark [--benchmark_min_time=2]

#include "bench_ratio.h"
#include "record_io.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 2000;
constexpr int kUnit = 60;

// Writes a file of `lines` lines of 10 to 70 characters, some ended with
// CR LF, into the temporary folder; keys repeat every `keys` lines.
std::string WriteLines(const char *name, int lines, int keys)
{
    const std::filesystem::path p = std::filesystem::temp_directory_path() / name;
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += "Key" + std::to_string(i % keys) + " = ";
        text.append(static_cast<size_t>(4 + (i * 7) % 60), static_cast<char>('a' + i % 26));
        text += i % 3 == 0 ? "\r\n" : "\n";
    }
    if (std::FILE *f = std::fopen(p.string().c_str(), "wb")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
    return p.string();
}

// The file: kLines lines.
const std::string &Path()
{
    static const std::string path = WriteLines("traz_line_benchmark.txt", kLines, 97);
    return path;
}

// The small file: 60 lines, some 2.5 kB.
constexpr int kSmallLines = 60;

const std::string &SmallPath()
{
    static const std::string path = WriteLines("traz_line_benchmark_small.txt", kSmallLines, kSmallLines);
    return path;
}

// Opens the file on a unit, reads every line with read_one(unit) until it
// gives up, and closes it, for every pass.
template <typename ReadOne>
void ThroughRecordLayer(benchmark::State &state, ReadOne read_one)
{
    for (auto _ : state) {
        if (recio::Open(kUnit, Path(), recio::Form::kFormatted, recio::Access::kSequential,
                        recio::OpenStatus::kOld) != recio::kOk) {
            state.SkipWithError("open failed");
            return;
        }
        int lines = 0;
        while (read_one(kUnit))
            ++lines;
        recio::Close(kUnit);
        if (lines != kLines) {
            state.SkipWithError("wrong number of lines");
            return;
        }
    }
}

void BM_RecordLayerLines(benchmark::State &state)
{
    char record[80];
    ThroughRecordLayer(state, [&record](int unit) {
        const bool read = recio::ReadLineInto(unit, record, sizeof record, ' ') == recio::kOk;
        benchmark::DoNotOptimize(record);
        return read;
    });
}

// The same lines as strings.
void BM_RecordLayerStrings(benchmark::State &state)
{
    std::string line;
    ThroughRecordLayer(state, [&line](int unit) {
        const bool read = recio::ReadLine(unit, &line) == recio::kOk;
        benchmark::DoNotOptimize(line.data());
        return read;
    });
}

// The small file opened once, every pass a rewind and all its lines.
void BM_RecordLayerRewound(benchmark::State &state)
{
    if (recio::Open(kUnit, SmallPath(), recio::Form::kFormatted, recio::Access::kSequential,
                    recio::OpenStatus::kOld) != recio::kOk) {
        state.SkipWithError("open failed");
        return;
    }
    char record[80];
    for (auto _ : state) {
        int lines = 0;
        if (recio::Rewind(kUnit) != recio::kOk)
            break;
        while (recio::ReadLineInto(kUnit, record, sizeof record, ' ') == recio::kOk) {
            benchmark::DoNotOptimize(record);
            ++lines;
        }
        if (lines != kSmallLines) {
            state.SkipWithError("wrong number of lines");
            break;
        }
    }
    recio::Close(kUnit);
}

void BareLines(benchmark::State &state, const std::string &path, int expect)
{
    char record[80];
    std::vector<char> buffer;
    for (auto _ : state) {
        std::FILE *f = std::fopen(path.c_str(), "rb");
        if (!f) {
            state.SkipWithError("open failed");
            return;
        }
        std::fseek(f, 0, SEEK_END);
        buffer.resize(static_cast<size_t>(std::ftell(f)));
        std::fseek(f, 0, SEEK_SET);
        const size_t size = std::fread(buffer.data(), 1, buffer.size(), f);
        std::fclose(f);
        int lines = 0;
        for (size_t at = 0; at < size; ++lines) {
            const char *from = buffer.data() + at;
            const char *end = static_cast<const char *>(std::memchr(from, '\n', size - at));
            size_t n = end ? static_cast<size_t>(end - from) : size - at;
            at += end ? n + 1 : n;
            if (n > 0 && from[n - 1] == '\r')
                --n;
            const size_t keep = n < sizeof record ? n : sizeof record;
            std::memcpy(record, from, keep);
            std::memset(record + keep, ' ', sizeof record - keep);
            benchmark::DoNotOptimize(record);
        }
        if (lines != expect) {
            state.SkipWithError("wrong number of lines");
            return;
        }
    }
}

void BM_BareLines(benchmark::State &state)
{
    BareLines(state, Path(), kLines);
}

void BM_BareSmallLines(benchmark::State &state)
{
    BareLines(state, SmallPath(), kSmallLines);
}

BENCHMARK(BM_RecordLayerLines)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordLayerStrings)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareLines)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RecordLayerRewound)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareSmallLines)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    bench_ratio::Keeper keeper;
    benchmark::RunSpecifiedBenchmarks(&keeper);
    bool ok = keeper.PrintRatio("Lines into records through the record layer against a bare fread and memchr",
                                "BM_RecordLayerLines", "BM_BareLines");
    ok = keeper.PrintRatio("Lines as strings through the record layer against a bare fread and memchr",
                           "BM_RecordLayerStrings", "BM_BareLines") &&
         ok;
    ok = keeper.PrintRatio("A small file read again from a rewind through the record layer against a bare "
                           "fopen, fread and memchr",
                           "BM_RecordLayerRewound", "BM_BareSmallLines") &&
         ok;
    std::remove(Path().c_str());
    std::remove(SmallPath().c_str());
    benchmark::Shutdown();
    return ok ? 0 : 1;
}
