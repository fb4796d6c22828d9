// The keyboard picture: the layout bitmap scaled into control 1006 with the hatched status overlays.
#include "layouts/keyboard_picture_win.h"

#include "base/key_codes.h"
#include "base/platform.h"
#include "base/shell_services_win.h"
#include "base/window_geometry.h"
#include "layouts/layout_catalogue.h"
#include "resources/resource_ids.h"

HDC pictureDC = nullptr;
HBITMAP pictureBitmap = nullptr;
float pictureScale = 1.0f;

namespace {

constexpr int kBitmapWidth = 700;
constexpr int kBitmapHeight = 340;

// The overlay colour of a key: magenta once it chattered, else its status's colour; false when it is not
// painted.
bool OverlayColour(const KeyEntry& entry, COLORREF& colour) {
    if (entry.chatterGapMs >= 0) {
        colour = RGB(255, 0, 255);
        return true;
    }
    switch (entry.status) {
        case Pressed:
            colour = RGB(255, 0, 0);
            return true;
        case Passed:
            colour = RGB(0, 255, 0);
            return true;
        case NotRequired:
        case NotRequiredPressed:
        case NotRequiredReleased:
            colour = RGB(255, 191, 53);
            return true;
        case FailTriggered:
            colour = RGB(0, 0, 255);
            return true;
        default:
            return false;
    }
}

LONG Scaled(int32_t origin, int32_t extent = 0) {
    return ScaledCoordinate(origin, extent, pictureScale);
}

}  // namespace

void PaintKeyOverlay(HWND window, HDC dc, int32_t keyIndex) {
    if (catalogue.currentKeys == nullptr) {
        return;
    }
    const KeyEntry& entry = (*catalogue.currentKeys)[static_cast<size_t>(keyIndex)];
    COLORREF colour;
    if (!OverlayColour(entry, colour)) {
        return;
    }
    HBRUSH brush = CreateHatchBrush(HS_DIAGCROSS, colour);
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

void RepaintStatusFiveOverlays(HDC dc) {
    if (catalogue.currentKeys == nullptr) {
        return;
    }
    const std::vector<KeyEntry>& keys = *catalogue.currentKeys;
    for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
        if (keys[i].status == FailTriggered) {
            PaintKeyOverlay(nullptr, dc, static_cast<int32_t>(i));
        }
    }
}

void PaintKeyboardPicture(const DRAWITEMSTRUCT* item) {
    if (item->CtlID != IDC_PICTURE) {
        return;
    }
    SetStretchBltMode(item->hDC, HALFTONE);
    StretchBlt(item->hDC, 0, 0, Scaled(kBitmapWidth), Scaled(kBitmapHeight), pictureDC, 0, 0, kBitmapWidth,
               kBitmapHeight, SRCCOPY);
    if (catalogue.currentKeys == nullptr) {
        return;
    }
    const std::vector<KeyEntry>& keys = *catalogue.currentKeys;
    for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
        PaintKeyOverlay(nullptr, item->hDC, static_cast<int32_t>(i));
    }
    RepaintStatusFiveOverlays(item->hDC);
}

void PaintKeyNow(WindowHandle window, int32_t keyIndex) {
    PaintKeyOverlay(static_cast<HWND>(window), nullptr, keyIndex);
}

void ReleasePicture() {
    if (pictureDC != nullptr) {
        DeleteDC(pictureDC);
        DeleteObject(pictureBitmap);
    }
    pictureDC = nullptr;
    pictureBitmap = nullptr;
}
