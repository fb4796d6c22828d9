// The operator and unit identification dialogs of production mode.
#include "records/identification_win.h"

#include <windows.h>

#include "base/paths.h"
#include "base/product.h"
#include "base/program.h"
#include "base/shell_services_win.h"
#include "base/text_format.h"
#include "layouts/layout_catalogue.h"
#include "records/key_guard_win.h"
#include "records/keyboard_record.h"
#include "records/line_link.h"
#include "records/line_link_win.h"
#include "records/log_browse_win.h"
#include "records/log_file.h"
#include "records/test_log.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kIdentifierSize = 50;
constexpr int kLogPathSize = 400;
// What the operator is told when the log fails, by what the lost lines held.
constexpr const char* kLogLostText[] = {
    "无法写入测试日志，检测记录已不再保存。\n"
    "最后一块键盘的结果可能没有记录，请在新的日志中重新检测它。\n"
    "请选择新的日志文件。",
    "无法写入测试日志，检测记录已不再保存。\n"
    "最后一块键盘的结果已写入记录文件，不必重新检测。\n"
    "请选择新的日志文件。",
    "无法写入测试日志，检测记录已不再保存。\n"
    "请选择新的日志文件，然后重新输入这块键盘的序列号和版本号。",
};

// With the bench on, the last run's identifiers and log are remembered beside the program, in this file.
constexpr const char* kLastRunFileName = "lastrun.ini";
constexpr const char* kLastRunSection = "LastRun";
constexpr const char* kLastRunKeys[] = {"Operator", "Product", "Batch", "Log"};
constexpr int kLastRunFields[] = {IDC_OPERATOR_ID, IDC_PRODUCT_ID, IDC_BATCH_ID, IDC_LOG_PATH};

void ShowError(HWND dialog, const char* text) {
    MessageBoxA(dialog, text, kErrorCaption, MB_OK);
}

// The text of identifier field `field`, as much of it as the dialogs read.
std::string IdentifierText(HWND dialog, int field) {
    char text[kIdentifierSize] = "";
    GetDlgItemTextA(dialog, field, text, kIdentifierSize);
    return text;
}

// The identifiers must all be there; at most one message is shown for them.
bool CheckIdentifiers(HWND dialog, const RunIdentity& identity) {
    if (identity.operatorId.empty()) {
        ShowError(dialog, "您必须输入一个操作标识");
    } else if (identity.productId.empty()) {
        ShowError(dialog, "您必须输入一个产品标识");
    } else if (identity.batchId.empty()) {
        ShowError(dialog, "您必须输入一个批量标识");
    } else {
        return true;
    }
    return false;
}

// The path is checked even after an identifier was refused; an empty path then counts as having no path.
bool CheckLogPath(HWND dialog, const char* path, bool identifiersAccepted) {
    LogNameCheck check = ValidateLogName(path);
    if (check == LogNameCheck::Empty && !identifiersAccepted) {
        check = LogNameCheck::NoPath;
    }
    if (check != LogNameCheck::Valid) {
        ShowError(dialog, LogNameMessage(check));
        return false;
    }
    return true;
}

// True when `a` and `b` name the same file: their full paths compared without regard to case, as the file
// system compares them.
bool SameFile(const std::string& a, const std::string& b) {
    char fullA[MAX_PATH * 2] = "";
    char fullB[MAX_PATH * 2] = "";
    const DWORD lengthA = GetFullPathNameA(a.c_str(), sizeof fullA, fullA, nullptr);
    const DWORD lengthB = GetFullPathNameA(b.c_str(), sizeof fullB, fullB, nullptr);
    if (lengthA == 0 || lengthA >= sizeof fullA || lengthB == 0 || lengthB >= sizeof fullB) {
        return lstrcmpiA(a.c_str(), b.c_str()) == 0;
    }
    return lstrcmpiA(fullA, fullB) == 0;
}

std::string LastRunPath() {
    return JoinPath(program.programDirectory, kLastRunFileName);
}

// The Operator dialog of a new run on the bench: the last run's identifiers and log, or a log in LogFolder
// for a first run.
void FillFromLastRun(HWND dialog) {
    const std::string path = LastRunPath();
    for (size_t i = 0; i < sizeof kLastRunKeys / sizeof kLastRunKeys[0]; ++i) {
        char text[kLogPathSize] = "";
        GetPrivateProfileStringA(kLastRunSection, kLastRunKeys[i], "", text, kLogPathSize, path.c_str());
        SetDlgItemTextA(dialog, kLastRunFields[i], text);
    }
    if (GetWindowTextLengthA(GetDlgItem(dialog, IDC_LOG_PATH)) == 0 && !program.logFolder.empty()) {
        std::string folder = program.logFolder;
        while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
            folder.pop_back();
        }
        SetDlgItemTextA(dialog, IDC_LOG_PATH, JoinPath(folder, "test.log").c_str());
    }
}

