// The help engine behind the WinHelp flavour: WinHelpA, replaceable for
// tests of the command table, and the flavour record's operations.
#ifndef HELP_ENGINE_H
#define HELP_ENGINE_H

#include <windows.h>

#include "help_private.h"

using HelpEngineFn = BOOL(WINAPI *)(HWND owner, LPCSTR file, UINT command, ULONG_PTR data);

// Sets the engine (NULL: WinHelpA again); returns the previous one.
HelpEngineFn help_set_engine(HelpEngineFn engine);

// Ends object-click mode; when the window is going away it is left alone
// (no cursor given back).
void help_end_objclick(RUV_HELP_INFO *info, bool window_gone);

#endif
