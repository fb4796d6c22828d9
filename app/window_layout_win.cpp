// The main window's initialisation, its layout on every resize, and the centring of dialogs over it.
#include <string>

#include "app/layout_switch_win.h"
#include "app/main_window_win.h"
#include "app/system_keys_win.h"
#include "base/program.h"
#include "base/window_geometry.h"
#include "engine/test_state.h"
#include "layouts/keyboard_picture_win.h"
#include "layouts/layout_catalogue.h"
#include "resources/resource_ids.h"

namespace {

// The buttons of the bottom row in the order of their slots; the Fail button only in production mode.
const int kRowButtons[] = {IDC_LED_TEST, IDC_CLEAR, IDC_FAULT_CHECK, IDC_ABOUT, IDC_HELP_BUTTON, IDC_EXIT};

}  // namespace

void InitMainWindow(HWND window) {
    HWND layoutList = GetDlgItem(window, IDC_LAYOUT_LIST);
    int32_t selected = 0;
    for (int32_t i = 0; i < catalogue.layoutCount; ++i) {
        const std::string& name = catalogue.layouts[static_cast<size_t>(i)].name;
        SendMessageA(layoutList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (program.layoutName == name) {
            selected = i;
        }
    }
    SendMessageA(layoutList, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SelectLayout(window);
    // A layout whose picture cannot be loaded is not switched to: the first layout in the list whose picture
    // loads is taken instead. Only when no picture loads is the first layout tested without one.
    for (int32_t i = 0; pictureBitmap == nullptr && i < catalogue.layoutCount; ++i) {
        SendMessageA(layoutList, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        SelectLayout(window);
    }
    // The layout in use: the one named, unless its picture could not be loaded.
    program.layoutName = catalogue.layouts[static_cast<size_t>(catalogue.currentLayout)].name;

    CheckRadioButton(window, IDC_MATCH_WINDOWS, IDC_MATCH_BIOS, IDC_MATCH_BIOS);
    testState.matchByKeyCode = 0;
    char keyboardLayoutName[KL_NAMELENGTH] = "";
    GetKeyboardLayoutNameA(keyboardLayoutName);
    SetDlgItemTextA(window, IDC_LANGUAGE_CODE, keyboardLayoutName);
    ReadOperatingSystemVersion();
    if (program.filterOn == 1) {
        CheckDlgButton(window, IDC_FILTER_SYSTEM_KEYS, BST_CHECKED);
        ApplySystemKeyFilter(window);
    } else {
        CheckDlgButton(window, IDC_FILTER_SYSTEM_KEYS, BST_UNCHECKED);
    }
}

void LayoutMainWindow(HWND window, int32_t clientWidth, int32_t clientHeight) {
    HWND exitButton = GetDlgItem(window, IDC_EXIT);
    HWND statusLine = GetDlgItem(window, IDC_STATUS_LINE);
    HWND picture = GetDlgItem(window, IDC_PICTURE);
    if (exitButton == nullptr || statusLine == nullptr || picture == nullptr) {
        return;  // the controls do not exist yet
    }
    RECT buttonRect;
    GetClientRect(exitButton, &buttonRect);
    RECT statusRect;
    GetWindowRect(statusLine, &statusRect);
    POINT statusCorner = {statusRect.right, statusRect.bottom};
    ScreenToClient(window, &statusCorner);

    const MainWindowLayout layout =
        ComputeMainWindowLayout(clientWidth, clientHeight, buttonRect.right, buttonRect.bottom,
                                statusCorner.y, program.productionMode != 0);
    MoveWindow(picture, layout.picture.left, layout.picture.top, layout.picture.width, layout.picture.height,
               FALSE);
    InvalidateRect(picture, nullptr, FALSE);
    int32_t slot = 0;
    for (int id : kRowButtons) {
        HWND button = GetDlgItem(window, id);
        if (id == IDC_FAULT_CHECK && !program.productionMode) {
            if (button != nullptr) {
                DestroyWindow(button);
            }
            continue;
        }
        const PixelRect& place = layout.buttons[slot++];
        MoveWindow(button, place.left, place.top, place.width, place.height, TRUE);
    }
    RECT pictureClient;
    GetClientRect(picture, &pictureClient);
    pictureScale = PictureScaleFor(pictureClient.right);
}
