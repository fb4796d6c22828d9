// Playing the operator's actions on the main window: keys, mouse buttons over the picture, clicks on its
// controls, choosing a layout, resizing and repainting the window.
#include <algorithm>

#include "tests/e2e/input_sender.h"
#include "tests/e2e/picture_view.h"
#include "tests/e2e/shown_text.h"
#include "tests/e2e/step_players.h"
#include "tests/e2e/tester_controls.h"
#include "tests/e2e/window_probe.h"

namespace {

constexpr UINT kSendTimeoutMs = 5000;

int keysArrived = 0;  // key-downs that reached the driver's own window

LRESULT CALLBACK KeyTargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        ++keysArrived;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// A top-level window of the driver's own that counts the key-downs it gets.
HWND MakeKeyTarget() {
    static const ATOM windowClass = [] {
        WNDCLASSA description = {};
        description.lpfnWndProc = KeyTargetProc;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "DvqE2eKeyTarget";
        return RegisterClassA(&description);
    }();
    return CreateWindowExA(WS_EX_TOPMOST, MAKEINTATOM(windowClass), "e2e key target", WS_POPUP | WS_VISIBLE,
                           0, 0, 120, 80, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Sends `key` and handles the driver's own messages until its key-down arrives; the time that took, or -1
// when it did not arrive within `boundMs`.
long TimeKeyArrival(const KeyStroke& key, DWORD boundMs) {
    const int before = keysArrived;
    const DWORD start = GetTickCount();
    SendKey(key, false);
    SendKey(key, true);
    for (DWORD elapsed = 0; elapsed <= boundMs; elapsed = GetTickCount() - start) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        if (keysArrived > before) {
            return static_cast<long>(GetTickCount() - start);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return -1;
}

}  // namespace

// Keys typed into another program while the tester is busy reach it at once: the tester's keyboard hook, when
// it has one, is still answered.
std::string PlayKeysElsewhere(Session&, const Step& step) {
    HWND target = MakeKeyTarget();
    if (target == nullptr || !BringToFront(target)) {
        if (target != nullptr) {
            DestroyWindow(target);
        }
        return "expected a window of the driver's own in front for the keys; it did not come";
    }
    std::string failure;
    for (const KeyStroke& key : step.keys) {
        const long taken = TimeKeyArrival(key, static_cast<DWORD>(step.number));
        if (taken < 0 && failure.empty()) {
            failure = "expected the key " + key.label + " in the driver's own window within " +
                      std::to_string(step.number) + " ms; it did not come";
        }
    }
    DestroyWindow(target);
    return failure;
}

// Keys go to the main window; while it waits in a modal dialog they go to that dialog, already in front.
std::string PlayKeys(Session&, HWND mainWindow, const Step& step) {
    if (IsWindowEnabled(mainWindow) && !BringToFront(mainWindow)) {
        return "expected the main window in front for the keys; it did not come";
    }
    if (step.kind == StepKind::TypeKey) {
        for (const KeyStroke& key : step.keys) {
            SendKey(key, false);
            SendKey(key, true);
        }
    } else {
        SendKeys(step.keys, step.kind == StepKind::ReleaseKey);
    }
    return "";
}

// The moves are sent as fast as the driver can, faster than the tester handles them, each stamped with its
// own time, the last with the time of sending: the tester must time them by their stamps.
std::string PlayTimedKeys(Session&, HWND mainWindow, const Step& step) {
    if (!BringToFront(mainWindow)) {
        return "expected the main window in front for the keys; it did not come";
    }
    const DWORD base = GetTickCount() - static_cast<DWORD>(step.moves.back().atMs);
    for (const KeyMove& move : step.moves) {
        SendKey(move.key, move.up, base + static_cast<DWORD>(move.atMs));
    }
    return "";
}

std::string PlayPostedKeyDown(Session&, HWND mainWindow, const Step& step) {
    const KeyStroke& key = step.keys.front();
    PostMessageA(mainWindow, WM_KEYDOWN, static_cast<WPARAM>(key.virtualKey),
                 MakeKeyDownParam(key, static_cast<int>(step.number)));
    return "";
}

std::string PlayMouse(Session&, HWND mainWindow, const Step& step) {
    PictureView view;
    if (!ReadPictureView(mainWindow, view)) {
        return "expected the picture control; it does not exist";
    }
    if (!BringToFront(mainWindow)) {
        return "expected the main window in front for the mouse; it did not come";
    }
    SendMouseButton(ToScreenPoint(view, step.area.left, step.area.top), static_cast<int>(step.number),
                    step.kind == StepKind::ReleaseMouse);
    return "";
}

// A click as the button's own mouse handling does it; posted, so a modal dialog it opens cannot block the
// driver.
std::string PlayClickControl(Session&, HWND mainWindow, const Step& step) {
    HWND control = GetDlgItem(mainWindow, step.control);
    if (control == nullptr) {
        return "expected control " + std::to_string(step.control) + " to click; it does not exist";
    }
    PostMessageA(control, BM_CLICK, 0, 0);
    return "";
}

// The command goes to the window procedure as a sent message, handled even while the tester waits, but
// without the driver waiting for it: a command that opens a dialog does not block the driver.
std::string PlaySendCommand(Session&, HWND mainWindow, const Step& step) {
    HWND control = GetDlgItem(mainWindow, step.control);
    SendNotifyMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(step.control, BN_CLICKED),
                       reinterpret_cast<LPARAM>(control));
    return "";
}

// The operator's own click, which gives the control the focus as a click of the mouse does.
std::string PlayMouseOnControl(Session&, HWND mainWindow, const Step& step) {
    HWND control = GetDlgItem(mainWindow, step.control);
    if (control == nullptr) {
        return "expected control " + std::to_string(step.control) + " to click; it does not exist";
    }
    return ClickWithMouse(mainWindow, control)
               ? ""
               : "expected the main window in front for the mouse; it did not come";
}

// Selecting an item sends no notification: the driver sends the one the list would send.
std::string PlayChooseLayout(Session&, HWND mainWindow, const Step& step) {
    HWND layoutList = GetDlgItem(mainWindow, IDC_LAYOUT_LIST);
    const std::vector<std::string> items = ReadComboItems(layoutList);
    const auto item = std::find(items.begin(), items.end(), step.text);
    const WPARAM index = static_cast<WPARAM>(item - items.begin());
    DWORD_PTR result = 0;
    if (item == items.end() ||
        !SendMessageTimeoutA(layoutList, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) ||
        result != index) {
        return "expected to choose the layout " + QuoteText(step.text) + " in the list; it failed";
    }
    PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(IDC_LAYOUT_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(layoutList));
    return "";
}

std::string PlayClientSize(Session& session, HWND mainWindow, const Step& step) {
    RECT window = {};
    RECT client = {};
    GetWindowRect(mainWindow, &window);
    GetClientRect(mainWindow, &client);
    const long frameWidth = (window.right - window.left) - client.right;
    const long frameHeight = (window.bottom - window.top) - client.bottom;
    SetWindowPos(mainWindow, nullptr, 0, 0, static_cast<int>(step.number + frameWidth),
                 static_cast<int>(step.extra + frameHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool sized = PollUntil(session, [&] {
        GetClientRect(mainWindow, &client);
        return client.right == step.number && client.bottom == step.extra;
    });
    return sized ? ""
                 : "expected a client area of " + std::to_string(step.number) + " x " +
                       std::to_string(step.extra) + "; saw " + std::to_string(client.right) + " x " +
                       std::to_string(client.bottom);
}

std::string PlayRepaint(Session&, HWND mainWindow, const Step&) {
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return "";
}

// A message sent from another process is taken only where the window's thread asks for messages: the answer
// comes once the work it was doing (a dialog's aftermath, a write to the disk) is done.
std::string PlaySettled(Session&, HWND mainWindow, const Step&) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, StepTimeoutMs(), &result) != 0
               ? ""
               : "expected the tester to take messages again within " +
                     std::to_string(StepTimeoutMs() / 1000) + " s; it does not";
}
