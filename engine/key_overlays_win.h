// The keys' overlays on the keyboard picture: each key hatched in the colour of its test state.
#pragma once

#include <windows.h>

#include <cstdint>

#include "layouts/keyboard_picture_win.h"

// The look of a key of `status`: magenta once it `chattered`, else its status's colour; false when it is not
// painted.
bool OverlayLookOf(int32_t status, bool chattered, OverlayLook& look);

// Paints the whole picture for a draw request of control 1006, every key's overlay on it; nothing for any
// other control.
void PaintKeyboardPicture(const DRAWITEMSTRUCT* item);

// Paints the overlay of entry `keyIndex` of the current keys into `dc`, or, when `dc` is null, at once into
// the picture control of `window`.
void PaintKeyOverlay(HWND window, HDC dc, int32_t keyIndex);
