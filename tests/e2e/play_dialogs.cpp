// Playing the steps on the tester's dialogs, each found by its title: waiting for them, typing into their
// fields, clicking their buttons and reading them.
#include "tests/e2e/input_sender.h"
#include "tests/e2e/shown_text.h"
#include "tests/e2e/step_players.h"
#include "tests/e2e/window_probe.h"

namespace {

constexpr UINT kSendTimeoutMs = 5000;

std::string DialogName(const Step& step) {
    return "the dialog " + QuoteText(step.caption);
}

// Waits for the dialog; null when it does not come.
HWND AwaitDialog(Session& session, const Step& step) {
    HWND dialog = nullptr;
    PollUntil(session, [&] {
        dialog = FindDialog(session, step.caption);
        return dialog != nullptr || HasEnded(session);
    });
    return dialog;
}

std::string Missing(const Session& session, const Step& step) {
    return "expected " + DialogName(step) + "; saw " + DescribeWait(session);
}

// Waits for the dialog's control `step.control`; fills `problem` when either is missing.
HWND AwaitControl(Session& session, const Step& step, std::string& problem) {
    HWND dialog = AwaitDialog(session, step);
    if (dialog == nullptr) {
        problem = Missing(session, step);
        return nullptr;
    }
    HWND control = GetDlgItem(dialog, step.control);
    if (control == nullptr) {
        problem = "expected control " + std::to_string(step.control) + " in " + DialogName(step) +
                  "; it does not exist";
    }
    return control;
}

// Where the dialog must lie: centred over the main window, then pushed back onto the screen.
LONG CentredPosition(LONG ownerStart, LONG ownerSize, LONG dialogSize, LONG screenSize) {
    const LONG position = (ownerSize - dialogSize) / 2 + ownerStart;
    if (position < 0) {
        return 0;
    }
    return position + dialogSize > screenSize ? screenSize - dialogSize : position;
}

}  // namespace

std::string PlayDialog(Session& session, const Step& step) {
    return AwaitDialog(session, step) != nullptr ? "" : Missing(session, step);
}

std::string PlayNoDialog(const Session& session, const Step& step) {
    return FindDialog(session, step.caption) == nullptr ? ""
                                                        : "expected no " + DialogName(step) + "; it is open";
}

std::string PlayDialogGone(Session& session, const Step& step) {
    return PollUntil(session, [&] { return FindDialog(session, step.caption) == nullptr; })
               ? ""
               : "expected " + DialogName(step) + " to close; it stayed open";
}

std::string PlaySetDialogText(Session& session, const Step& step) {
    std::string problem;
    HWND field = AwaitControl(session, step, problem);
    const std::string text = FillFolder(step.text, session.folder);
    DWORD_PTR result = 0;
    if (field != nullptr && !SendMessageTimeoutA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                                 SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        problem = "expected to type into control " + std::to_string(step.control) + " of " +
                  DialogName(step) + "; it did not answer";
    }
    return problem;
}

std::string PlayClickDialogButton(Session& session, const Step& step) {
    std::string problem;
    HWND button = AwaitControl(session, step, problem);
    if (button != nullptr) {
        PostMessageA(button, BM_CLICK, 0, 0);
    }
    return problem;
}

std::string PlayMouseOnDialogButton(Session& session, const Step& step) {
    std::string problem;
    HWND button = AwaitControl(session, step, problem);
    if (button != nullptr && !ClickWithMouse(GetParent(button), button)) {
        problem = "expected " + DialogName(step) + " in front for the mouse; it did not come";
    }
    return problem;
}

std::string PlayPressDialogKey(Session& session, const Step& step) {
    HWND dialog = AwaitDialog(session, step);
    if (dialog == nullptr) {
        return Missing(session, step);
    }
    if (!BringToFront(dialog)) {
        return "expected " + DialogName(step) + " in front for the keys; it did not come";
    }
    for (const KeyStroke& key : step.keys) {
        SendKey(key, false);
        SendKey(key, true);
    }
    return "";
}

std::string PlayDialogText(Session& session, const Step& step) {
    std::string problem;
    HWND control = AwaitControl(session, step, problem);
    if (control == nullptr) {
        return problem;
    }
    const std::string text = FillFolder(step.text, session.folder);
    std::string seen;
    PollUntil(session, [&] {
        seen = ReadWindowText(control);
        return seen == text;
    });
    return CompareText("control " + std::to_string(step.control) + " of " + DialogName(step), text, seen);
}

std::string PlayDialogCheck(Session& session, const Step& step) {
    HWND dialog = AwaitDialog(session, step);
    if (dialog == nullptr) {
        return Missing(session, step);
    }
    return PollCheckState(session, dialog, step.control, step.number, " in " + DialogName(step));
}

std::string PlayDialogCentred(Session& session, const Step& step) {
    HWND dialog = AwaitDialog(session, step);
    HWND mainWindow = FindMainWindow(session);
    if (dialog == nullptr || mainWindow == nullptr) {
        return Missing(session, step);
    }
    RECT owner = {};
    RECT seen = {};
    GetWindowRect(mainWindow, &owner);
    GetWindowRect(dialog, &seen);
    const POINT expected = {CentredPosition(owner.left, owner.right - owner.left, seen.right - seen.left,
                                            GetSystemMetrics(SM_CXSCREEN)),
                            CentredPosition(owner.top, owner.bottom - owner.top, seen.bottom - seen.top,
                                            GetSystemMetrics(SM_CYSCREEN))};
    if (seen.left == expected.x && seen.top == expected.y) {
        return "";
    }
    return "expected " + DialogName(step) + " at (" + std::to_string(expected.x) + ", " +
           std::to_string(expected.y) + "), centred over the main window; saw it at (" +
           std::to_string(seen.left) + ", " + std::to_string(seen.top) + ")";
}
