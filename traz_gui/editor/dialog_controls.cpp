// Dialog-control helpers: controls addressed as (window, control id) over
// the toolkit's public functions, missing values, range checks, formatted
// message boxes, file selection and the three-field status text.
#include "dialog_controls.h"

#include <cassert>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "field_check_boxes.h"
#include "field_checks.h"
#include "ruvv_color.h"
#include "ruvv_res.h"
#include "status_bar.h"
#include "utilities.h"

namespace {

constexpr uint32_t UPDATE_EVENTS_ONLY = 16;
constexpr size_t TITLE_MAX = 100;

RUV_WIN Ctl(RUV_WIN window, int32_t id) { return ruv_win_get_ctl(window, id); }

const char *SkipBlanks(const char *s)
{
    while (*s && std::isspace(static_cast<unsigned char>(*s)))
        ++s;
    return s;
}

// Zero-terminated id lists of the variadic helpers.
std::vector<int32_t> IdList(va_list args, size_t limit)
{
    std::vector<int32_t> ids;
    for (int32_t id = va_arg(args, int32_t); id != 0; id = va_arg(args, int32_t)) {
        ids.push_back(id);
        if (ids.size() > limit)
            break;
    }
    return ids;
}

// The box of a failed check with the pointer held in the window.
void TrappedError(RUV_WIN window, const std::string &message)
{
    ruv_win_trap_pointer(window);
    ruv_dm_post_error("%s", message.c_str());
    ruv_win_release_pointer();
}

std::string Printf(const char *format, ...) TRAZ_PRINTF_LIKE(1, 2);
std::string Printf(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string s = FormatMessageText(format, args);
    va_end(args);
    return s;
}

// The control's trimmed title; false when it is empty or only blanks.
bool TrimmedTitle(RUV_WIN window, int32_t id, std::string *out)
{
    *out = TrimBlanks(GetControlTitle(window, id));
    return !out->empty();
}

struct FrozenWindow {
    RUV_WIN window = NULL_WIN;
    uint32_t mask = 0;
    RUV_EVENT_HANDLER handler = nullptr;
};
FrozenWindow g_frozen;

RUV_FILE_DIR g_savedDir;

}  // namespace

// ---- values in controls ----

const char *GetControlTitle(RUV_WIN window, int32_t id)
{
    static char title[TITLE_MAX + 1];
    std::memset(title, 0, sizeof title);
    ruv_vobj_get_title(Ctl(window, id), title, sizeof title);
    return title;
}

std::string GetControlText(RUV_WIN window, int32_t id, size_t size)
{
    std::vector<char> text(size > 0 ? size : 1, '\0');
    if (const RUV_WIN control = Ctl(window, id))
        ruv_vobj_get_title(control, text.data(), static_cast<int32_t>(text.size()));
    return text.data();
}

void SetControlTitle(RUV_WIN window, int32_t id, const char *text) { ruv_vobj_set_title(Ctl(window, id), text); }

double GetControlDouble(RUV_WIN window, int32_t id)
{
    const char *text = SkipBlanks(GetControlTitle(window, id));
    if (!*text)
        return MISSING_REAL;
    double value = 0.0;
    std::sscanf(text, "%lf", &value);
    return value;
}

double GetControlReal(RUV_WIN window, int32_t id) { return GetControlDouble(window, id); }

void SetControlDouble(RUV_WIN window, int32_t id, double value)
{
    SetControlTitle(window, id, std::fabs(value - MISSING_REAL) < 1e-6 ? "" : FormatExponential(value));
}

void SetControlFloat(RUV_WIN window, int32_t id, float value)
{
    SetControlTitle(window, id, FloatFieldText(value).c_str());
}

int GetControlInt(RUV_WIN window, int32_t id)
{
    const char *text = SkipBlanks(GetControlTitle(window, id));
    if (!*text)
        return MISSING_INT;
    int value = 0;
    std::sscanf(text, "%d", &value);
    return value;
}

void SetControlInt(RUV_WIN window, int32_t id, int value)
{
    char text[16] = "";
    if (value != MISSING_INT)
        std::snprintf(text, sizeof text, "%d", value);
    SetControlTitle(window, id, text);
}

void SetFileNameControl(RUV_WIN window, int32_t id, const char *text)
{
    SetControlTitle(window, id, (text && text[0]) ? text : "Filename unknown");
}

