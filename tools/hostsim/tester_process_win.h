// The tester as the stand-in host runs it: started in plug-in mode, watched for its start-up failure box,
// and ended when it outlives the host's time limit.
#pragma once

#include <windows.h>

#include <string>

struct TesterProcess {
    HANDLE handle = nullptr;
    DWORD processId = 0;
};

// Starts the program at `path` with `commandLine`. False, with `error` set, when it cannot.
bool StartTester(const std::string& path, const std::string& commandLine, TesterProcess& tester,
                 std::string& error);

// Waits up to `milliseconds` for the tester to end. True, with its `exitCode`, once it has ended.
bool WaitForTesterEnd(const TesterProcess& tester, DWORD milliseconds, DWORD& exitCode);

// Finds the message box in which the tester reports that it could not open the block. True, with the box's
// `text`, when one is shown; the box is then closed, which lets the tester end.
bool TakeStartUpFailure(const TesterProcess& tester, std::string& text);

// Ends the tester at once.
void EndTester(const TesterProcess& tester);
