// Starting, watching and ending the tester's process.
#include "tools/hostsim/tester_process_win.h"

#include <cstring>

namespace {

// The start of the tester's message when it cannot open the block; the error code follows.
const char* const kStartUpFailurePrefix = "Unable to initialize interface with Calderomax (";
constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kEndWaitMs = 5000;

struct BoxSearch {
    DWORD processId = 0;
    HWND box = nullptr;
    std::string text;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<BoxSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = {};
    if (owner != search->processId || GetClassNameA(window, className, sizeof className) == 0 ||
        std::strcmp(className, "#32770") != 0) {
        return TRUE;
    }
    char text[256] = {};
    GetDlgItemTextA(window, kMessageBoxTextId, text, sizeof text);
    if (std::strncmp(text, kStartUpFailurePrefix, std::strlen(kStartUpFailurePrefix)) != 0) {
        return TRUE;
    }
    search->box = window;
    search->text = text;
    return FALSE;
}

}  // namespace

bool StartTester(const std::string& path, const std::string& commandLine, TesterProcess& tester,
                 std::string& error) {
    std::string writable = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(path.c_str(), &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        error = "cannot start " + commandLine + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    CloseHandle(started.hThread);
    tester.handle = started.hProcess;
    tester.processId = started.dwProcessId;
    return true;
}

bool WaitForTesterEnd(const TesterProcess& tester, DWORD milliseconds, DWORD& exitCode) {
    if (WaitForSingleObject(tester.handle, milliseconds) != WAIT_OBJECT_0) {
        return false;
    }
    GetExitCodeProcess(tester.handle, &exitCode);
    return true;
}

bool TakeStartUpFailure(const TesterProcess& tester, std::string& text) {
    BoxSearch search;
    search.processId = tester.processId;
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    if (search.box == nullptr) {
        return false;
    }
    text = search.text;
    PostMessageA(search.box, WM_COMMAND, IDOK, 0);
    return true;
}

void EndTester(const TesterProcess& tester) {
    TerminateProcess(tester.handle, 1);
    WaitForSingleObject(tester.handle, kEndWaitMs);
}
