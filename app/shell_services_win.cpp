// The small platform services the core calls: the counter, control texts and posted commands.
#include <windows.h>

#include <cstring>

#include "app/platform.h"

namespace {

// Longer than any readout, the 1,500-byte status line included.
constexpr int kShownTextCapacity = 1600;
constexpr size_t kKnownControlCapacity = 16;

struct KnownControl {
    int32_t controlId;
    HWND control;
};

KnownControl knownControls[kKnownControlCapacity];
size_t knownControlCount = 0;

// Control `controlId` of `window`. Looking a control up asks the window server for the window's children, on
// every readout of every key event; so a control found is remembered, and taken again while it is still that
// child of that window.
HWND FindControl(HWND window, int32_t controlId) {
    for (size_t i = 0; i < knownControlCount; ++i) {
        HWND known = knownControls[i].control;
        if (knownControls[i].controlId == controlId && GetParent(known) == window &&
            GetDlgCtrlID(known) == controlId) {
            return known;
        }
    }
    HWND control = GetDlgItem(window, controlId);
    if (control != nullptr && knownControlCount < kKnownControlCapacity) {
        knownControls[knownControlCount++] = {controlId, control};
    }
    return control;
}

}  // namespace

int64_t ReadPerformanceCounter() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

// The readouts are written after every key event, mostly with the text they already show. A static control
// repaints itself at once on every new text, so a text it already shows is not set again.
void SetControlText(WindowHandle window, int32_t controlId, const char* text) {
    HWND control = FindControl(static_cast<HWND>(window), controlId);
    char shown[kShownTextCapacity] = "";
    const int length = GetWindowTextA(control, shown, kShownTextCapacity);
    if (length < kShownTextCapacity - 1 && std::strcmp(shown, text) == 0) {
        return;
    }
    SetWindowTextA(control, text);
}

void PostCommand(WindowHandle window, int32_t commandId) {
    PostMessageA(static_cast<HWND>(window), WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}
