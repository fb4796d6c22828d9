// The platform seams for native programs that link the core without a window: the tools, the benchmarks and
// the fuzz targets. Nothing is shown, posted, painted, mapped or waited for; the counter reads the steady
// clock in nanoseconds, and input events come 10 ms apart. Every seam is here but two kinds: ShowMessage,
// since each program says itself what becomes of a message box (kblcheck prints it, a benchmark counts it),
// and the system's own services (files, code page, clock) of base/system_posix.cpp or base/system_win.cpp.
#include <chrono>

#include "base/platform.h"
#include "engine/verdict.h"
#include "records/verdict_keeping.h"

int64_t ReadPerformanceCounter() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Input events as a fast typist makes them: each one read comes 10 ms after the one before.
uint32_t ReadEventTime() {
    static uint32_t eventTime = 0;
    return eventTime += 10;
}

bool IsKeyDown(int32_t) {
    return false;
}

uint32_t ReadEventTimeTick() {
    return 1;
}

void SetControlText(WindowHandle, int32_t, const char*) {}

void PostCommand(WindowHandle, int32_t) {}

void PaintKeyNow(WindowHandle, int32_t) {}

void StopLedTest() {}

bool ConcludeTest(WindowHandle, bool) {
    return false;
}

void ScheduleConclusion(WindowHandle, int32_t) {}

bool KeepKeyboardRecord(const KeyboardRecord&) {
    return false;
}

bool SpoolLineRecord(const KeyboardRecord&) {
    return false;
}

RecordsKept CommitRecords(LogLoss) {
    return RecordsKept::OnDisk;
}

int32_t ShowVerdictDialog(VerdictDialog) {
    return kDialogNotShown;
}

uint8_t* MapHostBlock(const char*, size_t, int32_t& errorCode) {
    errorCode = 2;
    return nullptr;
}

void SleepMilliseconds(int32_t) {}
