// The cases of keys and mouse buttons in stand-alone mode: the readouts after presses and releases, keys
// outside the layout, repeat counts, the mouse buttons, the match mode and the Alt shortcuts.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

const LayoutKey kEsc = EscKey({10, 10, 40, 40});
const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {70, 10, 40, 40});
const LayoutKey kS = LetterKey('S', 31, "DQSTATUSUP", {130, 10, 40, 40});
const LayoutKey kSpace = SpaceKey({190, 10, 100, 40});
const LayoutKey kLeftCtrl =
    MakeKey("\"VK_CONTROL\"", {VK_CONTROL, 29, false, "LCtrl"}, "DQSTATUSUP", {10, 80, 60, 40});
const LayoutKey kRightCtrl =
    MakeKey("\"VK_CONTROL\"", {VK_CONTROL, 29, true, "RCtrl"}, "DQSTATUSUP", {90, 80, 60, 40});
const LayoutKey kAlt = MakeKey("\"VK_MENU\"", kAltKey, "DQSTATUSUP", {170, 80, 40, 40});
const LayoutKey kMouse = LeftMouseKey({320, 10, 40, 40});

// A key no layout of these cases holds.
const KeyStroke kG = Letter('G', 34);
// The A key as a keyboard whose A sends the scan code of S: matched as S by BIOS code, as A by Windows code.
const KeyStroke kAWithScanOfS = {'A', 31, false, "A"};
// A point of the picture where no key lies.
constexpr int kEmptyX = 500;
constexpr int kEmptyY = 200;

LayoutFile BenchLayout() {
    return MakeLayoutFile("Bench", {kEsc, kA, kS, kSpace, kLeftCtrl, kRightCtrl, kAlt, kMouse});
}

std::vector<Step> ReadoutsAfterReset() {
    return {ExpectControlText(kWindowsCode, "0 (0x0)"), ExpectControlText(kBiosCode, "0 (0x0)"),
            ExpectControlText(kLastPressed, "N/A"),     ExpectControlText(kLastReleased, "N/A"),
            ExpectControlText(kStatusLine, ""),         ExpectControlText(kTypingRate, "0.0")};
}

// Codes, labels, extended markers, hold and delay times and the status line as keys go down and up.
std::vector<Step> PressesAndReleases() {
    return {ExpectMainWindowShown(),
            PressKey({kA.stroke}),
            ExpectControlText(kLastPressed, "A"),
            ExpectControlText(kWindowsCode, "65 (0x41)"),
            ExpectControlText(kBiosCode, "30 (0x1e)"),
            ExpectControlText(kWindowsExtended, ""),
            ExpectControlText(kBiosExtended, ""),
            ExpectControlText(kStatusLine, "A "),
            ExpectControlText(kLastReleased, "N/A"),
            ExpectControlText(kDelayTime, "0ms"),
            ExpectControlText(kTypingRate, "0.0"),
            Pause(300),
            ReleaseKey({kA.stroke}),
            ExpectControlText(kLastReleased, "A"),
            ExpectControlValue(kHoldTime, 290, 3000, "ms"),
            TypeKey({kEsc.stroke}),
            ExpectControlText(kLastPressed, "Esc"),
            ExpectControlValue(kDelayTime, 290, 5000, "ms"),
            TypeKey({kSpace.stroke}),
            ExpectControlText(kStatusLine, "Space Esc A "),
            TypeKey({kRightCtrl.stroke}),
            ExpectControlText(kLastPressed, "RCtrl"),
            ExpectControlText(kWindowsCode, "17 (0x11)"),
            ExpectControlText(kBiosCode, "29 (0x1d)"),
            ExpectControlText(kWindowsExtended, "E"),
            ExpectControlText(kBiosExtended, "E"),
            TypeKey({kLeftCtrl.stroke}),
            ExpectControlText(kLastPressed, "LCtrl"),
            ExpectControlText(kWindowsExtended, ""),
            ExpectControlText(kStatusLine, "LCtrl RCtrl Space Esc A "),
            TypeKey({kG}),
            ExpectControlText(kWindowsCode, "71 (0x47)"),
            ExpectControlText(kBiosCode, "34 (0x22)"),
            ExpectControlText(kLastPressed, "LCtrl"),
            ExpectControlText(kLastReleased, "LCtrl"),
            ExpectControlText(kStatusLine, "LCtrl RCtrl Space Esc A ")};
}

// The typing rate over presses 250 ms apart, after Clear; keys are tested after the click.
std::vector<Step> TypingRate() {
    return JoinSteps(JoinSteps({ClickControl(kClearButton)}, ReadoutsAfterReset()),
                     {TypeKey({kA.stroke}), Pause(250), TypeKey({kS.stroke}), Pause(250),
                      TypeKey({kA.stroke}), Pause(250), TypeKey({kS.stroke}),
                      ExpectControlText(kStatusLine, "S A S A "), ExpectControlValue(kTypingRate, 2, 5, "")});
}

// A posted key-down with a repeat count, and auto-repeats while the key is held.
std::vector<Step> RepeatCounts() {
    return {ClickControl(kClearButton),
            ExpectControlText(kStatusLine, ""),
            PostKeyDown(kS.stroke, 3),
            ExpectControlText(kStatusLine, "S S S "),
            ExpectControlText(kLastPressed, "S"),
            PostKeyDown(kS.stroke, 1),
            ExpectControlText(kStatusLine, "S S S S "),
            ExpectControlText(kDelayTime, "0ms"),
            ReleaseKey({kS.stroke}),
            ExpectControlText(kLastReleased, "S")};
}

