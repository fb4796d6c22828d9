// The cases of the system-key filter, the About box and help: /f with and without the hook library beside
// the tester, a Windows key and Print Screen tested as layout keys, the box ticked and unticked, the About
// box's version line and place, and the help error leaving the test as it was.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/host_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr const char* kNotAvailableCaption = "Error - Source not available";
constexpr const char* kNotAvailableText =
    "This option is not available on this computer.\nSee help on the data source for more details.\n";
constexpr int kAboutVersionLine = 1039;

const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {10, 10, 40, 40});
const LayoutKey kS = LetterKey('S', 31, "DQSTATUSUP", {60, 10, 40, 40});
const LayoutKey kWindowsKey =
    MakeKey("\"VK_LWIN\"", {VK_LWIN, 0x5B, true, "Win"}, "DQSTATUSUP", {110, 10, 40, 40});
const LayoutKey kPrintScreen =
    MakeKey("\"VK_SNAPSHOT\"", {VK_SNAPSHOT, 0x37, true, "PrtSc"}, "DQSTATUSUP", {160, 10, 40, 40});

LayoutFile SystemLayout() {
    return MakeLayoutFile("Sys", {kA, kS, kWindowsKey, kPrintScreen, SpaceKey({10, 60, 90, 40})});
}

// A key whose press and release both reach the tester: shown as pressed, then released, then passed.
std::vector<Step> KeyTested(const LayoutKey& key, const std::string& windowsCode) {
    return {PressKey({key.stroke}),
            ExpectControlText(IDC_LAST_PRESSED, key.stroke.label),
            ExpectControlText(IDC_WINDOWS_CODE, windowsCode),
            ExpectControlText(IDC_WINDOWS_EXTENDED, "E"),
            ReleaseKey({key.stroke}),
            ExpectControlText(IDC_LAST_RELEASED, key.stroke.label),
            ExpectKeyOverlay(key.place, kGreen)};
}

// The box clicked off and on again twice; each time keys go on being tested, and at the end each event of
// the Windows key arrives once.
std::vector<Step> TickedAndUnticked() {
    std::vector<Step> steps;
    for (int round = 0; round < 2; ++round) {
        steps = JoinSteps(
            steps, {ClickControl(IDC_FILTER_SYSTEM_KEYS), ExpectCheckState(IDC_FILTER_SYSTEM_KEYS, 0),
                    ExpectNoMessageBox(), TypeKey({kA.stroke}), ExpectControlText(IDC_LAST_RELEASED, "A"),
                    ClickControl(IDC_FILTER_SYSTEM_KEYS), ExpectCheckState(IDC_FILTER_SYSTEM_KEYS, 1),
                    ExpectNoMessageBox(), TypeKey({kS.stroke}), ExpectControlText(IDC_LAST_RELEASED, "S")});
    }
    return JoinSteps(steps, {ClickControl(IDC_CLEAR), ExpectControlText(IDC_STATUS_LINE, ""),
                             TypeKey({kWindowsKey.stroke}), ExpectControlText(IDC_LAST_RELEASED, "Win"),
                             Pause(300), ExpectControlText(IDC_STATUS_LINE, "Win ")});
}

// /f without the library where the tester loads it from: the message before the window, the box unticked,
// keys tested all the same.
std::vector<Step> FilterRefused() {
    return {ExpectDialog(kNotAvailableCaption),
            ExpectMainWindowNeverShown(),
            ExpectMessageBox(kNotAvailableCaption, kNotAvailableText),
            ExpectMainWindowShown(),
            ExpectCheckState(IDC_FILTER_SYSTEM_KEYS, 0),
            TypeKey({kA.stroke}),
            ExpectControlText(IDC_LAST_RELEASED, "A"),
            CloseMainWindow(),
            ExpectExit(0)};
}

std::vector<Step> AboutBoxAt(int x, int y) {
    return {MoveMainWindow(x, y),
            ClickControl(IDC_ABOUT),
            ExpectDialog(kAboutTitle),
            ExpectDialogText(kAboutTitle, kAboutVersionLine, "Dorvelquinta V2.2 Build: 1011"),
            ExpectDialogCentred(kAboutTitle),
            PressDialogKey(kAboutTitle, kEscapeStroke),
            ExpectDialogGone(kAboutTitle)};
}

