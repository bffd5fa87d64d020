// The standard dialogs of the dialog manager on Windows: the question box
// and the error, warning and note boxes, the string prompt and the about
// box as toolkit dialogs from the program's dialog resources; the plain
// alert and the fatal exit as system message boxes; the system's font,
// colour, file-open, file-save and folder dialogs over the application,
// its other windows disabled meanwhile.

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "kernel_app.h"
#include <commdlg.h>
#include <shlobj.h>

#include "cursor.h"
#include "dialogs.h"
#include "printing.h"
#include "event_translate.h"
#include "file_system.h"
#include "font_native.h"
#include "startup.h"
#include "window_create.h"
#include "window_services.h"
#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"
#include "ruvv_font.h"
#include "ruvv_str.h"

namespace {

constexpr RUV_ERRMSG_ID ERR_BOX_NOT_MADE = 0x3484D0;
constexpr RUV_ERRMSG_ID ERR_PROMPT_NOT_MADE = 0x3484D6;
constexpr RUV_ERRMSG_ID ERR_DIRECTORY = 0x1540002;  // "Failed to access directory"

constexpr int32_t ABOUT_BOX = 9050;
constexpr int32_t QUESTION_BOX = 9051;
constexpr int32_t ERROR_BOX = 9052;
constexpr int32_t NOTE_BOX = 9053;
constexpr int32_t PROMPT_BOX = 9059;
constexpr int32_t ABOUT_HELP_TOPIC = 32006;

constexpr size_t TEXT_SIZE = 4096;
constexpr size_t FORMAT_SIZE = 200;

bool attr_on(int32_t key)
{
    return static_cast<int16_t>(ruvk_vobj_get_attr(NULL_WIN, key)) != 0;
}

RUV_WIN task_window()
{
    return reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
}

std::string string_of(int32_t id, const char *def)
{
    char buf[256];
    const char *s = ruvv_str_getstr(id, buf, sizeof buf, def);
    return s ? s : def;
}

// The message text of a box: the format cut at 199 characters, then
// formatted by the toolkit's formatter (arguments may be named by
// position) within the text buffer's size however long the arguments.
std::string format_text(const char *format, va_list args)
{
    char fmt[FORMAT_SIZE];
    std::snprintf(fmt, sizeof fmt, "%s", format ? format : "");
    static char text[TEXT_SIZE];
    ruvv_str_vsnprintf(text, sizeof text, fmt, args);
    return text;
}

void center_on_desktop(HWND hwnd)
{
    if (attr_on(RUV_ATTR_NATIVE_DIALOGS))
        return;
    RECT r, d;
    GetWindowRect(hwnd, &r);
    GetWindowRect(GetDesktopWindow(), &d);
    SetWindowPos(hwnd, nullptr, d.left + ((d.right - d.left) - (r.right - r.left)) / 2,
                 d.top + ((d.bottom - d.top) - (r.bottom - r.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A button title in native form: its first character becomes the mnemonic
// unless the text names one already or is exempt.
void set_button(HWND dlg, int id, const char *text, bool exempt)
{
    HWND b = GetDlgItem(dlg, id);
    if (!b)
        return;
    if (!text) {
        ShowWindow(b, SW_HIDE);
        return;
    }
    std::string t = text;
    if (!exempt && t.find('~') == std::string::npos && t[0] != '&')
        t.insert(0, "~");
    std::string native(t.size() * 2 + 2, '\0');
    ruvk_title_to_native(t.c_str(), &native[0], native.size());
    SetWindowTextA(b, native.c_str());
}

struct BoxRecord {
    int32_t result;
    const char *message;
    const char *buttons[3];
};

int32_t box_handler(RUV_WIN win, RUV_EVENT *ev)
{
    auto *box = static_cast<BoxRecord *>(win->app_data);
    HWND hwnd = static_cast<HWND>(win->native);
    switch (ev->type) {
    case E_CREATE: {
        const std::string ok = string_of(30001, "OK");
        const std::string cancel = string_of(30002, "Cancel");
        set_button(hwnd, 1, box->buttons[0], box->buttons[0] && ok == box->buttons[0]);
        set_button(hwnd, 4, box->buttons[1], false);
        set_button(hwnd, 2, box->buttons[2], box->buttons[2] && cancel == box->buttons[2]);
        SetDlgItemTextA(hwnd, 5, box->message);
        center_on_desktop(hwnd);
        break;
    }
    case E_CONTROL:
        box->result = ev->v.control.id;
        ruvk_vobj_destroy(win);
        break;
    case E_CLOSE:
        box->result = 2;
        ruvk_vobj_destroy(win);
        break;
    default:
        break;
    }
    return 0;
}

int32_t run_box(int32_t res_id, const char *b1, const char *b2, const char *b3, const char *format, va_list args)
{
    const std::string text = format_text(format, args);
    BoxRecord box{-1, text.c_str(), {b1, b2, b3}};
    if (!ruvk_dlg_create_res(10, res_id, RUV_EVENT_MASK_ALL, box_handler, &box))
        RUV_ERR(NULL_WIN, RUV_SEV_FATAL, ERR_BOX_NOT_MADE);
    return box.result;
}

bool has_dialog(int32_t res_id)
{
    RUV_APP_RECORD *app = ruvk_app_record();
    HINSTANCE inst = app && app->res_instance ? app->res_instance : (app ? app->instance : nullptr);
    return FindResourceA(inst, MAKEINTRESOURCEA(res_id), reinterpret_cast<LPCSTR>(RT_DIALOG)) != nullptr;
}

// A program without the box's dialog resource gets the system message box
// it had before, rather than no box at all.
int32_t system_box(UINT icon, const char *format, va_list args)
{
    const std::string text = format_text(format, args);
    auto *config = reinterpret_cast<const RUV_APP_CONFIG *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_APP_CONFIG));
    const char *caption = config && config->app_name ? config->app_name : "";
    int r = MessageBoxA(GetActiveWindow(), text.c_str(), caption, icon | MB_OK | MB_TASKMODAL);
    return r == 0 ? -1 : r;
}

int32_t answer_box(int32_t res_id, UINT icon, const char *format, va_list args)
{
    if (!has_dialog(res_id))
        return system_box(icon, format, args);
    const std::string ok = string_of(30001, "OK");
    return run_box(res_id, ok.c_str(), nullptr, nullptr, format, args);
}

// ---- the about box and the prompt ----

int32_t about_handler(RUV_WIN win, RUV_EVENT *ev)
{
    auto *result = static_cast<int32_t *>(win->app_data);
    switch (ev->type) {
    case E_CREATE:
        *result = -2;  // made, nothing chosen yet
        center_on_desktop(static_cast<HWND>(win->native));
        break;
    case E_CONTROL:
        *result = ev->v.control.id;
        ruvk_vobj_destroy(win);
        break;
    case E_CLOSE:
        *result = 0;
        ruvk_vobj_destroy(win);
        break;
    case E_DESTROY:
        if (*result == -2)
            *result = 0;
        break;
    default:
        break;
    }
    return 0;
}

struct PromptRecord {
    const char *prompt;
    char *buffer;
    int32_t length;
    char *response;
};

int32_t prompt_handler(RUV_WIN win, RUV_EVENT *ev)
{
    auto *p = static_cast<PromptRecord *>(win->app_data);
    HWND hwnd = static_cast<HWND>(win->native);
    switch (ev->type) {
    case E_CREATE:
        SetDlgItemTextA(hwnd, 4, p->prompt ? p->prompt : "");
        SetDlgItemTextA(hwnd, 5, p->buffer);
        SendDlgItemMessageA(hwnd, 5, EM_SETSEL, 0, -1);
        center_on_desktop(hwnd);
        break;
    case E_CONTROL:
        if (ev->v.control.id == 1) {
            // At most length - 1 bytes and the terminator.
            if (p->length > 0)
                GetDlgItemTextA(hwnd, 5, p->buffer, p->length);
            p->response = p->buffer;
            ruvk_vobj_destroy(win);
        } else if (ev->v.control.id == 2) {
            p->response = nullptr;
            ruvk_vobj_destroy(win);
        }
        break;
    case E_CLOSE:
        p->response = nullptr;
        ruvk_vobj_destroy(win);
        break;
    default:
        break;
    }
    return 0;
}

// ---- common dialogs ----

// The longest path a file dialog gives back, with its terminator.
constexpr size_t kLongestPath = 32768;

// Runs a common dialog with the application's windows disabled.
template <typename F> auto with_others_disabled(HWND owner, F run) -> decltype(run())
{
    RUV_WIN *disabled = ruvk_dlg_disable_windows(owner);
    auto r = run();
    ruvk_dlg_enable_windows(disabled);
    return r;
}

int32_t file_dialog(RUV_FILE_SPEC *spec, const char *prompt, bool save)
{
    if (!spec)
        return 0;
    // Buffers for the longest path the system gives (a path that the
    // specification cannot hold is refused after the dialog, never cut).
    std::vector<char> file(kLongestPath, '\0');
    std::vector<char> title(kLongestPath, '\0');
    if (save && spec->name[0])
        std::snprintf(file.data(), file.size(), "%s", spec->name);
    RUV_FILE_DIR dir{};
    if (spec->dir.path[0]) {
        char full[RUV_FILE_DIR_SIZE];
        if (!ruvk_fsys_full_path(full, spec->dir.path, sizeof full)) {
            RUV_ERR(NULL_WIN, RUV_SEV_ERROR, ERR_DIRECTORY);
            return 0;
        }
        std::snprintf(dir.path, sizeof dir.path, "%s", full);
    } else {
        ruvk_fsys_get_default_dir(&dir);
    }
    char filter[600];
    if (spec->type[0]) {
        const std::string f = string_of(30016, "Files (*.%s)|*.%s|");
        std::snprintf(filter, sizeof filter - 1, f.c_str(), spec->type, spec->type);
    } else {
        std::snprintf(filter, sizeof filter - 1, "%s", string_of(30017, "All Files (*.*)|*.*|").c_str());
    }
    const size_t flen = std::strlen(filter);
    filter[flen + 1] = '\0';
    for (size_t i = 0; i < flen; ++i)
        if (filter[i] == '|')
            filter[i] = '\0';

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = ruvk_dlg_owner(1);
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrInitialDir = dir.path;
    ofn.lpstrTitle = prompt && *prompt ? prompt : nullptr;
    ofn.lpstrDefExt = spec->type[0] ? spec->type : nullptr;
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : 0);
    if (auto hook = reinterpret_cast<void (*)(OPENFILENAMEA *)>(
            ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_FILE_DIALOG_HOOK)))
        hook(&ofn);
    const BOOL ok = with_others_disabled(ofn.hwndOwner,
                                         [&] { return save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn); });
    if (!ok)
        return CommDlgExtendedError() == 0 ? 1 : 0;
    const char *path = ofn.lpstrFile;
    const size_t plen = std::strlen(path);
    // A name or folder longer than the specification holds is a failure:
    // a cut one would name another file.
    if (std::strlen(title.data()) >= sizeof spec->name ||
        (ofn.nFileOffset > 0 && ofn.nFileOffset < plen && ofn.nFileOffset >= sizeof spec->dir.path))
        return 0;
    std::snprintf(spec->name, sizeof spec->name, "%s", title.data());
    if (ofn.nFileExtension && ofn.nFileExtension < plen)
        std::snprintf(spec->type, sizeof spec->type, "%s", path + ofn.nFileExtension);
    else
        spec->type[0] = '\0';
    if (ofn.nFileOffset > 0 && ofn.nFileOffset < plen && ofn.nFileOffset < ofn.nMaxFile)
        std::snprintf(spec->dir.path, sizeof spec->dir.path, "%.*s", static_cast<int>(ofn.nFileOffset), path);
    else
        spec->dir.path[0] = '\0';
    return 2;
}

