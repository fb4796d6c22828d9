// The run of a layout's test plan over one keyboard.
#include "engine/plan_run.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/key_codes.h"
#include "base/program.h"
#include "engine/engine_shell.h"
#include "engine/key_events.h"
#include "engine/readouts.h"
#include "engine/test_state.h"
#include "engine/verdict_record.h"
#include "layouts/layout_catalogue.h"
#include "layouts/test_plan.h"
#include "records/test_log.h"

namespace {

// What the status line names besides the phase.
enum Finding : int32_t {
    NoFinding = 0,
    OutOfTurn = 1,      // a key of the sequence came instead of the one asked for
    Phantom = 2,        // a key came during the hands-off phase
    Ghost = 3,          // a key that is not marked came while the marked keys were held
    RolloverShort = 4,  // the marked keys were let go without enough of them held together
    RolloverPassed = 5,
};

const std::vector<KeyEntry>& Keys() {
    return *catalogue.currentKeys;
}

const KeyEntry& EntryOf(int32_t index) {
    return Keys()[static_cast<size_t>(index)];
}

const char* LabelOf(int32_t index) {
    return index < 0 ? "无" : EntryOf(index).label.c_str();
}

bool IsMarked(const TestPlan& plan, int32_t index) {
    return std::find(plan.rolloverKeys.begin(), plan.rolloverKeys.end(), index) != plan.rolloverKeys.end();
}

// The marked keys held down now, and their labels as a plan writes them.
int32_t MarkedHeld(const TestPlan& plan, std::string* labels = nullptr) {
    int32_t held = 0;
    for (const int32_t index : plan.rolloverKeys) {
        const int32_t status = StateOf(index).status;
        if (status == Pressed || status == NotRequiredPressed) {
            ++held;
            if (labels != nullptr) {
                *labels += (labels->empty() ? "" : " ") + PlanLabelText(EntryOf(index).label);
            }
        }
    }
    return held;
}

// A press of entry `index` is in turn when it is the key asked for (any occurrence of it), or one of the
// components of the compound key asked for.
bool InTurn(int32_t index, int32_t expected) {
    const KeyEntry& asked = EntryOf(expected);
    const KeyEntry& entry = EntryOf(index);
    if (asked.virtualKey == kCompoundKey) {
        return std::find(asked.components.begin(), asked.components.end(), entry.virtualKey) !=
               asked.components.end();
    }
    return SameKey(entry, asked);
}

void Append(std::string& list, const std::string& item) {
    list += (list.empty() ? "" : ";") + item;
}

void SetFinding(int32_t finding, int32_t got, int32_t expected) {
    testState.planFinding = finding;
    testState.planFindingKey = got;
    testState.planExpectedKey = expected;
    ++testState.planGeneration;
}

void SetPhase(int32_t phase) {
    testState.planPhase = phase;
    testState.planFinding = NoFinding;
    ++testState.planGeneration;
}

// Repaints the marks of the rollover step's keys (shown or taken away).
void RepaintMarked(WindowHandle window, const TestPlan& plan) {
    for (const int32_t index : plan.rolloverKeys) {
        PaintKeyNow(window, index);
    }
}

// A key the plan found: kept for the record and named on the status line. It fails a production keyboard,
// with its log line, unless it is a key out of turn in guided order.
PlanPress Found(WindowHandle window, const TestPlan& plan, int32_t finding, int32_t got, int32_t expected) {
    SetFinding(finding, got, expected);
    const std::string& label = EntryOf(got).label;
    std::string held;
    if (finding == OutOfTurn) {
        Append(testState.wrongKeys, KeyPairItem(EntryOf(expected).label, label));
    } else if (finding == Phantom) {
        Append(testState.phantomKeys, KeyListItem(label));
    } else {
        Append(testState.ghostKeys, KeyListItem(label));
        MarkedHeld(plan, &held);
    }
    if (!program.productionMode || (finding == OutOfTurn && plan.order != PlanOrder::Strict)) {
        return PlanPress::NotCounted;
    }
    if (finding == OutOfTurn) {
        LogLine("    按键顺序错误: 期望 %s, 收到 %s\n", LabelOf(expected), label.c_str());
    } else if (finding == Phantom) {
        LogLine("    空闲期按键: 期望 无, 收到 %s\n", label.c_str());
    } else {
        LogLine("    鬼键: 期望 %s, 收到 %s\n", held.c_str(), label.c_str());
    }
    UpdateReadouts(window);
    ConcludeTest(window, false);
    return PlanPress::Failed;
}

// The sequence moves past the keys now tested; the marks follow.
void MoveSequenceOn(WindowHandle window, const TestPlan& plan) {
    const int32_t count = static_cast<int32_t>(plan.sequence.size());
    const int32_t before = testState.nextInSequence;
    while (testState.nextInSequence < count &&
           StateOf(plan.sequence[static_cast<size_t>(testState.nextInSequence)]).status == Passed) {
        ++testState.nextInSequence;
    }
    if (testState.nextInSequence == before || plan.order == PlanOrder::Free) {
        return;
    }
    if (testState.planFinding == OutOfTurn) {
        testState.planFinding = NoFinding;
    }
    ++testState.planGeneration;
    PaintKeyNow(window, plan.sequence[static_cast<size_t>(before)]);
    if (testState.nextInSequence < count) {
        PaintKeyNow(window, plan.sequence[static_cast<size_t>(testState.nextInSequence)]);
    }
}

// A text put together in a fixed buffer, cut where the buffer ends.
struct PromptText {
    char* text;
    size_t capacity;
    size_t length = 0;

