// Support of the benchmarks that compare an operation with a bare baseline
// in the same run: a console reporter that keeps each benchmark's mean real
// time a iteration (the median of the repetitions' means when it is
// repeated), and the line that gives their ratio.
#ifndef RUVF_TESTS_BENCH_RATIO_H
#define RUVF_TESTS_BENCH_RATIO_H

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace bench_ratio {

class Keeper : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0 && !r.error_occurred)
                seconds_[Name(r)].push_back(r.real_accumulated_time / static_cast<double>(r.iterations));
            else if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median" && r.iterations > 0 &&
                     !r.error_occurred)  // only the aggregates are reported
                medians_[Name(r)] = r.real_accumulated_time / static_cast<double>(r.iterations);
    }
    // Mean seconds a iteration of the benchmark registered under name, with
    // "/<argument>" when it was given one, the median over its repetitions
    // (--benchmark_repetitions); 0 when it did not run.
    double Mean(const std::string &name) const
    {
        const auto median = medians_.find(name);
        if (median != medians_.end())
            return median->second;
        const auto it = seconds_.find(name);
        if (it == seconds_.end() || it->second.empty())
            return 0.0;
        std::vector<double> runs = it->second;
        std::sort(runs.begin(), runs.end());
        const size_t half = runs.size() / 2;
        return runs.size() % 2 ? runs[half] : (runs[half - 1] + runs[half]) / 2;
    }
    // Prints "<what>: <t> against <t> for the bare loop, ratio <r>"; false when
    // either benchmark did not run.
    bool PrintRatio(const char *what, const std::string &ours, const std::string &bare) const
    {
        const double a = Mean(ours), b = Mean(bare);
        if (a <= 0 || b <= 0)
            return false;
        std::printf("%s: %s against %s for the bare loop, ratio %.2f\n", what, Time(a).c_str(), Time(b).c_str(),
                    a / b);
        std::fflush(stdout);
        return true;
    }

private:
    static std::string Name(const Run &r)
    {
        return r.run_name.args.empty() ? r.run_name.function_name
                                       : r.run_name.function_name + "/" + r.run_name.args;
    }
    static std::string Time(double seconds)
    {
        char text[32];
        if (seconds >= 1e-3)
            std::snprintf(text, sizeof text, "%.2f ms", seconds * 1e3);
        else if (seconds >= 1e-6)
            std::snprintf(text, sizeof text, "%.2f us", seconds * 1e6);
        else
            std::snprintf(text, sizeof text, "%.1f ns", seconds * 1e9);
        return text;
    }

    std::map<std::string, std::vector<double>> seconds_;
    std::map<std::string, double> medians_;
};

// An operation measured against its bare loop: two benchmarks run for the
// same arguments with a fixed number of passes.
struct Pair {
    const char *what, *ours, *bare;
    int iterations;
    void (*oursRun)(benchmark::State &), (*bareRun)(benchmark::State &);
};

template <size_t N>
void RegisterPairs(const Pair (&pairs)[N], std::initializer_list<int64_t> args)
{
    for (const Pair &p : pairs)
        for (const char *name : { p.ours, p.bare }) {
            benchmark::internal::Benchmark *b =
                benchmark::RegisterBenchmark(name, name == p.ours ? p.oursRun : p.bareRun);
            for (const int64_t a : args)
                b->Arg(a);
            b->Iterations(p.iterations)->UseRealTime()->Unit(benchmark::kMillisecond);
        }
}

// Prints each pair's ratio for every argument, "<what> <label a>"; false
// when one did not run or, with limit > 0, when one is above the limit.
template <size_t N>
bool PrintPairs(const Keeper &keeper, const Pair (&pairs)[N], std::initializer_list<int64_t> args,
                std::string (*label)(int64_t), double limit = 0)
{
    bool ok = true;
    for (const Pair &p : pairs)
        for (const int64_t a : args) {
            const std::string tag = "/" + std::to_string(a);
            const std::string what = std::string(p.what) + " " + label(a);
            ok = keeper.PrintRatio(what.c_str(), p.ours + tag, p.bare + tag) && ok;
            if (limit > 0 && keeper.Mean(p.ours + tag) > limit * keeper.Mean(p.bare + tag))
                ok = false;
        }
    return ok;
}

}  // namespace bench_ratio

#endif
