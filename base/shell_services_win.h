// Shell services that the Win32 files of every floor share: control lookup, dialog centring, modal dialogs.
#pragma once

#include <windows.h>

#include <cstdint>

// Control `controlId` of `window`. Looking a control up asks the window server for the window's children, and
// the readouts and the picture are looked up on every key event; so a control found is remembered, and taken
// again while it is still that child of that window.
HWND FindControl(HWND window, int32_t controlId);

// The key message being handled came from the hook library: ReadEventTime gives `eventTime`, the time
// stamp of its own event, until ForgetGivenEventTime.
void GiveEventTime(uint32_t eventTime);
void ForgetGivenEventTime();

// Moves `dialog` to the centre of `owner`, kept on the screen.
void CenterDialog(HWND dialog, HWND owner);

// Runs the dialog of template `templateName` modally over the main window, its WM_INITDIALOG given `start`;
// the dialog's result, or -1 when it could not be shown.
INT_PTR RunModalDialog(const char* templateName, DLGPROC procedure, LPARAM start = 0);