std::vector<Step> AboutBox() {
    std::vector<Step> steps = {
        ExpectMainWindowShown(),
        ClickControl(IDC_ABOUT),
        ExpectDialog(kAboutTitle),
        ExpectDialogText(kAboutTitle, kAboutVersionLine, "Dorvelquinta V2.2 Build: 1011"),
        ExpectDialogCentred(kAboutTitle),
        ClickDialogButton(kAboutTitle, IDOK),
        ExpectDialogGone(kAboutTitle)};
    steps = JoinSteps(steps, AboutBoxAt(900, 800));
    steps = JoinSteps(steps, AboutBoxAt(-700, -600));
    return JoinSteps(steps, {TypeKey({kA.stroke}), ExpectControlText(IDC_LAST_RELEASED, "A"),
                             CloseMainWindow(), ExpectExit(0)});
}

// Alt+H with the help viewer disabled: the error, and the keys tested before stay as they were.
std::vector<Step> HelpFails() {
    return {ExpectMainWindowShown(),
            TypeKey({kA.stroke}),
            PressKey({kS.stroke}),
            ExpectControlText(IDC_LAST_PRESSED, "S"),
            ExpectControlText(IDC_STATUS_LINE, "S A "),
            ReleaseKey({kS.stroke}),
            ExpectKeyOverlay(kA.place, kGreen),
            PressKey({kAltKey}),
            TypeKey({Letter('H', 35)}),
            ReleaseKey({kAltKey}),
            ExpectMessageBox("错误", "Could not open the Dorvelquinta help file"),
            ExpectControlText(IDC_STATUS_LINE, "S A "),
            ExpectControlText(IDC_LAST_PRESSED, "S"),
            ExpectControlText(IDC_LAST_RELEASED, "S"),
            ExpectKeyOverlay(kA.place, kGreen),
            ExpectKeyOverlay(kS.place, kGreen),
            ExpectKeyPlain(kWindowsKey.place),
            CloseMainWindow(),
            ExpectExit(0)};
}

E2eCase FilterCase(const std::string& name, FilterPlace place, const std::vector<Step>& steps) {
    return {name, {SystemLayout()}, "/f", steps, "", 0, place};
}

}  // namespace

std::vector<E2eCase> ListSystemKeyCases() {
    return {
        FilterCase("system-keys-filter-at-start-and-ticking", FilterPlace::BesideTester,
                   JoinSteps(JoinSteps({ExpectMainWindowShown(), ExpectNoMessageBox(),
                                        ExpectCheckState(IDC_FILTER_SYSTEM_KEYS, 1)},
                                       JoinSteps(KeyTested(kWindowsKey, "91 (0x5b)"),
                                                 KeyTested(kPrintScreen, "44 (0x2c)"))),
                             JoinSteps(TickedAndUnticked(), {CloseMainWindow(), ExpectExit(0)}))),
        // 運 is DF 5C in GBK: a folder cut at the last 0x5C byte would lose the layouts and the library.
        {"system-keys-filter-beside-a-chinese-named-tester",
         {SystemLayout()},
         "/f",
         JoinSteps(
             {ExpectMainWindowShown(), ExpectNoMessageBox(), ExpectCheckState(IDC_FILTER_SYSTEM_KEYS, 1)},
             JoinSteps(KeyTested(kWindowsKey, "91 (0x5b)"), {CloseMainWindow(), ExpectExit(0)})),
         "",
         0,
         FilterPlace::BesideTester,
         "運行.exe"},
        FilterCase("system-keys-filter-missing", FilterPlace::None, FilterRefused()),
        FilterCase("system-keys-filter-in-current-folder-only", FilterPlace::CurrentFolder, FilterRefused()),
        {"system-keys-about-box", {SystemLayout()}, "", AboutBox()},
        {"system-keys-help-error", {SystemLayout()}, "", HelpFails()},
    };
}
