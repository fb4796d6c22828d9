// Sending keys and mouse buttons.
#include "tests/e2e/input_sender.h"

#include "tests/e2e/tester_controls.h"

namespace {

constexpr DWORD kFrontTimeoutMs = 2000;
constexpr DWORD kFrontPollMs = 10;

INPUT MakeKeyInput(const KeyStroke& key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key.virtualKey);
    input.ki.wScan = static_cast<WORD>(key.scanCode);
    input.ki.dwFlags = (key.extended ? KEYEVENTF_EXTENDEDKEY : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

DWORD MouseFlag(int button, bool up) {
    switch (button) {
        case kLeftButton:
            return up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
        case kMiddleButton:
            return up ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN;
        default:
            return up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN;
    }
}

// The absolute mouse coordinate of a screen pixel, 0 to 65535 across the screen.
LONG AbsoluteCoordinate(LONG pixel, int screenSize) {
    return (pixel * 65535 + screenSize / 2) / (screenSize - 1);
}

// The pointer's move to `screenPoint`.
INPUT MakeMoveInput(POINT screenPoint) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = AbsoluteCoordinate(screenPoint.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = AbsoluteCoordinate(screenPoint.y, GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

// In a Wine session just started, a click sent together with its move can come before the pointer is there:
// the pointer is moved first and the click waits until it has arrived.
void MovePointer(POINT screenPoint) {
    INPUT input = MakeMoveInput(screenPoint);
    SendInput(1, &input, sizeof input);
    const DWORD start = GetTickCount();
    POINT at = {};
    while (GetCursorPos(&at) && (at.x != screenPoint.x || at.y != screenPoint.y) &&
           GetTickCount() - start < kFrontTimeoutMs) {
        Sleep(10);
    }
}

}  // namespace

bool BringToFront(HWND window) {
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != window) {
        SetForegroundWindow(window);
        if (GetTickCount() - start >= kFrontTimeoutMs) {
            return false;
        }
        Sleep(kFrontPollMs);
    }
    return true;
}

void SendKey(const KeyStroke& key, bool up, DWORD time) {
    INPUT input = MakeKeyInput(key, up);
    input.ki.time = time;
    SendInput(1, &input, sizeof input);
}

void SendKeys(const std::vector<KeyStroke>& keys, bool up) {
    for (const KeyStroke& key : keys) {
        SendKey(key, up);
    }
}

LPARAM MakeKeyDownParam(const KeyStroke& key, int repeatCount) {
    DWORD value = static_cast<DWORD>(repeatCount & 0xFFFF) | static_cast<DWORD>(key.scanCode & 0xFF) << 16;
    if (key.extended) {
        value |= 1UL << 24;
    }
    return static_cast<LPARAM>(value);
}

bool ClickWithMouse(HWND window, HWND control) {
    RECT rect = {};
    if (!GetWindowRect(control, &rect) || !BringToFront(window)) {
        return false;
    }
    const POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    MovePointer(centre);
    SendMouseButton(centre, kLeftButton, false);
    SendMouseButton(centre, kLeftButton, true);
    return true;
}

void SendMouseButton(POINT screenPoint, int button, bool up) {
    INPUT inputs[2] = {MakeMoveInput(screenPoint), {}};
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MouseFlag(button, up);
    SendInput(2, inputs, sizeof inputs[0]);
}
