// The blocks of the demo's keyboard. Codes and scan codes are those the keys arrive with in key messages.
#include "tools/layoutgen/standard_blocks.h"

#include <string>

namespace {

// Quarter-unit rows of the grid: the function row, then the five rows of the main block.
constexpr int kFunctionRow = 0;
constexpr int kMainRow1 = 6;
constexpr int kMainRow2 = 10;
constexpr int kMainRow3 = 14;
constexpr int kMainRow4 = 18;
constexpr int kMainRow5 = 22;
// Quarter-unit column of the navigation block.
constexpr int kNavigationColumn = 62;
// Quarter units from the top of the function row to the bottom of the main block.
constexpr int kGridHeight = 26;

constexpr int kCaseMargin = 8;
constexpr int kCasePadding = 10;

// Letter keys side by side from `quarterX`, the first with the scan code `firstScanCode`, each next one with
// the next scan code.
void PlaceLetterRow(LayoutSheet& sheet, const KeyGrid& grid, int quarterX, int quarterY, const char* letters,
                    int32_t firstScanCode) {
    for (int i = 0; letters[i] != '\0'; ++i) {
        const char letter[2] = {letters[i], '\0'};
        PlaceRow(sheet, grid, quarterX + 4 * i, quarterY,
                 {{letter, firstScanCode + i, false, letter, nullptr}});
    }
}

// The digit keys 1 to 0 of the main block's first row, from quarter column 4, each with its shifted
// character above it.
void PlaceDigitRow(LayoutSheet& sheet, const KeyGrid& grid) {
    static const char* const kShifted[10] = {"!", "@", "#", "$", "%", "^", "&", "*", "(", ")"};
    for (int i = 0; i < 10; ++i) {
        const char digit[2] = {static_cast<char>(i == 9 ? '0' : '1' + i), '\0'};
        const std::string legend = std::string(kShifted[i]) + "\n" + digit;
        PlaceRow(sheet, grid, 4 + 4 * i, kMainRow1, {{digit, 2 + i, false, digit, legend.c_str()}});
    }
}

}  // namespace

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

void AddSubtitle(LayoutSheet& sheet, int line, int left, const char* text) {
    sheet.decor.push_back(Decor{DecorKind::Caption, Box{left, 48 + 14 * line, 0, 0}, text});
}

void PlaceFunctionRow(LayoutSheet& sheet, const KeyGrid& grid) {
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
              {"VK_SNAPSHOT", 55, true, "PrtSc", nullptr},
              {"VK_SCROLL", 70, false, "Scroll Lock", "Scroll\nLock"},
              {"VK_PAUSE", 69, false, "Pause", nullptr}});
}

void PlaceAnsiMainBlock(LayoutSheet& sheet, const KeyGrid& grid) {
    PlaceRow(sheet, grid, 0, kMainRow1, {{"VK_OEM_3", 41, false, "`", "~\n`"}});
    PlaceDigitRow(sheet, grid);
    PlaceRow(sheet, grid, 44, kMainRow1,
             {{"VK_OEM_MINUS", 12, false, "-", "_\n-"},
              {"VK_OEM_PLUS", 13, false, "=", "+\n="},
              {"VK_BACK", 14, false, "Backspace", nullptr, 8}});
    PlaceRow(sheet, grid, 0, kMainRow2, {{"VK_TAB", 15, false, "Tab", nullptr, 6}});
    PlaceLetterRow(sheet, grid, 6, kMainRow2, "QWERTYUIOP", 16);
    PlaceRow(sheet, grid, 46, kMainRow2,
             {{"VK_OEM_4", 26, false, "[", "{\n["},
              {"VK_OEM_6", 27, false, "]", "}\n]"},
              {"VK_OEM_5", 43, false, "\\", "|\n\\", 6}});
    PlaceRow(sheet, grid, 0, kMainRow3, {{"VK_CAPITAL", 58, false, "Caps Lock", nullptr, 7}});
    PlaceLetterRow(sheet, grid, 7, kMainRow3, "ASDFGHJKL", 30);
    PlaceRow(sheet, grid, 43, kMainRow3,
             {{"VK_OEM_1", 39, false, ";", ":\n;"},
              {"VK_OEM_7", 40, false, "'", "\"\n'"},
              {"VK_RETURN", 28, false, "Enter", nullptr, 9}});
    PlaceRow(sheet, grid, 0, kMainRow4, {{"VK_SHIFT", 42, false, "Left Shift", "Shift", 9}});
    PlaceLetterRow(sheet, grid, 9, kMainRow4, "ZXCVBNM", 44);
    PlaceRow(sheet, grid, 37, kMainRow4,
             {{"VK_OEM_COMMA", 51, false, ",", "<\n,"},
              {"VK_OEM_PERIOD", 52, false, ".", ">\n."},
              {"VK_OEM_2", 53, false, "/", "?\n/"},
              {"VK_SHIFT", 54, false, "Right Shift", "Shift", 11}});
    PlaceRow(sheet, grid, 0, kMainRow5,
             {{"VK_CONTROL", 29, false, "Left Ctrl", "Ctrl", 5},
              {"VK_LWIN", 91, true, "Left Win", "Win", 5},
              {"VK_MENU", 56, false, "Left Alt", "Alt", 5},
              {"VK_SPACE", 57, false, "Space", "", 25},
              {"VK_MENU", 56, true, "Right Alt", "Alt", 5},
              {"VK_RWIN", 92, true, "Right Win", "Win", 5},
              {"VK_APPS", 93, true, "Menu", "Menu", 5},
              {"VK_CONTROL", 29, true, "Right Ctrl", "Ctrl", 5}});
}

void PlaceNavigationBlock(LayoutSheet& sheet, const KeyGrid& grid) {
    PlaceRow(sheet, grid, kNavigationColumn, kMainRow1,
             {{"VK_INSERT", 82, true, "Insert", "Ins"},
              {"VK_HOME", 71, true, "Home", nullptr},
              {"VK_PRIOR", 73, true, "Page Up", "PgUp"}});
    PlaceRow(sheet, grid, kNavigationColumn, kMainRow2,
             {{"VK_DELETE", 83, true, "Delete", "Del"},
              {"VK_END", 79, true, "End", nullptr},
              {"VK_NEXT", 81, true, "Page Down", "PgDn"}});
    PlaceRow(sheet, grid, kNavigationColumn + 4, kMainRow4, {{"VK_UP", 72, true, "Up", u8"\u2191"}});
    PlaceRow(sheet, grid, kNavigationColumn, kMainRow5,
             {{"VK_LEFT", 75, true, "Left", u8"\u2190"},
              {"VK_DOWN", 80, true, "Down", u8"\u2193"},
              {"VK_RIGHT", 77, true, "Right", u8"\u2192"}});
}
