// The small platform services the core calls (the counter, control texts and posted commands), and the
// control lookup, dialog centring and modal dialogs that the shell files share.
#include "base/shell_services_win.h"

#include <cstring>

#include "base/platform.h"
#include "base/program.h"
#include "base/window_geometry.h"

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

bool eventTimeGiven = false;
uint32_t givenEventTime = 0;

}  // namespace

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

uint32_t ReadEventTime() {
    return eventTimeGiven ? givenEventTime : static_cast<uint32_t>(GetMessageTime());
}

void GiveEventTime(uint32_t eventTime) {
    eventTimeGiven = true;
    givenEventTime = eventTime;
}

void ForgetGivenEventTime() {
    eventTimeGiven = false;
}

uint32_t ReadEventTimeTick() {
    DWORD adjustment = 0;
    DWORD increment = 0;  // in units of 100 ns
    BOOL disabled = FALSE;
    if (GetSystemTimeAdjustment(&adjustment, &increment, &disabled) == FALSE || increment == 0) {
        return 1;
    }
    return (increment + 9999) / 10000;
}

bool IsKeyDown(int32_t code) {
    const int key = code == -5 ? VK_LBUTTON : code == -4 ? VK_MBUTTON : code == -3 ? VK_RBUTTON : code;
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

int64_t ReadPerformanceCounter() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

// The readouts are written after every key event, mostly with the text they already show: such a text is not
// set again. A new text is stored without the static control's own handling, which would repaint it at once,
// and the control is painted with the next WM_PAINT instead: as soon as the key event is handled, or once for
// a whole burst of events that come faster than the tester paints.
void SetControlText(WindowHandle window, int32_t controlId, const char* text) {
    HWND control = FindControl(static_cast<HWND>(window), controlId);
    char shown[kShownTextCapacity] = "";
    const int length = GetWindowTextA(control, shown, kShownTextCapacity);
    if (length < kShownTextCapacity - 1 && std::strcmp(shown, text) == 0) {
        return;
    }
    DefWindowProcA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    InvalidateRect(control, nullptr, FALSE);
}

void PostCommand(WindowHandle window, int32_t commandId) {
    PostMessageA(static_cast<HWND>(window), WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

void CenterDialog(HWND dialog, HWND owner) {
    RECT dialogRect;
    RECT ownerRect;
    GetWindowRect(dialog, &dialogRect);
    GetWindowRect(owner, &ownerRect);
    HDC dc = GetDC(dialog);
    const int screenWidth = GetDeviceCaps(dc, HORZRES);
    const int screenHeight = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(dialog, dc);
    int32_t x = 0;
    int32_t y = 0;
    CenterOver(
        {ownerRect.left, ownerRect.top, ownerRect.right - ownerRect.left, ownerRect.bottom - ownerRect.top},
        dialogRect.right - dialogRect.left, dialogRect.bottom - dialogRect.top, screenWidth, screenHeight, x,
        y);
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR RunModalDialog(const char* templateName, DLGPROC procedure, LPARAM start) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), templateName, static_cast<HWND>(program.mainWindow),
                           procedure, start);
}
