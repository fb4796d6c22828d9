// The US, UK and German full-size keyboards. Their main blocks differ only in the keys listed in each
// table: where the same position carries another character, Windows gives it another OEM code, while the
// scan code stays that of the position. ISO boards add a key left of Z and have an L-shaped Enter key.
#include "tools/layoutgen/shipped_layouts.h"
#include "tools/layoutgen/standard_blocks.h"

namespace {

// The keys of an ANSI or ISO main block that depend on the country, left to right and top to bottom.
struct MainBlockKeys {
    KeyDef leftOfOne;
    const char* const* shiftedDigits;  // what the digits 1 to 0 print above them
    KeyDef minus;
    KeyDef equals;
    const char* topLetters;
    KeyDef openBracket;
    KeyDef closeBracket;
    KeyDef semicolon;
    KeyDef quote;
    KeyDef hash;     // ANSI: the wide key above Enter; ISO: the key left of the Enter key's stem
    KeyDef leftOfZ;  // ISO only; its code is nullptr on ANSI boards
    const char* bottomLetters;
    KeyDef comma;
    KeyDef period;
    KeyDef slash;
    const char* rightAltLabel;
    const char* rightAltLegend;
};

KeyDef Widened(KeyDef key, int width) {
    key.width = width;
    return key;
}

void PlaceMainBlock(LayoutSheet& sheet, const KeyGrid& grid, const MainBlockKeys& keys,
                    const BlockLegends& legends) {
    const bool iso = keys.leftOfZ.code != nullptr;
    PlaceRow(sheet, grid, 0, kMainRow1, {keys.leftOfOne});
    PlaceDigitRow(sheet, grid, keys.shiftedDigits);
    PlaceRow(sheet, grid, 44, kMainRow1,
             {keys.minus, keys.equals, {"VK_BACK", 14, false, "Backspace", nullptr, 8}});
    PlaceRow(sheet, grid, 0, kMainRow2, {{"VK_TAB", 15, false, "Tab", nullptr, 6}});
    PlaceLetterRow(sheet, grid, 6, kMainRow2, keys.topLetters, 16);
    PlaceRow(sheet, grid, 46, kMainRow2, {keys.openBracket, keys.closeBracket});
    PlaceRow(sheet, grid, 0, kMainRow3, {{"VK_CAPITAL", 58, false, "Caps Lock", nullptr, 7}});
    PlaceLetterRow(sheet, grid, 7, kMainRow3, "ASDFGHJKL", 30);
    PlaceRow(sheet, grid, 43, kMainRow3, {keys.semicolon, keys.quote});
    if (iso) {
        PlaceIsoEnter(sheet, grid);
        PlaceRow(sheet, grid, 51, kMainRow3, {keys.hash});
        PlaceRow(sheet, grid, 0, kMainRow4,
                 {{"VK_SHIFT", 42, false, "Left Shift", "Shift", 5}, keys.leftOfZ});
    } else {
        PlaceRow(sheet, grid, 54, kMainRow2, {Widened(keys.hash, 6)});
        PlaceRow(sheet, grid, 51, kMainRow3, {{"VK_RETURN", 28, false, "Enter", nullptr, 9}});
        PlaceRow(sheet, grid, 0, kMainRow4, {{"VK_SHIFT", 42, false, "Left Shift", "Shift", 9}});
    }
    PlaceLetterRow(sheet, grid, 9, kMainRow4, keys.bottomLetters, 44);
    PlaceRow(sheet, grid, 37, kMainRow4,
             {keys.comma, keys.period, keys.slash, {"VK_SHIFT", 54, false, "Right Shift", "Shift", 11}});
    PlaceBottomRow(sheet, grid, legends, keys.rightAltLabel, keys.rightAltLegend);
}

const char* const kUsShiftedDigits[10] = {"!", "@", "#", "$", "%", "^", "&", "*", "(", ")"};
const char* const kGermanShiftedDigits[10] = {"!", "\"", u8"\u00A7", "$", "%", "&", "/", "(", ")", "="};

const MainBlockKeys kUsKeys = {
    {"VK_OEM_3", 41, false, "`", "~\n`"},
    kUsShiftedDigits,
    {"VK_OEM_MINUS", 12, false, "-", "_\n-"},
    {"VK_OEM_PLUS", 13, false, "=", "+\n="},
    "QWERTYUIOP",
    {"VK_OEM_4", 26, false, "[", "{\n["},
    {"VK_OEM_6", 27, false, "]", "}\n]"},
    {"VK_OEM_1", 39, false, ";", ":\n;"},
    {"VK_OEM_7", 40, false, "'", "\"\n'"},
    {"VK_OEM_5", 43, false, "\\", "|\n\\"},
    {nullptr, 0, false, nullptr, nullptr},  // no key left of Z
    "ZXCVBNM",
    {"VK_OEM_COMMA", 51, false, ",", "<\n,"},
    {"VK_OEM_PERIOD", 52, false, ".", ">\n."},
    {"VK_OEM_2", 53, false, "/", "?\n/"},
    "Right Alt",
    "Alt",
};

// The UK board is the US one with the ISO key, AltGr and these characters moved.
MainBlockKeys UkKeys() {
    static const char* const kShifted[10] = {"!", "\"", u8"\u00A3", "$", "%", "^", "&", "*", "(", ")"};
    MainBlockKeys keys = kUsKeys;
    keys.leftOfOne = {"VK_OEM_8", 41, false, "`", u8"\u00AC\n`"};
    keys.shiftedDigits = kShifted;
    keys.quote = {"VK_OEM_3", 40, false, "'", "@\n'"};
    keys.hash = {"VK_OEM_7", 43, false, "#", "~\n#"};
    keys.leftOfZ = {"VK_OEM_5", 86, false, "\\", "|\n\\"};
    keys.rightAltLabel = "AltGr";
    keys.rightAltLegend = "AltGr";
    return keys;
}

const MainBlockKeys kGermanKeys = {
    {"VK_OEM_5", 41, false, "^", u8"\u00B0\n^"},
    kGermanShiftedDigits,
    {"VK_OEM_4", 12, false, "ss", u8"?\n\u00DF"},
    {"VK_OEM_6", 13, false, "Acute", u8"`\n\u00B4"},
    "QWERTZUIOP",
    {"VK_OEM_1", 26, false, "Ue", u8"\u00DC"},
    {"VK_OEM_PLUS", 27, false, "+", "*\n+"},
    {"VK_OEM_3", 39, false, "Oe", u8"\u00D6"},
    {"VK_OEM_7", 40, false, "Ae", u8"\u00C4"},
    {"VK_OEM_2", 43, false, "#", "'\n#"},
    {"VK_OEM_102", 86, false, "<", ">\n<"},
    "YXCVBNM",
    {"VK_OEM_COMMA", 51, false, ",", ";\n,"},
    {"VK_OEM_PERIOD", 52, false, ".", ":\n."},
    {"VK_OEM_MINUS", 53, false, "-", "_\n-"},
    "AltGr",
    "Alt Gr",
};

LayoutSheet FullSizeLayout(const char* name, const char* title, std::vector<std::string> notes,
                           const char* subtitle, const MainBlockKeys& keys, const BlockLegends& legends) {
    LayoutSheet sheet = NewLayoutSheet(name, title, std::move(notes));
    const KeyGrid grid = AddFullSizeCase(sheet);
    AddSubtitle(sheet, 0, 10, subtitle);
    PlaceFunctionRow(sheet, grid, legends);
    PlaceMainBlock(sheet, grid, keys, legends);
    PlaceNavigationBlock(sheet, grid, legends);
    PlaceKeypad(sheet, grid, legends);
    return sheet;
}

}  // namespace

