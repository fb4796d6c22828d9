// Finding the tester's windows and describing what a step saw.
#include "tests/e2e/player_session.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "tests/e2e/shown_text.h"
#include "tests/e2e/tester_controls.h"
#include "tests/e2e/window_probe.h"

namespace {

bool IsOwnDialogTitle(const std::string& title) {
    return std::find(std::begin(kDialogTitles), std::end(kDialogTitles), title) != std::end(kDialogTitles);
}

}  // namespace

DWORD StepTimeoutMs() {
    constexpr DWORD kStepTimeoutMs = 10000;
    static const DWORD timeout = [] {
        const char* patience = std::getenv("DVQ_E2E_PATIENCE");
        const long factor = patience != nullptr ? std::strtol(patience, nullptr, 10) : 1;
        return kStepTimeoutMs * static_cast<DWORD>(factor >= 1 && factor <= 100 ? factor : 1);
    }();
    return timeout;
}

HWND FindMainWindow(const Session& session) {
    return FindVisibleWindow(session.target.processId, kMainWindowClass);
}

// A window closing while it is looked at loses its title: only a window still shown after its title was read,
// with a title and an OK or Cancel button, counts.
HWND FindMessageBox(const Session& session) {
    for (HWND window : ListVisibleWindows(session.target.processId, kMessageBoxClass)) {
        const std::string title = ReadWindowText(window);
        const bool hasButton = GetDlgItem(window, IDOK) != nullptr || GetDlgItem(window, IDCANCEL) != nullptr;
        if (!title.empty() && !IsOwnDialogTitle(title) && hasButton && IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

HWND FindDialog(const Session& session, const std::string& title) {
    for (HWND window : ListVisibleWindows(session.target.processId, kMessageBoxClass)) {
        if (ReadWindowText(window) == title) {
            return window;
        }
    }
    return nullptr;
}

bool HasEnded(const Session& session) {
    DWORD exitCode = 0;
    return HasTargetEnded(session.target, exitCode);
}

void NoteMainWindow(Session& session) {
    if (FindMainWindow(session) != nullptr) {
        session.mainWindowSeen = true;
    }
}

std::string PollCheckState(Session& session, HWND parent, int control, long expected,
                           const std::string& where) {
    long state = -1;
    PollUntil(session, [&] {
        state = ReadCheckState(parent, control);
        return state == expected;
    });
    return state == expected ? ""
                             : "expected check state " + std::to_string(expected) + " of button " +
                                   std::to_string(control) + where + "; saw " + std::to_string(state);
}

std::string DescribeBox(HWND box) {
    bool found = false;
    return "message box " + QuoteText(ReadWindowText(box)) + " " +
           QuoteText(ReadControlText(box, kMessageBoxText, found));
}

std::string DescribeWait(const Session& session) {
    DWORD exitCode = 0;
    if (HasTargetEnded(session.target, exitCode)) {
        return "the tester ended with exit code " + std::to_string(exitCode);
    }
    HWND box = FindMessageBox(session);
    if (box != nullptr) {
        return DescribeBox(box);
    }
    std::string dialogs;
    for (const char* title : kDialogTitles) {
        if (FindDialog(session, title) != nullptr) {
            dialogs += " and the dialog " + QuoteText(title);
        }
    }
    return std::string("nothing within ") + std::to_string(StepTimeoutMs() / 1000) + " s" +
           (FindMainWindow(session) != nullptr ? " but the main window" : "") + dialogs;
}

std::string FillFolder(std::string text, const std::string& folder) {
    const std::string mark = "{dir}";
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + folder.size())) {
        text.replace(at, mark.size(), folder);
    }
    return text;
}

std::string CompareText(const std::string& what, const std::string& expected, const std::string& seen) {
    return seen == expected ? ""
                            : "expected " + what + " " + QuoteText(expected) + "; saw " + QuoteText(seen);
}
