// The keyboard picture: the layout bitmap scaled into control 1006, and a key's hatched overlay on it.
#include "layouts/keyboard_picture_win.h"

#include "base/shell_services_win.h"
#include "base/window_geometry.h"
#include "resources/resource_ids.h"

HDC pictureDC = nullptr;
HBITMAP pictureBitmap = nullptr;
float pictureScale = 1.0f;

namespace {

LONG Scaled(int32_t origin, int32_t extent = 0) {
    return ScaledCoordinate(origin, extent, pictureScale);
}

}  // namespace

void HatchKey(HWND window, HDC dc, const KeyEntry& entry, const OverlayLook& look) {
    HBRUSH brush = CreateHatchBrush(look.hatch, look.colour);
    const POINT corners[4] = {{Scaled(entry.left), Scaled(entry.top)},
                              {Scaled(entry.left, entry.width), Scaled(entry.top)},
                              {Scaled(entry.left, entry.width), Scaled(entry.top, entry.height)},
                              {Scaled(entry.left), Scaled(entry.top, entry.height)}};
    HWND control = nullptr;
    HDC target = dc;
    if (target == nullptr) {
        control = FindControl(window, IDC_PICTURE);
        target = GetDC(control);
    }
    if (target != nullptr) {
        HGDIOBJ previous = SelectObject(target, brush);
        SetBkMode(target, TRANSPARENT);
        Polygon(target, corners, 4);
        SelectObject(target, previous);
        if (dc == nullptr) {
            ReleaseDC(control, target);
        }
    }
    DeleteObject(brush);
}

bool DrawLayoutPicture(const DRAWITEMSTRUCT* item) {
    if (item->CtlID != IDC_PICTURE) {
        return false;
    }
    SetStretchBltMode(item->hDC, HALFTONE);
    StretchBlt(item->hDC, 0, 0, Scaled(kPictureWidth), Scaled(kPictureHeight), pictureDC, 0, 0, kPictureWidth,
               kPictureHeight, SRCCOPY);
    return true;
}

void ReleasePicture() {
    if (pictureDC != nullptr) {
        DeleteDC(pictureDC);
        DeleteObject(pictureBitmap);
    }
    pictureDC = nullptr;
    pictureBitmap = nullptr;
}