void SetDocTitle(RUV_WIN window, const char *text) { ruv_win_set_doc_title(window, text); }

// ---- list controls ----

void SuspendListControl(RUV_WIN window, int32_t id) { ruv_list_suspend(Ctl(window, id)); }
void ResumeListControl(RUV_WIN window, int32_t id) { ruv_list_resume(Ctl(window, id)); }

int32_t CountList(RUV_WIN window, int32_t id)
{
    const int32_t count = ruv_list_count_all(Ctl(window, id));
    if (count < 0)
        PostFatalF("Fatal Error in CountList");
    return count;
}

int32_t GetListSelIndex(RUV_WIN window, int32_t id)
{
    const int32_t index = ruv_list_get_sel_index(Ctl(window, id));
    return index < 0 ? -1 : index;
}

const char *GetListItem(RUV_WIN window, int32_t id, int32_t index)
{
    static char item[TITLE_MAX + 1];
    if (!ruv_list_get_elt(Ctl(window, id), index, item, sizeof item))
        item[0] = '\0';
    return item;
}

void AddListItem(RUV_WIN window, int32_t id, int32_t index, const char *text)
{
    ruv_list_add(Ctl(window, id), index, text);
}

void RemoveListItem(RUV_WIN window, int32_t id, int32_t index) { ruv_list_rem(Ctl(window, id), index); }

int16_t IsListItemSelected(RUV_WIN window, int32_t id, int32_t index)
{
    return ruv_list_is_sel(Ctl(window, id), index) ? 1 : 0;
}

void SetListItemSelected(RUV_WIN window, int32_t id, int32_t index, int16_t flag)
{
    ruv_list_set_sel(Ctl(window, id), index, flag);
}

void ClearList(RUV_WIN window, int32_t id) { ruv_list_clear(Ctl(window, id)); }

void AddHistoryItem(RUV_WIN window, int32_t id, const char *text)
{
    AddListItem(window, id, -1, text);
    const int32_t count = CountList(window, id);
    if (count > 4)
        ClearList(window, id);
    else if (count > 0)
        SetListItemSelected(window, id, count - 1, 1);
}

// ---- check boxes and radio buttons ----

int16_t IsControlChecked(RUV_WIN window, int32_t id) { return ruv_ctl_is_checked(Ctl(window, id)) ? 1 : 0; }

void SetControlChecked(RUV_WIN window, int32_t id, int16_t flag)
{
    assert((flag == TRUE) || (flag == FALSE));
    ruv_ctl_set_checked(Ctl(window, id), flag ? TRUE : FALSE);
}

void CheckRadioGroup(RUV_WIN window, int32_t idToCheck, const int32_t *ids, int count)
{
    if (count > 10) {
        std::printf("Too many radiobuttons in a group ( >10 ) !\n");
        return;
    }
    RUV_WIN buttons[10];
    for (int i = 0; i < count; ++i)
        buttons[i] = Ctl(window, ids[i]);
    ruv_ctl_check_radio_button(Ctl(window, idToCheck), buttons, count);
}

void CheckRadioButtonOf(RUV_WIN window, int n, ...)
{
    va_list args;
    va_start(args, n);
    const std::vector<int32_t> ids = IdList(args, 100);
    va_end(args);
    assert(ids.size() <= 100);
    assert(n >= 1 && n <= static_cast<int>(ids.size()));
    if (ids.size() > 100 || n < 1 || n > static_cast<int>(ids.size()))
        return;
    std::vector<RUV_WIN> buttons;
    for (int32_t id : ids)
        buttons.push_back(Ctl(window, id));
    ruv_ctl_check_radio_button(buttons[n - 1], buttons.data(), static_cast<int32_t>(buttons.size()));
}

int GetCheckedRadioButton(RUV_WIN window, ...)
{
    va_list args;
    va_start(args, window);
    const std::vector<int32_t> ids = IdList(args, 100);
    va_end(args);
    int choice = -1;
    for (size_t i = 0; i < ids.size(); ++i)
        if (ruv_ctl_is_checked(Ctl(window, ids[i])))
            choice = static_cast<int>(i);
    assert(choice > -1);
    return choice + 1;
}

// ---- visibility, enabling, focus and colours ----

void SetWindowVisible(RUV_WIN window, int flag) { ruv_vobj_set_visible(window, flag ? TRUE : FALSE); }

