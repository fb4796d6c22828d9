// Switching the current layout to the one selected in the layout list.
#include "app/layout_switch_win.h"

#include "base/paths.h"
#include "base/program.h"
#include "engine/test_state.h"
#include "layouts/keyboard_picture_win.h"
#include "layouts/layout_catalogue.h"
#include "records/test_log.h"
#include "resources/resource_ids.h"

// The picture is loaded before anything changes. A layout whose picture cannot be loaded is not switched to:
// the list goes back to the layout under test and nothing is logged, so that the list and the log never name
// a layout whose keys are not the ones being tested.
void SelectLayout(HWND mainWindow) {
    const LRESULT selection = SendDlgItemMessageA(mainWindow, IDC_LAYOUT_LIST, CB_GETCURSEL, 0, 0);
    if (selection < 0 || selection >= catalogue.layoutCount) {
        return;
    }
    const KeyboardLayout& layout = catalogue.layouts[static_cast<size_t>(selection)];
    // The bitmap is looked for beside the layout file, whatever the current directory is.
    const std::string bitmapPath = JoinPath(program.programDirectory, layout.name + ".bmp");
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, bitmapPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    if (bitmap == nullptr) {
        SendDlgItemMessageA(mainWindow, IDC_LAYOUT_LIST, CB_SETCURSEL,
                            static_cast<WPARAM>(catalogue.currentLayout), 0);
        return;
    }
    ReleasePicture();

    HWND pictureControl = GetDlgItem(mainWindow, IDC_PICTURE);
    HDC controlDC = GetDC(pictureControl);
    pictureDC = CreateCompatibleDC(controlDC);
    if (program.productionMode) {
        LogLine("用户已更改键盘布局为 %s.kbl\n", layout.name.c_str());
    }
    pictureBitmap = bitmap;
    SelectObject(pictureDC, pictureBitmap);
    SetMapMode(pictureDC, GetMapMode(controlDC));
    MakeLayoutCurrent(static_cast<int32_t>(selection));
    ResetTest();
    ReleaseDC(pictureControl, controlDC);
    InvalidateRect(mainWindow, nullptr, FALSE);
}
