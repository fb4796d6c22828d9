// Shell services that other shell files share.
#pragma once

#include <windows.h>

#include <cstdint>

// Control `controlId` of `window`. Looking a control up asks the window server for the window's children, and
// the readouts and the picture are looked up on every key event; so a control found is remembered, and taken
// again while it is still that child of that window.
HWND FindControl(HWND window, int32_t controlId);
