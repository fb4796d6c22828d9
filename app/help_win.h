// The help file beside the executable.
#pragma once

#include <windows.h>

// Opens the help file "dorvelquinta.hlp" of the program's directory with `command` and `data`; reports a
// failure in a message box owned by `window`.
void ShowHelp(UINT command, ULONG_PTR data, HWND window);
