// Key codes and states that every floor shares: the test state of one key, and the marks the system puts on
// a key event.
#pragma once

#include <cstdint>

// The test state of one key, as stored in its KeyEntry. The numbers are fixed: they appear in trace lines.
enum KeyStatus : int32_t {
    Untested = 0,             // required key, not yet tested
    Pressed = 1,              // required key, held down
    Passed = 2,               // required key pressed and released
    NotRequired = 3,          // key that need not be tested
    FailArmed = 4,            // fail key or fail combination, armed (production mode)
    FailTriggered = 5,        // the fail combination has been entered
    FailInactive = 6,         // fail key or combination, inert (outside production mode)
    NotRequiredPressed = 7,   // not-required key, held down
    NotRequiredReleased = 8,  // not-required key pressed and released
    FailOnPress = 9,          // production mode: pressing it fails the unit at once
};

// The scan code of the LED test's own lock-key presses, by which key processing and the filter know them.
constexpr int32_t kSyntheticScan = 0xFF;

// The extended-key flag of a key message's lParam (bit 24).
constexpr int32_t kExtendedBit = 0x01000000;
