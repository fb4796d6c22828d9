// The shell's side of a test plan: its marks on the keyboard picture, the hands-off phase's count-down drawn
// on it, and the clock of that phase.
#pragma once

#include <windows.h>

#include "engine/plan_run.h"
#include "layouts/keyboard_picture_win.h"

// The look of a plan's mark, in colours and hatches of their own: the next key framed in azure, the keys to
// hold hatched black and the keys of the hands-off phase hatched grey, both with the one hatch no state uses;
// false for no mark.
bool PlanLookOf(PlanMark mark, OverlayLook& look);

// During the hands-off phase, draws its count-down over the top of the picture in `dc`.
void PaintIdleCountdown(HDC dc);

// The clock's timer fired for `window`: a second of the hands-off phase has passed when the main window takes
// keys (no dialog of the tester is open over it); the picture shows the new count.
void OnPlanTimer(HWND window);

// `window` takes keys again (a dialog of the tester over it closed): a hands-off phase starts its second
// afresh, so that it lasts its whole length from the moment the keyboard can be touched.
void OnPlanWindowEnabled(HWND window);