    PromptText(char* buffer, size_t size) : text(buffer), capacity(size) { text[0] = '\0'; }
    PromptText& Add(const char* piece, size_t pieceLength) {
        const size_t taken = std::min(pieceLength, capacity - 1 - length);
        std::memcpy(text + length, piece, taken);
        length += taken;
        text[length] = '\0';
        return *this;
    }
    PromptText& Add(const char* piece) { return Add(piece, std::strlen(piece)); }
    PromptText& Add(int32_t number) {
        char digits[16];
        const int written = std::snprintf(digits, sizeof digits, "%d", number);
        return Add(digits, static_cast<size_t>(written));
    }
    // A label as a plan writes it: in quotes when it holds a blank.
    PromptText& AddLabel(const std::string& label) {
        const bool quoted =
            std::any_of(label.begin(), label.end(), [](char c) { return c == ' ' || c == '\t'; });
        Add(quoted ? "\"" : "", quoted ? 1 : 0);
        Add(label.data(), label.size());
        return Add(quoted ? "\"" : "", quoted ? 1 : 0);
    }
};

}  // namespace

const TestPlan* ActivePlan() {
    const TestPlan* plan = catalogue.currentPlan;
    return plan != nullptr && plan->inUse && catalogue.currentKeys != nullptr ? plan : nullptr;
}

void ResetPlan(WindowHandle window) {
    testState.planPhase = PlanPressTest;
    testState.planFinding = NoFinding;
    testState.nextInSequence = 0;
    testState.rolloverRound = 0;
    testState.rolloverReached = 0;
    testState.wrongKeys.clear();
    testState.phantomKeys.clear();
    testState.ghostKeys.clear();
    const TestPlan* plan = ActivePlan();
    if (plan == nullptr) {
        return;
    }
    if (window != nullptr) {
        RunPlanClock(window, false);
    }
    SetPhase(plan->idleSeconds > 0 ? PlanIdle : PlanPressTest);
    testState.idleSecondsLeft = plan->idleSeconds;
    for (size_t i = 0; Keys()[i].virtualKey != kTerminatorCode; ++i) {
        KeyState& state = StateOf(i);
        state.presses = 0;
        state.counted = true;
        state.inSequence = std::any_of(plan->sequence.begin(), plan->sequence.end(),
                                       [i](int32_t place) { return SameKey(EntryOf(place), Keys()[i]); });
    }
    if (window != nullptr && testState.planPhase == PlanIdle) {
        RunPlanClock(window, true);
    }
}

PlanPress JudgePlanPress(WindowHandle window, int32_t index) {
    const TestPlan* plan = ActivePlan();
    KeyState& state = StateOf(index);
    if (plan == nullptr) {
        return PlanPress::Counted;
    }
    PlanPress judged = PlanPress::Counted;
    const int32_t count = static_cast<int32_t>(plan->sequence.size());
    if (testState.planPhase == PlanIdle) {
        judged = Found(window, *plan, Phantom, index, -1);
    } else if (testState.planPhase == PlanPressTest && plan->order != PlanOrder::Free &&
               testState.nextInSequence < count && state.inSequence) {
        const int32_t expected = plan->sequence[static_cast<size_t>(testState.nextInSequence)];
        if (!InTurn(index, expected)) {
            judged = Found(window, *plan, OutOfTurn, index, expected);
        }
    } else if (testState.planPhase == PlanRollover) {
        const int32_t held = MarkedHeld(*plan);
        if (IsMarked(*plan, index)) {
            testState.rolloverRound = std::max(testState.rolloverRound, held + 1);
            testState.rolloverReached = std::max(testState.rolloverReached, testState.rolloverRound);
            ++testState.planGeneration;
        } else if (held >= 2) {
            judged = Found(window, *plan, Ghost, index, -1);
        }
    }
    if (judged == PlanPress::NotCounted) {
        state.counted = false;
        state.statusBefore = state.status;
    } else if (judged == PlanPress::Counted) {
        state.counted = true;
        ++state.presses;
    }
    return judged;
}

