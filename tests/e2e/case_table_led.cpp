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
             {TypeKey({kCapsLock, kCapsLock}), ExpectControlText(kWindowsCode, "20 (0x14)"),
              ExpectControlText(kBiosCode, "58 (0x3a)")},
             SetLocks(true, false, false),
             {TypeKey({kA.stroke}), ExpectControlText(kWindowsCode, "65 (0x41)"), MouseOnControl(kLedButton),
              ExpectLedBlinking(), ExpectControlText(kWindowsCode, "65 (0x41)"),
              ExpectControlText(kStatusLine, "A "), MouseOnControl(kLedButton),
              ExpectLocks(true, false, false)},
             {MouseOnControl(kLedButton), ExpectLedBlinking(), MouseOnControl(kClearButton),
              ExpectLocks(true, false, false)},
             SetLocks(false, true, true),
             {PressKey({kAltKey}), TypeKey({Letter('L', 38)}), ReleaseKey({kAltKey}), ExpectLedBlinking(),
              PressKey({kAltKey}), TypeKey({Letter('L', 38)}), ReleaseKey({kAltKey}),
              ExpectLocks(false, true, true), MouseOnControl(kLedButton), ExpectLedBlinking(),
              MouseOnControl(kExitButton), ExpectExit(0), ExpectLocks(false, true, true)},
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
