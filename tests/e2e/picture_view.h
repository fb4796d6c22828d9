// Where the keyboard picture lies on the screen and the scale at which the tester draws the layout picture
// into it: the picture control's client width divided by 700.
#pragma once

#include <windows.h>

#include "tests/e2e/e2e_case.h"

struct PictureView {
    HWND picture = nullptr;
    POINT origin = {};  // the screen position of the picture control's client origin
    long clientWidth = 0;
    long clientHeight = 0;
    float scale = 0.0f;
};

// False when the main window has no picture control.
bool ReadPictureView(HWND mainWindow, PictureView& view);

// A point of the layout picture on the screen: scaled, truncated toward zero, then moved to the control.
POINT ToScreenPoint(const PictureView& view, int x, int y);

// A rectangle of the layout picture on the screen, its corners placed as ToScreenPoint places them.
RECT ToScreenRect(const PictureView& view, const PictureRect& area);
