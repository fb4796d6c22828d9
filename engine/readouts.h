// The readouts of the main window: codes of the last key event, times, labels, recent presses, typing rate.
#pragma once

#include <cstddef>

#include "base/platform.h"

constexpr size_t kHistoryLineCapacity = 1500;

// Writes every readout of `window` from the engine's state, in a fixed order.
void UpdateReadouts(WindowHandle window);

// The labels of the recorded presses, newest first, each followed by a space. Only whole labels that fit in
// the 1,500-byte line (terminator included) are shown; the oldest are left out. The text lives in a buffer
// that the next call overwrites.
const char* HistoryLineText();

// Presses per second over the newest ten recorded key-downs; 0 when no interval of at least a millisecond
// can be measured.
float TypingRate();
