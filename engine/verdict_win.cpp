// The verdict of production mode: the pass question, the failure reason, the reset, and the next keyboard or
// the end of the run.
#include <windows.h>

#include "base/program.h"
#include "base/shell_services_win.h"
#include "engine/test_state.h"
#include "records/host_link.h"
#include "records/identification_win.h"
#include "records/test_log.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kReasonKeyBroken = 1026;
constexpr int kReasonOther = 1030;
constexpr int32_t kFailureMessageCode = 3;

// The log line of each reason, by radio button from 1026 to 1030.
const char* const kReasonLines[] = {
    "    失败原因: 按键损坏\n", "    失败原因: 整行损坏\n", "    失败原因: 整列损坏\n",
    "    失败原因: LED 损坏\n", "    失败原因: 其他原因\n",
};

INT_PTR CALLBACK PassVerificationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        CenterDialog(dialog, static_cast<HWND>(program.mainWindow));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDYES) {
        LogLine("用户验证: 通过\n");
        EndDialog(dialog, 1);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDNO) {
        LogLine("用户验证: 失败\n");
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_COMMAND;  // every other command, Escape included, is ignored
}

// The reason chosen: the first checked radio button among the first four, else the other cause.
const char* ChosenReasonLine(HWND dialog) {
    for (int id = kReasonKeyBroken; id < kReasonOther; ++id) {
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED) {
            return kReasonLines[id - kReasonKeyBroken];
        }
    }
    return kReasonLines[kReasonOther - kReasonKeyBroken];
}

INT_PTR CALLBACK FailReasonProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        CheckDlgButton(dialog, kReasonKeyBroken, BST_CHECKED);
        CenterDialog(dialog, static_cast<HWND>(program.mainWindow));
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_CONTINUE) {
        const char* reason = ChosenReasonLine(dialog);
        LogLine("%s", reason);
        if (program.pluginMode) {
            ReportMessage((std::string("操作失败 -") + reason).c_str(), kFailureMessageCode);
        }
        EndDialog(dialog, 1);
        return TRUE;
    }
    return message == WM_COMMAND;
}

}  // namespace

bool ConcludeTest(WindowHandle window, bool verify) {
    HWND mainWindow = static_cast<HWND>(window);
    TraceLine("Checking whether the test has passed. User verifiaction required: %d\n", verify ? 1 : 0);
    bool passed = false;
    if (verify) {
        // Only the operator's yes passes a keyboard: a question that could not be shown counts as no.
        passed = RunModalDialog("Passverification", PassVerificationProc) == 1;
        if (program.mainWindow == nullptr) {
            return false;  // the window was destroyed while the question was open
        }
        SetFocus(mainWindow);
    } else {
        LogLine("User Selection: FAILED\n");
    }
    if (!passed) {
        RunModalDialog("Failreason", FailReasonProc);
        if (program.mainWindow == nullptr) {
            return false;
        }
        SetFocus(mainWindow);
    }
    ResetTest();
    InvalidateRect(mainWindow, nullptr, FALSE);
    SetFocus(mainWindow);
    if (program.pluginMode) {
        ReportState(kTestEndedState);
        DestroyWindow(mainWindow);
        return false;
    }
    if (RunSerialDialog() == 0 && program.mainWindow != nullptr) {
        DestroyWindow(mainWindow);
    }
    return false;
}
