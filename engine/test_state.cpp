// The engine's state, the reset of a test and the turn rule for duplicated keys.
#include "engine/test_state.h"

#include "base/key_codes.h"
#include "base/program.h"
#include "engine/engine_shell.h"
#include "engine/readouts.h"
#include "layouts/layout_catalogue.h"

TestState testState;

namespace {

bool SameKey(const KeyEntry& a, const KeyEntry& b) {
    return a.virtualKey == b.virtualKey && a.scanCode == b.scanCode && a.extended == b.extended;
}

int32_t StatusAfterReset(int32_t status) {
    switch (status) {
        case Pressed:
        case Passed:
            return Untested;
        case FailTriggered:
            return FailArmed;
        case NotRequiredPressed:
        case NotRequiredReleased:
            return NotRequired;
        default:
            return status;
    }
}

}  // namespace

void ResetTest() {
    StopLedTest();
    testState.holdTimeMs = 0;
    testState.delayTimeMs = 0;
    testState.lastKeyDownTime = 0;
    testState.lastExtended = 0;
    testState.historyPos = 0;
    testState.lastScanCode = 0;
    testState.lastKeyCode = 0;
    testState.lastPressed = -1;
    testState.lastReleased = -1;
    for (HistoryEntry& slot : testState.history) {
        slot = HistoryEntry();
    }
    testState.historyGeneration += 2;  // more than one press: the readouts build the line anew
    testState.firstPressTime = 0;
    testState.heldKeys = 0;
    testState.mostKeysHeld = 0;
    testState.chatterKey = -1;
    testState.failReason = -1;
    testState.conclusionDue = false;
    testState.ledTestStarted = false;
    testState.waitingForLedTest = false;
    if (catalogue.currentKeys != nullptr) {
        std::vector<KeyEntry>& keys = *catalogue.currentKeys;
        for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
            keys[i].status = StatusAfterReset(keys[i].status);
            keys[i].duplicateRole = AssignTurn(static_cast<int32_t>(i));
            keys[i].released = false;
            keys[i].chatterGapMs = -1;
        }
    }
    if (program.mainWindow != nullptr) {
        UpdateReadouts(program.mainWindow);
    }
}

int32_t AssignTurn(int32_t index) {
    const std::vector<KeyEntry>& keys = *catalogue.currentKeys;
    const KeyEntry& entry = keys[static_cast<size_t>(index)];
    if (entry.virtualKey == kCompoundKey) {
        return 0;
    }
    int32_t firstIndex = -1;
    for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
        if (!SameKey(keys[i], entry)) {
            continue;
        }
        if (firstIndex < 0) {
            firstIndex = static_cast<int32_t>(i);
        }
        if (static_cast<int32_t>(i) != index) {
            return index == firstIndex ? 1 : 2;
        }
    }
    return 0;
}

void PassTurn(int32_t index) {
    std::vector<KeyEntry>& keys = *catalogue.currentKeys;
    KeyEntry& entry = keys[static_cast<size_t>(index)];
    size_t i = static_cast<size_t>(index) + 1;
    while (static_cast<int32_t>(i) != index) {
        if (keys[i].virtualKey == kTerminatorCode) {
            i = 0;
            continue;
        }
        if (SameKey(keys[i], entry)) {
            entry.duplicateRole = 2;
            keys[i].duplicateRole = 1;
            // The next press of the key lands on the next occurrence: its chatter is timed from this release.
            keys[i].releaseTime = entry.releaseTime;
            keys[i].released = entry.released;
            return;
        }
        ++i;
    }
}
