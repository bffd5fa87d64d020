// Standard dialog functions of the front layer: message boxes of a format
// and its arguments, the question box, the about box and the selection
// dialogs (files, folders, colours, fonts, a string prompt).  The dialog
// manager of the portable layer shows each one modally; the boxes get the
// format and the list of the remaining arguments, unformatted.
#include <cstdarg>

#include "front_guard.h"
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
