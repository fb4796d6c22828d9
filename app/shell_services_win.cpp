// The small platform services the core calls: the counter, control texts and posted commands.
#include <windows.h>

#include "app/platform.h"

int64_t ReadPerformanceCounter() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

void SetControlText(WindowHandle window, int32_t controlId, const char* text) {
    SetDlgItemTextA(static_cast<HWND>(window), controlId, text);
}

void PostCommand(WindowHandle window, int32_t commandId) {
    PostMessageA(static_cast<HWND>(window), WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}