void SetControlVisible(RUV_WIN window, int32_t id, int16_t flag)
{
    ruv_vobj_set_visible(Ctl(window, id), flag ? TRUE : FALSE);
}

void SetControlEnabled(RUV_WIN window, int32_t id, int16_t flag)
{
    ruv_vobj_set_enabled(Ctl(window, id), flag ? TRUE : FALSE);
}

void SetControlsVisible(RUV_WIN window, int16_t flag, ...)
{
    va_list args;
    va_start(args, flag);
    const std::vector<int32_t> ids = IdList(args, 1000);
    va_end(args);
    for (int32_t id : ids)
        SetControlVisible(window, id, flag);
}

void SetControlsEnabled(RUV_WIN window, int16_t flag, ...)
{
    va_list args;
    va_start(args, flag);
    const std::vector<int32_t> ids = IdList(args, 1000);
    va_end(args);
    for (int32_t id : ids)
        SetControlEnabled(window, id, flag);
}

void SetControlFocus(RUV_WIN window, int32_t id) { ruv_scr_set_focus_vobj(Ctl(window, id)); }

namespace {

// Moves the focus from the focused one of ids to the next (step 1) or the
// previous (step -1) that takes it, wrapping round; from none of them to
// the first (or the last) that takes it.
void FocusAlong(RUV_WIN window, const int32_t *ids, int count, int step)
{
    if (!ids || count <= 0)
        return;
    const RUV_WIN focus = ruv_scr_get_focus_vobj();
    int current = -1;
    for (int i = 0; i < count; ++i)
        if (focus != NULL_WIN && Ctl(window, ids[i]) == focus)
            current = i;
    if (current < 0)
        current = step > 0 ? count - 1 : 0;
    for (int k = 1; k <= count; ++k) {
        const RUV_WIN ctl = Ctl(window, ids[((current + step * k) % count + count) % count]);
        ruv_errmsg_push_handler(NonFatalErrorFilter, nullptr);
        ruv_scr_set_focus_vobj(ctl);
        ruv_errmsg_pop_handler(NonFatalErrorFilter);
        if (ctl != NULL_WIN && ruv_scr_get_focus_vobj() == ctl)
            return;
    }
}

}  // namespace

void FocusNextControl(RUV_WIN window, const int32_t *ids, int count) { FocusAlong(window, ids, count, 1); }

void FocusPreviousControl(RUV_WIN window, const int32_t *ids, int count) { FocusAlong(window, ids, count, -1); }

bool IsDeleteKeyInList(RUV_WIN window, const RUV_EVENT *event, int32_t list)
{
    return event && event->type == E_CHAR && event->v.chr.key == K_DELETE && event->v.chr.virtual_key &&
           Ctl(window, list) != NULL_WIN && ruv_scr_get_focus_vobj() == Ctl(window, list);
}

void SelectAllText(RUV_WIN window, int32_t id) { ruv_ctl_set_text_sel(Ctl(window, id), 0, 0x7FFFFFFF); }

int16_t TestControlFlags(RUV_WIN window, int32_t id) { return ruv_vobj_get_flags(Ctl(window, id)) != 1 ? 1 : 0; }

void SetForeColor(RUV_WIN window, RUV_COLOR color) { ruv_dwin_set_fore_color(window, color); }

void SetPenColor(RUV_WIN window, RUV_COLOR color)
{
    RUV_DRAW_CTOOLS tools{};
    if (!ruv_dwin_get_draw_ctools(window, &tools))
        return;
    tools.pen.color = color;
    ruv_dwin_set_draw_ctools(window, &tools);
}

void ClearWindow(RUV_WIN window) { ruv_dwin_clear(window, GLUE_BLACK); }

void InvalidateWindow(RUV_WIN window) { ruv_dwin_invalidate_rect(window, nullptr); }

void SetControlForeColor(RUV_WIN window, RUV_COLOR color, int32_t id)
{
    const RUV_WIN ctl = Ctl(window, id);
    if (color == static_cast<RUV_COLOR>(-1)) {
        ruv_ctl_set_colors(ctl, nullptr, 1);
        return;
    }
    const RUV_COLOR_COMPONENT list[2] = { { 4, color }, { 0, 0 } };
    ruv_ctl_set_colors(ctl, list, 0);
}

