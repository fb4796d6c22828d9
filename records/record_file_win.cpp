// The record file of a run, and the question that follows a record that cannot be written.
#include <windows.h>

#include "base/product.h"
#include "base/program.h"
#include "base/text_format.h"
#include "records/keyboard_record.h"
#include "records/retry_write_win.h"
#include "records/test_log.h"
#include "records/verdict_keeping.h"

bool WriteOrAskAgain(const std::function<bool()>& write, const std::string& question,
                     const std::string& lossLine) {
    // While the operator decides, the host's run flag does not end the run (the main window asks
    // writingRecord).
    testLog.writingRecord = true;
    bool kept = write();
    while (!kept) {
        if (MessageBoxA(static_cast<HWND>(program.mainWindow), question.c_str(), kErrorCaption,
                        MB_RETRYCANCEL | MB_ICONERROR) != IDRETRY) {
            LogLine("%s", lossLine.c_str());
            break;
        }
        kept = write();
    }
    testLog.writingRecord = false;
    return kept;
}

bool KeepKeyboardRecord(const KeyboardRecord& record) {
    const std::string path = RecordFilePath(testLog.path);
    if (path.empty()) {
        return false;
    }
    return WriteOrAskAgain(
        [&] { return AppendKeyboardRecord(path, record); },
        FormatText("无法写入记录文件\n%"
                   "s\n这块键盘的记录没有保存。\n请检查磁盘后按“重试”，或按“取消”不保存这条记录。",
                   path.c_str()),
        FormatText("    记录未保存: %s\n", path.c_str()));
}
