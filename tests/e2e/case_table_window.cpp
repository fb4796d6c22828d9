// The cases of the main window in stand-alone mode: the button row and the picture at several sizes, the
// overlays at the places the picture's scale gives, switching layouts through the list, and the ways the
// window ends the program.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr int kStandAloneSlots = 5;

// The A key sits where a client width of 895 (a picture 875 pixels wide, scale 1.25) puts it at
// (125, 62)-(175, 112).
const LayoutKey kEsc = EscKey({10, 10, 40, 40});
const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {100, 50, 40, 40});
const LayoutKey kN = LetterKey('N', 49, "DQSTATUSNOTEST", {200, 50, 40, 40});
const LayoutKey kMouse = LeftMouseKey({300, 50, 40, 40});
// The same key at two places: presses light them in turn.
const LayoutKey kFirstD = LetterKey('D', 32, "DQSTATUSUP", {10, 120, 40, 40});
const LayoutKey kSecondD = LetterKey('D', 32, "DQSTATUSUP", {70, 120, 40, 40});
// The A key of a second layout, elsewhere and labelled otherwise.
const LayoutKey kOtherA = MakeKey("'A'", {'A', 30, false, "a2"}, "DQSTATUSUP", {400, 200, 60, 40});

LayoutFile BenchLayout() {
    return MakeLayoutFile("Bench", {kEsc, kA, kN, kMouse, kFirstD, kSecondD});
}

std::vector<Step> ButtonRowAtSizes() {
    return {ExpectMainWindowShown(),
            ExpectButtonRow(kStandAloneSlots),
            SetClientSize(800, 560),
            ExpectButtonRow(kStandAloneSlots),
            SetClientSize(801, 560),
            ExpectButtonRow(kStandAloneSlots),
            SetClientSize(299, 400),
            ExpectButtonRow(kStandAloneSlots),
            SetClientSize(895, 600),
            ExpectButtonRow(kStandAloneSlots),
            ExpectPictureColour(kPictureColour)};
}

std::vector<Step> OverlaysAtScale() {
    return {ExpectKeyOverlay(kN.place, kAmber),
            ExpectKeyPlain(kA.place),
            PressKey({kA.stroke}),
            ExpectKeyOverlay(kA.place, kRed),
            ReleaseKey({kA.stroke}),
            ExpectKeyOverlay(kA.place, kGreen),
            ExpectKeyPlain(kEsc.place),
            PressMouse(kLeftButton, 500, 250),
            ExpectKeyOverlay(kMouse.place, kRed),
            ReleaseMouse(kLeftButton, 500, 250),
            ExpectKeyOverlay(kMouse.place, kGreen),
            TypeKey({kN.stroke}),
            ExpectControlText(IDC_LAST_RELEASED, "N"),
            ExpectKeyOverlay(kN.place, kAmber),
            TypeKey({kFirstD.stroke}),
            ExpectKeyOverlay(kFirstD.place, kGreen),
            ExpectKeyPlain(kSecondD.place),
            TypeKey({kFirstD.stroke}),
            ExpectKeyOverlay(kSecondD.place, kGreen),
            PressKey({kFirstD.stroke}),
            ExpectKeyOverlay(kFirstD.place, kRed),
            ReleaseKey({kFirstD.stroke}),
            ExpectKeyOverlay(kFirstD.place, kGreen)};
}

std::vector<Step> LayoutSwitching() {
    return {ExpectMainWindowShown(),
            ExpectSelectedLayout("Bench"),
            TypeKey({kA.stroke}),
            ExpectKeyOverlay(kA.place, kGreen),
            ChooseLayout("Other"),
            ExpectSelectedLayout("Other"),
            ExpectControlText(IDC_LAST_PRESSED, "N/A"),
            ExpectControlText(IDC_STATUS_LINE, ""),
            ExpectKeyPlain(kA.place),
            TypeKey({kOtherA.stroke}),
            ExpectControlText(IDC_LAST_PRESSED, "a2"),
            ExpectKeyOverlay(kOtherA.place, kGreen),
            ChooseLayout("Bench"),
            ExpectControlText(IDC_LAST_PRESSED, "N/A"),
            ExpectKeyPlain(kOtherA.place),
            TypeKey({kA.stroke}),
            ExpectControlText(IDC_LAST_PRESSED, "A"),
            ClickControl(IDC_EXIT),
            ExpectExit(0)};
}

}  // namespace

std::vector<E2eCase> ListWindowCases() {
    return {
        {"window-row-and-overlays",
         {BenchLayout()},
         "",
         JoinSteps(JoinSteps(ButtonRowAtSizes(), OverlaysAtScale()), {CloseMainWindow(), ExpectExit(0)})},
        {"window-layout-switch-and-exit-button",
         {BenchLayout(), MakeLayoutFile("Other", {kOtherA})},
         "",
         LayoutSwitching()},
    };
}
