// The script player: lays out a case's folder, starts the tester there and hands each step to the player of
// its kind.
#include "tests/e2e/case_player.h"

#include <windows.h>

#include "tests/e2e/case_folder.h"
#include "tests/e2e/case_setup.h"
#include "tests/e2e/line_server.h"
#include "tests/e2e/player_session.h"
#include "tests/e2e/step_players.h"
#include "tests/e2e/tester_controls.h"

namespace {

// A player that needs the main window.
using MainWindowPlayer = std::string (*)(Session& session, HWND mainWindow, const Step& step);

std::string PlayOnMainWindow(Session& session, const Step& step, MainWindowPlayer player) {
    HWND mainWindow = FindMainWindow(session);
    if (mainWindow == nullptr) {
        return "expected the main window; saw " + DescribeWait(session);
    }
    return player(session, mainWindow, step);
}

// Every kind of step is listed, with no default: a kind left out does not build (-Werror=switch).
std::string PlayStep(Session& session, const Step& step) {
    switch (step.kind) {
        case StepKind::ExpectMessageBox:
        case StepKind::ExpectMessageBoxHolding:
            return PlayMessageBox(session, step);
        case StepKind::ExpectNoMessageBox:
            return PlayNoMessageBox(session);
        case StepKind::ExpectMainWindowShown:
            return PlayMainWindowShown(session);
        case StepKind::ExpectShownWithin:
            return PlayMainWindowShownWithin(session, step);
        case StepKind::ExpectMainWindowNeverShown:
            return PlayMainWindowNeverShown(session);
        case StepKind::ExpectTitle:
            return PlayOnMainWindow(session, step, PlayTitle);
        case StepKind::ExpectControlText:
            return PlayOnMainWindow(session, step, PlayControlText);
        case StepKind::ExpectControlValue:
            return PlayOnMainWindow(session, step, PlayControlValue);
        case StepKind::ExpectHexControlText:
            return PlayOnMainWindow(session, step, PlayHexControlText);
        case StepKind::ExpectCheckState:
            return PlayOnMainWindow(session, step, PlayCheckState);
        case StepKind::ExpectLayoutNames:
            return PlayOnMainWindow(session, step, PlayLayoutNames);
        case StepKind::ExpectLayoutCount:
            return PlayOnMainWindow(session, step, PlayLayoutCount);
        case StepKind::ExpectSelectedIndex:
            return PlayOnMainWindow(session, step, PlaySelectedIndex);
        case StepKind::ExpectSelectedLayout:
            return PlayOnMainWindow(session, step, PlaySelectedLayout);
        case StepKind::ExpectAppCommandAnswered:
            return PlayOnMainWindow(session, step, PlayAppCommand);
        case StepKind::CloseMainWindow:
            return PlayOnMainWindow(session, step, PlayCloseMainWindow);
        case StepKind::ExpectExit:
            return PlayExit(session, step);
        case StepKind::PressKey:
        case StepKind::ReleaseKey:
        case StepKind::TypeKey:
            return PlayOnMainWindow(session, step, PlayKeys);
        case StepKind::PostKeyDown:
            return PlayOnMainWindow(session, step, PlayPostedKeyDown);
        case StepKind::PressMouse:
        case StepKind::ReleaseMouse:
            return PlayOnMainWindow(session, step, PlayMouse);
        case StepKind::ClickControl:
            return PlayOnMainWindow(session, step, PlayClickControl);
        case StepKind::SendCommand:
            return PlayOnMainWindow(session, step, PlaySendCommand);
        case StepKind::MouseOnControl:
            return PlayOnMainWindow(session, step, PlayMouseOnControl);
        case StepKind::ChooseLayout:
            return PlayOnMainWindow(session, step, PlayChooseLayout);
        case StepKind::SetClientSize:
            return PlayOnMainWindow(session, step, PlayClientSize);
        case StepKind::RepaintWindow:
            return PlayOnMainWindow(session, step, PlayRepaint);
        case StepKind::Pause:
            Sleep(static_cast<DWORD>(step.number));
            return "";
        case StepKind::ExpectSettled:
            return PlayOnMainWindow(session, step, PlaySettled);
        case StepKind::ExpectPictureColour:
            return PlayOnMainWindow(session, step, PlayPictureColour);
        case StepKind::ExpectPanelColour:
            return PlayOnMainWindow(session, step, PlayPanelColour);
        case StepKind::ExpectButtonRow:
            return PlayOnMainWindow(session, step, PlayButtonRow);
        case StepKind::ExpectKeyOverlay:
            return PlayOnMainWindow(session, step, PlayKeyOverlay);
        case StepKind::ExpectKeyPlain:
            return PlayOnMainWindow(session, step, PlayKeyPlain);
        case StepKind::ExpectOverlayOnTop:
            return PlayOnMainWindow(session, step, PlayOverlayOnTop);
        case StepKind::ExpectDialog:
            return PlayDialog(session, step);
        case StepKind::ExpectNoDialog:
            return PlayNoDialog(session, step);
        case StepKind::ExpectDialogGone:
            return PlayDialogGone(session, step);
        case StepKind::SetDialogText:
            return PlaySetDialogText(session, step);
        case StepKind::ClickDialogButton:
            return PlayClickDialogButton(session, step);
        case StepKind::MouseOnDialogButton:
            return PlayMouseOnDialogButton(session, step);
        case StepKind::PressDialogKey:
            return PlayPressDialogKey(session, step);
        case StepKind::ExpectDialogText:
            return PlayDialogText(session, step);
        case StepKind::ExpectDialogCheck:
            return PlayDialogCheck(session, step);
        case StepKind::ExpectDialogCentred:
            return PlayDialogCentred(session, step);
        case StepKind::ExpectLogFile:
            return PlayLogFile(session, step);
        case StepKind::ExpectLogLineCount:
        case StepKind::ExpectLogPrefixes:
            return PlayLogLineCount(session, step);
        case StepKind::ExpectNoFile:
            return PlayNoFile(session, step);
        case StepKind::KillTester:
            return PlayKill(session);
        case StepKind::SetLock:
            return PlaySetLock(session, step);
        case StepKind::ExpectLedBlinking:
            return PlayLedBlinking(session);
        case StepKind::ExpectLocks:
            return PlayLocks(session, step);
        case StepKind::MeasureSpeed:
            return PlayOnMainWindow(session, step, PlaySpeedStep);
        case StepKind::Soak:
            return PlayOnMainWindow(session, step, PlaySoakStep);
        case StepKind::ExpectHostBytes:
            return PlayHostBytes(session, step);
        case StepKind::SetRunFlag:
            return PlayRunFlag(session, step);
        case StepKind::SendTimedKeys:
            return PlayOnMainWindow(session, step, PlayTimedKeys);
        case StepKind::ExpectKeysElsewhere:
            return PlayKeysElsewhere(session, step);
        case StepKind::ExpectEndWithin:
            return PlayEndWithin(session, step);
        case StepKind::MoveMainWindow:
            return PlayOnMainWindow(session, step, PlayMoveMainWindow);
        case StepKind::StartLine:
            return PlayStartLine(session);
        case StepKind::StopLine:
            return PlayStopLine(session);
        case StepKind::ExpectLineRecords:
            return PlayLineRecords(session, step);
        case StepKind::RestartTester:
            return PlayRestartTester(session);
    }
    return "the step's kind " + std::to_string(static_cast<int>(step.kind)) + " is none the driver knows";
}

// The file name, without its folder, and the line where `step` is written.
std::string WhereWritten(const Step& step) {
    const std::string file = step.writtenAt.file;
    return file.substr(file.find_last_of("/\\") + 1) + ":" + std::to_string(step.writtenAt.line);
}

std::string PlayScript(Session& session, const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
        const std::string failure = PlayStep(session, steps[i]);
        if (!failure.empty()) {
            return WhereWritten(steps[i]) + " (step " + std::to_string(i + 1) + "): " + failure;
        }
    }
    return HasEnded(session) ? "" : "the tester still runs after the last step";
}

}  // namespace

