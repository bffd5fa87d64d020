/* Opening a file or web address with the program the shell associates
   with it. */
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <shellapi.h>

#include "ruvv_windef.h"

extern "C" RUV_BOOL ruvv_scr_launch_browser(const char *path)
{
    if (!path)
        return 0;
    HINSTANCE r = ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<intptr_t>(r) > 32 ? 1 : 0;
}
