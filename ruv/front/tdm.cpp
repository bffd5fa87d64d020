// Standard dialog functions of the front layer: message boxes of a format
// and its arguments, the question box, the about box and the selection
// dialogs (files, folders, colours, fonts, a string prompt).  The dialog
// manager of the portable layer shows each one modally; the boxes get the
// format and the list of the remaining arguments, unformatted.
#include <cstdarg>

#include "front_guard.h"
#include "printing.h"
#include "ruv.h"
#include "ruvv_dm.h"
#include "ruvv_font.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tdm";

// What a refused question answers.
constexpr int ASK_REFUSED = 127;

// A box of a format and the list of its arguments; fatal is not refused
// during an update (the program ends whatever it is doing).
template <typename Result>
void post_box(const char *name, Result (*box)(const char *, va_list), const char *format, va_list args,
              bool refused_in_update = true)
{
    Guard g(name, SRC);
    if ((refused_in_update && !g.not_in_update()) || !g.not_null(format))
        return;
    box(format, args);
}

// A drawing window: a drawable kind, not a text edit.
bool drawing_window(RUV_WIN win)
{
    return (win->kind & ruvf::KIND_DRAWABLE) != 0 && !ruvf::is_text_edit(win);
}

} // namespace

extern "C" void ruv_dm_post_about_box(void)
{
    Guard g("ruv_dm_post_about_box", SRC);
    if (!g.not_in_update())
        return;
    ruvv_dm_post_about_box();
}

extern "C" int ruv_dm_post_ask(const char *button1, const char *button2, const char *button3,
                               const char *format, ...)
{
    Guard g("ruv_dm_post_ask", SRC);
    if (!g.not_in_update() || !g.not_null(button1) || !g.not_null(button2) || !g.not_null(format))
        return ASK_REFUSED;
    va_list args;
    va_start(args, format);
    int32_t answer = ruvv_dm_post_ask(button1, button2, button3, format, args);
    va_end(args);
    return answer;
}

extern "C" RUV_BOOL ruv_dm_post_color_sel(RUV_COLOR *color, int32_t)
{
    Guard g("ruv_dm_post_color_sel", SRC);
    if (!g.not_in_update() || !g.not_null(color))
        return FALSE;
    return ruvv_dm_post_color_sel(color);
}

extern "C" int32_t ruv_dm_post_dir_sel(RUV_FILE_DIR *dir, const char *title)
{
    Guard g("ruv_dm_post_dir_sel", SRC);
    if (!g.not_in_update() || !g.not_null(dir) || !g.not_null(title))
        return 0;
    return ruvv_dm_post_dir_sel(dir, title);
}

extern "C" void ruv_dm_post_error(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    post_box("ruv_dm_post_error", ruvv_dm_post_error, format, args);
    va_end(args);
}

extern "C" void ruv_dm_post_fatal_exit(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    post_box("ruv_dm_post_fatal_exit", ruvv_dm_post_fatal_exit, format, args, false);
    va_end(args);
}

extern "C" int32_t ruv_dm_post_file_open(RUV_FILE_SPEC *spec, const char *message)
{
    Guard g("ruv_dm_post_file_open", SRC);
    if (!g.not_in_update() || !g.not_null(spec) || !g.not_null(message))
        return 0;
    return ruvv_dm_post_file_open(spec, message);
}

extern "C" int32_t ruv_dm_post_file_save(RUV_FILE_SPEC *spec, const char *message)
{
    Guard g("ruv_dm_post_file_save", SRC);
    if (!g.not_in_update() || !g.not_null(spec) || !g.not_null(message))
        return 0;
    return ruvv_dm_post_file_save(spec, message);
}

extern "C" void ruv_dm_post_message(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    post_box("ruv_dm_post_message", ruvv_dm_post_message, format, args);
    va_end(args);
}

extern "C" void ruv_dm_post_note(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    post_box("ruv_dm_post_note", ruvv_dm_post_note, format, args);
    va_end(args);
}

extern "C" char *ruv_dm_post_string_prompt(const char *message, char *buffer, int32_t size)
{
    Guard g("ruv_dm_post_string_prompt", SRC);
    if (!g.not_in_update() || !g.not_null(message) || !g.not_null(buffer))
        return nullptr;
    return ruvv_dm_post_string_prompt(message, buffer, size);
}

extern "C" void ruv_dm_post_warning(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    post_box("ruv_dm_post_warning", ruvv_dm_post_warning, format, args);
    va_end(args);
}

extern "C" RUV_BOOL ruv_dm_post_ctools_sel(RUV_DRAW_CTOOLS *tools, int32_t parts)
{
    Guard g("ruv_dm_post_ctools_sel", SRC);
    if (!g.not_in_update() || !g.not_null(tools) || !g.check((parts & 0xFF) != 0, ruvf::ID_INVALID_ATTRIBUTE))
        return FALSE;
    return ruvv_dm_post_ctools_sel(tools, parts);
}

extern "C" RUV_BOOL ruv_dm_post_font_sel(RUV_WIN window, RUV_FONT *font, void *printRecord, intptr_t flags)
{
    Guard g("ruv_dm_post_font_sel", SRC);
    if (!g.not_in_update() || !g.not_null(font, ruvf::ID_NULL_FONT) ||
        !g.check(ruvv_font_is_valid(font) != 0, ruvf::ID_INVALID_FONT))
        return FALSE;
    // No window and no print record are allowed; given ones must be a
    // drawing window and a printer that can be used.
    if (window && (!g.check(ruvf::is_window(window), ruvf::ID_INVALID_WINDOW) ||
                   !g.check(drawing_window(window), ruvf::ID_INCORRECT_WINDOW_TYPE)))
        return FALSE;
    if (printRecord && !g.check(ruvk_print_is_valid(static_cast<RUV_PRINT_RECORD *>(printRecord)) != 0,
                                ruvf::ID_INVALID_PRINT_RECORD))
        return FALSE;
    return ruvv_dm_post_font_sel(window, font, printRecord, flags);
}

extern "C" RUV_BOOL ruv_dm_post_page_setup(RUV_PRINT_RECORD *record)
{
    Guard g("ruv_dm_post_page_setup", SRC);
    if (!g.not_in_update() || !g.not_null(record))
        return FALSE;
    return ruvv_dm_post_page_setup(record);
}
