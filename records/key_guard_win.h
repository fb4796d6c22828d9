// Keys typed at speed must not answer a dialog that opened under the operator's fingers: for DialogGuardMs
// after a verdict or Serial dialog opens, keyboard input to it is dropped and a notice in the dialog says
// that it is not yet listening; the mouse works at once.
#pragma once

#include <windows.h>

// A notice's place in a dialog, in dialog units.
struct NoticePlace {
    int left;
    int top;
    int width;
    int height;
};

// Starts the guard for `dialog`, called as it is initialised; nothing without a guard time.
void GuardDialogFromKeys(HWND dialog, const NoticePlace& notice);

// Ends the guard when its time is out (`message` the guard's timer) or the dialog goes; true when `message`
// was the guard's own and needs nothing more.
bool OnKeyGuardMessage(HWND dialog, UINT message, WPARAM wParam);
