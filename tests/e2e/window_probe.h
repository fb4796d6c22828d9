// Looking at another process's windows: finding them, reading texts, check states, list items and screen
// pixels. Every message sent waits a bounded time, so a hung tester cannot hang the driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The first visible top-level window of the process whose class is `className`; null when there is none.
HWND FindVisibleWindow(DWORD processId, const char* className);

// The visible top-level windows of the process whose class is `className`, topmost first.
std::vector<HWND> ListVisibleWindows(DWORD processId, const char* className);

// The window's text (WM_GETTEXT), in the system's ANSI code page.
std::string ReadWindowText(HWND window);

// The text of control `control` of `parent`; `found` tells whether the control exists.
std::string ReadControlText(HWND parent, int control, bool& found);

// The check state of button `control` (BM_GETCHECK), -1 when the control is missing.
long ReadCheckState(HWND parent, int control);

// The number of items of a combo box (CB_GETCOUNT), -1 when it cannot be read.
long ReadComboCount(HWND combo);

// The items of a combo box, converted to the ANSI code page 936.
std::vector<std::string> ReadComboItems(HWND combo);

// The selected item of a combo box (CB_GETCURSEL).
long ReadComboSelection(HWND combo);

// The colour of a screen pixel as 0xRRGGBB; -1 when it cannot be read.
long ReadScreenPixel(POINT point);

// The colours of the screen pixels of `area` (screen coordinates) as 0xRRGGBB, row by row; empty when they
// cannot be read.
std::vector<long> ReadScreenArea(const RECT& area);
