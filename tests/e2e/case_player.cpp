// The script player: lays out a case's folder, starts the tester there and hands each step to the player of
// its subject.
#include "tests/e2e/case_player.h"

#include <windows.h>

#include "tests/e2e/case_folder.h"
#include "tests/e2e/case_setup.h"
#include "tests/e2e/player_session.h"
#include "tests/e2e/step_players.h"
#include "tests/e2e/tester_controls.h"

namespace {

// The steps that need the main window, with the player of their subject.
std::string PlayMainWindowStep(Session& session, const Step& step) {
    HWND mainWindow = FindMainWindow(session);
    if (mainWindow == nullptr) {
        return "expected the main window; saw " + DescribeWait(session);
    }
    switch (step.kind) {
        case StepKind::PressKey:
        case StepKind::ReleaseKey:
        case StepKind::TypeKey:
        case StepKind::PostKeyDown:
        case StepKind::PressMouse:
        case StepKind::ReleaseMouse:
        case StepKind::ClickControl:
        case StepKind::MouseOnControl:
        case StepKind::ChooseLayout:
        case StepKind::SetClientSize:
        case StepKind::RepaintWindow:
            return PlayInputStep(session, mainWindow, step);
        case StepKind::ExpectPictureColour:
        case StepKind::ExpectButtonRow:
        case StepKind::ExpectKeyOverlay:
        case StepKind::ExpectKeyPlain:
        case StepKind::ExpectOverlayOnTop:
            return PlayPictureStep(session, mainWindow, step);
        case StepKind::MeasureSpeed:
            return PlaySpeedStep(session, mainWindow, step);
        case StepKind::Soak:
            return PlaySoakStep(session, mainWindow, step);
        case StepKind::MoveMainWindow:
            return PlayMoveStep(mainWindow, step);
        default:
            return PlayControlStep(session, mainWindow, step);
    }
}

std::string PlayStep(Session& session, const Step& step) {
    switch (step.kind) {
        case StepKind::ExpectMessageBox:
        case StepKind::ExpectNoMessageBox:
        case StepKind::ExpectMainWindowShown:
        case StepKind::ExpectShownWithin:
        case StepKind::ExpectMainWindowNeverShown:
        case StepKind::ExpectExit:
            return PlayStartupStep(session, step);
        case StepKind::Pause:
            Sleep(static_cast<DWORD>(step.number));
            return "";
        case StepKind::ExpectDialog:
        case StepKind::ExpectNoDialog:
        case StepKind::ExpectDialogGone:
        case StepKind::SetDialogText:
        case StepKind::ClickDialogButton:
        case StepKind::MouseOnDialogButton:
        case StepKind::PressDialogKey:
        case StepKind::ExpectDialogText:
        case StepKind::ExpectDialogCheck:
        case StepKind::ExpectDialogCentred:
            return PlayDialogStep(session, step);
        case StepKind::ExpectLogFile:
        case StepKind::ExpectLogLineCount:
        case StepKind::ExpectLogPrefixes:
        case StepKind::ExpectNoFile:
        case StepKind::KillTester:
        case StepKind::SetLock:
        case StepKind::ExpectLedBlinking:
        case StepKind::ExpectLocks:
            return PlayRecordStep(session, step);
        case StepKind::ExpectHostBytes:
        case StepKind::SetRunFlag:
        case StepKind::ExpectEndWithin:
            return PlayHostStep(session, step);
        default:
            return PlayMainWindowStep(session, step);
    }
}

std::string PlayScript(Session& session, const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
        const std::string failure = PlayStep(session, steps[i]);
        if (!failure.empty()) {
            return "step " + std::to_string(i + 1) + ": " + failure;
        }
    }
    return HasEnded(session) ? "" : "the tester still runs after the last step";
}

}  // namespace

std::string PlayCase(const E2eCase& e2eCase, const CaseSetting& setting) {
    Session session;
    session.folder = JoinPath(setting.scratchFolder, e2eCase.name);
    if (!MakeEmptyFolder(session.folder)) {
        return "cannot make the folder " + session.folder;
    }
    const std::string tester = JoinPath(session.folder, kTesterFileName);
    if (!CopyFileA(setting.testerPath.c_str(), tester.c_str(), FALSE)) {
        return "cannot copy " + setting.testerPath + " to " + tester;
    }
    std::string failure;
    if (!WriteLayoutFiles(session.folder, e2eCase.files, failure) ||
        !PrepareCaseSetting(e2eCase, setting, session, failure) || !SwitchLocksOff(session, failure) ||
        !StartTarget(tester, FillFolder(e2eCase.arguments, session.folder), setting.currentFolder,
                     session.target, failure)) {
        ReleaseCaseSetting(e2eCase, setting, session);
        return failure;
    }
    failure = PlayScript(session, e2eCase.steps);
    StopTarget(session.target);
    ReleaseCaseSetting(e2eCase, setting, session);
    if (failure.empty()) {
        DeleteFolder(session.folder);
    }
    return failure;
}
