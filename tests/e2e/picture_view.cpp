// Placing points of the layout picture on the screen.
#include "tests/e2e/picture_view.h"

#include "tests/e2e/tester_controls.h"

bool ReadPictureView(HWND mainWindow, PictureView& view) {
    view.picture = GetDlgItem(mainWindow, IDC_PICTURE);
    RECT client = {};
    if (view.picture == nullptr || !GetClientRect(view.picture, &client)) {
        return false;
    }
    view.origin = {0, 0};
    ClientToScreen(view.picture, &view.origin);
    view.clientWidth = client.right;
    view.clientHeight = client.bottom;
    view.scale = static_cast<float>(client.right / static_cast<double>(kPictureWidth));
    return true;
}

POINT ToScreenPoint(const PictureView& view, int x, int y) {
    return {view.origin.x + static_cast<LONG>(static_cast<float>(x) * view.scale),
            view.origin.y + static_cast<LONG>(static_cast<float>(y) * view.scale)};
}

RECT ToScreenRect(const PictureView& view, const PictureRect& area) {
    const POINT topLeft = ToScreenPoint(view, area.left, area.top);
    const POINT bottomRight = ToScreenPoint(view, area.left + area.width, area.top + area.height);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}
