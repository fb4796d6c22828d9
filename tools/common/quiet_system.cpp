// The system's input and window services for native programs that link the core without a window: nothing is
// shown or posted, no key is ever down, the counter reads the steady clock in nanoseconds and input events
// come 10 ms apart, as a fast typist makes them.
#include <chrono>

#include "base/platform.h"

int64_t ReadPerformanceCounter() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

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