int CALLBACK folder_callback(HWND hwnd, UINT msg, LPARAM lp, LPARAM data)
{
    if (msg == BFFM_INITIALIZED) {
        const char *start = reinterpret_cast<const char *>(data);
        char cwd[MAX_PATH];
        if (GetCurrentDirectoryA(sizeof cwd, cwd))
            SendMessageA(hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start && *start ? start : cwd));
    } else if (msg == BFFM_SELCHANGED) {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lp), path))
            SendMessageA(hwnd, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    }
    return 0;
}

// The font dialog's hook hides the colour label and list.
UINT_PTR CALLBACK font_hook(HWND hwnd, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        for (int id : {1091, 1139})
            if (HWND c = GetDlgItem(hwnd, id))
                ShowWindow(c, SW_HIDE);
    }
    return 0;
}

// The logical font a font stands for: its native one when mapped for a
// window, else one made from its family and size.
LOGFONTA logfont_of(RUV_FONT *font)
{
    auto *n = static_cast<RUVK_FONT_NATIVE *>(font->native);
    if (n && font->win && font->mapped)
        return n->logfont;
    LOGFONTA lf{};
    HDC dc = GetDC(nullptr);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc)
        ReleaseDC(nullptr, dc);
    lf.lfHeight = -MulDiv(ruvv_font_get_size(font), dpi, 72);
    lf.lfWeight = (font->style & RUV_FONT_BOLD) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font->style & RUV_FONT_ITALIC) ? 1 : 0;
    lf.lfUnderline = (font->style & RUV_FONT_UNDERLINE) ? 1 : 0;
    lf.lfStrikeOut = (font->style & RUV_FONT_STRIKEOUT) ? 1 : 0;
    const char *family = ruvv_font_get_family(font);
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", ruvk_font_face_of_family(family ? family : ""));
    return lf;
}

