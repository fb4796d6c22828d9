// The keyboard picture: the current layout's bitmap scaled into control 1006, with a hatched overlay in the
// colour of every key's status.
#pragma once

#include <windows.h>

#include <cstdint>

extern HDC pictureDC;
extern HBITMAP pictureBitmap;
extern float pictureScale;  // client width of the picture control over the bitmap's 700 pixels

// How the overlay of a key looks: its colour and its hatch.
struct OverlayLook {
    COLORREF colour;
    int hatch;
};

// The look of a key of `status`: magenta once it `chattered`, else its status's colour; false when it is not
// painted.
bool OverlayLookOf(int32_t status, bool chattered, OverlayLook& look);

// Paints the whole picture for a draw request of control 1006; nothing for any other control.
void PaintKeyboardPicture(const DRAWITEMSTRUCT* item);

// Paints the overlay of entry `keyIndex` of the current keys into `dc`, or, when `dc` is null, at once into
// the picture control of `window`.
void PaintKeyOverlay(HWND window, HDC dc, int32_t keyIndex);

// Paints once more the overlays of every key whose status is FailTriggered, so that they lie on top.
void RepaintStatusFiveOverlays(HDC dc);

// Deletes the picture's device context and bitmap, if any.
void ReleasePicture();
