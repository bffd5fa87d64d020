// Two bordered text edits in a document made from its description, one showing a selection and the
// other the caret: the picture of the text-edit screenshot.  Given a file
// name, the program writes there the screen points whose colours the
// screenshot must show (x y rrggbb name per line); given a number of
// seconds, it ends when they have passed.
#include <cstdio>
#include <cstdlib>

#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_res.h"
#include "ruvv_tx.h"
#include "startup.h"
#include "text_edit_shot_res.h"
#include "window_create.h"

namespace {

const char *g_points = nullptr;
TXEDIT g_first = 0, g_second = 0;

void quit_app()
{
    if (RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW)))
        ruvk_vobj_destroy(task);
}

void CALLBACK time_up(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    quit_app();
}

void point(FILE *f, RUV_WIN w, int x, int y, unsigned rgb, const char *name)
{
    POINT p = { x, y };
    ClientToScreen(static_cast<HWND>(w->native), &p);
    std::fprintf(f, "%ld %ld %06x %s\n", p.x, p.y, rgb, name);
}

// Written once the windows have been drawn and the caret shown.
void CALLBACK write_points(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    TXEDIT first = g_first, second = g_second;
    FILE *f = g_points && first && second ? std::fopen(g_points, "w") : nullptr;
    if (!f)
        return;
    RUV_WIN a = reinterpret_cast<RUV_WIN>(first), b = reinterpret_cast<RUV_WIN>(second);
    point(f, a, 0, 40, 0x000000, "border of the first");
    point(f, b, 0, 40, 0x000000, "border of the second");
    point(f, a, 290, 70, 0xffffff, "background of the first");
    // The selection of the first: line 0 from character 6 on, drawn in
    // inverse video to the right edge (the line goes on below).
    point(f, a, 290, 5, 0x000000, "highlight at the end of the first line");
    POINT caret;
    GetCaretPos(&caret);
    point(f, b, caret.x, caret.y + 3, 0x000000, "caret of the second");
    point(f, b, caret.x + 6, caret.y + 3, 0xffffff, "right of the caret");
    std::fclose(f);
}

intptr_t create_text_edit(const RUV_WIN_DEF *element, RUV_WIN parent, void *data)
{
    return ruvv_tx_create_def(element, parent, data);
}

int32_t task_handler(RUV_WIN, RUV_EVENT *e)
{
    if (e->type != E_CREATE)
        return 0;
    // The window from its description; the kernel makes its text edits
    // through the start record's create callback, each with its title as
    // the first paragraph.
    RUV_WIN_DEF *def = ruvv_res_get_win_def(SHOT_WINDOW);
    RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, 301));
    RUV_WIN doc = def ? ruvk_win_create_def(def, task, RUV_EVENT_MASK_ALL, nullptr, nullptr) : nullptr;
    if (def)
        ruvv_res_free_win_def(def);
    TXEDIT a = doc ? ruvv_tx_get_tx(doc, SHOT_FIRST) : 0;
    TXEDIT b = doc ? ruvv_tx_get_tx(doc, SHOT_SECOND) : 0;
    if (!a || !b) {
        quit_app();
        return 0;
    }
    ruvv_tx_add_par(a, 1, "observation point every hour, and follow them.");
    g_first = a;
    g_second = b;
    ruvv_tx_set_sel(a, 0, 0, 8, 1, 0, 11);
    SetForegroundWindow(static_cast<HWND>(doc->native));
    ruvv_tx_set_active(b);
    ruvv_tx_set_sel(b, 0, 0, 0xFFFF, 0, 0, 0xFFFF);
    return 0;
}

void end_process(int32_t) {}

} // namespace

int main(int argc, char **argv)
{
    RUV_START_RECORD start{};
    start.instance = GetModuleHandleA(nullptr);
    start.command_line = GetCommandLineA();
    start.show_mode = SW_SHOWNORMAL;
    start.argc = argc;
    start.exit_callback = end_process;
    start.tx_create_callback = reinterpret_cast<void *>(create_text_edit);
    if (!ruvwi_Begin(&start))
        return 1;
    if (!ruvwi_Init(&start)) {
        ruvwi_End();
        return 1;
    }
    ruvk_vobj_set_attr(NULL_WIN, RUV_ATTR_NO_TASK_WINDOW, 1);
    // A steady caret for the picture.
    SetCaretBlinkTime(30000);
    if (argc > 1)
        SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(argv[1]) * 1000), time_up);
    if (argc > 2) {
        g_points = argv[2];
        SetTimer(nullptr, 0, 2000, write_points);
    }
    static RUV_APP_CONFIG config{ 0, 0, "txshot", "txshot", "Text edits" };
    ruvwi_ruv_system(argc, argv, 0, task_handler, &config);
    ruvwi_End();
    return 0;
}