RUV_COLOR GetControlForeColor(RUV_WIN window, int32_t id)
{
    RUV_COLOR_COMPONENT *list = ruv_ctl_get_colors(Ctl(window, id));
    if (!list)
        return static_cast<RUV_COLOR>(-1);
    const RUV_COLOR color = list[0].type != 0 ? list[0].color : static_cast<RUV_COLOR>(-1);
    ruv_mem_free(list);
    return color;
}

void HighlightControlRed(RUV_WIN window, int16_t flag, int32_t id)
{
    SetControlForeColor(window, flag ? GLUE_RED : static_cast<RUV_COLOR>(-1), id);
}

void DrawTextHelvetica(RUV_WIN window, int h, int v, const char *text)
{
    RUV_FONT *font = ruv_font_create();
    if (font) {
        ruv_font_set_family(font, "helvetica");
        ruv_font_set_style(font, 3);
        ruv_font_set_size(font, 20);
        ruv_dwin_set_font(window, font);
        ruv_font_destroy(font);
    }
    ruv_dwin_draw_text(window, h, v, text, -1);
}

// ---- messages ----

std::string FormatMessageText(const char *format, va_list args)
{
    char text[MESSAGE_TEXT_MAX + 1];
    std::vsnprintf(text, sizeof text, format ? format : "", args);
    return text;
}

#define TRAZ_POST_FORMATTED(post)                                                                                    \
    va_list args;                                                                                                    \
    va_start(args, format);                                                                                          \
    const std::string text = FormatMessageText(format, args);                                                       \
    va_end(args);                                                                                                    \
    post("%s", text.c_str())

void PostNoteF(const char *format, ...) { TRAZ_POST_FORMATTED(ruv_dm_post_note); }
void PostErrorF(const char *format, ...) { TRAZ_POST_FORMATTED(ruv_dm_post_error); }
void PostWarningF(const char *format, ...) { TRAZ_POST_FORMATTED(ruv_dm_post_warning); }
void PostFatalF(const char *format, ...) { TRAZ_POST_FORMATTED(ruv_dm_post_fatal_exit); }

#undef TRAZ_POST_FORMATTED

// ---- windows ----

RUV_WIN CreateChildPaneEx(RUV_WIN parent, int32_t resourceId, RUV_EVENT_HANDLER handler, int a, int b, int c, int d,
                          void *appData)
{
    RUV_WIN_DEF *def = ruv_res_get_win_def(resourceId);
    if (!def)
        return NULL_WIN;
    ruv_rect_set(&def->rect, static_cast<int16_t>(a / 2), static_cast<int16_t>(b / 2), static_cast<int16_t>(c / 2),
                 static_cast<int16_t>(d / 2));
    def->type = 7;
    def->u.win.flags = 16;
    const RUV_WIN pane = ruv_win_create_def(def, parent, appData, handler, 0xFFFFFFFFu);
    ruv_res_free_win_def(def);
    return pane;
}

RUV_WIN CreateChildPane(RUV_WIN parent, int32_t resourceId, RUV_EVENT_HANDLER handler, int a, int b, int c, int d)
{
    return CreateChildPaneEx(parent, resourceId, handler, a, b, c, d, nullptr);
}

// ---- event control ----

void ProcessPendingEvents(void) { ruv_app_process_pending_events(); }

int32_t IgnoreEventsHandler(RUV_WIN, RUV_EVENT *) { return 0; }

void FreezeWindowEvents(RUV_WIN window)
{
    g_frozen.window = window;
    g_frozen.mask = ruv_win_get_event_mask(window);
    g_frozen.handler = ruv_win_get_handler(window);
    ruv_win_set_event_mask(window, UPDATE_EVENTS_ONLY);
    ruv_win_set_handler(window, IgnoreEventsHandler);
    ProcessPendingEvents();
}

void ThawWindowEvents(void)
{
    ProcessPendingEvents();
    if (g_frozen.window == NULL_WIN)
        return;
    ruv_win_set_handler(g_frozen.window, g_frozen.handler);
    ruv_win_set_event_mask(g_frozen.window, g_frozen.mask);
    g_frozen = FrozenWindow{};
}

RUV_BOOL NonFatalErrorFilter(RUV_ERRMSG *message, void *)
{
    return ruv_errmsg_get_sev_id(message) != RUV_SEV_FATAL ? TRUE : FALSE;
}

