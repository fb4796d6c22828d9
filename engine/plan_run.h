// The run of a layout's test plan over one keyboard: the hands-off phase at its start, the order in which the
// press test asks for the keys, the presses each key needs, and the rollover step after the press test. What
// the plan finds (a key out of turn, a phantom, a ghost) fails a production keyboard as a fail key does, and
// is only shown and named outside production mode. Without a plan file nothing here acts.
#pragma once

#include <cstdint>

#include "base/platform.h"
#include "engine/test_state.h"
#include "layouts/key_definitions.h"

// Where the plan's run stands.
enum PlanPhase : int32_t {
    PlanPressTest = 0,  // the press test (the only phase of a keyboard without a plan)
    PlanIdle = 1,       // the hands-off phase: any key is a phantom
    PlanRollover = 2,   // the press test is done; the marked keys are to be held together
    PlanDone = 3,       // every step is done: the keyboard may be concluded
};

// How a plan marks a key on the picture, on top of its status.
enum class PlanMark { None, Next, Hold, Idle };

// What the plan makes of a fresh key-down.
enum class PlanPress { Counted, NotCounted, Failed };

// The current layout's plan, or null when it has none.
const TestPlan* ActivePlan();

// Starts the plan's run over a new keyboard: the hands-off phase when the plan has one (its clock started for
// `window`), else the press test; nothing found, the first key of the sequence asked for.
void ResetPlan(WindowHandle window);

// Judges a fresh key-down of entry `index` of the current keys. A phantom (during the hands-off phase), a key
// out of turn (strict order) or a ghost (while the marked keys are held) fails a production keyboard: its log
// line is written, its key listed for the record, and the verdict asked for (Failed). Outside production
// mode, and for a key out of turn in guided order, the key is named on the status line and not counted. A
// counted press of a required key counts toward the plan's Repeat.
PlanPress JudgePlanPress(WindowHandle window, int32_t index);

// The status a key takes at its release, `released` (Passed or NotRequiredReleased) in the classic test: a
// press that did not count gives back the status the key had before it, and a required key pressed fewer
// times than the plan's Repeat is untested again.
int32_t PlanStatusOnRelease(const KeyState& state, int32_t released);

// After a key-up has been handled: the sequence moves past the keys now tested, the rollover step starts when
// the press test is done, and is judged when its keys have all been let go again.
void AdvancePlan(WindowHandle window);

// True when a production keyboard whose required keys are all tested may be concluded: no rollover step is
// still to be passed.
bool PlanLetsConclude();

// One second of the hands-off phase has passed with the main window taking keys. At its end the press test
// starts and the clock stops.
void OnPlanClockTick(WindowHandle window);

// The mark of entry `index` of the current keys, for the picture.
PlanMark PlanMarkOf(int32_t index);

// What the status line says of the plan (the phase, the next key, the latest finding) ahead of the recent
// presses, or null when it says nothing. The text lives in a buffer that changes with the plan's run.
const char* PlanPromptText();
