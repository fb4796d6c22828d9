// The main window's procedure: key and mouse events to the engine, button commands, timers, and the
// destroy handling that ends the program.
#include "app/main_window_win.h"

#include "app/about_box_win.h"
#include "app/bench_panel_win.h"
#include "app/help_win.h"
#include "app/layout_switch_win.h"
#include "app/system_keys_win.h"
#include "base/forwarded_keys.h"
#include "base/program.h"
#include "base/shell_services_win.h"
#include "engine/engine_shell.h"
#include "engine/key_events.h"
#include "engine/key_overlays_win.h"
#include "engine/led_test_win.h"
#include "engine/plan_win.h"
#include "engine/test_state.h"
#include "layouts/keyboard_picture_win.h"
#include "layouts/layout_catalogue.h"
#include "records/host_link.h"
#include "records/line_link.h"
#include "records/line_link_win.h"
#include "records/test_log.h"
#include "resources/resource_ids.h"

namespace {

constexpr const char* kMainWindowClass = "Dorvelquinta";

bool programEnded = false;

// Gives the keyboard focus back to the main window, unless a handler that waited in a modal dialog finds the
// window gone meanwhile.
void FocusMainWindow() {
    if (program.mainWindow != nullptr) {
        SetFocus(static_cast<HWND>(program.mainWindow));
    }
}

// With the bench on, a key whose release went to a modal box (the Alt of Alt+A) is not left shown held.
void ReleaseSwallowedKeys(HWND window) {
    if (program.benchOn && program.mainWindow != nullptr) {
        ReleaseKeysNoLongerDown(window);
    }
}

void OnCommand(HWND window, WORD id, WORD notification) {
    switch (id) {
        case IDC_HELP_BUTTON:
            ShowHelp(HELP_FINDER, 0, window);
            ReleaseSwallowedKeys(window);
            break;
        case IDC_EXIT:
            StopLedTest();
            DestroyWindow(window);
            break;
        case IDC_LAYOUT_LIST:
            if (notification == CBN_SELCHANGE) {
                SelectLayout(window);
                FocusMainWindow();
            }
            break;
        case IDC_CLEAR:
            ResetTest();
            InvalidateRect(window, nullptr, FALSE);
            FocusMainWindow();
            break;
        case IDC_FAULT_CHECK:
            if (program.productionMode) {
                ConcludeTest(window, false);
            }
            break;
        case IDC_ABOUT:
            ShowAboutBox(window);
            FocusMainWindow();
            ReleaseSwallowedKeys(window);
            break;
        case IDC_FILTER_SYSTEM_KEYS:
            if (notification == BN_CLICKED) {
                ApplySystemKeyFilter(window);
                FocusMainWindow();
            }
            break;
        case IDC_MATCH_WINDOWS:
        case IDC_MATCH_BIOS:
            if (notification == BN_CLICKED) {
                testState.matchByKeyCode =
                    IsDlgButtonChecked(window, IDC_MATCH_WINDOWS) == BST_CHECKED ? 1 : 0;
                FocusMainWindow();
            }
            break;
        case IDC_LED_TEST:
            if (ledTestRunning) {
                StopLedTest();
            } else {
                StartLedTest(window);
            }
            InvalidateRect(window, nullptr, FALSE);
            FocusMainWindow();
            if (testState.waitingForLedTest && AllRequiredTested()) {
                ConcludeWhenSettled(window);
            }
            break;
        default:
            break;
    }
}

// A keyboard's record being written, or its Retry/Cancel question, is never cut short by the host: the run
// ends at the first poll after it.
void OnTimer(HWND window, UINT_PTR timer) {
    if (timer == LED_TEST_TIMER) {
        LedTick();
    } else if (timer == PLAN_TIMER) {
        OnPlanTimer(window);
    } else if (timer == CONCLUSION_TIMER) {
        KillTimer(window, CONCLUSION_TIMER);
        OnConclusionDue(window);
    } else if (timer == HOST_POLL_TIMER && !testLog.writingRecord && !RunRequested()) {
        StopLedTest();
        DestroyWindow(window);
    }
}

// A key message to the engine; one that the hook library posted is timed by its own event's time stamp.
void OnKeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* forwarded = static_cast<ForwardedKeys*>(GetPropA(window, kForwardedKeysProperty));
    uint32_t eventTime = 0;
    const bool timed =
        forwarded != nullptr && TakeForwardedKey(*forwarded, message, static_cast<uint32_t>(wParam),
                                                 static_cast<uint32_t>(lParam), eventTime);
    if (timed) {
        GiveEventTime(eventTime);
    }
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        OnKeyDown(window, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
    } else {
        OnKeyUp(window, static_cast<int32_t>(wParam), static_cast<int32_t>(lParam));
    }
    ForgetGivenEventTime();
    RefreshBenchPanel(window);
}

}  // namespace

void EndProgram() {
    if (programEnded) {
        return;
    }
    programEnded = true;
    StopLedTest();
    RemoveSystemKeyFilter();
    ReleasePicture();
    FreeLayoutCatalogue();
    if (program.productionMode) {
        CloseLog();
    }
    program.mainWindow = nullptr;
}

void RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, kMainWindowClass);
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassExA(&windowClass);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const int32_t keyParam = static_cast<int32_t>(lParam);
    switch (message) {
        case WM_CREATE:
        case WM_SHOWWINDOW:
            return 0;
        case WM_DESTROY:
            EndProgram();
            PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            LayoutMainWindow(window, LOWORD(lParam), HIWORD(lParam));
            break;
        case WM_DRAWITEM:
            PaintKeyboardPicture(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            PaintBenchPanel(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            OnKeyMessage(window, message, wParam, lParam);
            return 0;
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            OnTimer(window, wParam);
            return 0;
        case WM_ENABLE:
            if (wParam != FALSE) {
                OnPlanWindowEnabled(window);
            }
            break;
        case WM_LBUTTONDOWN:
            SetFocus(window);
            OnKeyDown(window, kLeftMouse, keyParam);
            RefreshBenchPanel(window);
            return 0;
        case WM_LBUTTONUP:
            OnKeyUp(window, kLeftMouse, keyParam);
            RefreshBenchPanel(window);
            return 0;
        case WM_RBUTTONDOWN:
            OnKeyDown(window, kRightMouse, keyParam);
            RefreshBenchPanel(window);
            return 0;
        case WM_RBUTTONUP:
            OnKeyUp(window, kRightMouse, keyParam);
            RefreshBenchPanel(window);
            return 0;
        case WM_MBUTTONDOWN:
            OnKeyDown(window, kMiddleMouse, keyParam);
            RefreshBenchPanel(window);
            return 0;
        case WM_MBUTTONUP:
            OnKeyUp(window, kMiddleMouse, keyParam);
            RefreshBenchPanel(window);
            return 0;
        case WM_APPCOMMAND:
            return 1;
        case kLineStateMessage:
            NoteLineState(static_cast<LineReach>(wParam & 0x0F), (wParam & kLineAnswered) != 0,
                          static_cast<int32_t>(lParam), static_cast<int32_t>(wParam >> 8));
            RefreshBenchPanel(window);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
