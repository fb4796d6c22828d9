// The Japanese 109-key keyboard: the JIS main block with its five extra keys (Muhenkan, Henkan,
// Katakana/Hiragana, Yen, Ro) around the common function row, navigation block and keypad.
#include "tools/layoutgen/shipped_layouts.h"
#include "tools/layoutgen/standard_blocks.h"

LayoutSheet JapaneseLayout() {
    LayoutSheet sheet = NewLayoutSheet(
        "Japanese", "Japanese 109-key",
        {"Japanese 109-key keyboard, JIS shape (keyboard layout 00000411, IME off).",
         "Hankaku/Zenkaku sends VK_OEM_AUTO (243) and VK_OEM_ENLW (244) in turn, Eisu VK_OEM_ATTN (240),",
         "Katakana/Hiragana VK_OEM_COPY (242). An active IME may turn them into other codes: prefer BIOS "
         "matching."});
    const KeyGrid grid = AddFullSizeCase(sheet);
    AddSubtitle(sheet, 0, 10, "109 keys, JIS shape, with Muhenkan, Henkan, Katakana/Hiragana, Yen and Ro");
    PlaceFunctionRow(sheet, grid, kEnglishLegends);
    static const char* const kShifted[10] = {"!", "\"", "#", "$", "%", "&", "'", "(", ")", ""};
    PlaceRow(sheet, grid, 0, kMainRow1, {{"VK_OEM_AUTO", 41, false, "Hankaku", "Han\nZen"}});
    PlaceDigitRow(sheet, grid, kShifted);
    PlaceRow(sheet, grid, 44, kMainRow1,
             {{"VK_OEM_MINUS", 12, false, "-", "=\n-"},
              {"VK_OEM_7", 13, false, "^", "~\n^"},
              {"VK_OEM_5", 125, false, "Yen", u8"|\n\u00A5"},
              {"VK_BACK", 14, false, "Backspace", "Bksp"}});
    PlaceRow(sheet, grid, 0, kMainRow2, {{"VK_TAB", 15, false, "Tab", nullptr, 6}});
    PlaceLetterRow(sheet, grid, 6, kMainRow2, "QWERTYUIOP", 16);
    PlaceRow(sheet, grid, 46, kMainRow2,
             {{"VK_OEM_3", 26, false, "@", "`\n@"}, {"VK_OEM_4", 27, false, "[", "{\n["}});
    PlaceIsoEnter(sheet, grid);
    PlaceRow(sheet, grid, 0, kMainRow3, {{"VK_OEM_ATTN", 58, false, "Caps/Eisu", "Eisu\nCaps", 7}});
    PlaceLetterRow(sheet, grid, 7, kMainRow3, "ASDFGHJKL", 30);
    PlaceRow(sheet, grid, 43, kMainRow3,
             {{"VK_OEM_PLUS", 39, false, ";", "+\n;"},
              {"VK_OEM_1", 40, false, ":", "*\n:"},
              {"VK_OEM_6", 43, false, "]", "}\n]"}});
    PlaceRow(sheet, grid, 0, kMainRow4, {{"VK_SHIFT", 42, false, "Left Shift", "Shift", 9}});
    PlaceLetterRow(sheet, grid, 9, kMainRow4, "ZXCVBNM", 44);
    PlaceRow(sheet, grid, 37, kMainRow4,
             {{"VK_OEM_COMMA", 51, false, ",", "<\n,"},
              {"VK_OEM_PERIOD", 52, false, ".", ">\n."},
              {"VK_OEM_2", 53, false, "/", "?\n/"},
              {"VK_OEM_102", 115, false, "Ro", "_\n\\"},
              {"VK_SHIFT", 54, false, "Right Shift", "Shift", 7}});
    PlaceRow(sheet, grid, 0, kMainRow5,
             {{"VK_CONTROL", 29, false, "Left Ctrl", "Ctrl", 5},
              {"VK_LWIN", 91, true, "Left Win", "Win"},
              {"VK_MENU", 56, false, "Left Alt", "Alt"},
              {"VK_NONCONVERT", 123, false, "Muhenkan", "Mu-\nhenkan", 5},
              {"VK_SPACE", 57, false, "Space", "", 14},
              {"VK_CONVERT", 121, false, "Henkan", "Henkan", 5},
              {"VK_OEM_COPY", 112, false, "Kana", "Kana", 5},
              {"VK_MENU", 56, true, "Right Alt", "Alt"},
              {"VK_RWIN", 92, true, "Right Win", "Win"},
              {"VK_APPS", 93, true, "Menu", "Menu"},
              {"VK_CONTROL", 29, true, "Right Ctrl", "Ctrl", 6}});
    PlaceNavigationBlock(sheet, grid, kEnglishLegends);
    PlaceKeypad(sheet, grid, kEnglishLegends);
    return sheet;
}
