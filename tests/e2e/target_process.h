// The tester's process as the driver starts, watches and, on failure, ends it.
#pragma once

#include <windows.h>

#include <string>

struct TargetProcess {
    HANDLE handle = nullptr;
    DWORD processId = 0;
    double startedMs = 0.0;  // the driver's clock (MillisecondsNow) just before the process was created
};

// Starts `program` with `arguments` in `currentFolder`. Fills `problem` and returns false when it cannot.
bool StartTarget(const std::string& program, const std::string& arguments, const std::string& currentFolder,
                 TargetProcess& target, std::string& problem);

// True once the process has ended; `exitCode` then holds its exit code.
bool HasTargetEnded(const TargetProcess& target, DWORD& exitCode);

// The processor time, user and kernel, the process has used so far in ms.
double ReadProcessorMs(const TargetProcess& target);

// The process's working set in bytes; 0 when it cannot be read.
size_t ReadWorkingSet(const TargetProcess& target);

// Ends the process if it still runs, waits for its end and releases the handle.
void StopTarget(TargetProcess& target);
