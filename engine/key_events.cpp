// Key-down and key-up processing: matching an event to a key, moving its status, timing it, recording it,
// matching compound keys, and handing the verdict over when a production test ends.
#include "engine/key_events.h"

#include <algorithm>

#include "base/key_codes.h"
#include "base/program.h"
#include "engine/compound_keys.h"
#include "engine/engine_shell.h"
#include "engine/plan_run.h"
#include "engine/readouts.h"
#include "engine/test_state.h"
#include "engine/verdict.h"
#include "layouts/layout_catalogue.h"
#include "records/host_link.h"
#include "records/test_log.h"
#include "resources/resource_ids.h"

namespace {

constexpr int32_t kCapsLock = 20;
constexpr int32_t kNumLock = 144;
constexpr int32_t kScrollLock = 145;
constexpr int32_t kAlt = 18;
constexpr int32_t kLeftAlt = 164;
constexpr int32_t kRightAlt = 165;

struct EventFields {
    int32_t scan;
    int32_t extended;
    int32_t repeat;
};

EventFields ReadEventFields(int32_t code, int32_t lParam) {
    if (code < 0) {
        return {code, 1, 1};
    }
    return {(lParam >> 16) & 0xFF, lParam & kExtendedBit, lParam & 0xFF};
}

// The button command an Alt shortcut posts, or 0 when the key is no shortcut.
int32_t ShortcutCommand(int32_t code) {
    switch (code) {
        case 'A':
            return IDC_ABOUT;
        case 'C':
            return IDC_CLEAR;
        case 'E':
        case 115:  // F4
            return IDC_EXIT;
        case 'F':
            return program.productionMode ? IDC_FAULT_CHECK : 0;
        case 'H':
            return IDC_HELP_BUTTON;
        case 'L':
            return IDC_LED_TEST;
        default:
            return 0;
    }
}

const std::vector<KeyEntry>& Keys() {
    return *catalogue.currentKeys;
}

bool IsCompoundEntry(const KeyEntry& entry) {
    return entry.compoundTime != kNoCompoundTime;
}

void TraceEvent(const char* direction, int32_t code, int32_t scan) {
    TraceLine("=============================================\n%s: Windows - %d, BIOS - %d\n", direction, code,
              scan);
    TraceLine("Attempting key match of type %d\n", testState.matchByKeyCode);
}

int32_t MillisecondsBetween(int64_t later, int64_t earlier) {
    return static_cast<int32_t>((later - earlier) / program.ticksPerMs);
}

// A fresh press of entry `index` sooner than ChatterMs after the key's own release is chatter, measured with
// the input's own time stamps: the entry keeps its shortest gap and the readouts show the latest. The gap, or
// -1 when the press is no chatter (or chatter is not looked for).
int32_t NoteChatter(int32_t index) {
    KeyState& state = StateOf(index);
    if (program.chatterMs <= 0 || !state.released) {
        return -1;
    }
    const uint32_t gap = ReadEventTime() - state.releaseTime;
    if (gap >= static_cast<uint32_t>(program.chatterMs)) {
        return -1;
    }
    const int32_t gapMs = static_cast<int32_t>(gap);
    state.chatterGapMs = state.chatterGapMs < 0 ? gapMs : std::min(state.chatterGapMs, gapMs);
    testState.chatterKey = index;
    testState.chatterGapMs = gapMs;
    return gapMs;
}

// A fresh press: timed, counted among the keys held down.
void NoteFreshPress(KeyState& state) {
    TraceLine("Recorded time key depressed\n");
    const int64_t now = ReadPerformanceCounter();
    state.downTime = now;
    if (testState.lastKeyDownTime > 0) {
        testState.delayTimeMs = MillisecondsBetween(now, testState.lastKeyDownTime);
    }
    testState.lastKeyDownTime = now;
    if (testState.firstPressTime == 0) {
        testState.firstPressTime = now;
    }
    testState.mostKeysHeld = std::max(testState.mostKeysHeld, ++testState.heldKeys);
}

// A release of a held key: no longer held, and its time stamp kept for the chatter of its next press.
void NoteRelease(KeyState& state) {
    testState.heldKeys = std::max(testState.heldKeys - 1, 0);
    if (program.chatterMs > 0) {
        state.releaseTime = ReadEventTime();
        state.released = true;
    }
}

}  // namespace

