// What the engine asks of the shell around it in the middle of an operation: paint a key's overlay at once,
// stop the LED test, run a verdict dialog, conclude a production test now or once the queued input is
// handled, run the clock of a test plan's hands-off phase.
// Each is defined once by the Windows shell (engine/*_win.cpp) and once more by every native program that
// links the core (the unit tests record the calls; the tools ignore them).
#pragma once

#include <cstdint>

#include "base/platform.h"

// Paints the overlay of entry `keyIndex` of the current keys at once on the picture of `window`.
void PaintKeyNow(WindowHandle window, int32_t keyIndex);

// Stops the LED test and restores the lock keys, when the LED test is running.
void StopLedTest();

// The verdict of production mode: asks the operator, logs, resets the test and asks for the next keyboard or
// ends the run. Always false: the key handler that called it stops at once.
bool ConcludeTest(WindowHandle window, bool verify);

// Calls OnConclusionDue (engine/key_events.h) for `window` once `delayMs` have passed and the input queued
// by then has been handled.
void ScheduleConclusion(WindowHandle window, int32_t delayMs);

// Starts (`on`) or stops the one-second clock of a test plan's hands-off phase for `window`, which then calls
// OnPlanClockTick (engine/plan_run.h).
void RunPlanClock(WindowHandle window, bool on);

enum class VerdictDialog { PassQuestion, FailReason };

// The answer of a verdict dialog: Yes or Continue, No, or the dialog could not be shown.
constexpr int32_t kDialogAccepted = 1;
constexpr int32_t kDialogRefused = 0;
constexpr int32_t kDialogNotShown = -1;

// Runs `dialog` modally over the main window and gives its answer; the main window gets the focus back when
// it still exists.
int32_t ShowVerdictDialog(VerdictDialog dialog);