void post_message(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    ruvk_dm_post_message(format, args);
    va_end(args);
}

} // namespace

extern "C" {

int32_t ruvk_dm_post_ask(const char *b1, const char *b2, const char *b3, const char *format, va_list args)
{
    switch (run_box(QUESTION_BOX, b1, b2, b3, format, args)) {
    case 4:
        return 1;
    case 2:
        return 2;
    default:
        return 0;
    }
}

int32_t ruvk_dm_post_error(const char *format, va_list args)
{
    return answer_box(ERROR_BOX, MB_ICONSTOP, format, args);
}

int32_t ruvk_dm_post_warning(const char *format, va_list args)
{
    return answer_box(ERROR_BOX, MB_ICONEXCLAMATION, format, args);
}

int32_t ruvk_dm_post_note(const char *format, va_list args)
{
    return answer_box(NOTE_BOX, MB_ICONINFORMATION, format, args);
}

void ruvk_dm_post_message(const char *format, va_list args)
{
    const std::string text = format_text(format, args);
    const std::string caption = string_of(30015, "Alert");
    MessageBoxA(GetFocus(), text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void ruvk_dm_post_fatal_exit(const char *format, va_list args)
{
    const std::string text = format_text(format, args);
    if (auto hook = reinterpret_cast<void (*)(const char *)>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_FATAL_HOOK)))
        hook(text.c_str());
    RUV_APP_RECORD *app = ruvk_app_record();
    if (app && app->fatal) {
        OutputDebugStringA("RECURSIVE FATAL");
        for (int i = 0; i < 6; ++i)
            MessageBeep(0);
    } else {
        if (app)
            app->fatal = 1;
        const std::string line = "FATAL: " + text;
        OutputDebugStringA(line.c_str());
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
        const std::string caption = string_of(30012, "System Error");
        MessageBoxA(GetFocus(), text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
        ruvk_cursor_show_again();
        ruvk_app_final_cleanup();
    }
    if (app && app->exit_callback)
        app->exit_callback(1);
    ExitProcess(1);
}

void ruvk_dm_post_about_box(void)
{
    auto *config = reinterpret_cast<const RUV_APP_CONFIG *>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_APP_CONFIG));
    const int32_t id = config && config->about_box_id ? config->about_box_id : ABOUT_BOX;
    int32_t result = -1;
    ruvk_dlg_create_res(10, id, RUV_EVENT_MASK_ALL, about_handler, &result);
    if (result == -1) {
        const std::string alert = string_of(30003, "Can't show the about box");
        post_message("%s", alert.c_str());
    } else if (result == 1) {
        RUV_WIN task = task_window();
        if (ruvv_vobj_is_valid(task)) {
            RUV_EVENT ev;
            ruvk_event_init(&ev, E_HELP);
            ev.v.help.topic = ABOUT_HELP_TOPIC;
            ruvk_win_dispatch_event(task, &ev);
        }
    }
}

