// Conformance rows of the standard dialog functions (tdm).  The valid calls
// show their dialogs; the fixture's dismisser answers them.
#include <cstdlib>
#include <cstring>
#include <string>

#include "conformance.h"
#include "printing.h"
#include "ruvv_font.h"

using namespace ruvf_test;

namespace {

// A specification of a file in the temporary directory: one that is there
// (the open dialog's OK takes it) or one that is not (the save dialog's OK
// asks nothing more).
RUV_FILE_SPEC temp_spec(bool existing)
{
    RUV_FILE_SPEC spec{};
    GetTempPathA(sizeof spec.dir.path, spec.dir.path);
    std::strcpy(spec.name, existing ? "ruvf_dm_there.txt" : "ruvf_dm_none.txt");
    std::string path = std::string(spec.dir.path) + spec.name;
    if (existing) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        CloseHandle(h);
    } else {
        DeleteFileA(path.c_str());
    }
    return spec;
}

// Clicks button in the next dialog of the system's dialog class titled
// title, visible or not (the folder dialog may stay hidden while it fills
// its tree), from a thread timer inside the dialog's modal loop.
struct Answer {
    const char *title;
    int button;
    bool done;
};
Answer *g_answer = nullptr;

void CALLBACK answer_tick(HWND, UINT, UINT_PTR id, DWORD)
{
    if (!g_answer || g_answer->done)
        return;
    HWND h = FindWindowA("#32770", g_answer->title);
    if (!h)
        return;
    g_answer->done = true;
    KillTimer(nullptr, id);
    PostMessageA(h, WM_COMMAND, MAKEWPARAM(g_answer->button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(h, g_answer->button)));
}

template <typename F>
intptr_t answering(const char *title, int button, F call)
{
    Answer a{ title, button, false };
    g_answer = &a;
    UINT_PTR t = SetTimer(nullptr, 0, 30, answer_tick);
    intptr_t r = call();
    KillTimer(nullptr, t);
    g_answer = nullptr;
    return r;
}

RUV_FONT *bogus_font()
{
    static RUV_FONT f{};
    return &f;
}

// A font for the dialog, given back with the program.
RUV_FONT *a_font()
{
    static RUV_FONT *f = ruvv_font_create();
    return f;
}

// A record of the default printer, or of none where the system has none.
RUV_PRINT_RECORD *a_record()
{
    static RUV_PRINT_RECORD *r = ruvk_print_create(nullptr);
    return r;
}

// A record the kernel's validity test refuses whatever printers there are:
// a block of zeros names no device.
RUV_PRINT_RECORD *a_record_of_nothing()
{
    static RUV_PRINT_RECORD *r = static_cast<RUV_PRINT_RECORD *>(std::calloc(1, sizeof(RUV_PRINT_RECORD)));
    return r;
}

} // namespace