bool IsLedTestPress(int32_t code, int32_t scan) {
    return (code == kCapsLock || code == kNumLock || code == kScrollLock) && scan == kSyntheticScan;
}

int32_t FindKey(int32_t code, int32_t scan, int32_t extended) {
    const std::vector<KeyEntry>& keys = Keys();
    for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
        const KeyEntry& entry = keys[i];
        const bool codeMatches = testState.matchByKeyCode ? entry.virtualKey == code : entry.scanCode == scan;
        const int32_t turn = testState.keys[i].duplicateRole;
        if (codeMatches && (entry.extended != 0) == (extended != 0) && (turn == 0 || turn == 1)) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

void RecordHistory(int32_t index, int32_t status) {
    HistoryEntry& slot = testState.history[testState.historyPos];
    slot.keyIndex = index;
    slot.status = status;
    slot.time = ReadPerformanceCounter();
    testState.historyPos = (testState.historyPos + 1) % kHistorySize;
    ++testState.historyGeneration;
}

void ConcludeWhenSettled(WindowHandle window) {
    // A keyboard whose LEDs must be seen waits for its LED test; starting it asks again.
    testState.waitingForLedTest = program.requireLedTest && !testState.ledTestStarted;
    if (testState.waitingForLedTest) {
        UpdateReadouts(window);
        return;
    }
    if (program.chatterMs <= 0) {
        ConcludeTest(window, true);
        return;
    }
    // The last key may still bounce: its next press within ChatterMs is chatter and fails the keyboard, so
    // the pass question waits until that time is out (see OnConclusionDue).
    testState.conclusionDue = true;
    ScheduleConclusion(window, program.chatterMs);
}

void OnConclusionDue(WindowHandle window) {
    if (testState.conclusionDue && AllRequiredTested()) {
        ConcludeTest(window, true);
    }
}

void ReleaseKeysNoLongerDown(WindowHandle window) {
    for (size_t i = 0; Keys()[i].virtualKey != kTerminatorCode; ++i) {
        const KeyEntry& entry = Keys()[i];
        const int32_t status = StateOf(i).status;
        const bool shownHeld = status == Pressed || status == NotRequiredPressed;
        if (!shownHeld || entry.virtualKey == kCompoundKey || IsKeyDown(entry.virtualKey)) {
            continue;
        }
        const int32_t lParam =
            static_cast<int32_t>(0xC0000001u | (static_cast<uint32_t>(entry.scanCode & 0xFF) << 16) |
                                 (entry.extended != 0 ? static_cast<uint32_t>(kExtendedBit) : 0u));
        OnKeyUp(window, entry.virtualKey, lParam);
        if (catalogue.currentKeys == nullptr || testState.concluding) {
            return;
        }
    }
}

int32_t UntestedRequiredCount() {
    int32_t count = 0;
    for (size_t i = 0; catalogue.currentKeys != nullptr && Keys()[i].virtualKey != kTerminatorCode; ++i) {
        count += StateOf(i).status == Untested || StateOf(i).status == Pressed ? 1 : 0;
    }
    return count;
}

bool AllRequiredTested() {
    if (!program.productionMode || catalogue.currentKeys == nullptr) {
        return false;
    }
    for (size_t i = 0; Keys()[i].virtualKey != kTerminatorCode; ++i) {
        if (StateOf(i).status == Untested || StateOf(i).status == Pressed) {
            return false;
        }
    }
    return true;
}

void OnKeyDown(WindowHandle window, int32_t code, int32_t lParam) {
    if (catalogue.currentKeys == nullptr) {
        return;
    }
    const EventFields event = ReadEventFields(code, lParam);
    testState.lastExtended = event.extended;
    if (code >= 0) {
        if (IsLedTestPress(code, event.scan)) {
            return;
        }
        if (code == kAlt || code == kLeftAlt || code == kRightAlt) {
            testState.altPending = true;
        } else if (testState.altPending && ShortcutCommand(code) != 0) {
            PostCommand(window, ShortcutCommand(code));
            return;
        } else {
            testState.altPending = false;
        }
    }
    TraceEvent("Key Down", code, event.scan);
    testState.lastScanCode = event.scan;
    testState.lastKeyCode = code;

    const int32_t index = FindKey(code, event.scan, event.extended);
    if (index >= 0) {
        const KeyEntry& entry = Keys()[static_cast<size_t>(index)];
        KeyState& state = StateOf(index);
        TraceLine("Key matched: %s. Current status %d\n", entry.label.c_str(), state.status);
        if (program.productionMode && state.status == FailOnPress) {
            ConcludeTest(window, false);
            return;
        }
        if (state.status != Pressed && state.status != NotRequiredPressed) {
            const int32_t chatterMs = NoteChatter(index);
            if (chatterMs >= 0 && program.productionMode) {
                // A chattering key fails the keyboard as a fail-on-press key does, named in the log.
                PaintKeyNow(window, index);
                UpdateReadouts(window);
                LogLine("    按键抖动: %s %d ms\n", entry.label.c_str(), chatterMs);
                ConcludeTest(window, false);
                return;
            }
            if (ActivePlan() != nullptr && JudgePlanPress(window, index) == PlanPress::Failed) {
                return;
            }
            NoteFreshPress(state);
        }
        const bool notRequired = state.status == NotRequired || state.status == NotRequiredPressed ||
                                 state.status == NotRequiredReleased;
        state.status = notRequired ? NotRequiredPressed : Pressed;
        testState.lastPressed = index;
        TraceLine("New status %d\n", state.status);
        PaintKeyNow(window, index);
        for (int32_t unit = 0; unit < event.repeat; ++unit) {
            RecordHistory(index, state.status);
        }
    }

    bool failCombination = false;
    for (size_t i = 0; Keys()[i].virtualKey != kTerminatorCode; ++i) {
        KeyState& compound = StateOf(i);
        if (IsCompoundEntry(Keys()[i]) && compound.status == FailArmed &&
            MatchCompound(static_cast<int32_t>(i))) {
            compound.status = FailTriggered;
            PaintKeyNow(window, static_cast<int32_t>(i));
            failCombination = true;
        }
    }
    UpdateReadouts(window);
    if (program.productionMode && failCombination) {
        ConcludeTest(window, false);
        return;
    }
    TraceLine("Completed Key down processing\n");
}

void OnKeyUp(WindowHandle window, int32_t code, int32_t lParam) {
    testState.altPending = false;
    if (catalogue.currentKeys == nullptr) {
        return;
    }
    const EventFields event = ReadEventFields(code, lParam);
    if (code >= 0 && IsLedTestPress(code, event.scan)) {
        return;
    }
    TraceEvent("Key Up", code, event.scan);
    const int32_t index = FindKey(code, event.scan, event.extended);
    if (index < 0) {
        return;
    }
    const KeyEntry& entry = Keys()[static_cast<size_t>(index)];
    KeyState& state = StateOf(index);
    TraceLine("Key matched: %s. Current status %d\n", entry.label.c_str(), state.status);
    if (program.productionMode && state.status == FailOnPress) {
        ConcludeTest(window, false);
        return;
    }
    if (state.status == Pressed) {
        state.status = Passed;
    } else if (state.status == NotRequiredPressed) {
        state.status = NotRequiredReleased;
    } else {
        return;
    }
    if (ActivePlan() != nullptr) {
        state.status = PlanStatusOnRelease(state, state.status);
    }
    TraceLine("New status %d\n", state.status);
    NoteRelease(state);
    testState.lastReleased = index;
    PaintKeyNow(window, index);
    testState.holdTimeMs = MillisecondsBetween(ReadPerformanceCounter(), state.downTime);

    bool failCombination = false;
    for (size_t i = 0; Keys()[i].virtualKey != kTerminatorCode; ++i) {
        KeyState& compound = StateOf(i);
        if (IsCompoundEntry(Keys()[i]) && compound.status != FailInactive &&
            MatchCompound(static_cast<int32_t>(i))) {
            if (compound.status == FailArmed) {
                compound.status = FailTriggered;
                failCombination = true;
            } else {
                compound.status = Passed;
            }
            PaintKeyNow(window, static_cast<int32_t>(i));
        }
    }
    AdvancePlan(window);
    UpdateReadouts(window);
    if (program.productionMode) {
        if (failCombination) {
            ConcludeTest(window, false);
            return;
        }
        if (AllRequiredTested() && PlanLetsConclude()) {
            ConcludeWhenSettled(window);
            return;
        }
    }
    if (state.duplicateRole == 1) {
        PassTurn(index);
    }
    TraceLine("Completed Key up processing\n");
    if (program.pluginMode) {
        AddOperations(1);
    }
}
