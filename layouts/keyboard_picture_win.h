// The keyboard picture: the current layout's bitmap held in a memory device context.
#pragma once

#include <windows.h>

extern HDC pictureDC;
extern HBITMAP pictureBitmap;

// Deletes the picture's device context and bitmap, if any.
void ReleasePicture();