std::string PlayCase(const E2eCase& e2eCase, const CaseSetting& setting) {
    Session session;
    session.folder = JoinPath(setting.scratchFolder, e2eCase.name);
    session.currentFolder = session.folder + ".elsewhere";
    for (const std::string& folder : {session.folder, session.currentFolder}) {
        if (!MakeEmptyFolder(folder)) {
            return "cannot make the folder " + folder;
        }
    }
    session.testerPath =
        JoinPath(session.folder, e2eCase.testerName.empty() ? kTesterFileName : e2eCase.testerName);
    session.arguments = FillFolder(e2eCase.arguments, session.folder);
    if (!CopyFileA(setting.testerPath.c_str(), session.testerPath.c_str(), FALSE)) {
        return "cannot copy " + setting.testerPath + " to " + session.testerPath;
    }
    std::vector<LayoutFile> files = e2eCase.files;
    if (e2eCase.lineServer) {
        session.linePort = ChooseLinePort();
        for (LayoutFile& file : files) {
            file.text = FillPort(file.text, session.linePort);
        }
    }
    std::string failure;
    if (!WriteLayoutFiles(session.folder, files, failure) ||
        !WriteLayoutFiles(session.currentFolder, ListDecoyFiles(), failure) ||
        !PrepareCaseSetting(e2eCase, setting, session, failure) || !SwitchLocksOff(session, failure) ||
        !StartTarget(session.testerPath, session.arguments, session.currentFolder, session.target, failure)) {
        ReleaseCaseSetting(e2eCase, session);
        return failure;
    }
    failure = PlayScript(session, e2eCase.steps);
    StopTarget(session.target);
    StopLineServer(session);
    ReleaseCaseSetting(e2eCase, session);
    if (failure.empty()) {
        DeleteFolder(session.folder);
        DeleteFolder(session.currentFolder);
    }
    return failure;
}
