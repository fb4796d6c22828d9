// A test plan's marks, count-down and clock in the shell.
#include "engine/plan_win.h"

#include <cstdio>

#include "base/window_geometry.h"
#include "engine/test_state.h"
#include "resources/resource_ids.h"

namespace {

constexpr COLORREF kNextColour = RGB(0, 170, 255);
constexpr COLORREF kHoldColour = RGB(0, 0, 0);
constexpr COLORREF kIdleColour = RGB(96, 96, 96);
constexpr int kNextFrame = 4;
constexpr int kPlanClockMs = 1000;

}  // namespace

bool PlanLookOf(PlanMark mark, OverlayLook& look) {
    switch (mark) {
        case PlanMark::Next:
            look = {kNextColour, HS_DIAGCROSS, kNextFrame};
            return true;
        case PlanMark::Hold:
            look = {kHoldColour, HS_FDIAGONAL};
            return true;
        case PlanMark::Idle:
            look = {kIdleColour, HS_FDIAGONAL};
            return true;
        default:
            return false;
    }
}

void PaintIdleCountdown(HDC dc) {
    if (ActivePlan() == nullptr || testState.planPhase != PlanIdle) {
        return;
    }
    char text[64];
    const int length = std::snprintf(text, sizeof text, "请勿触碰键盘  %d", testState.idleSecondsLeft);
    HFONT font = CreateFontA(-ScaledCoordinate(0, 40, pictureScale), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                             GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, "宋体");
    HGDIOBJ previous = SelectObject(dc, font);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, kIdleColour);
    TextOutA(dc, ScaledCoordinate(10, 0, pictureScale), ScaledCoordinate(10, 0, pictureScale), text, length);
    SelectObject(dc, previous);
    DeleteObject(font);
}

void RunPlanClock(WindowHandle window, bool on) {
    if (on) {
        SetTimer(static_cast<HWND>(window), PLAN_TIMER, kPlanClockMs, nullptr);
    } else {
        KillTimer(static_cast<HWND>(window), PLAN_TIMER);
    }
}

void OnPlanTimer(HWND window) {
    if (!IsWindowEnabled(window)) {
        return;  // the Operator or Serial dialog is open: the keyboard's test has not started
    }
    OnPlanClockTick(window);
    InvalidateRect(GetDlgItem(window, IDC_PICTURE), nullptr, FALSE);
}

void OnPlanWindowEnabled(HWND window) {
    if (ActivePlan() != nullptr && testState.planPhase == PlanIdle) {
        RunPlanClock(window, true);
    }
}
