// The keyboard picture as the portable core sees it: a key's overlay painted at once, in the middle of a key
// event. Defined by the picture of the Windows shell (layouts/keyboard_picture_win.cpp) and once more by
// every native program that links the core.
#pragma once

#include <cstdint>

#include "base/platform.h"

// Paints the overlay of entry `keyIndex` of the current keys at once on the picture of `window`.
void PaintKeyNow(WindowHandle window, int32_t keyIndex);
