// The time stamps of the keys the hook library forwards. A key message the library posts to the tester
// carries the time it was posted, which lags behind the key's own event whenever the tester's thread was
// busy, and would squeeze the gaps of a burst together. So the library notes each key it posts with its
// event's own time stamp, in a record it hangs on the tester's window as the property kForwardedKeysProperty,
// and the tester takes the stamps back in the order the keys were posted. Both sides run on the tester's
// thread (the low-level hook is called on the thread that installed it), so the record needs no lock.
#pragma once

#include <cstdint>

constexpr const char* kForwardedKeysProperty = "Dorvelquinta.ForwardedKeys";
constexpr uint32_t kForwardedKeySlots = 64;

struct ForwardedKey {
    uint32_t message = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
    uint32_t eventTime = 0;
    uint32_t order = 0;  // when it was noted: larger is later; 0 for a free slot
};

struct ForwardedKeys {
    uint32_t noted = 0;  // keys noted so far
    ForwardedKey slots[kForwardedKeySlots];
};

// Notes a posted key message and its event's time stamp; the oldest note gives way when every slot is taken.
void NoteForwardedKey(ForwardedKeys& keys, uint32_t message, uint32_t wParam, uint32_t lParam,
                      uint32_t eventTime);

// Takes the oldest note of the key message (message, wParam, lParam) and gives its event time; false when
// no such note waits (the message did not come from the library).
bool TakeForwardedKey(ForwardedKeys& keys, uint32_t message, uint32_t wParam, uint32_t lParam,
                      uint32_t& eventTime);

// Forgets every note, when the key messages they belong to were taken from the queue unhandled.
void ForgetForwardedKeys(ForwardedKeys& keys);
