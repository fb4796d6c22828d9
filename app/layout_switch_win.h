// Switching the current layout to the one selected in the layout list.
#pragma once

#include <windows.h>

// Makes the layout selected in list 1004 of `mainWindow` current and loads its bitmap.
void SelectLayout(HWND mainWindow);