// ---- string lists ----

SLIST *CreateStringList(void)
{
    SLIST *list = ruv_slist_create();
    if (!list)
        PostFatalF("Out of Memory in CreateStringList");
    return list;
}

void DestroyStringList(SLIST *list) { ruv_slist_destroy(list); }

void AddSortedStringListItem(SLIST *list, const char *text, int16_t unique, int16_t caseSensitive)
{
    if (!ruv_slist_add_sorted(list, text, 0, unique, caseSensitive))
        PostFatalF("Out of Memory in AddSortedStringListItem");
}

int32_t CountStringList(SLIST *list) { return ruv_slist_count(list); }

const char *GetStringListItem(SLIST *list, int32_t index) { return ruv_slist_get_elt(list, index, nullptr); }

// ---- files and directories ----

int16_t PathToFileSpec(const char *path, RUV_FILE_SPEC *spec)
{
    if (!path || !spec)
        return 0;
    char volume[RUV_FILE_DIR_SIZE], directory[RUV_FILE_DIR_SIZE], name[RUV_FILE_DIR_SIZE],
        extension[RUV_FILE_DIR_SIZE], version[RUV_FILE_DIR_SIZE];
    ruv_fsys_save_dir();
    int16_t ok = 0;
    RUV_FILE_SPEC result;
    std::memset(&result, 0, sizeof result);
    if (ruv_fsys_parse_pathname(path, volume, directory, name, extension, version)) {
        if (directory[0]) {
            const std::string dirText = std::string(volume) + directory;
            ok = ruv_fsys_convert_str_to_dir(dirText.c_str(), &result.dir) ? 1 : 0;
        } else {
            ok = ruv_fsys_get_dir(&result.dir) ? 1 : 0;
        }
        if (ok) {
            std::string leaf = name;
            if (extension[0])
                leaf += std::string(".") + extension;
            std::snprintf(result.name, sizeof result.name, "%s", leaf.c_str());
            *spec = result;
        }
    }
    ruv_fsys_restore_dir();
    return ok;
}

const char *SelectInputFile(const char *fileType)
{
    static char chosen[sizeof(RUV_FILE_SPEC::name)];
    chosen[0] = '\0';
    RUV_FILE_SPEC spec;
    std::memset(&spec, 0, sizeof spec);
    ruv_fsys_get_default_dir(&spec.dir);
    std::snprintf(spec.type, sizeof spec.type, "%s", fileType ? fileType : "");
    ruv_scr_set_busy_cursor();
    const int32_t result = ruv_dm_post_file_open(&spec, "Select an input file");
    if (result == 0) {
        PostNoteF("Error opening file !");
        return chosen;
    }
    if (result == 1)
        return chosen;
    ruv_fsys_set_dir(&spec.dir);
    std::snprintf(chosen, sizeof chosen, "%s", spec.name);
    return chosen;
}

int16_t ChosenFilePath(const RUV_FILE_SPEC *spec, char **path)
{
    static char full[RUV_FILE_DIR_SIZE];
    char directory[258];
    if (!spec || !ruv_fsys_convert_dir_to_str(&spec->dir, directory, sizeof directory)) {
        PostErrorF("Cannot convert directoryname!");
        return 0;
    }
    if (!ruv_fsys_build_pathname(full, "", directory, spec->name, "", "")) {
        PostErrorF("Cannot build pathname for %s", spec->name);
        return 0;
    }
    if (path)
        *path = full;
    return 1;
}

int16_t SelectFileName(const char *prompt, const char *defaultName, int16_t saveFlag, char **path)
{
    RUV_FILE_SPEC spec;
    std::memset(&spec, 0, sizeof spec);
    ruv_fsys_get_dir(&spec.dir);
    std::snprintf(spec.name, sizeof spec.name, "%s", defaultName ? defaultName : "");
    const int32_t result = saveFlag ? ruv_dm_post_file_save(&spec, prompt) : ruv_dm_post_file_open(&spec, prompt);
    if (result == 0) {
        PostErrorF("Cannot get filename!");
        return 0;
    }
    if (result != 2)
        return 0;
    // A directory or path that cannot be formed is reported and ends the
    // selection, never the program.
    return ChosenFilePath(&spec, path);
}

