/* The system beep, the platform escape, and the last-resort box for a
   system call that failed where nothing else can be done. */
#include "cursor.h"
#include "printing.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "ruvk.h"
#include "ruvv_app.h"
#include "ruvv_attr.h"

namespace {

constexpr const char *kFatalFormat = "%s failed with error %d: %s";
constexpr size_t kFatalSlack = 40;

} // namespace

extern "C" {

void ruvk_scr_beep(void)
{
    MessageBeep(0);
}

int32_t ruvk_app_escape(int32_t code, void *argument)
{
    switch (code) {
    case RUVK_ESCAPE_PAGE_INFO:
        return ruvk_print_page_query(static_cast<RUVK_PAGE_INFO_QUERY *>(argument));
    case RUVK_ESCAPE_DESTROY_TASK: {
        auto task = reinterpret_cast<RUV_WIN>(ruvk_vobj_get_attr(NULL_WIN, RUV_ATTR_TASK_WINDOW));
        if (task && ruvv_vobj_is_valid(task))
            ruvk_vobj_destroy(task);
        return 1;
    }
    default:
        return 0;
    }
}

void ruvk_fatal_system_error(const char *text)
{
    DWORD error = GetLastError();
    char *system_text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                   nullptr, error, LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&system_text), 0, nullptr);
    if (!text)
        text = "";
    const char *sys = system_text ? system_text : "";
    size_t size = strlen(text) + strlen(sys) + kFatalSlack;
    char *message = static_cast<char *>(calloc(size, 1));
    if (message)
        snprintf(message, size, kFatalFormat, text, (int)error, sys);
    ruvk_cursor_show_again();
    MessageBoxA(nullptr, message ? message : text, "Error", MB_OK);
    free(message);
    if (system_text)
        LocalFree(system_text);
    ExitProcess(error);
}

} // extern "C"