char *ruvk_dm_post_string_prompt(const char *prompt, char *buffer, int32_t length)
{
    if (!buffer)
        return nullptr;
    PromptRecord p{prompt, buffer, length, nullptr};
    if (!ruvk_dlg_create_res(10, PROMPT_BOX, RUV_EVENT_MASK_ALL, prompt_handler, &p)) {
        RUV_ERR(NULL_WIN, RUV_SEV_FATAL, ERR_PROMPT_NOT_MADE);
        return nullptr;
    }
    return p.response;
}

RUV_BOOL ruvk_dm_post_font_sel(RUV_WIN win, RUV_FONT *font, void *print_record)
{
    if (!ruvv_font_is_valid(font))
        return 0;
    LOGFONTA lf = logfont_of(font);
    const LOGFONTA before = lf;
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = ruvk_dlg_owner(1);
    cf.lpLogFont = &lf;
    cf.iPointSize = ruvv_font_get_size(font) * 10;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | CF_EFFECTS;
    cf.lpfnHook = font_hook;
    cf.nFontType = SCREEN_FONTTYPE;
    // With a print record the printer's fonts are offered too, through an
    // information context of the printer held for the dialog.
    HDC printer = nullptr;
    RUV_PRINT_RECORD *record = static_cast<RUV_PRINT_RECORD *>(print_record);
    if (record && ruvk_print_record_is_valid(record))
        printer = ruvk_print_make_dc(record, TRUE);
    if (printer) {
        cf.Flags |= CF_PRINTERFONTS;
        cf.hDC = printer;
        cf.nFontType |= PRINTER_FONTTYPE;
    }
    BOOL chosen = with_others_disabled(cf.hwndOwner, [&] { return ChooseFontA(&cf); });
    if (printer)
        DeleteDC(printer);
    if (!chosen)
        return 0;
    // The whole logical font, fifteen 32-bit words.
    static_assert(sizeof(LOGFONTA) == 15 * sizeof(uint32_t), "logical font of fifteen words");
    if (std::memcmp(&lf, &before, sizeof lf) == 0)
        return 0;
    ruvv_font_set_size(font, (cf.iPointSize + 5) / 10);
    ruvv_font_set_family(font, lf.lfFaceName);
    uint32_t style = (lf.lfWeight >= FW_BOLD ? RUV_FONT_BOLD : 0) | (lf.lfItalic ? RUV_FONT_ITALIC : 0) |
                     (lf.lfUnderline ? RUV_FONT_UNDERLINE : 0) | (lf.lfStrikeOut ? RUV_FONT_STRIKEOUT : 0);
    style |= (cf.nFontType & (BOLD_FONTTYPE | ITALIC_FONTTYPE)) >> 8;
    ruvv_font_set_style(font, style);
    char desc[RUVK_FONT_DESC_SIZE];
    ruvv_font_set_native_desc(font, ruvk_font_desc_format(&lf, desc));
    if (auto *n = static_cast<RUVK_FONT_NATIVE *>(font->native)) {
        HDC dc = GetDC(nullptr);
        if (dc) {
            n->resolution = GetDeviceCaps(dc, LOGPIXELSY);
            ReleaseDC(nullptr, dc);
        }
    }
    if (ruvv_vobj_is_valid(win)) {
        RUV_EVENT ev;
        ruvk_event_init(&ev, E_FONT);
        ev.v.font.font = font;
        ruvk_win_dispatch_event(win, &ev);
    }
    return 1;
}

