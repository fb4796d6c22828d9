// Browsing for the log file's path with the common file dialog.
#include "records/log_browse_win.h"

#include <commdlg.h>

#include <cstring>
#include <string>

namespace {

constexpr DWORD kModulePathSize = 400;

std::string DefaultLogPath() {
    char path[kModulePathSize] = "";
    GetModuleFileNameA(nullptr, path, kModulePathSize);
    std::string directory = path;
    return directory.substr(0, directory.rfind('\\')) + "\\test.log";
}

}  // namespace

void BrowseLogName(HWND dialog, int fieldId) {
    const std::string defaultPath = DefaultLogPath();
    char fileName[MAX_PATH] = "";
    // A default path too long for the dialog's buffer is not offered: the dialog starts with an empty name.
    if (defaultPath.size() < sizeof fileName) {
        std::strcpy(fileName, defaultPath.c_str());
    }
    OPENFILENAMEA request = {};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request.hwndOwner = dialog;
    request.lpstrFilter = "日志文件 (*.LOG)\0*.log\0";
    request.nFilterIndex = 0;
    request.lpstrFile = fileName;
    request.nMaxFile = sizeof fileName;
    request.lpstrTitle = "选择一个日志的文件名";
    request.lpstrDefExt = "log";
    request.Flags = OFN_HIDEREADONLY;
    BOOL chosen = GetOpenFileNameA(&request);
    if (!chosen && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
        fileName[0] = '\0';
        chosen = GetOpenFileNameA(&request);
    }
    SetDlgItemTextA(dialog, fieldId, chosen ? fileName : defaultPath.c_str());
}
