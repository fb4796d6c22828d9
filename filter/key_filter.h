// The hook library's decision on each keyboard event: which events are kept from the system and handed to the
// tester's window, and the key message that window receives in their place. Portable; the hook feeds it what
// the system reports.
#pragma once

#include <cstdint>

// Flags of an event, with the values the low-level hook reports them in.
constexpr uint32_t kKeyExtended = 0x01;  // an extended key (E0 prefix)
constexpr uint32_t kKeyInjected = 0x10;  // the event was made by a program
constexpr uint32_t kKeyReleased = 0x80;  // a key-up

// The key messages a window receives.
constexpr uint32_t kKeyDownMessage = 0x0100;
constexpr uint32_t kKeyUpMessage = 0x0101;
constexpr uint32_t kSysKeyDownMessage = 0x0104;
constexpr uint32_t kSysKeyUpMessage = 0x0105;

// One keyboard event as the low-level hook sees it.
struct HookedKey {
    uint32_t virtualKey;
    uint32_t scanCode;
    uint32_t flags;  // kKeyExtended, kKeyInjected, kKeyReleased
};

// Alt and Ctrl as the system reports them at the event.
struct ModifierKeys {
    bool altDown;
    bool ctrlDown;
};

// The decision on one event: pass it on to the system, or hand the window this message instead.
struct FilteredKey {
    bool forward;
    uint32_t message;
    uint32_t wParam;
    uint32_t lParam;
};

// Decides on one event and records it in the filter's key state. Allocates nothing: the hook calls it for
// every key of the system.
FilteredKey FilterKeyEvent(const HookedKey& key, ModifierKeys systemModifiers);

// Forgets every key the filter has seen, as a new hook starts.
void ResetKeyFilter();
