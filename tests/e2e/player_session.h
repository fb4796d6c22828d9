// What every step player shares: the running tester, its folder, finding its windows, waiting for what it
// shows, and describing what was seen instead.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/host_block.h"
#include "tests/e2e/target_process.h"

constexpr DWORD kPollPeriodMs = 20;

// How long a step waits for what the tester should show: 10 s, times DVQ_E2E_PATIENCE when it is set (a build
// run under an emulator takes many times longer for everything).
DWORD StepTimeoutMs();

struct Session {
    TargetProcess target;
    std::string folder;
    std::string currentFolder;  // the tester's current folder, never its own: it holds a layout of its own
    bool mainWindowSeen = false;
    HostBlock host;          // the shared block of a plug-in case
    std::string testerPath;  // the tester in the case folder, and its command line's arguments
    std::string arguments;
    int linePort = 0;          // the port of the case's line server; 0 without one
    bool lineStarted = false;  // the line server was started and not yet stopped
};

HWND FindMainWindow(const Session& session);

// A message box of the tester: a dialog window whose title is none of the tester's own dialogs.
HWND FindMessageBox(const Session& session);

// The tester's visible dialog titled `title`; null when there is none.
HWND FindDialog(const Session& session, const std::string& title);

bool HasEnded(const Session& session);

// Notes whether the main window is visible now.
void NoteMainWindow(Session& session);

// Calls `probe` every `periodMs` until it gives true; false when `timeoutMs` is up first. Notes on every
// round whether the main window is visible.
template <typename Probe>
bool PollUntil(Session& session, Probe probe, DWORD timeoutMs = StepTimeoutMs(),
               DWORD periodMs = kPollPeriodMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        NoteMainWindow(session);
        if (probe()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(periodMs);
    }
}

// Polls button `control` of `parent` until its check state is `expected`; `where` names the parent in the
// failure.
std::string PollCheckState(Session& session, HWND parent, int control, long expected,
                           const std::string& where);

// A message box as the report shows it: its caption and text.
std::string DescribeBox(HWND box);

// What a step saw while it waited in vain: a message box, the tester's end, or nothing.
std::string DescribeWait(const Session& session);

// `text` with "{dir}" replaced by the case folder.
std::string FillFolder(std::string text, const std::string& folder);

// Empty when `seen` is `expected`, else what was expected and seen.
std::string CompareText(const std::string& what, const std::string& expected, const std::string& seen);