void SaveCurrentDir(void) { ruv_fsys_get_dir(&g_savedDir); }

void RestoreCurrentDir(void) { ruv_fsys_set_dir(&g_savedDir); }

void SetProgramDirectory(int argc, char **argv)
{
    if (argc < 1 || !argv || !argv[0])
        return;
    char *back = std::strrchr(argv[0], '\\');
    char *slash = std::strrchr(argv[0], '/');
    char *cut = back > slash ? back : slash;
    if (cut)
        *cut = '\0';
}

// ---- status text ----

const char *SetStatusFields(RUV_WIN window, int32_t, const char *field1, const char *field2, const char *field3)
{
    char current[STATUS_TEXT_MAX + 1] = "";
    statbar_get_title(window, current, sizeof current);
    const std::string old = current;
    std::string old1, old2, old3;
    const size_t tab1 = old.find('\t');
    if (tab1 != std::string::npos) {
        old1 = old.substr(0, tab1);
        const size_t tab2 = old.find('\t', tab1 + 1);
        if (tab2 != std::string::npos) {
            old2 = old.substr(tab1 + 1, tab2 - tab1 - 1);
            old3 = old.substr(tab2 + 1);
        }
    }
    std::string text = std::string(field1 ? field1 : old1) + "\t" + (field2 ? field2 : old2) + "\t" +
                       (field3 ? field3 : old3);
    if (text.size() > STATUS_TEXT_MAX)
        text.resize(STATUS_TEXT_MAX);
    return statbar_set_title(window, text.c_str());
}

// ---- range checks ----

int16_t IsIntegerText(const char *text)
{
    if (!text || !*text)
        return 1;
    int value = 0, used = 0;
    return (std::sscanf(text, "%d%n", &value, &used) == 1 && text[used] == '\0') ? 1 : 0;
}

int16_t IsDoubleText(const char *text)
{
    if (!text || !*text)
        return 1;
    double value = 0;
    int used = 0;
    return (std::sscanf(text, "%lf%n", &value, &used) == 1 && text[used] == '\0') ? 1 : 0;
}

int16_t IsFloatText(const char *text) { return IsDoubleText(text); }

namespace {

// The message of a value outside its range, "" when it is inside; cmp(a, b)
// is < 0, 0 or > 0.  fmt prints one bound.
template <typename T, typename Cmp>
std::string RangeMessage(T value, T low, T high, bool noUpper, bool noLower, int mode, const char *fmt, Cmp cmp)
{
    const std::string lo = Printf(fmt, low), hi = Printf(fmt, high);
    if (mode == 0) {
        if (noUpper)
            return cmp(value, low) < 0 ? "Warning: value should be >= " + lo + "!" : "";
        if (noLower)
            return cmp(value, high) > 0 ? "Warning: value should be <= " + hi + "!" : "";
        return (cmp(value, low) < 0 || cmp(value, high) > 0)
                   ? "Warning: value outside domain range [" + lo + " - " + hi + "]!"
                   : "";
    }
    if (noUpper)
        return cmp(value, low) <= 0 ? "Warning: value should be > " + lo + "!" : "";
    if (noLower)
        return cmp(value, high) >= 0 ? "Warning: value should be < " + hi + "!" : "";
    return (cmp(value, low) <= 0 || cmp(value, high) >= 0)
               ? "Warning: value outside domain range (" + lo + " - " + hi + ")!"
               : "";
}

int CompareInts(int a, int b) { return a < b ? -1 : (a > b ? 1 : 0); }
int CompareDoubles(double a, double b) { return CompareDoublesTol(a, b, 1e-8); }
int CompareFloats(float a, float b) { return CompareFloatsTol(a, b, 1e-8f); }

// A failed check of the integer and double forms: the box, unless the
// field is already marked red, and the focus back on the field.
void ReportFieldError(RUV_WIN window, int32_t id, const std::string &message)
{
    if (GetControlForeColor(window, id) == GLUE_RED)
        return;
    TrappedError(window, message);
    SetControlFocus(window, id);
}

}  // namespace

