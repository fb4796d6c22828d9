// The script player: each step polls the tester every 20 ms until what it expects is there or its time is up.
#include "tests/e2e/case_player.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "tests/e2e/case_folder.h"
#include "tests/e2e/shown_text.h"
#include "tests/e2e/target_process.h"
#include "tests/e2e/tester_controls.h"
#include "tests/e2e/window_probe.h"

namespace {

constexpr DWORD kStepTimeoutMs = 10000;
constexpr DWORD kPollPeriodMs = 20;

struct Session {
    TargetProcess target;
    std::string folder;
    bool mainWindowSeen = false;
};

HWND FindMainWindow(const Session& session) {
    return FindVisibleWindow(session.target.processId, kMainWindowClass);
}

HWND FindMessageBox(const Session& session) {
    return FindVisibleWindow(session.target.processId, kMessageBoxClass);
}

// Calls `probe` every poll period until it gives true; false when the step's time is up first. Notes on every
// round whether the main window is visible.
template <typename Probe>
bool PollUntil(Session& session, Probe probe) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (FindMainWindow(session) != nullptr) {
            session.mainWindowSeen = true;
        }
        if (probe()) {
            return true;
        }
        if (GetTickCount() - start >= kStepTimeoutMs) {
            return false;
        }
        Sleep(kPollPeriodMs);
    }
}

std::string DescribeBox(HWND box) {
    bool found = false;
    return "message box " + QuoteText(ReadWindowText(box)) + " " +
           QuoteText(ReadControlText(box, kMessageBoxText, found));
}

std::string DescribeItems(const std::vector<std::string>& items) {
    std::string described = "[";
    for (const std::string& item : items) {
        described += (described.size() > 1 ? ", " : "") + QuoteText(item);
    }
    return described + "]";
}

std::string FillFolder(std::string text, const std::string& folder) {
    const std::string mark = "{dir}";
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + folder.size())) {
        text.replace(at, mark.size(), folder);
    }
    return text;
}

// What a step saw while it waited in vain: a message box, the tester's end, or nothing.
std::string DescribeWait(const Session& session) {
    DWORD exitCode = 0;
    if (HasTargetEnded(session.target, exitCode)) {
        return "the tester ended with exit code " + std::to_string(exitCode);
    }
    HWND box = FindMessageBox(session);
    if (box != nullptr) {
        return DescribeBox(box);
    }
    return std::string("nothing within ") + std::to_string(kStepTimeoutMs / 1000) + " s" +
           (FindMainWindow(session) != nullptr ? " but the main window" : "");
}

bool HasEnded(const Session& session) {
    DWORD exitCode = 0;
    return HasTargetEnded(session.target, exitCode);
}

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
    if (ReadWindowText(box) != step.caption || ReadControlText(box, kMessageBoxText, found) != text) {
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

std::string CompareText(const std::string& what, const std::string& expected, const std::string& seen) {
    return seen == expected ? ""
                            : "expected " + what + " " + QuoteText(expected) + "; saw " + QuoteText(seen);
}

std::string PlayControlText(HWND mainWindow, const Step& step) {
    bool found = false;
    const std::string seen = ReadControlText(mainWindow, step.control, found);
    const std::string what = "control " + std::to_string(step.control);
    if (!found) {
        return "expected " + what + "; it does not exist";
    }
    return CompareText(what, step.text, seen);
}

std::string PlayHexControlText(HWND mainWindow, const Step& step) {
    bool found = false;
    const std::string seen = ReadControlText(mainWindow, step.control, found);
    const bool isHex = std::all_of(seen.begin(), seen.end(),
                                   [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; });
    if (found && isHex && static_cast<long>(seen.size()) == step.number) {
        return "";
    }
    return "expected " + std::to_string(step.number) + " hexadecimal digits in control " +
           std::to_string(step.control) + "; saw " + (found ? QuoteText(seen) : "no such control");
}

std::string PlayCheckState(HWND mainWindow, const Step& step) {
    const long state = ReadCheckState(mainWindow, step.control);
    return state == step.number ? ""
                                : "expected check state " + std::to_string(step.number) + " of button " +
                                      std::to_string(step.control) + "; saw " + std::to_string(state);
}

std::string PlayLayoutNames(HWND layoutList, const Step& step) {
    std::vector<std::string> seen = ReadComboItems(layoutList);
    std::vector<std::string> expected = step.names;
    std::sort(seen.begin(), seen.end());
    std::sort(expected.begin(), expected.end());
    return seen == expected
               ? ""
               : "expected the layouts " + DescribeItems(expected) + "; saw " + DescribeItems(seen);
}

std::string PlayLayoutCount(HWND layoutList, const Step& step) {
    const long count = ReadComboCount(layoutList);
    return count == step.number
               ? ""
               : "expected " + std::to_string(step.number) + " layouts; saw " + std::to_string(count);
}

std::string PlaySelectedIndex(HWND layoutList, long expectedIndex, const std::string& name) {
    const std::vector<std::string> items = ReadComboItems(layoutList);
    const long selection = ReadComboSelection(layoutList);
    if (selection == expectedIndex) {
        return "";
    }
    return "expected the selection " + std::to_string(expectedIndex) + name + "; saw " +
           std::to_string(selection) + " of " + DescribeItems(items);
}

std::string PlaySelectedLayout(HWND layoutList, const Step& step) {
    const std::vector<std::string> items = ReadComboItems(layoutList);
    const auto item = std::find(items.begin(), items.end(), step.text);
    if (item == items.end()) {
        return "expected the layout " + QuoteText(step.text) + " in the list; saw " + DescribeItems(items);
    }
    return PlaySelectedIndex(layoutList, static_cast<long>(item - items.begin()),
                             " (" + QuoteText(step.text) + ")");
}

std::string FormatColour(long colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(colour));
    return text;
}

