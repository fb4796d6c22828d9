// The keyboard picture: the layout bitmap scaled into control 1006 with the hatched status overlays.
#include "layouts/keyboard_picture_win.h"

#include "base/key_codes.h"
#include "base/program.h"
#include "base/shell_services_win.h"
#include "base/window_geometry.h"
#include "layouts/keyboard_picture.h"
#include "layouts/layout_catalogue.h"
#include "resources/resource_ids.h"

HDC pictureDC = nullptr;
HBITMAP pictureBitmap = nullptr;
float pictureScale = 1.0f;

namespace {

// The hatch of every overlay is a diagonal cross; on the bench each state has a hatch of its own as well, so
// that an operator who cannot tell red from green tells held keys from passed ones.
int Hatch(int benchHatch) {
    return program.benchOn ? benchHatch : HS_DIAGCROSS;
}

LONG Scaled(int32_t origin, int32_t extent = 0) {
    return ScaledCoordinate(origin, extent, pictureScale);
}

}  // namespace

bool OverlayLookOf(int32_t status, bool chattered, OverlayLook& look) {
    if (chattered) {
        look = {RGB(255, 0, 255), Hatch(HS_CROSS)};
        return true;
    }
    switch (status) {
        case Pressed:
            look = {RGB(255, 0, 0), Hatch(HS_HORIZONTAL)};
            return true;
        case Passed:
            look = {RGB(0, 255, 0), HS_DIAGCROSS};
            return true;
        case NotRequired:
        case NotRequiredPressed:
        case NotRequiredReleased:
            look = {RGB(255, 191, 53), Hatch(HS_BDIAGONAL)};
            return true;
        case FailTriggered:
            look = {RGB(0, 0, 255), Hatch(HS_VERTICAL)};
            return true;
        default:
            return false;
    }
}

void PaintKeyOverlay(HWND window, HDC dc, int32_t keyIndex) {
    if (catalogue.currentKeys == nullptr) {
        return;
    }
    const KeyEntry& entry = (*catalogue.currentKeys)[static_cast<size_t>(keyIndex)];
    OverlayLook look;
    if (!OverlayLookOf(entry.status, entry.chatterGapMs >= 0, look)) {
        return;
    }
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
    StretchBlt(item->hDC, 0, 0, Scaled(kPictureWidth), Scaled(kPictureHeight), pictureDC, 0, 0, kPictureWidth,
               kPictureHeight, SRCCOPY);
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
