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
    return {ExpectControlText(IDC_WINDOWS_CODE, "0 (0x0)"), ExpectControlText(IDC_BIOS_CODE, "0 (0x0)"),
            ExpectControlText(IDC_LAST_PRESSED, "N/A"),     ExpectControlText(IDC_LAST_RELEASED, "N/A"),
            ExpectControlText(IDC_STATUS_LINE, ""),         ExpectControlText(IDC_TYPING_RATE, "0.0")};
}

// Codes, labels, extended markers, hold and delay times and the status line as keys go down and up.
std::vector<Step> PressesAndReleases() {
    return {ExpectMainWindowShown(),
            PressKey({kA.stroke}),
            ExpectControlText(IDC_LAST_PRESSED, "A"),
            ExpectControlText(IDC_WINDOWS_CODE, "65 (0x41)"),
            ExpectControlText(IDC_BIOS_CODE, "30 (0x1e)"),
            ExpectControlText(IDC_WINDOWS_EXTENDED, ""),
            ExpectControlText(IDC_BIOS_EXTENDED, ""),
            ExpectControlText(IDC_STATUS_LINE, "A "),
            ExpectControlText(IDC_LAST_RELEASED, "N/A"),
            ExpectControlText(IDC_DELAY_TIME, "0ms"),
            ExpectControlText(IDC_TYPING_RATE, "0.0"),
            Pause(300),
            ReleaseKey({kA.stroke}),
            ExpectControlText(IDC_LAST_RELEASED, "A"),
            ExpectControlValue(IDC_HOLD_TIME, 290, 3000, "ms"),
            TypeKey({kEsc.stroke}),
            ExpectControlText(IDC_LAST_PRESSED, "Esc"),
            ExpectControlValue(IDC_DELAY_TIME, 290, 5000, "ms"),
            TypeKey({kSpace.stroke}),
            ExpectControlText(IDC_STATUS_LINE, "Space Esc A "),
            TypeKey({kRightCtrl.stroke}),
            ExpectControlText(IDC_LAST_PRESSED, "RCtrl"),
            ExpectControlText(IDC_WINDOWS_CODE, "17 (0x11)"),
            ExpectControlText(IDC_BIOS_CODE, "29 (0x1d)"),
            ExpectControlText(IDC_WINDOWS_EXTENDED, "E"),
            ExpectControlText(IDC_BIOS_EXTENDED, "E"),
            TypeKey({kLeftCtrl.stroke}),
            ExpectControlText(IDC_LAST_PRESSED, "LCtrl"),
            ExpectControlText(IDC_WINDOWS_EXTENDED, ""),
            ExpectControlText(IDC_STATUS_LINE, "LCtrl RCtrl Space Esc A "),
            TypeKey({kG}),
            ExpectControlText(IDC_WINDOWS_CODE, "71 (0x47)"),
            ExpectControlText(IDC_BIOS_CODE, "34 (0x22)"),
            ExpectControlText(IDC_LAST_PRESSED, "LCtrl"),
            ExpectControlText(IDC_LAST_RELEASED, "LCtrl"),
            ExpectControlText(IDC_STATUS_LINE, "LCtrl RCtrl Space Esc A ")};
}

// The typing rate over presses 250 ms apart, after Clear; keys are tested after the click.
std::vector<Step> TypingRate() {
    return JoinSteps(
        JoinSteps({ClickControl(IDC_CLEAR)}, ReadoutsAfterReset()),
        {TypeKey({kA.stroke}), Pause(250), TypeKey({kS.stroke}), Pause(250), TypeKey({kA.stroke}), Pause(250),
         TypeKey({kS.stroke}), ExpectControlText(IDC_STATUS_LINE, "S A S A "),
         ExpectControlValue(IDC_TYPING_RATE, 2, 5, "")});
}

// A posted key-down with a repeat count, and auto-repeats while the key is held.
std::vector<Step> RepeatCounts() {
    return {ClickControl(IDC_CLEAR),
            ExpectControlText(IDC_STATUS_LINE, ""),
            PostKeyDown(kS.stroke, 3),
            ExpectControlText(IDC_STATUS_LINE, "S S S "),
            ExpectControlText(IDC_LAST_PRESSED, "S"),
            PostKeyDown(kS.stroke, 1),
            ExpectControlText(IDC_STATUS_LINE, "S S S S "),
            ExpectControlText(IDC_DELAY_TIME, "0ms"),
            ReleaseKey({kS.stroke}),
            ExpectControlText(IDC_LAST_RELEASED, "S")};
}

