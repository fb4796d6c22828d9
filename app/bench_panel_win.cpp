// The operator's bench panel below the keyboard picture.
#include "app/bench_panel_win.h"

#include <string>

#include "base/key_codes.h"
#include "base/program.h"
#include "base/text_format.h"
#include "base/window_geometry.h"
#include "engine/key_events.h"
#include "engine/key_overlays_win.h"
#include "engine/test_state.h"
#include "engine/verdict.h"
#include "layouts/keyboard_picture_win.h"
#include "records/line_link.h"
#include "resources/resource_ids.h"

namespace {

constexpr int kMargin = 8;
constexpr int kSwatchWidth = 34;
constexpr int kSwatchHeight = 18;
constexpr int kPanelHeight = 90;  // the room the panel needs: the count, the legend, the run's counts

struct LegendEntry {
    const char* text;
    int32_t status;
    bool chattered;
};

const LegendEntry kLegend[] = {
    {"按下", Pressed, false},           {"通过", Passed, false},
    {"抖动", Untested, true},           {"无需检测", NotRequired, false},
    {"故障组合", FailTriggered, false},
};

// What the panel showed last: it is painted again only when this changes.
struct PanelShown {
    int32_t untested = -1;
    bool verdictShown = false;
    int32_t runTested = -1;
    std::string line;  // the line link's state, with the link on
};

PanelShown shown;

bool PanelOn() {
    return program.benchOn && program.productionMode != 0;
}

// The verdict is shown from its end until the next keyboard's first key.
bool VerdictShown() {
    return testState.lastVerdict >= 0 && testState.firstPressTime == 0;
}

HFONT MakeFont(int height, int weight) {
    return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");
}

void DrawTextAt(HDC dc, HFONT font, COLORREF colour, int x, int y, const std::string& text) {
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, previous);
}

void DrawSwatch(HDC dc, int x, int y, const LegendEntry& entry) {
    OverlayLook look;
    OverlayLookOf(entry.status, entry.chattered, look);
    RECT swatch = {x, y, x + kSwatchWidth, y + kSwatchHeight};
    FillRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HBRUSH brush = CreateHatchBrush(look.hatch, look.colour);
    FillRect(dc, &swatch, brush);
    DeleteObject(brush);
    FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
}

// The panel's place in the picture control: below the picture, the control's whole width.
RECT PanelRect(HWND picture) {
    RECT client;
    GetClientRect(picture, &client);
    client.top = ScaledCoordinate(0, kPictureHeight, pictureScale);
    return client;
}

}  // namespace

void PaintBenchPanel(const DRAWITEMSTRUCT* item) {
    if (item->CtlID != IDC_PICTURE || !PanelOn()) {
        return;
    }
    const RECT panel = PanelRect(item->hwndItem);
    if (panel.bottom - panel.top < kPanelHeight) {
        return;  // no room below the picture in a window this small
    }
    HDC dc = item->hDC;
    FillRect(dc, &panel, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    HFONT small = MakeFont(14, FW_NORMAL);
    HFONT large = MakeFont(28, FW_BOLD);
    const int top = panel.top + kMargin;
    shown.untested = UntestedRequiredCount();
    shown.verdictShown = VerdictShown();
    shown.runTested = testState.runTested;
    DrawTextAt(dc, large, RGB(0, 0, 0), kMargin, top, FormatText("待测: %d", shown.untested));
    int x = kMargin;
    const int legendTop = top + 40;
    for (const LegendEntry& entry : kLegend) {
        DrawSwatch(dc, x, legendTop, entry);
        DrawTextAt(dc, small, RGB(0, 0, 0), x + kSwatchWidth + 4, legendTop + 2, entry.text);
        x += kSwatchWidth + 80;
    }
    const int right = panel.right / 3;
    if (shown.verdictShown) {
        const bool passed = testState.lastVerdict == 1;
        const std::string verdict =
            passed ? std::string("PASS 合格")
                   : std::string("FAIL 不合格") +
                         (testState.lastFailReason >= 0
                              ? std::string(": ") + FailReasonText(testState.lastFailReason)
                              : std::string());
        DrawTextAt(dc, large, passed ? RGB(0, 128, 0) : RGB(200, 0, 0), right, top, verdict);
    }
    DrawTextAt(dc, small, RGB(0, 0, 0), kMargin, legendTop + kSwatchHeight + 8,
               FormatText("已测 %d   合格 %d   不合格 %d", testState.runTested, testState.runPassed,
                          testState.runTested - testState.runPassed));
    if (LineLinkOn()) {
        shown.line = LineStateText();
        const bool reached = lineLink.reach == LineReach::Reached && lineLink.setAside == 0;
        DrawTextAt(dc, small, reached ? RGB(0, 128, 0) : RGB(200, 0, 0), right, legendTop + kSwatchHeight + 8,
                   shown.line);
    }
    DeleteObject(small);
    DeleteObject(large);
}

void RefreshBenchPanel(HWND window) {
    if (!PanelOn()) {
        return;
    }
    const std::string line = LineLinkOn() ? LineStateText() : std::string();
    if (shown.untested == UntestedRequiredCount() && shown.verdictShown == VerdictShown() &&
        shown.runTested == testState.runTested && shown.line == line) {
        return;
    }
    HWND picture = GetDlgItem(window, IDC_PICTURE);
    if (shown.line != line) {
        // The line's state is the picture's text too, which screen readers and automation read.
        SetWindowTextA(picture, line.c_str());
        shown.line = line;
    }
    const RECT panel = PanelRect(picture);
    InvalidateRect(picture, &panel, FALSE);
}
