// The function row, navigation block, keypad and bottom row of full-size keyboards. Codes and scan codes
// are those the keys arrive with in key messages, with the keypad in its Num Lock state.
#include "tools/layoutgen/standard_blocks.h"

#include <string>

namespace {

// Quarter-unit columns of the blocks right of the main block.
constexpr int kNavigationColumn = 62;
constexpr int kKeypadColumn = 76;
// Quarter units from the top of the function row to the bottom of the main block.
constexpr int kGridHeight = 26;

constexpr int kCaseMargin = 8;
constexpr int kCasePadding = 10;

}  // namespace

const BlockLegends kEnglishLegends = {
    "PrtSc",
    "Scroll\nLock",
    "Pause",
    "Ins",
    "Home",
    "PgUp",
    "Del",
    "End",
    "PgDn",
    "Num\nLock",
    "Ctrl",
    {"0\nIns", "1\nEnd", u8"2\n\u2193", "3\nPgDn", u8"4\n\u2190", "5", u8"6\n\u2192", "7\nHome",
     u8"8\n\u2191", "9\nPgUp", ".\nDel"},
    "Num .",
};

const BlockLegends kGermanLegends = {
    "Druck",
    "Rollen",
    "Pause",
    "Einfg",
    "Pos1",
    u8"Bild\u2191",
    "Entf",
    "Ende",
    u8"Bild\u2193",
    "Num",
    "Strg",
    {"0\nEinfg", "1\nEnde", u8"2\n\u2193", u8"3\nBild\u2193", u8"4\n\u2190", "5", u8"6\n\u2192", "7\nPos1",
     u8"8\n\u2191", u8"9\nBild\u2191", ",\nEntf"},
    "Num Comma",
};

KeyGrid AddKeyboardCase(LayoutSheet& sheet, int quarterWidth) {
    const Box keys = GridBox(KeyGrid{}, 0, 0, quarterWidth, kGridHeight);
    KeyGrid grid;
    grid.left = kCaseMargin + kCasePadding;
    grid.top = kPictureHeight - kCaseMargin - kCasePadding - keys.height;
    const Box body{kCaseMargin, grid.top - kCasePadding, keys.width + 2 * kCasePadding,
                   keys.height + 2 * kCasePadding};
    sheet.decor.push_back(Decor{DecorKind::KeyboardBody, body, ""});
    return grid;
}

KeyGrid AddFullSizeCase(LayoutSheet& sheet) {
    const KeyGrid grid = AddKeyboardCase(sheet, kFullSizeWidth);
    const Box lights = GridBox(grid, kKeypadColumn, kFunctionRow, kFullSizeWidth - kKeypadColumn, 4);
    sheet.decor.push_back(Decor{DecorKind::LockLights, lights, ""});
    return grid;
}

void AddSubtitle(LayoutSheet& sheet, int line, int left, const char* text) {
    sheet.decor.push_back(Decor{DecorKind::Caption, Box{left, 48 + 14 * line, 0, 0}, text});
}

void PlaceFunctionRow(LayoutSheet& sheet, const KeyGrid& grid, const BlockLegends& legends) {
    PlaceRow(sheet, grid, 0, kFunctionRow,
             {{"VK_ESCAPE", 1, false, "Esc", nullptr},
              RowGap(4),
              {"VK_F1", 59, false, "F1", nullptr},
              {"VK_F2", 60, false, "F2", nullptr},
              {"VK_F3", 61, false, "F3", nullptr},
              {"VK_F4", 62, false, "F4", nullptr},
              RowGap(2),
              {"VK_F5", 63, false, "F5", nullptr},
              {"VK_F6", 64, false, "F6", nullptr},
              {"VK_F7", 65, false, "F7", nullptr},
              {"VK_F8", 66, false, "F8", nullptr},
              RowGap(2),
              {"VK_F9", 67, false, "F9", nullptr},
              {"VK_F10", 68, false, "F10", nullptr},
              {"VK_F11", 87, false, "F11", nullptr},
              {"VK_F12", 88, false, "F12", nullptr},
              RowGap(2),
              {"VK_SNAPSHOT", 55, true, "PrtSc", legends.printScreen},
              {"VK_SCROLL", 70, false, "Scroll Lock", legends.scrollLock},
              {"VK_PAUSE", 69, false, "Pause", legends.pause}});
}

