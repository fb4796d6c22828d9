// The cases of the LED test: its blinking leaves the readouts alone, and stopping it (the button, Alt+L,
// Clear or Exit) gives the lock keys back the toggles they had when it started. The buttons are clicked with
// the mouse, as by the operator, so that the clicks come after the key events of the last blink.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {10, 10, 40, 40});
// Caps Lock pressed by the operator carries its own scan code and is tested like any key.
const KeyStroke kCapsLock = {VK_CAPITAL, 0x3A, false, ""};

std::vector<Step> SetLocks(bool capsLock, bool numLock, bool scrollLock) {
    return {SetLock(VK_CAPITAL, capsLock), SetLock(VK_NUMLOCK, numLock), SetLock(VK_SCROLL, scrollLock)};
}

std::vector<Step> LedTest() {
    std::vector<Step> steps = {ExpectMainWindowShown()};
    for (const auto& part : {
             {TypeKey({kCapsLock, kCapsLock}), ExpectControlText(IDC_WINDOWS_CODE, "20 (0x14)"),
              ExpectControlText(IDC_BIOS_CODE, "58 (0x3a)")},
             SetLocks(true, false, false),
             {TypeKey({kA.stroke}), ExpectControlText(IDC_WINDOWS_CODE, "65 (0x41)"),
              MouseOnControl(IDC_LED_TEST), ExpectLedBlinking(),
              ExpectControlText(IDC_WINDOWS_CODE, "65 (0x41)"), ExpectControlText(IDC_STATUS_LINE, "A "),
              MouseOnControl(IDC_LED_TEST), ExpectLocks(true, false, false)},
             {MouseOnControl(IDC_LED_TEST), ExpectLedBlinking(), MouseOnControl(IDC_CLEAR),
              ExpectLocks(true, false, false)},
             SetLocks(false, true, true),
             {PressKey({kAltKey}), TypeKey({Letter('L', 38)}), ReleaseKey({kAltKey}), ExpectLedBlinking(),
              PressKey({kAltKey}), TypeKey({Letter('L', 38)}), ReleaseKey({kAltKey}),
              ExpectLocks(false, true, true), MouseOnControl(IDC_LED_TEST), ExpectLedBlinking(),
              MouseOnControl(IDC_EXIT), ExpectExit(0), ExpectLocks(false, true, true)},
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

}  // namespace

std::vector<E2eCase> ListLedCases() {
    return {
        {"led-test-restores-locks", {MakeLayoutFile("Leds", {kA})}, "", LedTest()},
    };
}
