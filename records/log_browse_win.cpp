// Browsing for the log file's path with the common file dialog.
#include "records/log_browse_win.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "base/paths.h"
#include "base/program.h"

namespace {

using FileNameDialog = BOOL(WINAPI*)(LPOPENFILENAMEA);
using DialogError = DWORD(WINAPI*)();

// The common dialogs are loaded from the system folder on the first browse rather than with the tester: most
// runs never browse, and loading them at start costs every start tens of milliseconds.
struct CommonDialogs {
    FileNameDialog open = nullptr;
    DialogError error = nullptr;
};

const CommonDialogs& LoadCommonDialogs() {
    static CommonDialogs dialogs;
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        char path[MAX_PATH] = "";
        const UINT length = GetSystemDirectoryA(path, MAX_PATH);
        const char name[] = "\\comdlg32.dll";
        if (length == 0 || length + sizeof name > MAX_PATH) {
            return dialogs;
        }
        std::strcat(path, name);
        if (HMODULE library = LoadLibraryA(path)) {
            dialogs.open = reinterpret_cast<FileNameDialog>(
                reinterpret_cast<void*>(GetProcAddress(library, "GetOpenFileNameA")));
            dialogs.error = reinterpret_cast<DialogError>(
                reinterpret_cast<void*>(GetProcAddress(library, "CommDlgExtendedError")));
        }
    }
    return dialogs;
}

std::string DefaultLogPath() {
    return JoinPath(program.programDirectory, "test.log");
}

}  // namespace

// Without the common dialogs the field simply gets the default path, as when the operator cancels.
void BrowseLogName(HWND dialog, int fieldId) {
    const std::string defaultPath = DefaultLogPath();
    const CommonDialogs& dialogs = LoadCommonDialogs();
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
    BOOL chosen = FALSE;
    if (dialogs.open != nullptr && dialogs.error != nullptr) {
        chosen = dialogs.open(&request);
        if (!chosen && dialogs.error() == FNERR_INVALIDFILENAME) {
            fileName[0] = '\0';
            chosen = dialogs.open(&request);
        }
    }
    SetDlgItemTextA(dialog, fieldId, chosen ? fileName : defaultPath.c_str());
}