void PlaceNavigationBlock(LayoutSheet& sheet, const KeyGrid& grid, const BlockLegends& legends) {
    PlaceRow(sheet, grid, kNavigationColumn, kMainRow1,
             {{"VK_INSERT", 82, true, "Insert", legends.insert},
              {"VK_HOME", 71, true, "Home", legends.home},
              {"VK_PRIOR", 73, true, "Page Up", legends.pageUp}});
    PlaceRow(sheet, grid, kNavigationColumn, kMainRow2,
             {{"VK_DELETE", 83, true, "Delete", legends.deleteKey},
              {"VK_END", 79, true, "End", legends.end},
              {"VK_NEXT", 81, true, "Page Down", legends.pageDown}});
    PlaceRow(sheet, grid, kNavigationColumn + 4, kMainRow4, {{"VK_UP", 72, true, "Up", u8"\u2191"}});
    PlaceRow(sheet, grid, kNavigationColumn, kMainRow5,
             {{"VK_LEFT", 75, true, "Left", u8"\u2190"},
              {"VK_DOWN", 80, true, "Down", u8"\u2193"},
              {"VK_RIGHT", 77, true, "Right", u8"\u2192"}});
}

void PlaceKeypad(LayoutSheet& sheet, const KeyGrid& grid, const BlockLegends& legends) {
    const char* const* digit = legends.keypad;
    PlaceRow(sheet, grid, kKeypadColumn, kMainRow1,
             {{"VK_NUMLOCK", 69, true, "Num Lock", legends.numLock},
              {"VK_DIVIDE", 53, true, "Num /", "/"},
              {"VK_MULTIPLY", 55, false, "Num *", "*"},
              {"VK_SUBTRACT", 74, false, "Num -", "-"}});
    PlaceRow(sheet, grid, kKeypadColumn, kMainRow2,
             {{"VK_NUMPAD7", 71, false, "Num 7", digit[7]},
              {"VK_NUMPAD8", 72, false, "Num 8", digit[8]},
              {"VK_NUMPAD9", 73, false, "Num 9", digit[9]},
              {"VK_ADD", 78, false, "Num +", "+", 4, 8}});
    PlaceRow(sheet, grid, kKeypadColumn, kMainRow3,
             {{"VK_NUMPAD4", 75, false, "Num 4", digit[4]},
              {"VK_NUMPAD5", 76, false, "Num 5", digit[5]},
              {"VK_NUMPAD6", 77, false, "Num 6", digit[6]}});
    PlaceRow(sheet, grid, kKeypadColumn, kMainRow4,
             {{"VK_NUMPAD1", 79, false, "Num 1", digit[1]},
              {"VK_NUMPAD2", 80, false, "Num 2", digit[2]},
              {"VK_NUMPAD3", 81, false, "Num 3", digit[3]},
              {"VK_RETURN", 28, true, "Num Enter", "Enter", 4, 8}});
    PlaceRow(sheet, grid, kKeypadColumn, kMainRow5,
             {{"VK_NUMPAD0", 82, false, "Num 0", digit[0], 8},
              {"VK_DECIMAL", 83, false, legends.decimalLabel, digit[10]}});
}

void PlaceBottomRow(LayoutSheet& sheet, const KeyGrid& grid, const BlockLegends& legends,
                    const char* rightAltLabel, const char* rightAltLegend) {
    PlaceRow(sheet, grid, 0, kMainRow5,
             {{"VK_CONTROL", 29, false, "Left Ctrl", legends.ctrl, 5},
              {"VK_LWIN", 91, true, "Left Win", "Win", 5},
              {"VK_MENU", 56, false, "Left Alt", "Alt", 5},
              {"VK_SPACE", 57, false, "Space", "", 25},
              {"VK_MENU", 56, true, rightAltLabel, rightAltLegend, 5},
              {"VK_RWIN", 92, true, "Right Win", "Win", 5},
              {"VK_APPS", 93, true, "Menu", "Menu", 5},
              {"VK_CONTROL", 29, true, "Right Ctrl", legends.ctrl, 5}});
}

void PlaceDigitRow(LayoutSheet& sheet, const KeyGrid& grid, const char* const shifted[10]) {
    for (int i = 0; i < 10; ++i) {
        const char digit[2] = {static_cast<char>(i == 9 ? '0' : '1' + i), '\0'};
        const std::string legend = shifted[i][0] != '\0' ? std::string(shifted[i]) + "\n" + digit : digit;
        PlaceRow(sheet, grid, 4 + 4 * i, kMainRow1, {{digit, 2 + i, false, digit, legend.c_str()}});
    }
}

void PlaceLetterRow(LayoutSheet& sheet, const KeyGrid& grid, int quarterX, int quarterY, const char* letters,
                    int32_t firstScanCode) {
    for (int i = 0; letters[i] != '\0'; ++i) {
        const char letter[2] = {letters[i], '\0'};
        PlaceRow(sheet, grid, quarterX + 4 * i, quarterY,
                 {{letter, firstScanCode + i, false, letter, nullptr}});
    }
}

void PlaceIsoEnter(LayoutSheet& sheet, const KeyGrid& grid) {
    PlaceRow(sheet, grid, 55, kMainRow2, {{"VK_RETURN", 28, false, "Enter", nullptr, 5, 8}});
    LayoutKey& enter = sheet.keys.back();
    enter.shape = KeyShape::IsoEnter;
    enter.reach = GridBox(grid, 54, kMainRow2, 6, 4);
}