void RememberRun(HWND dialog) {
    const std::string path = LastRunPath();
    for (size_t i = 0; i < sizeof kLastRunKeys / sizeof kLastRunKeys[0]; ++i) {
        char text[kLogPathSize] = "";
        GetDlgItemTextA(dialog, kLastRunFields[i], text, kLogPathSize);
        WritePrivateProfileStringA(kLastRunSection, kLastRunKeys[i], text, path.c_str());
    }
}

// On the bench a log that holds records is overwritten only when the operator says so.
bool OverwriteAgreed(HWND dialog, const char* logPath) {
    if (!program.benchOn || testLog.appendToLog) {
        return true;
    }
    HANDLE file = CreateFileA(logPath, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return true;
    }
    const DWORD size = GetFileSize(file, nullptr);
    CloseHandle(file);
    if (size == 0 || size == INVALID_FILE_SIZE) {
        return true;
    }
    const std::string text =
        FormatText("日志文件 %s 中已有检测记录。\n覆盖会删除这些记录。要覆盖它吗？", logPath);
    return MessageBoxA(dialog, text.c_str(), "Dorvelquinta", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
           IDYES;
}

void ContinueOperator(HWND dialog) {
    RunIdentity& identity = testLog.identity;
    identity.operatorId = IdentifierText(dialog, IDC_OPERATOR_ID);
    identity.productId = IdentifierText(dialog, IDC_PRODUCT_ID);
    identity.batchId = IdentifierText(dialog, IDC_BATCH_ID);
    bool acceptable = CheckIdentifiers(dialog, identity);
    char logPath[kLogPathSize] = "";
    GetDlgItemTextA(dialog, IDC_LOG_PATH, logPath, kLogPathSize);
    acceptable = CheckLogPath(dialog, logPath, acceptable) && acceptable;
    if (IsDlgButtonChecked(dialog, IDC_APPEND_LOG) == BST_CHECKED) {
        testLog.appendToLog = true;
    } else if (IsDlgButtonChecked(dialog, IDC_OVERWRITE_LOG) == BST_CHECKED) {
        testLog.appendToLog = false;
    }
    if (!acceptable) {
        return;
    }
    // With records kept, their file must open too; it follows the log's path unless the settings name it.
    // It is never the log itself, where its rows would land among the log's lines.
    const std::string recordPath = RecordFilePath(logPath);
    if (!recordPath.empty() && SameFile(recordPath, logPath)) {
        ShowError(
            dialog,
            FormatText("记录文件与日志文件是同一个文件：%s。\n%s", logPath,
                       program.recordPath.empty()
                           ? "请换一个扩展名不是 .csv 的日志文件名（记录文件在日志旁边，扩展名为 .csv）。"
                           : "请换一个日志文件名，或在设置文件中为 RecordPath 另选一个文件。")
                .c_str());
        return;
    }
    if (!recordPath.empty() && !RecordFileWritable(recordPath)) {
        // The remedy the operator can act on: the setting when it names the file, else the log's folder.
        const char* remedy = program.recordPath.empty()
                                 ? "请换一个日志文件名，或检查日志文件所在的文件夹是否可写。"
                                 : "请换一个日志文件名，或检查设置文件中的 RecordPath。";
        ShowError(dialog, FormatText("无法打开记录文件 %s。%s", recordPath.c_str(), remedy).c_str());
        return;
    }
    // A typed path longer than the field is read is not opened cut short: it is refused as a log that cannot
    // be opened.
    const bool pathWhole = GetWindowTextLengthA(GetDlgItem(dialog, IDC_LOG_PATH)) < kLogPathSize;
    if (pathWhole && !OverwriteAgreed(dialog, logPath)) {
        return;
    }
    if (!pathWhole || !OpenLog(logPath, testLog.appendToLog)) {
        ShowError(dialog, "无法打开日志文件。请输入一个替换的文件名。");
        return;
    }
    WriteLogHeader(identity.operatorId.c_str(), identity.productId.c_str(), identity.batchId.c_str(),
                   OsNameText(program.osPlatformId, program.osMajorVersion, program.osMinorVersion));
    if (program.benchOn) {
        RememberRun(dialog);
    }
    EndDialog(dialog, 1);
}

// Exit, Escape and the close box leave either dialog with 0.
bool LeftByOperator(HWND dialog, WORD command) {
    if (command != IDCANCEL && command != IDC_LEAVE) {
        return false;
    }
    EndDialog(dialog, 0);
    return true;
}

// The Operator dialog's own parts: its start with Overwrite ticked (Append with LogAppend, and on the bench
// the last run's entries filled in), Browse and Continue. Opened again for a
// log that failed, it starts with the run's identifiers and that log's path, and Append ticked, so that the
// log put back on its medium is continued, never overwritten.
struct OperatorDialog {
    static void Start(HWND dialog, LPARAM reopened) {
        testLog.appendToLog = reopened != 0 || program.logAppend;
        CheckDlgButton(dialog, testLog.appendToLog ? IDC_APPEND_LOG : IDC_OVERWRITE_LOG, BST_CHECKED);
        if (reopened == 0 && program.benchOn) {
            FillFromLastRun(dialog);
        }
        if (reopened != 0) {
            const RunIdentity& identity = testLog.identity;
            SetDlgItemTextA(dialog, IDC_OPERATOR_ID, identity.operatorId.c_str());
            SetDlgItemTextA(dialog, IDC_PRODUCT_ID, identity.productId.c_str());
            SetDlgItemTextA(dialog, IDC_BATCH_ID, identity.batchId.c_str());
            SetDlgItemTextA(dialog, IDC_LOG_PATH, testLog.path.c_str());
        }
    }
    static bool Command(HWND dialog, WORD command) {
        switch (command) {
            case IDC_BROWSE:
                BrowseLogName(dialog, IDC_LOG_PATH);
                return true;
            case IDC_CONTINUE:
                ContinueOperator(dialog);
                return true;
            default:
                return false;
        }
    }
};

// A serial the line's gate did not let through: the dialog stays, ready for the next keyboard's serial.
void AskForAnotherSerial(HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SERIAL, "");
    SetDlgItemTextA(dialog, IDC_SERIAL_PROMPT,
                    lineLink.reach == LineReach::Reached ? "线路不允许检测，请输入下一个序列号"
                                                         : "线路无法连接，不能检测键盘");
    SetFocus(GetDlgItem(dialog, IDC_SERIAL));
}

