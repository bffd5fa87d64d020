// The number of top-level windows of the calling thread, visible or not: a
// test's way to see that a helper's temporary window has gone again.
#ifndef RUVF_THREAD_WINDOWS_H
#define RUVF_THREAD_WINDOWS_H

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace ruvf_test {

inline int thread_windows()
{
    int n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(), [](HWND, LPARAM p) { ++*reinterpret_cast<int *>(p); return TRUE; },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

} // namespace ruvf_test

#endif
