// The keyboard picture: the current layout's bitmap scaled into control 1006, and the hatched overlay a key's
// rectangle can be given on it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "layouts/key_definitions.h"

extern HDC pictureDC;
extern HBITMAP pictureBitmap;
extern float pictureScale;  // client width of the picture control over the bitmap's 700 pixels

// How the overlay of a key looks: its colour and its hatch.
struct OverlayLook {
    COLORREF colour;
    int hatch;
};

// Draws the layout's bitmap for a draw request of control 1006; false for any other control.
bool DrawLayoutPicture(const DRAWITEMSTRUCT* item);

// Hatches the rectangle of `entry` as `look` says into `dc`, or, when `dc` is null, at once into the picture
// control of `window`.
void HatchKey(HWND window, HDC dc, const KeyEntry& entry, const OverlayLook& look);

// Deletes the picture's device context and bitmap, if any.
void ReleasePicture();
