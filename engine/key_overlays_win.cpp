// The keys' overlays on the keyboard picture, in the colours of their test states.
#include "engine/key_overlays_win.h"

#include "base/key_codes.h"
#include "base/program.h"
#include "engine/engine_shell.h"
#include "engine/plan_win.h"
#include "engine/test_state.h"
#include "layouts/layout_catalogue.h"

namespace {

// The hatch of every overlay is a diagonal cross; on the bench each state has a hatch of its own as well, so
// that an operator who cannot tell red from green tells held keys from passed ones.
int Hatch(int benchHatch) {
    return program.benchOn ? benchHatch : HS_DIAGCROSS;
}

// Paints once more the overlays of every key whose status is FailTriggered, so that they lie on top.
void RepaintStatusFiveOverlays(HDC dc) {
    const std::vector<KeyEntry>& keys = *catalogue.currentKeys;
    for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
        if (StateOf(i).status == FailTriggered) {
            PaintKeyOverlay(nullptr, dc, static_cast<int32_t>(i));
        }
    }
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
    const KeyState& state = StateOf(keyIndex);
    const KeyEntry& entry = (*catalogue.currentKeys)[static_cast<size_t>(keyIndex)];
    OverlayLook look;
    if (OverlayLookOf(state.status, state.chatterGapMs >= 0, look)) {
        HatchKey(window, dc, entry, look);
    }
    if (PlanLookOf(PlanMarkOf(keyIndex), look)) {
        HatchKey(window, dc, entry, look);
    }
}

void PaintKeyboardPicture(const DRAWITEMSTRUCT* item) {
    if (!DrawLayoutPicture(item) || catalogue.currentKeys == nullptr) {
        return;
    }
    const std::vector<KeyEntry>& keys = *catalogue.currentKeys;
    for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
        PaintKeyOverlay(nullptr, item->hDC, static_cast<int32_t>(i));
    }
    RepaintStatusFiveOverlays(item->hDC);
    PaintIdleCountdown(item->hDC);
}

// A plan's marks come and go: with a plan the key is painted anew whole, picture and marks, with the next
// paint, so that a mark taken away leaves nothing behind.
void PaintKeyNow(WindowHandle window, int32_t keyIndex) {
    if (ActivePlan() != nullptr && catalogue.currentKeys != nullptr) {
        InvalidateKey(static_cast<HWND>(window), (*catalogue.currentKeys)[static_cast<size_t>(keyIndex)]);
        return;
    }
    PaintKeyOverlay(static_cast<HWND>(window), nullptr, keyIndex);
}
