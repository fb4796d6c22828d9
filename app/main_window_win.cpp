// The main window: built from the dialog template "Dorvelquinta", run by its own window procedure.
#include "app/main_window_win.h"

#include "app/program.h"
#include "layouts/keyboard_picture_win.h"
#include "layouts/layout_catalogue.h"
#include "layouts/layout_switch_win.h"
#include "resources/resource_ids.h"

namespace {

constexpr const char* kMainWindowClass = "Dorvelquinta";

void OnCommand(HWND window, WORD id, WORD notification) {
    switch (id) {
        case IDC_EXIT:
            DestroyWindow(window);
            break;
        case IDC_LAYOUT_LIST:
            if (notification == CBN_SELCHANGE) {
                SelectLayout(window);
                SetFocus(window);
            }
            break;
        default:
            break;
    }
}

void OnDestroy() {
    ReleasePicture();
    FreeLayoutCatalogue();
    PostQuitMessage(0);
}

}  // namespace

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
    switch (message) {
        case WM_CREATE:
        case WM_SHOWWINDOW:
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_COMMAND:
            OnCommand(window, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            return 0;
        case WM_APPCOMMAND:
            return 1;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

void InitMainWindow(HWND window) {
    HWND layoutList = GetDlgItem(window, IDC_LAYOUT_LIST);
    int32_t selected = 0;
    std::string candidate = catalogue.layouts[0].name;
    for (int32_t i = 0; i < catalogue.layoutCount; ++i) {
        const std::string& name = catalogue.layouts[static_cast<size_t>(i)].name;
        SendMessageA(layoutList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (program.layoutName == name) {
            selected = i;
            candidate = program.layoutName;
        }
    }
    program.layoutName = candidate;
    SendMessageA(layoutList, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SelectLayout(window);

    CheckRadioButton(window, IDC_MATCH_WINDOWS, IDC_MATCH_BIOS, IDC_MATCH_BIOS);
    char keyboardLayoutName[KL_NAMELENGTH] = "";
    GetKeyboardLayoutNameA(keyboardLayoutName);
    SetDlgItemTextA(window, IDC_LANGUAGE_CODE, keyboardLayoutName);
}
