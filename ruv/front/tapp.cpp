// Application functions (ruv_app_): the start of the application's message
// loop with its configuration, and the thin application services over the
// base library.
#include "front_guard.h"
#include "ruv.h"

#include <cstdarg>

#include "cursor.h"
#include "file_system.h"
#include "ruvv_app.h"
#include "ruvv_mem.h"
#include "startup.h"
#include "window_services.h"

using ruvf::Guard;

namespace {

const char SRC[] = "tapp";

// The default memory hooks, unless the application installed its own.
void default_hooks()
{
    if (!ruvv_mem_get_functions())
        ruvv_mem_set_functions(nullptr);
}

// The configuration the base library publishes as attribute 104: kept for
// the whole process, so the attribute stays good after the loop returns.
RUV_APP_CONFIG g_config;

} // namespace

extern "C" {

void ruv_app_create(int argc, char **argv, int32_t flags, RUV_EVENT_HANDLER handler, RUV_APP_CONFIG *config)
{
    default_hooks();
    Guard g("ruv_app_create", SRC);
    if (!g.check(!(argc >= 1 && !argv) && config, ruvf::ID_NULL_HANDLE))
        return;
    ruv_app_start_system(argc, argv, flags, handler, config);
}

void ruv_app_start_system(int argc, char **argv, int32_t flags, RUV_EVENT_HANDLER handler, RUV_APP_CONFIG *config)
{
    default_hooks();
    g_config = *config;
    ruvwi_ruv_system(argc, argv, flags, handler, &g_config);
}

void ruv_app_allow_quit(void)
{
    Guard g("ruv_app_allow_quit", SRC);
    ruvk_app_allow_quit();
}

void ruv_app_destroy(void)
{
    ruvv_app_destroy();
}

// The kernel takes one argument: the first further argument, a pointer
// (the block of code 4000).  A code that takes none is called with nothing
// after it; the slot read then is the caller's register home area, which
// every call on this platform reserves, and the kernel ignores it.
int16_t ruv_app_escape(int32_t code, ...)
{
    Guard g("ruv_app_escape", SRC);
    va_list args;
    va_start(args, code);
    void *argument = va_arg(args, void *);
    va_end(args);
    int32_t result = ruvk_app_escape(code, argument);
    return static_cast<int16_t>(result);
}

void ruv_app_get_files_count(int16_t *flag, int32_t *count)
{
    Guard g("ruv_app_get_files_count", SRC);
    if (!g.not_null(flag) || !g.not_null(count))
        return;
    ruvk_app_get_files_count(flag, count);
}

void ruv_app_set_file_processed(void)
{
    Guard g("ruv_app_set_file_processed", SRC);
    ruvk_app_set_file_processed();
}

RUV_FILE_SPEC *ruv_app_get_file(void)
{
    Guard g("ruv_app_get_file", SRC);
    return ruvk_app_get_file();
}

RUV_DRAW_CTOOLS *ruv_app_get_default_ctools(RUV_DRAW_CTOOLS *ctools)
{
    Guard g("ruv_app_get_default_ctools", SRC);
    if (!g.not_null(ctools))
        return nullptr;
    ruvv_app_get_default_ctools(ctools);
    return ctools;
}

void ruv_app_process_pending_events(void)
{
    Guard g("ruv_app_process_pending_events", SRC);
    if (!g.not_in_update())
        return;
    ruvk_app_process_pending_events();
}

int16_t ruv_app_get_remote_platform(void)
{
    Guard g("ruv_app_get_remote_platform", SRC);
    return static_cast<int16_t>(ruvv_app_get_remote_platform());
}

int16_t ruv_app_get_remote_winsys(void)
{
    Guard g("ruv_app_get_remote_winsys", SRC);
    return static_cast<int16_t>(ruvv_app_get_remote_winsys());
}

} // extern "C"
