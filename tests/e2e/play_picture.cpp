// Playing the steps that look at the window: the colours of the picture and of the key overlays read from
// the screen, and the places of the picture and the button row after a resize.
#include <algorithm>
#include <cstdio>
#include <set>

#include "tests/e2e/picture_view.h"
#include "tests/e2e/step_players.h"
#include "tests/e2e/tester_controls.h"
#include "tests/e2e/window_probe.h"

namespace {

// How far inside a key's rectangle the overlay is looked for (its outline lies on the edge), and the band
// around it where the overlay must not be.
constexpr long kInset = 2;
constexpr long kBandStart = 3;
constexpr long kBandEnd = 8;

constexpr int kButtonGap = 20;
constexpr int kPictureMargin = 10;
constexpr int kRowBottomGap = 5;

std::string FormatColour(long colour) {
    char text[16];
    std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(colour));
    return text;
}

RECT Grow(const RECT& rect, long by) {
    return {rect.left - by, rect.top - by, rect.right + by, rect.bottom + by};
}

// The screen pixels of a rectangle together with the rectangle, to look at parts of it.
struct ScreenArea {
    RECT rect = {};
    std::vector<long> colours;

    template <typename Visit>
    void ForEach(const RECT& part, Visit visit) const {
        const long width = rect.right - rect.left;
        for (long y = std::max(part.top, rect.top); y < std::min(part.bottom, rect.bottom); ++y) {
            for (long x = std::max(part.left, rect.left); x < std::min(part.right, rect.right); ++x) {
                visit(x, y, colours[static_cast<size_t>((y - rect.top) * width + (x - rect.left))]);
            }
        }
    }
};

ScreenArea ReadArea(const RECT& rect) {
    return {rect, ReadScreenArea(rect)};
}