// Looks at three points on the diagonal of the drawn picture (the bitmap scaled to the control's width).
std::string PlayPictureColour(Session& session, HWND mainWindow, const Step& step) {
    HWND picture = GetDlgItem(mainWindow, kPicture);
    RECT client = {};
    if (picture == nullptr || !GetClientRect(picture, &client)) {
        return "expected the picture control; it does not exist";
    }
    const long width = client.right;
    const long height = std::min<long>(client.bottom, kPictureHeight * width / kPictureWidth);
    if (width <= 0 || height <= 0) {
        return "expected a picture; the picture control has no area";
    }
    std::vector<long> seen;
    const bool painted = PollUntil(session, [&] {
        seen.clear();
        for (int quarter = 1; quarter <= 3; ++quarter) {
            POINT point = {width * quarter / 4, height * quarter / 4};
            ClientToScreen(picture, &point);
            seen.push_back(ReadScreenPixel(point));
        }
        return std::all_of(seen.begin(), seen.end(), [&](long colour) { return colour == step.number; });
    });
    std::string described;
    for (const long colour : seen) {
        described += " " + FormatColour(colour);
    }
    return painted ? ""
                   : "expected the picture's colour " + FormatColour(step.number) + " at three points; saw" +
                         described;
}

std::string PlayMainWindowStep(Session& session, const Step& step) {
    HWND mainWindow = FindMainWindow(session);
    if (mainWindow == nullptr) {
        return "expected the main window; saw " + DescribeWait(session);
    }
    HWND layoutList = GetDlgItem(mainWindow, kLayoutList);
    switch (step.kind) {
        case StepKind::ExpectTitle:
            return CompareText("the title", step.text, ReadWindowText(mainWindow));
        case StepKind::ExpectControlText:
            return PlayControlText(mainWindow, step);
        case StepKind::ExpectHexControlText:
            return PlayHexControlText(mainWindow, step);
        case StepKind::ExpectCheckState:
            return PlayCheckState(mainWindow, step);
        case StepKind::ExpectLayoutNames:
            return PlayLayoutNames(layoutList, step);
        case StepKind::ExpectLayoutCount:
            return PlayLayoutCount(layoutList, step);
        case StepKind::ExpectSelectedIndex:
            return PlaySelectedIndex(layoutList, step.number, "");
        case StepKind::ExpectSelectedLayout:
            return PlaySelectedLayout(layoutList, step);
        case StepKind::ExpectPictureColour:
            return PlayPictureColour(session, mainWindow, step);
        case StepKind::CloseMainWindow:
            PostMessageA(mainWindow, WM_CLOSE, 0, 0);
            return "";
        default:
            return "the step is not one of the main window";
    }
}

std::string PlayStep(Session& session, const Step& step) {
    switch (step.kind) {
        case StepKind::ExpectMessageBox:
            return PlayMessageBox(session, step);
        case StepKind::ExpectNoMessageBox:
            return PlayNoMessageBox(session);
        case StepKind::ExpectMainWindowShown:
            return PlayMainWindowShown(session);
        case StepKind::ExpectMainWindowNeverShown:
            return session.mainWindowSeen ? "expected the main window never to be shown; it was" : "";
        case StepKind::ExpectExit:
            return PlayExit(session, step);
        default:
            return PlayMainWindowStep(session, step);
    }
}

std::string PlayScript(Session& session, const std::vector<Step>& steps) {
    for (size_t i = 0; i < steps.size(); ++i) {
        const std::string failure = PlayStep(session, steps[i]);
        if (!failure.empty()) {
            return "step " + std::to_string(i + 1) + ": " + failure;
        }
    }
    return HasEnded(session) ? "" : "the tester still runs after the last step";
}

}  // namespace

std::string PlayCase(const E2eCase& e2eCase, const CaseSetting& setting) {
    Session session;
    session.folder = JoinPath(setting.scratchFolder, e2eCase.name);
    if (!MakeEmptyFolder(session.folder)) {
        return "cannot make the folder " + session.folder;
    }
    const std::string tester = JoinPath(session.folder, kTesterFileName);
    if (!CopyFileA(setting.testerPath.c_str(), tester.c_str(), FALSE)) {
        return "cannot copy " + setting.testerPath + " to " + tester;
    }
    std::string failure;
    if (!WriteLayoutFiles(session.folder, e2eCase.files, failure) ||
        !StartTarget(tester, e2eCase.arguments, setting.currentFolder, session.target, failure)) {
        return failure;
    }
    failure = PlayScript(session, e2eCase.steps);
    StopTarget(session.target);
    if (failure.empty()) {
        DeleteFolder(session.folder);
    }
    return failure;
}