namespace {

// How a typed field's text is read and its failures named.
template <typename T>
struct FieldKind {
    const char *empty;
    const char *invalid;
    int16_t (*isText)(const char *);
    const char *scan;   // conversion of the value
    const char *print;  // conversion of a bound in the messages
    int (*compare)(T, T);
};

const FieldKind<int> INTEGER_FIELD{ "Empty value !", "Invalid Integer !", IsIntegerText, "%d", "%d", CompareInts };
const FieldKind<double> DOUBLE_FIELD{ "Empty value!", "Invalid Floating Point number!", IsDoubleText, "%lf", "%.6g",
                                      CompareDoubles };
const FieldKind<float> FLOAT_FIELD{ "Empty value!", "Invalid Floating Point number!", IsFloatText, "%f", "%.6g",
                                    CompareFloats };

// The message of the field's value against the range, "" when it is valid.
template <typename T>
std::string FieldMessage(RUV_WIN window, int32_t id, T low, T high, bool noUpper, bool noLower, int mode,
                         const FieldKind<T> &kind)
{
    std::string text;
    if (!TrimmedTitle(window, id, &text))
        return kind.empty;
    if (!kind.isText(text.c_str()))
        return kind.invalid;
    T value{};
    std::sscanf(text.c_str(), kind.scan, &value);
    return RangeMessage(value, low, high, noUpper, noLower, mode, kind.print, kind.compare);
}

// The integer and double forms: only update events reach the window while
// the check runs; a failure is reported unless the field is already red.
template <typename T>
int16_t CheckReportedField(RUV_WIN window, int32_t id, T low, T high, bool noUpper, bool noLower, int mode,
                           const FieldKind<T> &kind)
{
    assert(mode == 0 || mode == 1);
    if (mode != 0 && mode != 1)
        return 0;
    EventsFrozen guard(window);
    const std::string message = FieldMessage(window, id, low, high, noUpper, noLower, mode, kind);
    if (message.empty())
        return 0;
    ReportFieldError(window, id, message);
    return 1;
}

}  // namespace

int16_t CheckIntegerField(RUV_WIN window, int32_t id, int low, int high, int mode)
{
    return CheckReportedField(window, id, low, high, high == INT_NO_UPPER, low == INT_NO_LOWER, mode, INTEGER_FIELD);
}

int16_t CheckDoubleField(RUV_WIN window, int32_t id, double low, double high, int mode)
{
    return CheckReportedField(window, id, low, high, high >= REAL_NO_BOUND, low <= -REAL_NO_BOUND, mode,
                              DOUBLE_FIELD);
}

int16_t CheckFloatField(RUV_WIN window, int32_t id, float low, float high, int mode)
{
    const float bound = static_cast<float>(REAL_NO_BOUND);
    const std::string message =
        FieldMessage(window, id, low, high, high >= bound, low <= -bound, mode == 0 ? 0 : 1, FLOAT_FIELD);
    if (message.empty())
        return 0;
    ruv_dm_post_error("%s", message.c_str());
    return 1;
}

int16_t CheckFloatRange(RUV_WIN window, int32_t id, float low, float high)
{
    EventsFrozen guard(window);
    std::string text, message;
    if (!TrimmedTitle(window, id, &text)) {
        message = "Empty value !";
    } else if (!IsFloatText(text.c_str())) {
        message = "Invalid Floating Point number !";
    } else {
        float value = 0;
        std::sscanf(text.c_str(), "%g", &value);
        if (value < low || value > high)
            message = Printf("ERROR : value not between %.2g and %.2g !!", static_cast<double>(low),
                             static_cast<double>(high));
    }
    if (message.empty())
        return 0;
    TrappedError(window, message);
    return 1;
}

namespace {

// 1 when the field is empty, malformed or outside [low, high].
template <typename T>
int16_t TestField(RUV_WIN window, int32_t id, T low, T high, const FieldKind<T> &kind)
{
    std::string text;
    if (!TrimmedTitle(window, id, &text) || !kind.isText(text.c_str()))
        return 1;
    T value{};
    std::sscanf(text.c_str(), kind.scan, &value);
    return (value < low || value > high) ? 1 : 0;
}

}  // namespace

int16_t TestIntegerField(RUV_WIN window, int32_t id, int low, int high)
{
    return TestField(window, id, low, high, INTEGER_FIELD);
}

int16_t TestFloatField(RUV_WIN window, int32_t id, float low, float high)
{
    return TestField(window, id, low, high, FLOAT_FIELD);
}

int16_t TestFloatRange(RUV_WIN window, int32_t id, float low, float high)
{
    return TestFloatField(window, id, low, high);
}
