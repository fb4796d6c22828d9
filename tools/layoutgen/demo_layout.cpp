// The demo layout: a tenkeyless keyboard beside a pad with a compound key and a key that fails the unit,
// a three-button mouse, and a fail combination. It shows every kind of entry a layout file can hold.
#include "tools/layoutgen/demo_layout.h"

#include <algorithm>

#include "tools/layoutgen/standard_blocks.h"

namespace {

constexpr int32_t kVkControl = 17;
constexpr int32_t kVkMenu = 18;
constexpr int32_t kVkDelete = 46;
constexpr int32_t kVkC = 'C';
// Longest time between the presses that make up a compound key or the fail combination.
constexpr int32_t kCompoundTimeMs = 500;

// The column right of the keyboard: its left edge and width in pixels.
constexpr int kColumnLeft = 574;
constexpr int kColumnWidth = 118;

LayoutKey SpecialKey(const char* code, const char* label, KeyShape shape, Box box) {
    LayoutKey key;
    key.code = std::string("\"") + code + "\"";
    key.label = label;
    key.legend = label;
    key.shape = shape;
    key.box = box;
    return key;
}

void SetStatus(LayoutSheet& sheet, const char* label, const char* status) {
    FindKeyByLabel(sheet, label)->status = status;
}

void PlaceSpecialPad(LayoutSheet& sheet, int top) {
    sheet.decor.push_back(Decor{DecorKind::KeyboardBody, Box{kColumnLeft, top, kColumnWidth, 50}, ""});
    LayoutKey copy = SpecialKey("COMPOUND", "Copy", KeyShape::Cap, Box{kColumnLeft + 10, top + 10, 52, 30});
    copy.compoundTime = kCompoundTimeMs;
    copy.components = {kVkControl, kVkC};
    sheet.keys.push_back(copy);
    LayoutKey sleep = SpecialKey("VK_SLEEP", "Sleep", KeyShape::Cap, Box{kColumnLeft + 66, top + 10, 42, 30});
    sleep.scanCode = 95;
    sleep.extended = true;
    sleep.status = "DQSTATUSNOTESTFAIL";
    sheet.keys.push_back(sleep);
}

void PlaceMouse(LayoutSheet& sheet, int top) {
    const Box body{kColumnLeft + (kColumnWidth - 92) / 2, top, 92, 130};
    sheet.decor.push_back(Decor{DecorKind::MouseBody, body, ""});
    const int buttonTop = body.top + 8;
    const int left = body.left + 6;
    const struct {
        const char* code;
        const char* label;
        const char* legend;
        Box box;
    } buttons[] = {
        {"LMOUSE", "Mouse Left", "L", Box{left, buttonTop, 32, 50}},
        {"MMOUSE", "Mouse Middle", "M", Box{left + 35, buttonTop + 8, 10, 28}},
        {"RMOUSE", "Mouse Right", "R", Box{left + 48, buttonTop, 32, 50}},
    };
    for (const auto& button : buttons) {
        LayoutKey key = SpecialKey(button.code, button.label, KeyShape::MouseButton, button.box);
        key.legend = button.legend;
        key.extended = true;  // mouse presses reach the tester with the extended bit set
        sheet.keys.push_back(key);
    }
}

// Mouse buttons and compound entries come after the keyboard keys, in the order they were placed.
bool IsPseudoKey(const LayoutKey& key) {
    return key.shape == KeyShape::MouseButton || key.code == "\"COMPOUND\"";
}

void SortInReadingOrder(LayoutSheet& sheet) {
    std::stable_sort(sheet.keys.begin(), sheet.keys.end(), [](const LayoutKey& a, const LayoutKey& b) {
        if (IsPseudoKey(a) != IsPseudoKey(b)) {
            return IsPseudoKey(b);
        }
        if (IsPseudoKey(a)) {
            return false;
        }
        return a.box.top != b.box.top ? a.box.top < b.box.top : a.box.left < b.box.left;
    });
}

void PlaceFailCombination(LayoutSheet& sheet, int top) {
    LayoutKey fail =
        SpecialKey("COMPOUND", "Ctrl+Alt+Del", KeyShape::FailArea, Box{kColumnLeft, top, kColumnWidth, 36});
    fail.status = "DQSTATUSFAIL";
    fail.compoundTime = kCompoundTimeMs;
    fail.components = {kVkControl, kVkMenu, kVkDelete};
    sheet.keys.push_back(fail);
}

}  // namespace

LayoutSheet DemoLayout() {
    LayoutSheet sheet = NewLayoutSheet(
        "Demo", "Demo layout",
        {"Demo of every kind of entry: keys, mouse buttons, a compound key and a fail combination.",
         "Copy is Ctrl then C within 500 ms. Sleep fails the unit when pressed. Ctrl+Alt+Del, pressed in",
         "any order within 500 ms, is a fail combination. Win, Menu and PrtSc need no test."});
    const KeyGrid grid = AddKeyboardCase(sheet, kTenkeylessWidth);
    PlaceFunctionRow(sheet, grid);
    PlaceAnsiMainBlock(sheet, grid);
    PlaceNavigationBlock(sheet, grid);
    for (const char* label : {"Left Win", "Right Win", "Menu", "PrtSc"}) {
        SetStatus(sheet, label, "DQSTATUSNOTEST");
    }
    const Box body = sheet.decor.front().box;
    PlaceSpecialPad(sheet, body.top);
    PlaceMouse(sheet, body.top + 62);
    PlaceFailCombination(sheet, body.top + body.height - 36);
    AddSubtitle(sheet, 0, 10, "Copy = Ctrl then C within 500 ms");
    AddSubtitle(sheet, 1, 10, "Sleep fails the unit when pressed");
    AddSubtitle(sheet, 0, 250, "Ctrl+Alt+Del is a fail combination");
    AddSubtitle(sheet, 1, 250, "Win, Menu and PrtSc need no test");
    SortInReadingOrder(sheet);
    return sheet;
}