// The Serial dialog's own part: Continue logs both numbers once the line's gate lets the keyboard through,
// or asks for the one missing.
struct SerialDialog {
    static void Start(HWND dialog, LPARAM) { GuardDialogFromKeys(dialog, {64, 66, 160, 10}); }
    static bool Command(HWND dialog, WORD command) {
        if (command != IDC_CONTINUE) {
            return false;
        }
        const std::string serial = IdentifierText(dialog, IDC_SERIAL);
        const std::string version = IdentifierText(dialog, IDC_VERSION);
        if (!serial.empty() && !version.empty() && !AskLineGate(dialog, serial, version)) {
            AskForAnotherSerial(dialog);
        } else if (!serial.empty() && !version.empty()) {
            LogLine("序列号: %s\n", serial.c_str());
            LogLine("版本号: %s\n", version.c_str());
            testLog.identity.serial = serial;
            testLog.identity.version = version;
            EndDialog(dialog, 1);
        } else {
            SetDlgItemTextA(dialog, IDC_SERIAL_PROMPT, "请输入序列号和版本号");
        }
        return true;
    }
};

// The procedure both dialogs share: centred over the main window at the start, left by the operator with 0,
// and every other command given to the dialog's own part.
template <typename Dialog>
INT_PTR CALLBACK IdentificationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (OnKeyGuardMessage(dialog, message, wParam)) {
        return TRUE;
    }
    if (message == WM_INITDIALOG) {
        CenterDialog(dialog, static_cast<HWND>(program.mainWindow));
        Dialog::Start(dialog, lParam);
        return TRUE;
    }
    if (message != WM_COMMAND) {
        return FALSE;
    }
    const WORD command = LOWORD(wParam);
    return LeftByOperator(dialog, command) || Dialog::Command(dialog, command) ? TRUE : FALSE;
}

// Runs one of the dialogs modally; 1 only when it ended with Continue. A dialog that could not be shown
// (-1) counts as Exit, so that no keyboard is tested without its identifiers in the log.
int RunIdentificationDialog(const char* templateName, DLGPROC procedure, LPARAM start = 0) {
    return RunModalDialog(templateName, procedure, start) == 1 ? 1 : 0;
}

}  // namespace

int RunOperatorDialog() {
    return RunIdentificationDialog("Operator", IdentificationDialogProc<OperatorDialog>);
}

int RunSerialDialog() {
    for (;;) {
        if (RunIdentificationDialog("Serial", IdentificationDialogProc<SerialDialog>) == 0) {
            return 0;
        }
        const RecordsKept kept = CommitRecords(LogLoss::SerialNumbers);
        if (kept != RecordsKept::NewLog) {
            return kept == RecordsKept::OnDisk ? 1 : 0;
        }
        // The numbers went to the log that failed: they are asked for again, for the new one.
    }
}

void LogLayoutInUse() {
    LogLine("Loaded keyboard layout %s.kbl\n",
            catalogue.layouts[static_cast<size_t>(catalogue.currentLayout)].name.c_str());
}

RecordsKept CommitRecords(LogLoss loss) {
    if (CommitLog()) {
        return RecordsKept::OnDisk;
    }
    MessageBoxA(static_cast<HWND>(program.mainWindow), kLogLostText[static_cast<int>(loss)], kErrorCaption,
                MB_OK | MB_ICONERROR);
    CloseLog();
    if (RunIdentificationDialog("Operator", IdentificationDialogProc<OperatorDialog>, 1) != 1) {
        return RecordsKept::Ended;
    }
    // The new log names the layout under test, as a log started with the run does.
    LogLayoutInUse();
    return RecordsKept::NewLog;
}
