// The verdict's dialogs (the pass question and the failure reason) and what follows the verdict: the reset,
// and the next keyboard or the end of the run.
#include <windows.h>

#include "base/forwarded_keys.h"
#include "base/program.h"
#include "base/shell_services_win.h"
#include "engine/led_test_win.h"
#include "engine/test_state.h"
#include "engine/verdict.h"
#include "records/host_link.h"
#include "records/identification_win.h"
#include "records/key_guard_win.h"
#include "records/test_log.h"
#include "resources/resource_ids.h"

namespace {

INT_PTR CALLBACK PassVerificationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (OnKeyGuardMessage(dialog, message, wParam)) {
        return TRUE;
    }
    if (message == WM_INITDIALOG) {
        CenterDialog(dialog, static_cast<HWND>(program.mainWindow));
        GuardDialogFromKeys(dialog, {20, 42, 160, 10});
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDYES) {
        LogLine("用户验证: 通过\n");
        EndDialog(dialog, kDialogAccepted);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDNO) {
        LogLine("用户验证: 失败\n");
        EndDialog(dialog, kDialogRefused);
        return TRUE;
    }
    return message == WM_COMMAND;  // every other command, Escape included, is ignored
}

// The reason chosen: the first checked radio button among the first four, else the other cause.
int32_t ChosenReason(HWND dialog) {
    for (int id = IDC_REASON_KEY; id < IDC_REASON_OTHER; ++id) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
            return kReasonKeyBroken + (id - IDC_REASON_KEY);
        }
    }
    return kReasonOther;
}

INT_PTR CALLBACK FailReasonProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (OnKeyGuardMessage(dialog, message, wParam)) {
        return TRUE;
    }
    if (message == WM_INITDIALOG) {
        CheckDlgButton(dialog, IDC_REASON_KEY, BST_CHECKED);
        CenterDialog(dialog, static_cast<HWND>(program.mainWindow));
        GuardDialogFromKeys(dialog, {10, 122, 150, 9});
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_CONTINUE) {
        RecordFailReason(ChosenReason(dialog));
        EndDialog(dialog, kDialogAccepted);
        return TRUE;
    }
    return message == WM_COMMAND;
}

}  // namespace

namespace {

// Takes every key message still queued for the tester's windows, so that no key pressed before the pass
// question was shown (the last key's bounce, a key typed ahead) can answer it.
void DiscardQueuedKeys() {
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE) != FALSE) {
    }
    auto* forwarded =
        static_cast<ForwardedKeys*>(GetPropA(static_cast<HWND>(program.mainWindow), kForwardedKeysProperty));
    if (forwarded != nullptr) {
        ForgetForwardedKeys(*forwarded);
    }
}

// Concluding one keyboard: set for the whole verdict, from the first dialog to the next serial number, so
// that a command sent to the window meanwhile (while a dialog is open or the host is waited for) cannot start
// a second verdict inside it.
struct ConcludingGuard {
    ConcludingGuard() { testState.concluding = true; }
    ~ConcludingGuard() { testState.concluding = false; }
};

}  // namespace

int32_t ShowVerdictDialog(VerdictDialog dialog) {
    if (dialog == VerdictDialog::PassQuestion) {
        DiscardQueuedKeys();
    }
    const INT_PTR answer = dialog == VerdictDialog::PassQuestion
                               ? RunModalDialog("Passverification", PassVerificationProc)
                               : RunModalDialog("Failreason", FailReasonProc);
    if (program.mainWindow != nullptr) {
        SetFocus(static_cast<HWND>(program.mainWindow));
    }
    return answer == -1 ? kDialogNotShown : static_cast<int32_t>(answer);
}

void ScheduleConclusion(WindowHandle window, int32_t delayMs) {
    SetTimer(static_cast<HWND>(window), CONCLUSION_TIMER, static_cast<UINT>(delayMs), nullptr);
}

bool ConcludeTest(WindowHandle window, bool verify) {
    if (testState.concluding) {
        return false;
    }
    const ConcludingGuard guard;
    testState.conclusionDue = false;
    HWND mainWindow = static_cast<HWND>(window);
    TraceLine("Checking whether the test has passed. User verifiaction required: %d\n", verify ? 1 : 0);
    const VerdictOutcome outcome = DecideVerdict(verify);
    if (outcome == VerdictOutcome::WindowGone) {
        return false;  // the window was destroyed while a dialog was open
    }
    // The verdict reaches the record and the disk before the next keyboard; a log that cannot take it is
    // replaced or ends the run.
    if (!KeepVerdict(outcome)) {
        if (program.mainWindow != nullptr) {
            DestroyWindow(mainWindow);
        }
        return false;
    }
    if (program.mainWindow == nullptr) {
        return false;  // the host ended the run while its failure message was waited for
    }
    ++testState.runTested;
    testState.runPassed += outcome == VerdictOutcome::Passed ? 1 : 0;
    testState.lastVerdict = outcome == VerdictOutcome::Passed ? 1 : 0;
    testState.lastFailReason = testState.failReason;
    ResetTest();
    InvalidateRect(mainWindow, nullptr, FALSE);
    if (program.benchOn) {
        InvalidateRect(GetDlgItem(mainWindow, IDC_PICTURE), nullptr, FALSE);  // the verdict on the bench
    }
    SetFocus(mainWindow);
    if (program.pluginMode) {
        ReportState(kTestEndedState);
        DestroyWindow(mainWindow);
        return false;
    }
    if (program.benchOn) {
        RestoreKeyboardLocks();
    }
    if (RunSerialDialog() == 0) {
        if (program.mainWindow != nullptr) {
            DestroyWindow(mainWindow);
        }
    } else if (program.benchOn) {
        SaveKeyboardLocks();
    }
    return false;
}
