// The LED test. Its synthetic presses carry scan code 0xFF, by which key processing recognises and drops
// them.
#include "engine/led_test_win.h"

#include "base/key_codes.h"
#include "base/program.h"
#include "engine/engine_shell.h"
#include "engine/key_events.h"
#include "engine/test_state.h"
#include "resources/resource_ids.h"

bool ledTestRunning = false;

namespace {

constexpr UINT kLedPeriodMs = 500;

BYTE savedKeyState[256];
BYTE ledPhase = 0;  // 0: the next tick switches the lights on; never reset, so a new test goes on from here
BYTE keyboardLocks[256];  // the keyboard state as the keyboard under test found it

void SetLockState(bool on, BYTE virtualKey) {
    BYTE state[256];
    GetKeyboardState(state);
    if (((state[virtualKey] & 1) != 0) != on) {
        keybd_event(virtualKey, kSyntheticScan, KEYEVENTF_EXTENDEDKEY, 0);
        keybd_event(virtualKey, kSyntheticScan, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP, 0);
    }
}

void SetAllLocks(bool on) {
    SetLockState(on, VK_CAPITAL);
    SetLockState(on, VK_SCROLL);
    SetLockState(on, VK_NUMLOCK);
}

// The presses the last tick sent may still wait in the queue, and the keyboard state changes only as they are
// taken from it: they are taken first, so that the restore reads the lights as they will be. Nothing else is
// taken.
void TakeOwnPendingPresses() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYUP, PM_NOREMOVE) &&
           IsLedTestPress(static_cast<int32_t>(message.wParam), (message.lParam >> 16) & 0xFF)) {
        PeekMessageA(&message, message.hwnd, message.message, message.message, PM_REMOVE);
    }
}

// A lock was on when the test started if its toggle bit was set; the pressed bit does not count.
bool WasOn(BYTE virtualKey) {
    return (savedKeyState[virtualKey] & 1) != 0;
}

}  // namespace

void StartLedTest(HWND window) {
    SetTimer(window, LED_TEST_TIMER, kLedPeriodMs, nullptr);
    ledTestRunning = true;
    testState.ledTestStarted = true;
    GetKeyboardState(savedKeyState);
}

void SaveKeyboardLocks() {
    GetKeyboardState(keyboardLocks);
}

void RestoreKeyboardLocks() {
    TakeOwnPendingPresses();
    SetLockState((keyboardLocks[VK_NUMLOCK] & 1) != 0, VK_NUMLOCK);
    SetLockState((keyboardLocks[VK_CAPITAL] & 1) != 0, VK_CAPITAL);
    SetLockState((keyboardLocks[VK_SCROLL] & 1) != 0, VK_SCROLL);
}

void LedTick() {
    if (!ledTestRunning) {
        return;
    }
    SetAllLocks(ledPhase == 0);
    ledPhase = ledPhase == 0 ? 1 : 0;
}

void StopLedTest() {
    if (!ledTestRunning) {
        return;
    }
    KillTimer(static_cast<HWND>(program.mainWindow), LED_TEST_TIMER);
    TakeOwnPendingPresses();
    SetLockState(WasOn(VK_NUMLOCK), VK_NUMLOCK);
    SetLockState(WasOn(VK_CAPITAL), VK_CAPITAL);
    SetLockState(WasOn(VK_SCROLL), VK_SCROLL);
    ledTestRunning = false;
}