void PlaceAnsiMainBlock(LayoutSheet& sheet, const KeyGrid& grid) {
    PlaceMainBlock(sheet, grid, kUsKeys, kEnglishLegends);
}

LayoutSheet UsLayout() {
    return FullSizeLayout("US", "US 104-key ANSI",
                          {"US 104-key keyboard, ANSI shape, QWERTY (keyboard layout 00000409)."},
                          "104 keys, ANSI shape, QWERTY", kUsKeys, kEnglishLegends);
}

LayoutSheet UkLayout() {
    return FullSizeLayout(
        "UK", "UK 105-key ISO",
        {"UK 105-key keyboard, ISO shape, QWERTY (keyboard layout 00000809).",
         "The right Alt key is AltGr; the key left of Z sends VK_OEM_5, the key left of 1 VK_OEM_8."},
        "105 keys, ISO shape, QWERTY", UkKeys(), kEnglishLegends);
}

LayoutSheet GermanLayout() {
    return FullSizeLayout(
        "German", "German 105-key ISO QWERTZ",
        {"German 105-key keyboard, ISO shape, QWERTZ (keyboard layout 00000407).",
         "Captions spell the umlauts Ae, Oe, Ue and sharp s as ss; the right Alt key is AltGr."},
        "105 keys, ISO shape, QWERTZ", kGermanKeys, kGermanLegends);
}