static Rows rows{
    Row{ "ruv_dm_post_about_box", "tdm" }
        .refuses()
        .valid([](Ctx &) { ruv_dm_post_about_box(); return 0; }),
    Row{ "ruv_dm_post_ask", "tdm" }
        .refuses()
        .failure(127)
        .bad("NULL first button", 0x00210000, [](Ctx &) { return R(ruv_dm_post_ask(nullptr, "No", nullptr, "Q?")); })
        .bad("NULL second button", 0x00210000, [](Ctx &) { return R(ruv_dm_post_ask("Yes", nullptr, "C", "Q?")); })
        .bad("NULL format", 0x00210000, [](Ctx &) { return R(ruv_dm_post_ask("Yes", "No", nullptr, nullptr)); })
        .valid([](Ctx &) { return R(ruv_dm_post_ask("Yes", "No", nullptr, "Go on with %d?", 3)); }),
    Row{ "ruv_dm_post_color_sel", "tdm" }
        .refuses()
        .bad("NULL colour", 0x00210000, [](Ctx &) { return R(ruv_dm_post_color_sel(nullptr, 0)); })
        .valid([](Ctx &) {
            RUV_COLOR color = 0x123456;
            return R(ruv_dm_post_color_sel(&color, 0));
        }),
    Row{ "ruv_dm_post_dir_sel", "tdm" }
        .refuses()
        .bad("NULL directory", 0x00210000, [](Ctx &) { return R(ruv_dm_post_dir_sel(nullptr, "Folder")); })
        .bad("NULL title", 0x00210000,
             [](Ctx &) {
                 RUV_FILE_DIR dir{};
                 return R(ruv_dm_post_dir_sel(&dir, nullptr));
             })
        .valid([](Ctx &) {
            RUV_FILE_DIR dir{};
            GetTempPathA(sizeof dir.path, dir.path);
            return answering("Browse for Folder", IDOK, [&] { return R(ruv_dm_post_dir_sel(&dir, "Folder")); });
        }),
    Row{ "ruv_dm_post_error", "tdm" }
        .refuses()
        .bad("NULL format", 0x00210000, [](Ctx &) { ruv_dm_post_error(nullptr); return 0; })
        .valid([](Ctx &) { ruv_dm_post_error("Error %s", "text"); return 0; }),
    Row{ "ruv_dm_post_fatal_exit", "tdm" }
        .bad("NULL format", 0x00210000, [](Ctx &) { ruv_dm_post_fatal_exit(nullptr); return 0; })
        .no_valid("ends the process: run in a child process by the standard dialog tests"),
    Row{ "ruv_dm_post_file_open", "tdm" }
        .refuses()
        .bad("NULL specification", 0x00210000, [](Ctx &) { return R(ruv_dm_post_file_open(nullptr, "Open")); })
        .bad("NULL message", 0x00210000,
             [](Ctx &) {
                 RUV_FILE_SPEC spec = temp_spec(true);
                 return R(ruv_dm_post_file_open(&spec, nullptr));
             })
        .valid([](Ctx &) {
            // The open dialog starts without a name: cancelled, it answers 1.
            RUV_FILE_SPEC spec = temp_spec(true);
            return answering("Open", IDCANCEL, [&] { return R(ruv_dm_post_file_open(&spec, "Open")); });
        }),
    Row{ "ruv_dm_post_file_save", "tdm" }
        .refuses()
        .bad("NULL specification", 0x00210000, [](Ctx &) { return R(ruv_dm_post_file_save(nullptr, "Save")); })
        .bad("NULL message", 0x00210000,
             [](Ctx &) {
                 RUV_FILE_SPEC spec = temp_spec(false);
                 return R(ruv_dm_post_file_save(&spec, nullptr));
             })
        .valid([](Ctx &) {
            RUV_FILE_SPEC spec = temp_spec(false);
            return R(ruv_dm_post_file_save(&spec, "Save"));
        }),
    Row{ "ruv_dm_post_message", "tdm" }
        .refuses()
        .bad("NULL format", 0x00210000, [](Ctx &) { ruv_dm_post_message(nullptr); return 0; })
        .valid([](Ctx &) { ruv_dm_post_message("Message %d", 1); return 0; }),
    Row{ "ruv_dm_post_note", "tdm" }
        .refuses()
        .bad("NULL format", 0x00210000, [](Ctx &) { ruv_dm_post_note(nullptr); return 0; })
        .valid([](Ctx &) { ruv_dm_post_note("Note %d", 1); return 0; }),
    Row{ "ruv_dm_post_string_prompt", "tdm" }
        .refuses()
        .bad("NULL message", 0x00210000,
             [](Ctx &) {
                 char buf[16];
                 return R(ruv_dm_post_string_prompt(nullptr, buf, sizeof buf));
             })
        .bad("NULL buffer", 0x00210000, [](Ctx &) { return R(ruv_dm_post_string_prompt("Name?", nullptr, 16)); })
        .valid([](Ctx &) {
            char buf[16] = "abc";
            return R(ruv_dm_post_string_prompt("Name?", buf, sizeof buf));
        }),
    Row{ "ruv_dm_post_warning", "tdm" }
        .refuses()
        .bad("NULL format", 0x00210000, [](Ctx &) { ruv_dm_post_warning(nullptr); return 0; })
        .valid([](Ctx &) { ruv_dm_post_warning("Warning %d", 1); return 0; }),
    Row{ "ruv_dm_post_ctools_sel", "tdm" }
        .refuses()
        .bad("NULL tools", 0x00210000, [](Ctx &) { return R(ruv_dm_post_ctools_sel(nullptr, 0xFF)); })
        .bad("no part in the low byte", 0x0122000B,
             [](Ctx &) {
                 RUV_DRAW_CTOOLS tools{};
                 return R(ruv_dm_post_ctools_sel(&tools, 0x100));
             })
        .no_valid("the drawing-tools dialog's windows are compiled resources of the program that shows it; the "
                  "table's program does not carry them"),
    Row{ "ruv_dm_post_font_sel", "tdm" }
        .refuses()
        .bad("NULL font", 0x01210003, [](Ctx &c) { return R(ruv_dm_post_font_sel(c.get(Obj::Doc), nullptr, nullptr, 0)); })
        .bad("a font that is none", 0x01220003,
             [](Ctx &c) { return R(ruv_dm_post_font_sel(c.get(Obj::Doc), bogus_font(), nullptr, 0)); })
        .bad("foreign window", 0x01220002, [](Ctx &c) { return R(ruv_dm_post_font_sel(c.foreign(), a_font(), nullptr, 0)); })
        .bad("a control as window", 0x01230001,
             [](Ctx &c) { return R(ruv_dm_post_font_sel(c.get(Obj::Button), a_font(), nullptr, 0)); })
        .bad("a record of no device", 0x0122000C,
             [](Ctx &c) { return R(ruv_dm_post_font_sel(c.get(Obj::Doc), a_font(), a_record_of_nothing(), 0)); })
        .valid([](Ctx &) { return R(ruv_dm_post_font_sel(NULL_WIN, a_font(), nullptr, 0)); }),
    Row{ "ruv_dm_post_page_setup", "tdm" }
        .refuses()
        .bad("NULL record", 0x00210000, [](Ctx &) { return R(ruv_dm_post_page_setup(nullptr)); })
        .valid([](Ctx &) { return R(ruv_dm_post_page_setup(a_record())); }),
};
