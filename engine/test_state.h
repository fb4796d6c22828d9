// The engine's state: codes and times shown to the operator, the history of recent key-downs, each key's test
// state, and the reset that starts a test afresh. Also the turn rule for keys that occur more than once in a
// layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/readouts.h"

constexpr int kHistorySize = kHistoryLabelsMax;

// One recorded key-down. An empty slot has every byte 0xFF, so its key index reads -1.
struct HistoryEntry {
    int32_t keyIndex = -1;
    int32_t status = -1;  // the status the key had just been given: 1 or 7
    int64_t time = -1;    // counter value when the slot was written
};

// The test state of one key of the current layout, at the index of its definition.
struct KeyState {
    int32_t status = 0;         // KeyStatus
    int64_t downTime = 0;       // counter value of the last key-down
    int32_t duplicateRole = 0;  // turn marker of a key that occurs more than once
    uint32_t releaseTime = 0;   // event time of the key's last release (chatter), when released
    bool released = false;      // released since the reset
    int32_t chatterGapMs = -1;  // the shortest chatter gap since the reset; -1 for none
    // A test plan's part (engine/plan_run.h).
    int32_t presses = 0;       // counted presses since the reset, toward the plan's Repeat
    bool counted = true;       // the press now held counts; else its release gives back `statusBefore`
    int32_t statusBefore = 0;  // the status the key had before a press that does not count
    bool inSequence = false;   // the key (or another occurrence of it) is in the plan's sequence
};

struct TestState {
    int32_t lastKeyCode = 0;      // code of the last key-down event, matched or not
    int32_t lastScanCode = 0;     // scan code of the last key-down event
    int32_t lastExtended = 0;     // non-zero when the last key-down had the extended flag
    int32_t lastPressed = -1;     // entry most recently pressed; -1 for none
    int32_t lastReleased = -1;    // entry most recently released; -1 for none
    int32_t holdTimeMs = 0;       // hold time of the most recently released key
    int32_t delayTimeMs = 0;      // time between the last two recorded key-downs
    int64_t lastKeyDownTime = 0;  // counter value of the last recorded key-down; 0 for none
    int32_t historyPos = 0;       // next slot of the history to write
    HistoryEntry history[kHistorySize];
    bool altPending = false;         // an Alt key went down and no key has gone up since
    int32_t matchByKeyCode = 0;      // 1: match by Windows code; 0: by BIOS scan code
    uint32_t historyGeneration = 0;  // changes whenever the history does
    int64_t firstPressTime = 0;   // counter value of the first matched key-down since the reset; 0 for none
    int32_t heldKeys = 0;         // matched keys held down now
    int32_t mostKeysHeld = 0;     // the most held down at once since the reset (the rollover seen)
    int32_t chatterKey = -1;      // entry of the latest chatter since the reset; -1 for none
    int32_t chatterGapMs = 0;     // its gap from release to press
    int32_t failReason = -1;      // the failure reason the verdict recorded; -1 for none
    bool conclusionDue = false;   // every required key is tested; the pass question waits out ChatterMs
    bool concluding = false;      // a verdict is being given: no second one starts inside it
    bool ledTestStarted = false;  // the LED test was started since the reset
    bool waitingForLedTest = false;  // every required key is tested; RequireLedTest holds the question
    // The run so far, kept across the resets between keyboards for the bench's panel.
    int32_t runTested = 0;
    int32_t runPassed = 0;
    int32_t lastVerdict = -1;     // 1 passed, 0 failed, -1 none yet
    int32_t lastFailReason = -1;  // the reason of the last verdict when it failed
    // The run of the current layout's test plan (engine/plan_run.h), reset with the test.
    int32_t planPhase = 0;         // PlanPhase
    int32_t idleSecondsLeft = 0;   // of the hands-off phase
    int32_t nextInSequence = 0;    // place in the plan's sequence of the key asked for next
    int32_t planFinding = 0;       // what the status line names: none, a key out of turn, a phantom, ...
    int32_t planFindingKey = -1;   // the key that came
    int32_t planExpectedKey = -1;  // the key asked for instead; -1 for none
    int32_t rolloverRound = 0;     // the most marked keys held at once since they were last all let go
    int32_t rolloverReached = 0;   // the most marked keys held at once in the rollover step
    uint32_t planGeneration = 0;   // changes whenever what the status line says of the plan does
    std::string wrongKeys;         // the keyboard's record: wrong pairs "expected>got", ';'-separated
    std::string phantomKeys;       // keys that came during the hands-off phase
    std::string ghostKeys;         // keys that came while the marked keys were held
    ShownReadouts shown;           // what the readouts showed last
    // The current layout's keys, one state per definition (the terminator's included), and the layout they
    // belong to (its catalogue stamp).
    std::vector<KeyState> keys;
    uint32_t keysStamp = 0;
};

extern TestState testState;

// Brings the test back to its start: LED test stopped, codes, times and history cleared, statuses mapped back
// and turn markers set anew; refreshes the readouts when the main window exists. A layout made current since
// the last reset gets its keys' states anew, each with the status its definition starts with.
void ResetTest();

// The test state of entry `index` of the current keys.
inline KeyState& StateOf(int32_t index) {
    return testState.keys[static_cast<size_t>(index)];
}
inline KeyState& StateOf(size_t index) {
    return testState.keys[index];
}

// Hands the turn of a duplicated key from entry `index` to its next occurrence, wrapping to the first, with
// the time stamp of the key's release.
void PassTurn(int32_t index);

// The newest history slot before slot `position`, wrapping from 0 to 99.
inline int32_t PreviousHistorySlot(int32_t position) {
    return position == 0 ? kHistorySize - 1 : position - 1;
}
