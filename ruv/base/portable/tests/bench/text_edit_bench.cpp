// The text edit's costs against one full wrap of a 30,000-byte paragraph
// (50 characters a line, stand-in metrics): typing 1,000 characters at its
// end, and pasting 1 MB of 60-character lines into an empty text edit.
// Built with the native tests, run by hand:
//   ruv_text_edit_bench --benchmark_repetitions=3
// With --ratios it times each once more by the clock and prints the costs
// as ratios to the full wrap, the figures the text edit is held to.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_tx.h"
#include "standin_core.h"
#include "standin_drawing.h"
#include "../../text_edit_private.h"

namespace {

RUV_BOOL swallow(RUV_ERRMSG *, void *) { return 1; }

std::string g_clip;

const ruvtx::Platform kClipboard = {
    [](int16_t) -> RUV_BOOL { return TRUE; },
    []() -> RUV_BOOL { return TRUE; },
    []() -> RUV_BOOL { return TRUE; },
    [](const char *, int32_t) -> RUV_BOOL { return TRUE; },
    [](int32_t *n) -> const char * {
        *n = (int32_t)g_clip.size();
        return g_clip.data();
    },
    [](RUV_WIN, int32_t, RUV_BOOL) {},
    // Drawing and the caret: the defaults (nothing is drawn).
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

// A fresh toolkit with one text edit; with_paragraph: the 30,000 bytes.
struct Fixture {
    RUV_VOBJ win{};
    TXEDIT tx = 0;
    explicit Fixture(bool with_paragraph)
    {
        standin::end_process();
        standin::reset_drawing();
        ruvv_errmsg_set_ready();
        ruvv_errmsg_push_handler(swallow, nullptr);
        ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_TX_HANDLE_API, 1);
        ruvtx::set_platform(&kClipboard);
        RUV_RECT rect{ 0, 0, 400, 420 };
        tx = ruvv_tx_create(&win, &rect, TX_WRAP, nullptr, 400, 0);
        if (with_paragraph) {
            std::string text;
            while (text.size() < 30000)
                text += "word ";
            ruvv_tx_add_par(tx, 0, text.c_str());
        }
    }
    ~Fixture()
    {
        ruvv_tx_destroy(tx);
        ruvtx::set_platform(nullptr);
        standin::reset_drawing();
        standin::end_process();
    }
    ruvtx::Record *lock() { return ruvtx::lock_record((int32_t)tx); }
    void unlock() { ruvtx::unlock_record((int32_t)tx); }
};

void BM_FullWrap(benchmark::State &state)
{
    Fixture f(true);
    ruvtx::Record *r = f.lock();
    for (auto _ : state)
        ruvtx::wrap(r, 0, 0);
    f.unlock();
}
BENCHMARK(BM_FullWrap)->Unit(benchmark::kMicrosecond);

void BM_Type1000AtEnd(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Fixture f(true);
        ruvv_tx_set_sel(f.tx, 0, 0xFFFF, 0xFFFF, 0, 0xFFFF, 0xFFFF);
        ruvtx::Record *r = f.lock();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i)
            ruvtx::handle_key(r, i % 7 == 6 ? ' ' : 'a' + i % 26, false, false);
        state.PauseTiming();
        f.unlock();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Type1000AtEnd)->Unit(benchmark::kMicrosecond);

void BM_Paste1MB(benchmark::State &state)
{
    g_clip.clear();
    while (g_clip.size() < (1u << 20))
        g_clip += "a line of pasted text that is sixty characters long, more.\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        Fixture f(false);
        ruvtx::Record *r = f.lock();
        state.ResumeTiming();
        ruvtx::paste(r);
        state.PauseTiming();
        f.unlock();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Paste1MB)->Unit(benchmark::kMillisecond);

// The median of a few timed runs.
double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void ratios()
{
    g_clip.clear();
    while (g_clip.size() < (1u << 20))
        g_clip += "a line of pasted text that is sixty characters long, more.\r\n";
    std::vector<double> wraps, typing, pastes;
    for (int run = 0; run < 5; ++run) {
        {
            Fixture f(true);
            ruvtx::Record *r = f.lock();
            auto t0 = std::chrono::steady_clock::now();
            ruvtx::wrap(r, 0, 0);
            wraps.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
            f.unlock();
        }
        {
            Fixture f(true);
            ruvv_tx_set_sel(f.tx, 0, 0xFFFF, 0xFFFF, 0, 0xFFFF, 0xFFFF);
            ruvtx::Record *r = f.lock();
            auto t0 = std::chrono::steady_clock::now();
            for (int i = 0; i < 1000; ++i)
                ruvtx::handle_key(r, i % 7 == 6 ? ' ' : 'a' + i % 26, false, false);
            typing.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
            f.unlock();
        }
        {
            Fixture f(false);
            ruvtx::Record *r = f.lock();
            auto t0 = std::chrono::steady_clock::now();
            ruvtx::paste(r);
            pastes.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
            f.unlock();
        }
    }
    double w = median(wraps), t = median(typing), p = median(pastes);
    std::printf("one full wrap of 30,000 bytes: %.3f ms\n", w * 1e3);
    std::printf("typing 1,000 characters at its end: %.3f ms, %.2f full wraps; one key %.4f of a full wrap\n",
                t * 1e3, t / w, t / w / 1000);
    std::printf("pasting 1 MB: %.1f ms, %.1f full wraps\n", p * 1e3, p / w);
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--ratios") == 0) {
            ratios();
            return 0;
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