bool Contains(const RECT& rect, long x, long y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

std::string DescribeColours(const std::set<long>& colours) {
    std::string described;
    int shown = 0;
    for (const long colour : colours) {
        if (shown++ == 6) {
            return described + " ...";
        }
        described += " " + FormatColour(colour);
    }
    return described.empty() ? " nothing" : described;
}

std::string DescribeArea(const PictureRect& area, const RECT& screen) {
    return "key (" + std::to_string(area.left) + ", " + std::to_string(area.top) + ", " +
           std::to_string(area.width) + " x " + std::to_string(area.height) + ") at screen (" +
           std::to_string(screen.left) + ", " + std::to_string(screen.top) + ")-(" +
           std::to_string(screen.right) + ", " + std::to_string(screen.bottom) + ")";
}

// Polls the key's rectangle until `judge` accepts the colours inside it and in the band around it.
template <typename Judge>
std::string PollKeyArea(Session& session, HWND mainWindow, const Step& step, const std::string& expected,
                        Judge judge) {
    PictureView view;
    if (!ReadPictureView(mainWindow, view)) {
        return "expected the picture control; it does not exist";
    }
    const RECT key = ToScreenRect(view, step.area);
    const RECT inside = Grow(key, -kInset);
    std::set<long> insideColours;
    std::set<long> bandColours;
    const bool held = PollUntil(session, [&] {
        const ScreenArea area = ReadArea(Grow(key, kBandEnd));
        insideColours.clear();
        bandColours.clear();
        const RECT bandHole = Grow(key, kBandStart);
        area.ForEach(area.rect, [&](long x, long y, long colour) {
            if (Contains(inside, x, y)) {
                insideColours.insert(colour);
            } else if (!Contains(bandHole, x, y)) {
                bandColours.insert(colour);
            }
        });
        return judge(insideColours, bandColours);
    });
    if (held) {
        return "";
    }
    return "expected " + expected + " on the " + DescribeArea(step.area, key) + " (picture scale " +
           std::to_string(view.scale) + "); saw inside" + DescribeColours(insideColours) + ", around it" +
           DescribeColours(bandColours);
}

// A control's rectangle in the client coordinates of the main window.
RECT ClientRectOf(HWND mainWindow, HWND control) {
    RECT rect = {};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string DescribeRect(const RECT& rect) {
    return "(" + std::to_string(rect.left) + ", " + std::to_string(rect.top) + ", " +
           std::to_string(rect.right - rect.left) + " x " + std::to_string(rect.bottom - rect.top) + ")";
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// What is wrong with the picture and the button row now; empty when all sit where the client size puts them.
std::string CheckButtonRow(HWND mainWindow, int slots) {
    RECT client = {};
    GetClientRect(mainWindow, &client);
    RECT exitButton = {};
    GetClientRect(GetDlgItem(mainWindow, IDC_EXIT), &exitButton);
    const long buttonWidth = exitButton.right;
    const long buttonHeight = exitButton.bottom;
    const long statusBottom = ClientRectOf(mainWindow, GetDlgItem(mainWindow, IDC_STATUS_LINE)).bottom;

    const long pictureTop = statusBottom + kPictureMargin;
    const RECT picture = {kPictureMargin, pictureTop, client.right - kPictureMargin,
                          client.bottom - buttonHeight - kPictureMargin};
    const RECT seenPicture = ClientRectOf(mainWindow, GetDlgItem(mainWindow, IDC_PICTURE));
    if (!SameRect(picture, seenPicture)) {
        return "expected the picture at " + DescribeRect(picture) + "; saw " + DescribeRect(seenPicture);
    }
    const bool production = slots == 6;
    if ((GetDlgItem(mainWindow, IDC_FAULT_CHECK) != nullptr) != production) {
        return production ? "expected the fault-check button; it does not exist"
                          : "expected no fault-check button; it exists";
    }
    const std::vector<int> order =
        production
            ? std::vector<int>{IDC_LED_TEST, IDC_CLEAR, IDC_FAULT_CHECK, IDC_ABOUT, IDC_HELP_BUTTON, IDC_EXIT}
            : std::vector<int>{IDC_LED_TEST, IDC_CLEAR, IDC_ABOUT, IDC_HELP_BUTTON, IDC_EXIT};
    long x = (client.right - slots * (buttonWidth + kButtonGap) + kButtonGap) / 2;
    const long top = client.bottom - buttonHeight - kRowBottomGap;
    for (const int id : order) {
        const RECT slot = {x, top, x + buttonWidth, top + buttonHeight};
        const RECT seen = ClientRectOf(mainWindow, GetDlgItem(mainWindow, id));
        if (!SameRect(slot, seen)) {
            return "expected button " + std::to_string(id) + " at " + DescribeRect(slot) +
                   " in a client area of " + std::to_string(client.right) + " x " +
                   std::to_string(client.bottom) + "; saw " + DescribeRect(seen);
        }
        x += buttonWidth + kButtonGap;
    }
    return "";
}

}  // namespace

// Looks at three points on the diagonal of the drawn picture (the bitmap scaled to the control's width).
// The free space of the picture control below the layout picture, where the bench's panel lies.
std::string PlayPanelColour(Session& session, HWND mainWindow, const Step& step) {
    PictureView view;
    if (!ReadPictureView(mainWindow, view)) {
        return "expected the picture control; it does not exist";
    }
    const long top = view.origin.y + static_cast<long>(kPictureHeight * view.scale);
    const RECT panel = {view.origin.x, top, view.origin.x + view.clientWidth,
                        view.origin.y + view.clientHeight};
    if (panel.bottom <= panel.top) {
        return "expected room below the picture; there is none";
    }
    const bool shown = PollUntil(session, [&] {
        const std::vector<long> pixels = ReadScreenArea(panel);
        return std::find(pixels.begin(), pixels.end(), step.number) != pixels.end();
    });
    return shown ? ""
                 : "expected the colour " + FormatColour(step.number) + " below the picture; it is not there";
}

std::string PlayPictureColour(Session& session, HWND mainWindow, const Step& step) {
    PictureView view;
    if (!ReadPictureView(mainWindow, view)) {
        return "expected the picture control; it does not exist";
    }
    const long width = view.clientWidth;
    const long height = std::min<long>(view.clientHeight, kPictureHeight * width / kPictureWidth);
    if (width <= 0 || height <= 0) {
        return "expected a picture; the picture control has no area";
    }
    std::vector<long> seen;
    const bool painted = PollUntil(session, [&] {
        seen.clear();
        for (int quarter = 1; quarter <= 3; ++quarter) {
            seen.push_back(
                ReadScreenPixel({view.origin.x + width * quarter / 4, view.origin.y + height * quarter / 4}));
        }
        return std::all_of(seen.begin(), seen.end(), [&](long colour) { return colour == step.number; });
    });
    std::string described;
    for (const long colour : seen) {
        described += " " + FormatColour(colour);
    }
    return painted ? ""
                   : "expected the picture's colour " + FormatColour(step.number) + " at three points; saw" +
                         described;
}

std::string PlayKeyOverlay(Session& session, HWND mainWindow, const Step& step) {
    return PollKeyArea(session, mainWindow, step, "the hatch " + FormatColour(step.number) + " only inside",
                       [&](const std::set<long>& inside, const std::set<long>& band) {
                           return inside.count(step.number) != 0 && band.count(step.number) == 0;
                       });
}

std::string PlayKeyPlain(Session& session, HWND mainWindow, const Step& step) {
    return PollKeyArea(session, mainWindow, step,
                       "the picture's colour " + FormatColour(step.number) + " only",
                       [&](const std::set<long>& inside, const std::set<long>&) {
                           return inside.size() == 1 && *inside.begin() == step.number;
                       });
}

std::string PlayOverlayOnTop(Session& session, HWND mainWindow, const Step& step) {
    const std::string expected =
        "the hatch " + FormatColour(step.number) + " over the hatch " + FormatColour(step.extra);
    return PollKeyArea(session, mainWindow, step, expected,
                       [&](const std::set<long>& inside, const std::set<long>&) {
                           return inside.count(step.number) != 0 && inside.count(step.extra) == 0;
                       });
}

std::string PlayButtonRow(Session& session, HWND mainWindow, const Step& step) {
    std::string problem;
    PollUntil(session, [&] {
        problem = CheckButtonRow(mainWindow, static_cast<int>(step.number));
        return problem.empty();
    });
    return problem;
}