void AdvancePlan(WindowHandle window) {
    const TestPlan* plan = ActivePlan();
    if (plan == nullptr) {
        return;
    }
    if (testState.planPhase == PlanPressTest) {
        MoveSequenceOn(window, *plan);
        // The sequence holds required keys only: while it is not done, neither is the press test.
        if (testState.nextInSequence >= static_cast<int32_t>(plan->sequence.size()) &&
            UntestedRequiredCount() == 0) {
            SetPhase(plan->rolloverCount > 0 ? PlanRollover : PlanDone);
            RepaintMarked(window, *plan);
        }
    } else if (testState.planPhase == PlanRollover && testState.rolloverRound > 0 && MarkedHeld(*plan) == 0) {
        if (testState.rolloverRound >= plan->rolloverCount) {
            SetPhase(PlanDone);
            SetFinding(RolloverPassed, -1, -1);
            RepaintMarked(window, *plan);
        } else {
            SetFinding(RolloverShort, -1, -1);
        }
        testState.rolloverRound = 0;
    }
}

int32_t PlanStatusOnRelease(const KeyState& state, int32_t released) {
    const TestPlan* plan = ActivePlan();
    if (!state.counted) {
        return state.statusBefore;
    }
    return released == Passed && plan != nullptr && state.presses < plan->repeat ? Untested : released;
}

bool PlanLetsConclude() {
    return ActivePlan() == nullptr || testState.planPhase == PlanDone;
}

void OnPlanClockTick(WindowHandle window) {
    if (ActivePlan() == nullptr || testState.planPhase != PlanIdle) {
        RunPlanClock(window, false);
        return;
    }
    --testState.idleSecondsLeft;
    ++testState.planGeneration;
    if (testState.idleSecondsLeft <= 0) {
        RunPlanClock(window, false);
        SetPhase(PlanPressTest);
        AdvancePlan(window);
    }
    UpdateReadouts(window);
}

PlanMark PlanMarkOf(int32_t index) {
    const TestPlan* plan = ActivePlan();
    if (plan == nullptr) {
        return PlanMark::None;
    }
    switch (testState.planPhase) {
        case PlanIdle:
            return EntryOf(index).status == Untested ? PlanMark::Idle : PlanMark::None;
        case PlanPressTest:
            return plan->order != PlanOrder::Free &&
                           testState.nextInSequence < static_cast<int32_t>(plan->sequence.size()) &&
                           plan->sequence[static_cast<size_t>(testState.nextInSequence)] == index
                       ? PlanMark::Next
                       : PlanMark::None;
        case PlanRollover:
            return IsMarked(*plan, index) ? PlanMark::Hold : PlanMark::None;
        default:
            return PlanMark::None;
    }
}

const char* PlanPromptText() {
    const TestPlan* plan = ActivePlan();
    if (plan == nullptr) {
        return nullptr;
    }
    ShownReadouts& shown = testState.shown;
    char* text = shown.planPrompt;
    if (shown.planGeneration == testState.planGeneration && shown.planStamp == catalogue.currentStamp) {
        return text[0] == '\0' ? nullptr : text;
    }
    shown.planGeneration = testState.planGeneration;
    shown.planStamp = catalogue.currentStamp;
    // Built by copying its pieces: in an ordered test it changes with every key.
    PromptText prompt(text, sizeof shown.planPrompt);
    const char* got = LabelOf(testState.planFindingKey);
    switch (testState.planFinding) {
        case OutOfTurn:
            prompt.Add("顺序错误: 期望 ")
                .Add(LabelOf(testState.planExpectedKey))
                .Add(", 收到 ")
                .Add(got)
                .Add("   ");
            break;
        case Phantom:
            prompt.Add("空闲期按键: ").Add(got).Add("   ");
            break;
        case Ghost:
            prompt.Add("鬼键: ").Add(got).Add("   ");
            break;
        case RolloverShort:
            prompt.Add("同时按下的键不够，请再试一次   ");
            break;
        default:
            break;
    }
    const bool findingOnly = prompt.length > 0;
    const int32_t count = static_cast<int32_t>(plan->sequence.size());
    if (testState.planPhase == PlanIdle) {
        prompt.Add("请勿触碰键盘: 还剩 ").Add(testState.idleSecondsLeft).Add(" 秒");
    } else if (testState.planPhase == PlanPressTest && plan->order != PlanOrder::Free &&
               testState.nextInSequence < count) {
        prompt.Add("下一个键: ")
            .AddLabel(EntryOf(plan->sequence[static_cast<size_t>(testState.nextInSequence)]).label);
    } else if (testState.planPhase == PlanRollover) {
        prompt.Add("请同时按住:");
        for (const int32_t index : plan->rolloverKeys) {
            prompt.Add(" ").AddLabel(EntryOf(index).label);
        }
        prompt.Add(" (").Add(testState.rolloverRound).Add("/").Add(plan->rolloverCount).Add(")");
    } else if (testState.planFinding == RolloverPassed) {
        prompt.Add("同时按键通过: ").Add(testState.rolloverReached).Add("/").Add(plan->rolloverCount);
    } else if (findingOnly) {
        prompt.length -= 3;  // no blanks after a finding that nothing follows
        text[prompt.length] = '\0';
    }
    return prompt.length == 0 ? nullptr : text;
}
