// Starting and ending the tester's process.
#include "tests/e2e/target_process.h"

#include <psapi.h>

#include "tests/e2e/timed_reader.h"

namespace {

constexpr DWORD kEndTimeoutMs = 5000;
constexpr int kStartAttempts = 3;
constexpr DWORD kStartRetryMs = 500;

}  // namespace

bool StartTarget(const std::string& program, const std::string& arguments, const std::string& currentFolder,
                 TargetProcess& target, std::string& problem) {
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    // On a heavily loaded machine Wine now and then gives up starting a process with an internal error;
    // such a start is tried again, a few times.
    for (int attempt = 1;; ++attempt) {
        target.startedMs = MillisecondsNow();
        if (CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                           currentFolder.c_str(), &startup, &started)) {
            break;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == kStartAttempts) {
            problem = "cannot start " + commandLine + " (error " + std::to_string(error) + ")";
            return false;
        }
        Sleep(kStartRetryMs);
    }
    CloseHandle(started.hThread);
    target.handle = started.hProcess;
    target.processId = started.dwProcessId;
    return true;
}

bool HasTargetEnded(const TargetProcess& target, DWORD& exitCode) {
    if (WaitForSingleObject(target.handle, 0) != WAIT_OBJECT_0) {
        return false;
    }
    GetExitCodeProcess(target.handle, &exitCode);
    return true;
}

double ReadProcessorMs(const TargetProcess& target) {
    FILETIME created;
    FILETIME ended;
    FILETIME kernel = {};
    FILETIME user = {};
    GetProcessTimes(target.handle, &created, &ended, &kernel, &user);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<double>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;  // FILETIME counts 100 ns
}

size_t ReadWorkingSet(const TargetProcess& target) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(target.handle, &counters, sizeof counters) ? counters.WorkingSetSize : 0;
}

void StopTarget(TargetProcess& target) {
    if (target.handle == nullptr) {
        return;
    }
    if (WaitForSingleObject(target.handle, 0) != WAIT_OBJECT_0) {
        TerminateProcess(target.handle, 1);
        WaitForSingleObject(target.handle, kEndTimeoutMs);
    }
    CloseHandle(target.handle);
    target.handle = nullptr;
}
