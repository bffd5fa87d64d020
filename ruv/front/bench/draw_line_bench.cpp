// Cost of the front layer's guard on a drawing call: lines drawn on an
// off-screen pixmap through ruv_dwin_draw_line and straight through the
// kernel's ruvk_dwin_draw_line, as two benchmarks of one run under the
// started toolkit; the ratio of their mean times a line is printed last.
//
//   wine ruvf_draw_line_bench.exe [benchmark options]
#include <cstdio>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "bench_ratio.h"
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

bool g_done = false;
RUV_WIN g_pixmap = NULL_WIN;

int32_t quiet(RUV_WIN, RUV_EVENT *)
{
    return 0;
}

// One line a iteration, back and forth across the pixmap.
void DrawLines(benchmark::State &state, void (*draw)(RUV_WIN, RUV_POINT))
{
    const RUV_POINT a{ 10, 10 }, b{ 500, 500 };
    bool odd = false;
    for (auto _ : state) {
        draw(g_pixmap, odd ? a : b);
        odd = !odd;
    }
}

void BM_KernelDrawLine(benchmark::State &state) { DrawLines(state, ruvk_dwin_draw_line); }
void BM_FrontDrawLine(benchmark::State &state) { DrawLines(state, ruv_dwin_draw_line); }

void run()
{
    RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    RUV_RECT r{ 40, 40, 300, 400 };
    RUV_WIN doc = ruvk_win_create(1, &r, "Benchmark", 0, task, 0x803, RUV_EVENT_MASK_ALL, quiet, nullptr);
    g_pixmap = doc ? ruvk_pmap_create(doc, 1, 512, 512) : NULL_WIN;
    if (!g_pixmap) {
        std::printf("no pixmap could be made\n");
        return;
    }
    RUV_DRAW_CTOOLS tools{ { 1, 2, 0, 0x01FF0000u }, { 1, 0x0BFFFFFFu }, 0, 0x07000000u, 0x0BFFFFFFu, 0 };
    ruvk_dwin_set_draw_ctools(g_pixmap, &tools);
    ruvk_dwin_draw_set_pos(g_pixmap, RUV_POINT{ 10, 10 });

    benchmark::RegisterBenchmark("BM_KernelDrawLine", BM_KernelDrawLine)->UseRealTime();
    benchmark::RegisterBenchmark("BM_FrontDrawLine", BM_FrontDrawLine)->UseRealTime();
    bench_ratio::Keeper keeper;
    benchmark::RunSpecifiedBenchmarks(&keeper);
    g_done = keeper.PrintRatio("ruv_dwin_draw_line against ruvk_dwin_draw_line", "BM_FrontDrawLine",
                               "BM_KernelDrawLine");
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
    benchmark::Initialize(&argc, argv);
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
    benchmark::Shutdown();
    return g_done ? 0 : 1;
}
