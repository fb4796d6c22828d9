// Key-down and key-up processing: every key and mouse-button event of the main window.
#pragma once

#include <cstdint>

#include "base/platform.h"

// True for a press of the LED test's own, which key processing drops: a lock key with scan code 0xFF.
bool IsLedTestPress(int32_t code, int32_t scan);

// `code` is the virtual-key code (or -5, -4, -3 for the left, middle and right mouse button) and `lParam` the
// key message's lParam (ignored for mouse buttons). Nothing happens while no layout is current.
void OnKeyDown(WindowHandle window, int32_t code, int32_t lParam);
void OnKeyUp(WindowHandle window, int32_t code, int32_t lParam);

// The index of the entry of the current keys that an event matches, or -1.
int32_t FindKey(int32_t code, int32_t scan, int32_t extended);

// Appends one key-down to the history.
void RecordHistory(int32_t index, int32_t status);

// A modal box that took the release of a key leaves it shown held: each key shown held that is no longer
// down is released as if its release had arrived.
void ReleaseKeysNoLongerDown(WindowHandle window);

// The required keys of the current keys still untested or held down.
int32_t UntestedRequiredCount();

// Production mode: true when no entry of the current keys is untested or held down.
bool AllRequiredTested();

// A production test whose required keys are all tested is concluded: at once without chatter detection,
// else once ChatterMs has passed after the last release, when OnConclusionDue finds it still complete. With
// RequireLedTest and no LED test yet, it waits instead, named on the status line, until the LED test starts.
void ConcludeWhenSettled(WindowHandle window);

// The time ScheduleConclusion asked for is out: the pass question, unless a key pressed meanwhile (a bounce
// that failed the keyboard, a required key held again) or a reset took the completion back.
void OnConclusionDue(WindowHandle window);
