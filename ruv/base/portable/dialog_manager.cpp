// The dialog manager's entries: each standard dialog and message box runs
// with its help context in force and the previous one back afterwards; the
// font dialog may be the application's own.

#include "ruvv_dm.h"

#include "ruvk.h"
#include "ruvv_attr.h"
#include "ruvv_errmsg.h"
#include "ruvv_event.h"

namespace {

// The help context for the time of one dialog.
class HelpContext {
public:
    explicit HelpContext(int32_t id) : previous_(ruvv_win_set_help_ctx(id)) {}
    ~HelpContext() { ruvv_win_set_help_ctx(previous_); }
    HelpContext(const HelpContext &) = delete;
    HelpContext &operator=(const HelpContext &) = delete;

private:
    int32_t previous_;
};

} // namespace

extern "C" {

void ruvv_dm_post_about_box(void)
{
    HelpContext help(RUV_HELP_ABOUT_BOX);
    ruvk_dm_post_about_box();
}

int32_t ruvv_dm_post_file_open(RUV_FILE_SPEC *spec, const char *prompt)
{
    HelpContext help(RUV_HELP_FILE_OPEN);
    return ruvk_dm_post_file_open(spec, prompt);
}

int32_t ruvv_dm_post_file_save(RUV_FILE_SPEC *spec, const char *prompt)
{
    HelpContext help(RUV_HELP_FILE_SAVE);
    return ruvk_dm_post_file_save(spec, prompt);
}

int32_t ruvv_dm_post_ask(const char *button1, const char *button2, const char *button3, const char *format,
                         va_list args)
{
    HelpContext help(RUV_HELP_ASK);
    return ruvk_dm_post_ask(button1, button2, button3, format, args);
}

int32_t ruvv_dm_post_ask_va(const char *button1, const char *button2, const char *button3, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t r = ruvv_dm_post_ask(button1, button2, button3, format, args);
    va_end(args);
    return r;
}

int32_t ruvv_dm_post_note(const char *format, va_list args)
{
    HelpContext help(RUV_HELP_NOTE);
    return ruvk_dm_post_note(format, args);
}

int32_t ruvv_dm_post_note_va(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t r = ruvv_dm_post_note(format, args);
    va_end(args);
    return r;
}

int32_t ruvv_dm_post_error(const char *format, va_list args)
{
    HelpContext help(RUV_HELP_ERROR);
    return ruvk_dm_post_error(format, args);
}

int32_t ruvv_dm_post_error_va(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t r = ruvv_dm_post_error(format, args);
    va_end(args);
    return r;
}

int32_t ruvv_dm_post_warning(const char *format, va_list args)
{
    HelpContext help(RUV_HELP_WARNING);
    return ruvk_dm_post_warning(format, args);
}

int32_t ruvv_dm_post_warning_va(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int32_t r = ruvv_dm_post_warning(format, args);
    va_end(args);
    return r;
}

char *ruvv_dm_post_string_prompt(const char *message, char *buffer, int32_t size)
{
    HelpContext help(RUV_HELP_STRING_PROMPT);
    return ruvk_dm_post_string_prompt(message, buffer, size);
}

int16_t ruvv_dm_post_font_sel(RUV_WIN win, struct RUV_FONT *font, void *options, intptr_t reserved)
{
    (void)reserved;
    HelpContext help(RUV_HELP_FONT_SEL);
    if (auto hook = reinterpret_cast<RUV_FONT_DIALOG_HOOK>(ruvv_attr_get(NULL_WIN, RUV_ATTR_FONT_DIALOG_HOOK))) {
        ruv::ErrFrame frame(win);
        return hook(win, font, options, 0);
    }
    return static_cast<int16_t>(ruvk_dm_post_font_sel(win, font, options));
}

RUV_BOOL ruvv_dm_post_page_setup(struct RUV_PRINT_RECORD *print_record)
{
    HelpContext help(RUV_HELP_PAGE_SETUP);
    return ruvk_dm_post_page_setup(print_record);
}

void ruvv_dm_post_message(const char *format, va_list args)
{
    HelpContext help(RUV_HELP_MESSAGE);
    ruvk_dm_post_message(format, args);
}

void ruvv_dm_post_message_va(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    ruvv_dm_post_message(format, args);
    va_end(args);
}

void ruvv_dm_post_fatal_exit(const char *format, va_list args)
{
    HelpContext help(RUV_HELP_FATAL_EXIT);
    ruvk_dm_post_fatal_exit(format, args);
}

void ruvv_dm_post_fatal_exit_va(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    ruvv_dm_post_fatal_exit(format, args);
    va_end(args);
}

RUV_BOOL ruvv_dm_post_color_sel(RUV_COLOR *color)
{
    HelpContext help(RUV_HELP_COLOR_SEL);
    return ruvk_dm_post_color_sel(color);
}

int32_t ruvv_dm_post_dir_sel(RUV_FILE_DIR *dir, const char *prompt)
{
    HelpContext help(RUV_HELP_DIR_SEL);
    return ruvk_dm_post_dir_sel(dir, prompt);
}

} // extern "C"
