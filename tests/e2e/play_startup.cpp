// Playing the steps of start-up and the end: message boxes, the main window's appearance, the exit code.
#include <cstdio>

#include "tests/e2e/shown_text.h"
#include "tests/e2e/step_players.h"
#include "tests/e2e/tester_controls.h"
#include "tests/e2e/timed_reader.h"
#include "tests/e2e/window_probe.h"

namespace {

constexpr DWORD kStartPollMs = 2;

std::string PressOk(Session& session, HWND box) {
    int button = IDOK;
    HWND buttonWindow = GetDlgItem(box, button);
    if (buttonWindow == nullptr) {
        button = IDCANCEL;
        buttonWindow = GetDlgItem(box, button);
    }
    if (buttonWindow == nullptr) {
        return "the " + DescribeBox(box) + " has no OK button";
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(buttonWindow));
    if (!PollUntil(session, [&] { return !IsWindow(box) || !IsWindowVisible(box); })) {
        return "the " + DescribeBox(box) + " stayed open after its OK was pressed";
    }
    return "";
}

}  // namespace

std::string PlayMessageBox(Session& session, const Step& step) {
    const std::string text = FillFolder(step.text, session.folder);
    HWND box = nullptr;
    PollUntil(session, [&] {
        box = FindMessageBox(session);
        return box != nullptr || HasEnded(session);
    });
    const std::string expected = "expected message box " + QuoteText(step.caption) + " " + QuoteText(text);
    if (box == nullptr) {
        return expected + "; saw " + DescribeWait(session);
    }
    bool found = false;
    const std::string shown = ReadControlText(box, kMessageBoxText, found);
    const bool textShown = step.kind == StepKind::ExpectMessageBoxHolding
                               ? shown.find(text) != std::string::npos
                               : shown == text;
    if (ReadWindowText(box) != step.caption || !textShown) {
        return expected + "; saw " + DescribeBox(box);
    }
    return PressOk(session, box);
}

std::string PlayNoMessageBox(const Session& session) {
    HWND box = FindMessageBox(session);
    return box == nullptr ? "" : "expected no message box; saw " + DescribeBox(box);
}

std::string PlayMainWindowShown(Session& session) {
    PollUntil(session, [&] {
        return FindMainWindow(session) != nullptr || FindMessageBox(session) != nullptr || HasEnded(session);
    });
    return FindMainWindow(session) != nullptr ? "" : "expected the main window; saw " + DescribeWait(session);
}

// Polls often, so the time is exact to a few ms, and prints it.
std::string PlayMainWindowShownWithin(Session& session, const Step& step) {
    const bool shown = PollUntil(
        session, [&] { return FindMainWindow(session) != nullptr || HasEnded(session); }, StepTimeoutMs(),
        kStartPollMs);
    const double shownMs = MillisecondsNow() - session.target.startedMs;
    if (!shown || FindMainWindow(session) == nullptr) {
        return "expected the main window; saw " + DescribeWait(session);
    }
    std::printf("start: the main window was shown %.0f ms after the tester's process was created\n", shownMs);
    std::fflush(stdout);
    return shownMs <= static_cast<double>(step.number)
               ? ""
               : "expected the main window within " + std::to_string(step.number) +
                     " ms of the start; it took " + std::to_string(static_cast<long>(shownMs)) + " ms";
}

std::string PlayMainWindowNeverShown(const Session& session) {
    return session.mainWindowSeen ? "expected the main window never to be shown; it was" : "";
}

std::string PlayExit(Session& session, const Step& step) {
    PollUntil(session, [&] { return HasEnded(session) || FindMessageBox(session) != nullptr; });
    DWORD exitCode = 0;
    if (!HasTargetEnded(session.target, exitCode)) {
        return "expected the tester to end; saw " + DescribeWait(session);
    }
    if (static_cast<long>(exitCode) != step.number) {
        return "expected exit code " + std::to_string(step.number) + "; saw " + std::to_string(exitCode);
    }
    return "";
}