RUV_BOOL ruvk_dm_post_color_sel(RUV_COLOR *color)
{
    if (!color)
        return 0;
    COLORREF custom[16];
    for (COLORREF &c : custom)
        c = 0xFFFFFF;
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = ruvk_dlg_owner(1);
    cc.rgbResult = RGB((*color >> 16) & 0xFF, (*color >> 8) & 0xFF, *color & 0xFF);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!with_others_disabled(cc.hwndOwner, [&] { return ChooseColorA(&cc); }))
        return 0;
    *color = (static_cast<RUV_COLOR>(GetRValue(cc.rgbResult)) << 16) |
             (static_cast<RUV_COLOR>(GetGValue(cc.rgbResult)) << 8) | GetBValue(cc.rgbResult);
    return 1;
}

int32_t ruvk_dm_post_file_open(RUV_FILE_SPEC *spec, const char *prompt)
{
    return file_dialog(spec, prompt, false);
}

int32_t ruvk_dm_post_file_save(RUV_FILE_SPEC *spec, const char *prompt)
{
    return file_dialog(spec, prompt, true);
}

int32_t ruvk_dm_post_dir_sel(RUV_FILE_DIR *dir, const char *title)
{
    if (!dir)
        return 0;
    LPITEMIDLIST root = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &root)) || !root)
        return 0;
    char display[MAX_PATH] = "";
    BROWSEINFOA bi{};
    bi.hwndOwner = static_cast<HWND>(ruvv_vobj_is_valid(task_window()) ? task_window()->native : nullptr);
    bi.pidlRoot = root;
    bi.pszDisplayName = display;
    bi.lpszTitle = title;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    bi.lpfn = folder_callback;
    bi.lParam = reinterpret_cast<LPARAM>(dir->path);
    LPITEMIDLIST chosen = with_others_disabled(bi.hwndOwner, [&] { return SHBrowseForFolderA(&bi); });
    int32_t result = 1;
    if (chosen) {
        char path[MAX_PATH] = "";
        if (SHGetPathFromIDListA(chosen, path)) {
            std::snprintf(dir->path, sizeof dir->path, "%s", path);
            result = 2;
        } else {
            result = 0;
        }
        CoTaskMemFree(chosen);
    }
    CoTaskMemFree(root);
    return result;
}

} // extern "C"
