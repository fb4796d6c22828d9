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
    if (target == nullptr) {
        return;
    }
    if (look.frame > 0) {
        // A frame lies inside the key's rectangle, one line of pixels after the other.
        HBRUSH brush = CreateSolidBrush(look.colour);
        RECT frame = {corners[0].x, corners[0].y, corners[2].x, corners[2].y};
        for (int line = 0; line < look.frame; ++line) {
            FrameRect(target, &frame, brush);
            InflateRect(&frame, -1, -1);
        }
        DeleteObject(brush);
    } else {
        HBRUSH brush = CreateHatchBrush(look.hatch, look.colour);
        HGDIOBJ previous = SelectObject(target, brush);
        SetBkMode(target, TRANSPARENT);
        Polygon(target, corners, 4);
        SelectObject(target, previous);
        DeleteObject(brush);
    }
    if (dc == nullptr) {
        ReleaseDC(control, target);
    }
}

void InvalidateKey(HWND window, const KeyEntry& entry) {
    constexpr LONG kFrameRoom = 4;
    const RECT rect = {Scaled(entry.left) - kFrameRoom, Scaled(entry.top) - kFrameRoom,
                       Scaled(entry.left, entry.width) + kFrameRoom,
                       Scaled(entry.top, entry.height) + kFrameRoom};
    InvalidateRect(FindControl(window, IDC_PICTURE), &rect, FALSE);
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