// The mouse buttons over the picture; only the left one has a key in the layout.
std::vector<Step> MouseButtons() {
    return {PressMouse(kLeftButton, kEmptyX, kEmptyY),   ExpectControlText(IDC_WINDOWS_CODE, "LMOUSE"),
            ExpectControlText(IDC_BIOS_CODE, "LMOUSE"),  ExpectControlText(IDC_WINDOWS_EXTENDED, "E"),
            ExpectControlText(IDC_BIOS_EXTENDED, "E"),   ExpectControlText(IDC_LAST_PRESSED, "L"),
            ReleaseMouse(kLeftButton, kEmptyX, kEmptyY), ExpectControlText(IDC_LAST_RELEASED, "L"),
            PressMouse(kRightButton, kEmptyX, kEmptyY),  ExpectControlText(IDC_WINDOWS_CODE, "RMOUSE"),
            ExpectControlText(IDC_BIOS_CODE, "RMOUSE"),  ReleaseMouse(kRightButton, kEmptyX, kEmptyY),
            PressMouse(kMiddleButton, kEmptyX, kEmptyY), ExpectControlText(IDC_WINDOWS_CODE, "MMOUSE"),
            ExpectControlText(IDC_LAST_PRESSED, "L"),    ReleaseMouse(kMiddleButton, kEmptyX, kEmptyY)};
}

// Keys go to the layout list after the operator has clicked it open and closed it unchanged; a left click on
// the picture takes them back. After the filter box has been clicked (the filter cannot be had without its
// library) they come back by themselves.
std::vector<Step> FocusTakenBack() {
    return {MouseOnControl(IDC_LAYOUT_LIST),
            TypeKey({kEscapeStroke, kS.stroke}),
            PressMouse(kLeftButton, kEmptyX, kEmptyY),
            ReleaseMouse(kLeftButton, kEmptyX, kEmptyY),
            ExpectControlText(IDC_LAST_RELEASED, "L"),
            ExpectControlText(IDC_STATUS_LINE, "L L S S S S "),
            TypeKey({kS.stroke}),
            ExpectControlText(IDC_STATUS_LINE, "S L L S S S S "),
            ClickControl(IDC_FILTER_SYSTEM_KEYS),
            ExpectMessageBox(
                "Error - Source not available",
                "This option is not available on this computer.\nSee help on the data source for more "
                "details.\n"),
            ExpectCheckState(IDC_FILTER_SYSTEM_KEYS, 0),
            TypeKey({kA.stroke}),
            ExpectControlText(IDC_STATUS_LINE, "A S L L S S S S ")};
}

std::vector<Step> MatchModeByRadioButtons() {
    return {ExpectMainWindowShown(),
            TypeKey({kAWithScanOfS}),
            ExpectControlText(IDC_LAST_PRESSED, "S"),
            ClickControl(IDC_MATCH_WINDOWS),
            ExpectCheckState(IDC_MATCH_WINDOWS, 1),
            ExpectCheckState(IDC_MATCH_BIOS, 0),
            TypeKey({kAWithScanOfS}),
            ExpectControlText(IDC_LAST_PRESSED, "A"),
            ClickControl(IDC_MATCH_BIOS),
            ExpectCheckState(IDC_MATCH_BIOS, 1),
            TypeKey({kAWithScanOfS}),
            ExpectControlText(IDC_STATUS_LINE, "S A S ")};
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
            ExpectControlText(IDC_WINDOWS_CODE, "18 (0x12)"),
            ExpectControlText(IDC_STATUS_LINE, "Alt S A S "),
            TypeKey({kAltKey, kA.stroke}),
            ExpectControlText(IDC_STATUS_LINE, "A Alt Alt S A S "),
            PressKey({kAltKey}),
            TypeKey({Letter('C', 46)}),
            ReleaseKey({kAltKey}),
            ExpectControlText(IDC_STATUS_LINE, ""),
            ExpectControlText(IDC_LAST_PRESSED, "N/A"),
            ExpectControlText(IDC_WINDOWS_CODE, "0 (0x0)"),
            PressKey({kAltKey}),
            TypeKey({Letter('F', 33)}),
            ReleaseKey({kAltKey}),
            ExpectControlText(IDC_WINDOWS_CODE, "70 (0x46)"),
            ExpectNoDialog(kFailReasonTitle),
            TypeKey({kF10Key, kS.stroke}),
            ExpectControlText(IDC_STATUS_LINE, "S Alt "),
            TypeKey({{VK_BROWSER_BACK, 0x6A, true, ""}}),
            ExpectControlText(IDC_WINDOWS_CODE, "166 (0xa6)"),
            ExpectControlText(IDC_WINDOWS_EXTENDED, "E"),
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
