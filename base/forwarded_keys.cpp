// The time stamps of the keys the hook library forwards.
#include "base/forwarded_keys.h"

void NoteForwardedKey(ForwardedKeys& keys, uint32_t message, uint32_t wParam, uint32_t lParam,
                      uint32_t eventTime) {
    ForwardedKey* slot = &keys.slots[0];
    for (ForwardedKey& candidate : keys.slots) {
        if (candidate.order < slot->order) {
            slot = &candidate;
        }
    }
    *slot = {message, wParam, lParam, eventTime, ++keys.noted};
}

bool TakeForwardedKey(ForwardedKeys& keys, uint32_t message, uint32_t wParam, uint32_t lParam,
                      uint32_t& eventTime) {
    ForwardedKey* oldest = nullptr;
    for (ForwardedKey& slot : keys.slots) {
        if (slot.order != 0 && slot.message == message && slot.wParam == wParam && slot.lParam == lParam &&
            (oldest == nullptr || slot.order < oldest->order)) {
            oldest = &slot;
        }
    }
    if (oldest == nullptr) {
        return false;
    }
    eventTime = oldest->eventTime;
    *oldest = ForwardedKey();
    return true;
}

void ForgetForwardedKeys(ForwardedKeys& keys) {
    for (ForwardedKey& slot : keys.slots) {
        slot = ForwardedKey();
    }
}
