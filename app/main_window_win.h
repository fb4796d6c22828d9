// The main window: its class, its procedure and its initialisation.
#pragma once

#include <windows.h>

// Registers the window class "Dorvelquinta" that the main window's dialog template names.
void RegisterMainWindowClass(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the layout list, selects and loads the layout asked for at start (or the first), sets the matching
// mode and shows the system's keyboard layout name.
void InitMainWindow(HWND window);
