// Sending the operator's input as Wine delivers real input: keys and mouse buttons by SendInput to the window
// in front, key messages with a repeat count by PostMessage.
#pragma once

#include <windows.h>

#include <vector>

#include "tests/e2e/e2e_case.h"

// Brings `window` in front, where keys go; false when it does not come within two seconds.
bool BringToFront(HWND window);

// Sends each key down, or up, in order.
void SendKeys(const std::vector<KeyStroke>& keys, bool up);

// Sends one key event; with a `time` other than 0 the event carries that time stamp (in GetTickCount's ms).
void SendKey(const KeyStroke& key, bool up, DWORD time = 0);

// The lParam of a key-down message: repeat count, scan code and extended flag.
LPARAM MakeKeyDownParam(const KeyStroke& key, int repeatCount);

// Moves the mouse to `screenPoint` and presses or releases `button` (-5 left, -4 middle, -3 right).
void SendMouseButton(POINT screenPoint, int button, bool up);

// Clicks the middle of `control` with the left button, as the operator does: the click comes in order with
// the keys sent before it, where a posted click would overtake them. `window`, the control's top-level
// window, is brought in front first; false when it does not come.
bool ClickWithMouse(HWND window, HWND control);
