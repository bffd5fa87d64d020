// Kernel stand-in for the standard dialogs: records every call with the
// help context in force and answers the scripted value.

#include "standin_dialogs.h"

#include <cstdarg>
#include <cstdio>

#include "ruvk.h"
#include "ruvv_event.h"

namespace standin {
namespace {

struct State {
    std::vector<DialogCall> calls;
    int32_t answer = 0;
};

State &state()
{
    static State s;
    return s;
}

std::string format(const char *fmt, va_list args)
{
    char buf[1024];
    std::vsnprintf(buf, sizeof buf, fmt ? fmt : "", args);
    return buf;
}

int32_t record(const char *name, const std::string &text = std::string())
{
    state().calls.push_back({name, ruvv_win_get_help_ctx(), text});
    return state().answer;
}

} // namespace

const std::vector<DialogCall> &dialog_calls()
{
    return state().calls;
}

void clear_dialog_calls()
{
    state().calls.clear();
}

void set_dialog_answer(int32_t answer)
{
    state().answer = answer;
}

} // namespace standin

extern "C" {

int32_t ruvk_dm_post_ask(const char *, const char *, const char *, const char *fmt, va_list args)
{
    return standin::record("ask", standin::format(fmt, args));
}

void ruvk_dm_post_message(const char *fmt, va_list args)
{
    standin::record("message", standin::format(fmt, args));
}

void ruvk_dm_post_fatal_exit(const char *fmt, va_list args)
{
    standin::record("fatal_exit", standin::format(fmt, args));
}

void ruvk_dm_post_about_box(void)
{
    standin::record("about_box");
}

char *ruvk_dm_post_string_prompt(const char *prompt, char *buffer, int32_t)
{
    return standin::record("string_prompt", prompt ? prompt : "") ? buffer : nullptr;
}

RUV_BOOL ruvk_dm_post_font_sel(RUV_WIN, struct RUV_FONT *, void *)
{
    return standin::record("font_sel") != 0;
}

RUV_BOOL ruvk_dm_post_color_sel(RUV_COLOR *)
{
    return standin::record("color_sel") != 0;
}

RUV_BOOL ruvk_dm_post_page_setup(struct RUV_PRINT_RECORD *)
{
    return standin::record("page_setup") != 0;
}

int32_t ruvk_dm_post_file_open(RUV_FILE_SPEC *, const char *prompt)
{
    return standin::record("file_open", prompt ? prompt : "");
}

int32_t ruvk_dm_post_file_save(RUV_FILE_SPEC *, const char *prompt)
{
    return standin::record("file_save", prompt ? prompt : "");
}

int32_t ruvk_dm_post_dir_sel(RUV_FILE_DIR *, const char *title)
{
    return standin::record("dir_sel", title ? title : "");
}

} // extern "C"
