// The dialog gallery: a toolkit program that shows one dialog, named by the
// environment variable RUVK_DIALOG_GALLERY, over its task window: a
// standard box, the prompt, the about box, a dialog from a definition or
// from a resource, one of the system's dialogs, the drawing-tools dialog
// or a window moved through by the keyboard.  Given a number of
// seconds as its argument, it ends when they have passed.
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dialog_test_support.h"
#include "dialogs.h"
#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_dm.h"
#include "ruvv_font.h"
#include "ruvv_list.h"
#include "ruvv_nav.h"
#include "native_controls.h"
#include "window_create.h"
#include "window_services.h"
#include "startup.h"

namespace {

void CALLBACK time_up(HWND, UINT, UINT_PTR, DWORD)
{
    ExitProcess(0);
}

int32_t keep_open(RUV_WIN, RUV_EVENT *)
{
    return 0;
}

using dg::element;

void from_definition(int32_t type)
{
    static const RUV_WIN_DEF def[] = {
        element(type, 40, 40, 200, 120, type == 10 ? "Modal from a definition" : "Modeless from a definition", 0,
                0),
        element(22, 6, 6, 188, 80, "~Options", 10, 0),
        element(13, 14, 20, 80, 10, "~First", 11, 0x4),
        element(13, 14, 34, 80, 10, "~Second", 12, 0),
        element(14, 100, 20, 80, 10, "~Checked", 13, 0x4),
        element(17, 100, 36, 80, 12, "text", 14, 0),
        element(18, 14, 60, 160, 10, "A static text", 15, 0),
        element(12, 40, 96, 50, 14, "OK", 1, 0x8),
        element(12, 110, 96, 50, 14, "Cancel", 2, 0),
        RUV_WIN_DEF{},
    };
    ruvk_dlg_create_def(def, RUV_EVENT_MASK_ALL, keep_open, nullptr);
}

// A window whose controls the keyboard moves between: two Tabs from the
// first button leave the focus on the edit field with its text selected.
void navigation()
{
    RUV_WIN task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
    RUV_RECT r = {60, 60, 260, 380};
    RUV_WIN w = ruvk_win_create(1, &r, "Keyboard navigation", 0, task, 0x803, RUV_EVENT_MASK_ALL, keep_open, nullptr);
    if (!w)
        return;
    struct Ctl {
        int32_t type;
        RUV_RECT rect;
        const char *title;
    };
    static const Ctl ctls[] = {
        {12, {10, 10, 36, 110}, "~First"},
        {14, {46, 10, 66, 200}, "~Checked"},
        {17, {76, 10, 100, 200}, "selected text"},
        {12, {150, 110, 176, 210}, "OK"},
    };
    SLIST *list = ruvv_slist_create();
    RUV_WIN first = NULL_WIN;
    int32_t id = 10;
    for (const Ctl &c : ctls) {
        RUV_WIN ctl = ruvk_ctl_create(c.type, &c.rect, c.type == 17 ? "" : c.title, w, 0, nullptr, id++);
        if (c.type == 17)
            ruvk_vobj_set_title(ctl, c.title);
        if (!first)
            first = ctl;
        ruvv_slist_add_at_pos(list, -1, "", reinterpret_cast<intptr_t>(ctl));
    }
    ruvv_nav_create(w, list);
    ruvv_slist_destroy(list);
    ruvk_scr_set_focus_vobj(first);
    for (int i = 0; i < 2; ++i)
        SendMessageA(GetFocus(), WM_CHAR, '\t', 0);
}

void show(const std::string &which)
{
    static char answer[64] = "An answer";
    if (which == "question")
        ruvv_dm_post_ask_va("Yes", "No", "Cancel", "Save the changes to %s?", "the model");
    else if (which == "note")
        ruvv_dm_post_note_va("The run ended after %d steps.", 1200);
    else if (which == "error")
        ruvv_dm_post_error_va("Cannot read %s.", "grid.dat");
    else if (which == "warning")
        ruvv_dm_post_warning_va("The time step is %s.", "large");
    else if (which == "prompt")
        ruvv_dm_post_string_prompt("Name of the run:", answer, sizeof answer);
    else if (which == "about")
        ruvv_dm_post_about_box();
    else if (which == "modal")
        from_definition(10);
    else if (which == "modeless")
        from_definition(11);
    else if (which == "resource")
        ruvk_dlg_create_res(10, 300, RUV_EVENT_MASK_ALL, keep_open, nullptr);
    else if (which == "colour") {
        RUV_COLOR c = 0x00336699;
        ruvv_dm_post_color_sel(&c);
    } else if (which == "font") {
        RUV_FONT *font = ruvv_font_create();
        ruvv_dm_post_font_sel(NULL_WIN, font, nullptr, 0);
        ruvv_font_destroy(font);
    } else if (which == "file_save") {
        RUV_FILE_SPEC spec{};
        std::strcpy(spec.type, "txt");
        std::strcpy(spec.name, "results");
        ruvv_dm_post_file_save(&spec, "Save the results");
    } else if (which == "folder") {
        RUV_FILE_DIR dir{};
        ruvv_dm_post_dir_sel(&dir, "Folder of the runs");
    } else if (which == "navigation") {
        navigation();
    } else if (which == "drawing_tools") {
        RUV_DRAW_CTOOLS tools = {{2, 2, 0, 0x01FF0000}, {5, 0x030000FF}, 0, 0x07000000, 0x0BFFFFFF, 0};
        ruvv_dm_post_ctools_sel(&tools, 0xFF);
    }
}

void CALLBACK open_dialog(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    const char *which = std::getenv("RUVK_DIALOG_GALLERY");
    show(which ? which : "question");
}

int32_t task_handler(RUV_WIN, RUV_EVENT *e)
{
    if (e->type == E_CREATE)
        SetTimer(nullptr, 0, 100, open_dialog);
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
    if (!ruvwi_Begin(&start))
        return 1;
    if (!ruvwi_Init(&start)) {
        ruvwi_End();
        return 1;
    }
    if (argc > 1)
        SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(argv[1]) * 1000), time_up);
    static RUV_APP_CONFIG config{0, 0, "dialogs", "dialogs", "Dialog gallery"};
    ruvwi_ruv_system(argc, argv, 0, task_handler, &config);
    ruvwi_End();
    return 0;
}
