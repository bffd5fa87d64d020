// desktop_holder: holds the Wine desktop of a test run (started by
// traz_wine_start in scripts/wine-env, ended with the wine server).
//
// Wine starts the desktop's process (explorer.exe /desktop) from the first
// process that needs the desktop window, and that process hands it its
// standard error; the desktop ends one second after its last process.  A
// test that started it would leave its output pipe open as long as other
// tests keep the desktop busy, and ctest waits for that pipe until the
// test's time-out.  So this process, started with no pipes, makes the
// desktop window first and keeps the desktop in use until the server ends.
//
//   desktop_holder READY_FILE   (READY_FILE is written once the desktop is up)
#include <windows.h>

#include <cstdio>

int main(int argc, char **argv)
{
    if (!GetDesktopWindow())
        return 1;
    if (argc > 1) {
        if (FILE *ready = std::fopen(argv[1], "w"))
            std::fclose(ready);
    }
    for (;;)
        Sleep(INFINITE);
}
