// The main window: its class, its procedure, its initialisation and layout, and the centring of dialogs.
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

// Moves `dialog` to the centre of `owner`, kept on the screen.
void CenterDialog(HWND dialog, HWND owner);

// The clean-up that ends the program: LED test, filter, picture, layouts, log; then the quit request.
void EndProgram();