// The mouse buttons over the picture; only the left one has a key in the layout.
std::vector<Step> MouseButtons() {
    return {PressMouse(kLeftButton, kEmptyX, kEmptyY),   ExpectControlText(kWindowsCode, "LMOUSE"),
            ExpectControlText(kBiosCode, "LMOUSE"),      ExpectControlText(kWindowsExtended, "E"),
            ExpectControlText(kBiosExtended, "E"),       ExpectControlText(kLastPressed, "L"),
            ReleaseMouse(kLeftButton, kEmptyX, kEmptyY), ExpectControlText(kLastReleased, "L"),
            PressMouse(kRightButton, kEmptyX, kEmptyY),  ExpectControlText(kWindowsCode, "RMOUSE"),
            ExpectControlText(kBiosCode, "RMOUSE"),      ReleaseMouse(kRightButton, kEmptyX, kEmptyY),
            PressMouse(kMiddleButton, kEmptyX, kEmptyY), ExpectControlText(kWindowsCode, "MMOUSE"),
            ExpectControlText(kLastPressed, "L"),        ReleaseMouse(kMiddleButton, kEmptyX, kEmptyY)};
}

// Keys go to the layout list after the operator has clicked it open and closed it unchanged; a left click on
// the picture takes them back. After the filter box has been clicked (the filter cannot be had without its
// library) they come back by themselves.
std::vector<Step> FocusTakenBack() {
    return {MouseOnControl(kLayoutList),
            TypeKey({kEscapeStroke, kS.stroke}),
            PressMouse(kLeftButton, kEmptyX, kEmptyY),
            ReleaseMouse(kLeftButton, kEmptyX, kEmptyY),
            ExpectControlText(kLastReleased, "L"),
            ExpectControlText(kStatusLine, "L L S S S S "),
            TypeKey({kS.stroke}),
            ExpectControlText(kStatusLine, "S L L S S S S "),
            ClickControl(kFilterCheckBox),
            ExpectMessageBox(
                "Error - Source not available",
                "This option is not available on this computer.\nSee help on the data source for more "
                "details.\n"),
            ExpectCheckState(kFilterCheckBox, 0),
            TypeKey({kA.stroke}),
            ExpectControlText(kStatusLine, "A S L L S S S S ")};
}

std::vector<Step> MatchModeByRadioButtons() {
    return {ExpectMainWindowShown(),
            TypeKey({kAWithScanOfS}),
            ExpectControlText(kLastPressed, "S"),
            ClickControl(kMatchWindows),
            ExpectCheckState(kMatchWindows, 1),
            ExpectCheckState(kMatchBios, 0),
            TypeKey({kAWithScanOfS}),
            ExpectControlText(kLastPressed, "A"),
            ClickControl(kMatchBios),
            ExpectCheckState(kMatchBios, 1),
            TypeKey({kAWithScanOfS}),
            ExpectControlText(kStatusLine, "S A S ")};
}

// Alt then A opens the About box without testing A; Alt up then A tests A.
std::vector<Step> AltShortcuts() {
    return {PressKey({kAltKey}),
            PressKey({kA.stroke}),
            ExpectDialog(kAboutTitle),
            ExpectDialogCentred(kAboutTitle),
            ReleaseKey({kA.stroke, kAltKey}),
            ClickDialogButton(kAboutTitle, IDOK),
            ExpectDialogGone(kAboutTitle),
            ExpectControlText(kWindowsCode, "18 (0x12)"),
            ExpectControlText(kStatusLine, "Alt S A S "),
            TypeKey({kAltKey, kA.stroke}),
            ExpectControlText(kStatusLine, "A Alt Alt S A S "),
            PressKey({kAltKey}),
            TypeKey({Letter('C', 46)}),
            ReleaseKey({kAltKey}),
            ExpectControlText(kStatusLine, ""),
            ExpectControlText(kLastPressed, "N/A"),
            ExpectControlText(kWindowsCode, "0 (0x0)"),
            PressKey({kAltKey}),
            TypeKey({Letter('F', 33)}),
            ReleaseKey({kAltKey}),
            ExpectControlText(kWindowsCode, "70 (0x46)"),
            ExpectNoDialog(kFailReasonTitle),
            TypeKey({kF10Key, kS.stroke}),
            ExpectControlText(kStatusLine, "S Alt "),
            TypeKey({{VK_BROWSER_BACK, 0x6A, true, ""}}),
            ExpectControlText(kWindowsCode, "166 (0xa6)"),
            ExpectControlText(kWindowsExtended, "E"),
            ExpectAppCommandAnswered(),
            PressKey({kAltKey, kF4Key}),
            ExpectExit(0)};
}

}  // namespace

std::vector<E2eCase> ListKeyCases() {
    return {
        {"keys-readouts",
         {BenchLayout()},
         "",
         JoinSteps(JoinSteps(JoinSteps(PressesAndReleases(), TypingRate()),
                             JoinSteps(JoinSteps(RepeatCounts(), MouseButtons()), FocusTakenBack())),
                   {CloseMainWindow(), ExpectExit(0)})},
        {"keys-match-mode-and-alt-shortcuts",
         {BenchLayout()},
         "",
         JoinSteps(MatchModeByRadioButtons(), AltShortcuts())},
    };
}
