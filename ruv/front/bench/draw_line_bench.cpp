// Cost of the front layer's guard on a drawing call: lines drawn on an
// off-screen pixmap through ruv_dwin_draw_line and straight through the
// kernel's ruvk_dwin_draw_line, in alternating rounds of one run under the
// started toolkit.  Prints the time a line of each round and the ratio of
// the medians over the rounds (the machine's noise falls on both alike).
//
//   wine ruvf_draw_line_bench.exe [lines per round] [rounds]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "draw_primitives.h"
#include "pixmaps.h"
#include "ruv.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "startup.h"
#include "window_create.h"

namespace {

long g_lines = 100000;
int g_rounds = 15;
bool g_done = false;

int32_t quiet(RUV_WIN, RUV_EVENT *)
{
    return 0;
}

double seconds_now()
{
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

// Nanoseconds a line over one round of draw(pm, point) calls.
double round_ns(RUV_WIN pm, void (*draw)(RUV_WIN, RUV_POINT))
{
    RUV_POINT a{ 10, 10 }, b{ 500, 500 };
    double start = seconds_now();
    for (long i = 0; i < g_lines; ++i)
        draw(pm, (i & 1) ? a : b);
    return (seconds_now() - start) * 1e9 / static_cast<double>(g_lines);
}

void run()
{
    RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    RUV_RECT r{ 40, 40, 300, 400 };
    RUV_WIN doc = ruvk_win_create(1, &r, "Benchmark", 0, task, 0x803, RUV_EVENT_MASK_ALL, quiet, nullptr);
    RUV_WIN pm = doc ? ruvk_pmap_create(doc, 1, 512, 512) : NULL_WIN;
    if (!pm) {
        std::printf("no pixmap could be made\n");
        return;
    }
    RUV_DRAW_CTOOLS tools{ { 1, 2, 0, 0x01FF0000u }, { 1, 0x0BFFFFFFu }, 0, 0x07000000u, 0x0BFFFFFFu, 0 };
    ruvk_dwin_set_draw_ctools(pm, &tools);
    ruvk_dwin_draw_set_pos(pm, RUV_POINT{ 10, 10 });

    // One warm-up round of each, then the measured rounds alternating.
    round_ns(pm, ruvk_dwin_draw_line);
    round_ns(pm, ruv_dwin_draw_line);
    std::vector<double> kernel, front;
    for (int i = 0; i < g_rounds; ++i) {
        kernel.push_back(round_ns(pm, ruvk_dwin_draw_line));
        front.push_back(round_ns(pm, ruv_dwin_draw_line));
        std::printf("round %d: kernel %.1f ns, front %.1f ns a line\n", i + 1, kernel.back(), front.back());
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        size_t n = v.size();
        return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    };
    double k = median(kernel), f = median(front);
    std::printf("lines per round: %ld, rounds: %d\n", g_lines, g_rounds);
    std::printf("ruvk_dwin_draw_line: %.1f ns a line (median)\n", k);
    std::printf("ruv_dwin_draw_line:  %.1f ns a line (median)\n", f);
    std::printf("ratio front/kernel: %.3f\n", f / k);
    std::fflush(stdout);
    g_done = true;
    ruvk_vobj_destroy(doc);
}

// The measurement runs from a timer inside the message loop, once the task
// window exists; then the application ends.
void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD)
{
    RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    if (!ruvv_vobj_is_valid(task))
        return;
    KillTimer(nullptr, id);
    run();
    ruvk_vobj_destroy(task);
}

void on_exit(int32_t)
{
}

// Reports go to the error output instead of boxes that would wait for an
// answer.
RUV_BOOL print_report(RUV_ERRMSG *m, void *)
{
    std::fprintf(stderr, "report 0x%08x: %s\n", static_cast<unsigned>(ruvv_errmsg_get_msg_id(m)),
                 ruvv_errmsg_get_msg_text(m));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1)
        g_lines = std::atol(argv[1]);
    if (argc > 2)
        g_rounds = std::atoi(argv[2]);
    if (g_lines < 1 || g_rounds < 1) {
        std::fprintf(stderr, "usage: ruvf_draw_line_bench [lines per round] [rounds]\n");
        return 2;
    }
    RUV_START_RECORD start{};
    start.instance = GetModuleHandleA(nullptr);
    start.command_line = GetCommandLineA();
    start.show_mode = SW_SHOWMINNOACTIVE;
    start.argc = 1;
    start.exit_callback = on_exit;
    if (!ruvwi_Begin(&start) || !ruvwi_Init(&start)) {
        std::fprintf(stderr, "the toolkit did not start\n");
        return 1;
    }
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_ERROR_HOOK, reinterpret_cast<intptr_t>(&print_report));
    static RUV_APP_CONFIG config{ 0, 0, "bench", "bench", "Drawing benchmark" };
    static char arg0[] = "bench";
    static char *args[] = { arg0, nullptr };
    UINT_PTR timer = SetTimer(nullptr, 0, 0, tick);
    ruvwi_ruv_system(1, args, 0, quiet, &config);
    KillTimer(nullptr, timer);
    ruvwi_End();
    return g_done ? 0 : 1;
}
