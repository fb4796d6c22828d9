// The engine's state, the reset of a test and the turn rule for duplicated keys.
#include "engine/test_state.h"

#include "base/key_codes.h"
#include "base/program.h"
#include "engine/engine_shell.h"
#include "engine/plan_run.h"
#include "engine/readouts.h"
#include "layouts/layout_catalogue.h"

TestState testState;

namespace {

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
        const std::vector<KeyEntry>& keys = *catalogue.currentKeys;
        if (testState.keysStamp != catalogue.currentStamp || testState.keys.size() != keys.size()) {
            testState.keysStamp = catalogue.currentStamp;
            testState.keys.assign(keys.size(), KeyState());
            for (size_t i = 0; i < keys.size(); ++i) {
                testState.keys[i].status = keys[i].status;
                testState.keys[i].downTime = keys[i].downTime;
            }
        }
        for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
            KeyState& state = testState.keys[i];
            state.status = StatusAfterReset(state.status);
            state.duplicateRole = FirstTurnOf(keys, static_cast<int32_t>(i));
            state.released = false;
            state.chatterGapMs = -1;
        }
        ResetPlan(program.mainWindow);
    }
    if (program.mainWindow != nullptr) {
        UpdateReadouts(program.mainWindow);
    }
}

void PassTurn(int32_t index) {
    const std::vector<KeyEntry>& keys = *catalogue.currentKeys;
    const KeyEntry& entry = keys[static_cast<size_t>(index)];
    KeyState& state = StateOf(index);
    size_t i = static_cast<size_t>(index) + 1;
    while (static_cast<int32_t>(i) != index) {
        if (keys[i].virtualKey == kTerminatorCode) {
            i = 0;
            continue;
        }
        if (SameKey(keys[i], entry)) {
            KeyState& next = StateOf(i);
            state.duplicateRole = 2;
            next.duplicateRole = 1;
            // The next press of the key lands on the next occurrence: its chatter is timed from this release.
            next.releaseTime = state.releaseTime;
            next.released = state.released;
            return;
        }
        ++i;
    }
}
