// The record file of a run.
#include <windows.h>

#include "base/product.h"
#include "base/program.h"
#include "base/text_format.h"
#include "records/keyboard_record.h"
#include "records/test_log.h"
#include "records/verdict_keeping.h"

bool KeepKeyboardRecord(const KeyboardRecord& record) {
    const std::string path = RecordFilePath(testLog.path);
    if (path.empty()) {
        return false;
    }
    // While the operator decides, the host's run flag does not end the run (the main window asks
    // writingRecord).
    testLog.writingRecord = true;
    bool kept = AppendKeyboardRecord(path, record);
    while (!kept) {
        const std::string text = FormatText(
            "无法写入记录文件\n%"
            "s\n这块键盘的记录没有保存。\n请检查磁盘后按“重试”，或按“取消”不保存这条记录。",
            path.c_str());
        if (MessageBoxA(static_cast<HWND>(program.mainWindow), text.c_str(), kErrorCaption,
                        MB_RETRYCANCEL | MB_ICONERROR) != IDRETRY) {
            LogLine("    记录未保存: %s\n", path.c_str());
            break;
        }
        kept = AppendKeyboardRecord(path, record);
    }
    testLog.writingRecord = false;
    return kept;
}
