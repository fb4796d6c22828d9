// The main window: its class, its procedure, its initialisation and layout, and the end of the program.
#pragma once

#include <windows.h>

#include <cstdint>

// Registers the window class "Dorvelquinta" that the main window's dialog template names.
void RegisterMainWindowClass(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Fills the layout list, selects and loads the layout asked for at start (or the first), sets the matching
// mode, shows the system's keyboard layout name, reads the operating-system version and applies /f.
void InitMainWindow(HWND window);

// Places the picture and the button row in a client area of `clientWidth` x `clientHeight` pixels.
void LayoutMainWindow(HWND window, int32_t clientWidth, int32_t clientHeight);

// The clean-up that ends the program, once: LED test, filter, picture, layouts, log (production mode), and
// the main window forgotten. The quit request is the caller's: the destroy handling posts it.
void EndProgram();
