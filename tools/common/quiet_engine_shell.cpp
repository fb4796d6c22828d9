// The engine's shell for native programs that link the core without a window: no picture to paint, no LED
// test, no dialog. A verdict is never concluded: the key handler that asks for one stops, as it would while
// the shell's dialogs were open.
#include "engine/engine_shell.h"

void PaintKeyNow(WindowHandle, int32_t) {}

void StopLedTest() {}

bool ConcludeTest(WindowHandle, bool) {
    return false;
}

void ScheduleConclusion(WindowHandle, int32_t) {}

void RunPlanClock(WindowHandle, bool) {}

int32_t ShowVerdictDialog(VerdictDialog) {
    return kDialogNotShown;
}
