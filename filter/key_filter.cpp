// The hook library's decision on each keyboard event and the key message built for the events it forwards.
// Injected events are decided like the keyboard's own, so that a test driver's system keys are filtered too;
// the filter itself only posts messages and never injects, so nothing it does comes back to it.
#include "filter/key_filter.h"

#include <array>

#include "base/key_codes.h"

namespace {

constexpr uint32_t kTab = 0x09;
constexpr uint32_t kControl = 0x11;
constexpr uint32_t kAlt = 0x12;
constexpr uint32_t kEscape = 0x1B;
constexpr uint32_t kSpace = 0x20;
constexpr uint32_t kPrintScreen = 0x2C;
constexpr uint32_t kLeftWindows = 0x5B;
constexpr uint32_t kRightWindows = 0x5C;
constexpr uint32_t kApps = 0x5D;
constexpr uint32_t kLeftControl = 0xA2;
constexpr uint32_t kRightControl = 0xA3;
constexpr uint32_t kLeftAlt = 0xA4;
constexpr uint32_t kRightAlt = 0xA5;

constexpr uint32_t kContextBit = 1u << 29;
constexpr uint32_t kPreviousStateBit = 1u << 30;
constexpr uint32_t kTransitionBit = 1u << 31;

constexpr uint8_t kHeld = 0x01;       // the key is down
constexpr uint8_t kForwarded = 0x02;  // its last press went to the window

struct KeyFilterState {
    std::array<uint8_t, 256> keys;  // kHeld and kForwarded, by virtual-key code
};

KeyFilterState filterState = {};

bool IsHeld(uint32_t virtualKey) {
    return (filterState.keys[virtualKey] & kHeld) != 0;
}

// The filter sees every key of the system, so it knows Alt and Ctrl even where the system's own report lags.
ModifierKeys CurrentModifiers(ModifierKeys systemModifiers) {
    return {systemModifiers.altDown || IsHeld(kAlt) || IsHeld(kLeftAlt) || IsHeld(kRightAlt),
            systemModifiers.ctrlDown || IsHeld(kControl) || IsHeld(kLeftControl) || IsHeld(kRightControl)};
}

// Keys the system acts on whenever they are pressed.
bool IsSystemKey(uint32_t virtualKey) {
    return virtualKey == kLeftWindows || virtualKey == kRightWindows || virtualKey == kApps ||
           virtualKey == kPrintScreen;
}

// Alt+Tab, Alt+Esc, Ctrl+Esc and Alt+Space.
bool IsSystemCombination(uint32_t virtualKey, ModifierKeys modifiers) {
    switch (virtualKey) {
        case kTab:
        case kSpace:
            return modifiers.altDown;
        case kEscape:
            return modifiers.altDown || modifiers.ctrlDown;
        default:
            return false;
    }
}

// The message and lParam the system itself gives a key event: the context bit tells Alt is down, and Alt
// without Ctrl makes it a system key message (with Ctrl, Alt is AltGr).
FilteredKey BuildKeyMessage(const HookedKey& key, bool released, bool wasHeld, ModifierKeys modifiers) {
    bool system = modifiers.altDown && !modifiers.ctrlDown;
    uint32_t lParam = 1 | (key.scanCode & 0xFF) << 16;
    lParam |= (key.flags & kKeyExtended) != 0 ? static_cast<uint32_t>(kExtendedBit) : 0;
    lParam |= modifiers.altDown ? kContextBit : 0;
    lParam |= released || wasHeld ? kPreviousStateBit : 0;
    lParam |= released ? kTransitionBit : 0;
    uint32_t message = released ? (system ? kSysKeyUpMessage : kKeyUpMessage)
                                : (system ? kSysKeyDownMessage : kKeyDownMessage);
    return {true, message, key.virtualKey, lParam};
}

}  // namespace

FilteredKey FilterKeyEvent(const HookedKey& key, ModifierKeys systemModifiers) {
    // The LED test's own lock-key presses always reach the system.
    if (key.scanCode == static_cast<uint32_t>(kSyntheticScan) || key.virtualKey >= filterState.keys.size()) {
        return {false, 0, 0, 0};
    }
    uint8_t& state = filterState.keys[key.virtualKey];
    bool released = (key.flags & kKeyReleased) != 0;
    bool wasHeld = (state & kHeld) != 0;
    bool pressForwarded = (state & kForwarded) != 0;
    ModifierKeys modifiers = CurrentModifiers(systemModifiers);
    bool forward = IsSystemKey(key.virtualKey) || pressForwarded ||
                   (!released && IsSystemCombination(key.virtualKey, modifiers));
    state = released ? 0 : kHeld | (forward ? kForwarded : 0);
    if (!forward) {
        return {false, 0, 0, 0};
    }
    return BuildKeyMessage(key, released, wasHeld, modifiers);
}

void ResetKeyFilter() {
    filterState = {};
}
