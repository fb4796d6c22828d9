// The key tables of kblmake. Scan codes are set-1 make codes; a key sent with the E0 prefix is extended.
#include "tools/kblmake/key_tables.h"

#include <cstring>

#include "layouts/key_names.h"

namespace {

struct NamedKey {
    const char* names;  // normalized spellings, separated by '|'
    int32_t virtualKey;
    int32_t scanCode;
    bool extended;
    const char* caption;
};

const NamedKey kNamedKeys[] = {
    {"esc|escape", 27, 1, false, "Esc"},
    {u8"backspace|bksp|bkspc|back|bs|\u232B", 8, 14, false, "Backspace"},
    {u8"tab|\u21E5|\u21B9", 9, 15, false, "Tab"},
    {u8"capslock|caps|capslk|\u21EA", 20, 58, false, "Caps Lock"},
    {u8"enter|return|\u21B5|\u23CE|\u21A9", 13, 28, false, "Enter"},
    {"space|spacebar|leertaste", 32, 57, false, "Space"},
    {"altgr|altgraph", 18, 56, true, "AltGr"},
    {u8"menu|apps|application|\u2263", 93, 93, true, "Menu"},
    {"prtsc|prtscn|prtscr|printscreen|printscr|print|psc|prtscsysrq|printscreensysrq|druck", 44, 55, true,
     "PrtSc"},
    {"scrolllock|scrlk|scrolllk|scroll|rollen", 145, 70, false, "Scroll Lock"},
    {"pause|pausebreak|break|pausebrk", 19, 69, false, "Pause"},
    {"insert|ins|einfg", 45, 82, true, "Insert"},
    {"delete|del|entf", 46, 83, true, "Delete"},
    {"home|pos1", 36, 71, true, "Home"},
    {"end|ende", 35, 79, true, "End"},
    {u8"pageup|pgup|bild\u2191", 33, 73, true, "Page Up"},
    {u8"pagedown|pgdn|pgdown|bild\u2193", 34, 81, true, "Page Down"},
    {u8"up|\u2191", 38, 72, true, "Up"},
    {u8"down|\u2193", 40, 80, true, "Down"},
    {u8"left|\u2190", 37, 75, true, "Left"},
    {u8"right|\u2192", 39, 77, true, "Right"},
    {"numlock|numlk|num", 144, 69, true, "Num Lock"},
    {u8"muhenkan|\u7121\u5909\u63DB", 29, 123, false, "Muhenkan"},
    {u8"henkan|\u5909\u63DB", 28, 121, false, "Henkan"},
    {u8"kana|katakana|hiragana|katakanahiragana|\u304B\u306A|\u30AB\u30BF\u30AB\u30CA|"
     u8"\u3072\u3089\u304C\u306A",
     242, 112, false, "Kana"},
    {u8"hankaku|zenkaku|hanzen|hankaku/zenkaku|\u534A\u89D2/\u5168\u89D2", 243, 41, false, "Hankaku"},
    {u8"eisu|eisucaps|capseisu|caps/eisu|\u82F1\u6570", 240, 58, false, "Caps/Eisu"},
    // The media and launch keys of office keyboards, sent with the E0 prefix. A legend "Vol-" is "vol" once
    // its hyphen is dropped.
    {u8"mute|volumemute|volmute|\U0001F507", 173, 32, true, "Mute"},
    {u8"vol|voldown|volumedown|vol\u2212|\U0001F509", 174, 46, true, "Volume Down"},
    {u8"vol+|volup|volumeup|\U0001F50A", 175, 48, true, "Volume Up"},
    {u8"play|playpause|play/pause|\u23EF", 179, 34, true, "Play/Pause"},
    {u8"stop|mediastop|\u23F9", 178, 36, true, "Stop"},
    {u8"next|nexttrack|\u23ED", 176, 25, true, "Next Track"},
    {u8"prev|previous|prevtrack|previoustrack|\u23EE", 177, 16, true, "Previous Track"},
    {"wwwhome|browserhome|homepage", 172, 50, true, "Browser Home"},
    {"wwwback|browserback", 166, 106, true, "Browser Back"},
    {"wwwforward|browserforward", 167, 105, true, "Browser Forward"},
    {"refresh|wwwrefresh|browserrefresh", 168, 103, true, "Browser Refresh"},
    {"wwwstop|browserstop", 169, 104, true, "Browser Stop"},
    {"search|wwwsearch|browsersearch", 170, 101, true, "Browser Search"},
    {"favorites|favourites|wwwfavorites|browserfavorites", 171, 102, true, "Favorites"},
    {"mail|email|e/mail", 180, 108, true, "Mail"},
    {"calc|calculator", 183, 33, true, "Calculator"},
    {"mycomputer|computer|mypc", 182, 107, true, "My Computer"},
    {"media|mediaselect|mediaplayer", 181, 109, true, "Media Select"},
    {"sleep", 95, 95, true, "Sleep"},
};

// The keys that a keyboard handles itself and never sends: the Fn key and the layer keys of small boards.
// A vintage workstation's FUNCTION key is not among them: it sends codes of its own computer.
const char* const kLayerKeyNames = u8"fn|fn1|fn2|fn3|raise|lower|layer|\u21D1|\u21D3";

struct SidedKey {
    const char* names;
    NamedKey left;
    NamedKey right;
};

const SidedKey kSidedKeys[] = {
    {u8"shift|\u21E7", {"", 16, 42, false, "Left Shift"}, {"", 16, 54, false, "Right Shift"}},
    {"ctrl|control|ctl|strg", {"", 17, 29, false, "Left Ctrl"}, {"", 17, 29, true, "Right Ctrl"}},
    {"alt", {"", 18, 56, false, "Left Alt"}, {"", 18, 56, true, "Right Alt"}},
    {u8"win|windows|super|gui|\u229E", {"", 91, 91, true, "Left Win"}, {"", 92, 92, true, "Right Win"}},
};

// The function keys' scan codes, F1 to F24.
const int32_t kFunctionScanCodes[24] = {59,  60,  61,  62,  63,  64,  65,  66,  67,  68,  87,  88,
                                        100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 118};

struct KeypadKey {
    int column;
    int row;
    NamedKey codes;
};

const KeypadKey kKeypad[] = {
    {1, 0, {"", 111, 53, true, "Num /"}},  {2, 0, {"", 106, 55, false, "Num *"}},
    {3, 0, {"", 109, 74, false, "Num -"}}, {0, 1, {"", 103, 71, false, "Num 7"}},
    {1, 1, {"", 104, 72, false, "Num 8"}}, {2, 1, {"", 105, 73, false, "Num 9"}},
    {3, 1, {"", 107, 78, false, "Num +"}}, {0, 2, {"", 100, 75, false, "Num 4"}},
    {1, 2, {"", 101, 76, false, "Num 5"}}, {2, 2, {"", 102, 77, false, "Num 6"}},
    {0, 3, {"", 97, 79, false, "Num 1"}},  {1, 3, {"", 98, 80, false, "Num 2"}},
    {2, 3, {"", 99, 81, false, "Num 3"}},  {3, 3, {"", 13, 28, true, "Num Enter"}},
    {0, 4, {"", 96, 82, false, "Num 0"}},  {2, 4, {"", 110, 83, false, "Num ."}},
};

struct SpelledCharacter {
    const char* character;
    const char* caption;
};

const SpelledCharacter kSpelledCharacters[] = {
    {u8"\u00C4", "Ae"},      {u8"\u00D6", "Oe"},      {u8"\u00DC", "Ue"},        {u8"\u00E4", "Ae"},
    {u8"\u00F6", "Oe"},      {u8"\u00FC", "Ue"},      {u8"\u00DF", "ss"},        {u8"\u00B4", "Acute"},
    {u8"\u00A5", "Yen"},     {u8"\u00A3", "Pound"},   {u8"\u00A7", "Section"},   {u8"\u00B0", "Degree"},
    {u8"\u00AC", "Not"},     {"\"", "Quote"},         {u8"\u00E9", "E Acute"},   {u8"\u00C9", "E Acute"},
    {u8"\u00E8", "E Grave"}, {u8"\u00C8", "E Grave"}, {u8"\u00E7", "C Cedilla"}, {u8"\u00C7", "C Cedilla"},
    {u8"\u00E0", "A Grave"}, {u8"\u00C0", "A Grave"}, {u8"\u00F9", "U Grave"},   {u8"\u00D9", "U Grave"},
    {u8"\u00B2", "Squared"}, {u8"\u00E5", "Aa"},      {u8"\u00C5", "Aa"},        {u8"\u00A8", "Diaeresis"},
};

KeyCodes CodesOf(const NamedKey& key) {
    return KeyCodes{key.virtualKey, key.scanCode, key.extended, key.caption};
}

bool HasName(const char* names, const std::string& name) {
    const char* start = names;
    while (true) {
        const char* end = std::strchr(start, '|');
        const size_t length = end == nullptr ? std::strlen(start) : static_cast<size_t>(end - start);
        if (name.size() == length && name.compare(0, length, start, length) == 0) {
            return true;
        }
        if (end == nullptr) {
            return false;
        }
        start = end + 1;
    }
}

bool LookupFunctionKey(const std::string& name, KeyCodes& codes) {
    for (int number = 1; number <= 24; ++number) {
        if (name == "f" + std::to_string(number)) {
            codes =
                KeyCodes{111 + number, kFunctionScanCodes[number - 1], false, "F" + std::to_string(number)};
            return true;
        }
    }
    return false;
}

// A key named as layout files name it (VK_F13, exactly): the name's code, with the scan code of the key
// that sends it.
bool LookupLayoutFileName(const std::string& legend, KeySide side, KeyCodes& codes) {
    const int32_t virtualKey = legend.compare(0, 3, "VK_") == 0 ? LookupVirtualKeyName(legend.c_str()) : -1;
    if (virtualKey >= 112 && virtualKey <= 135) {
        return LookupFunctionKey("f" + std::to_string(virtualKey - 111), codes);
    }
    for (const NamedKey& key : kNamedKeys) {
        if (key.virtualKey == virtualKey) {
            codes = CodesOf(key);
            return true;
        }
    }
    for (const SidedKey& key : kSidedKeys) {
        if (key.left.virtualKey == virtualKey || key.right.virtualKey == virtualKey) {
            codes = CodesOf(side == KeySide::Left ? key.left : key.right);
            return true;
        }
    }
    return false;
}

}  // namespace

std::string NormalizeLegend(const std::string& legend) {
    std::string name;
    for (const char c : legend) {
        if (c == ' ' || c == '-' || c == '_' || c == '\n') {
            continue;
        }
        name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return name;
}

bool IsLayerKey(const std::string& legend) {
    return HasName(kLayerKeyNames, NormalizeLegend(legend));
}

bool LookupNamedKey(const std::string& legend, KeySide side, KeyCodes& codes) {
    const std::string name = NormalizeLegend(legend);
    for (const NamedKey& key : kNamedKeys) {
        if (HasName(key.names, name)) {
            codes = CodesOf(key);
            return true;
        }
    }
    for (const SidedKey& key : kSidedKeys) {
        if (HasName(key.names, name)) {
            codes = CodesOf(side == KeySide::Left ? key.left : key.right);
            return true;
        }
    }
    return LookupFunctionKey(name, codes) || LookupLayoutFileName(legend, side, codes);
}

bool LookupKeypadKey(int column, int row, bool comma, KeyCodes& codes) {
    for (const KeypadKey& key : kKeypad) {
        if (key.column == column && key.row == row) {
            codes = CodesOf(key.codes);
            if (comma && key.codes.virtualKey == 110) {
                codes.caption = "Num Comma";
            }
            return true;
        }
    }
    return false;
}

std::string CaptionForCharacter(const std::string& character) {
    if (character.size() == 1 && character[0] > ' ' && character[0] < 127 && character[0] != '"') {
        const char c = character[0];
        return std::string(1, c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    }
    for (const SpelledCharacter& spelled : kSpelledCharacters) {
        if (character == spelled.character) {
            return spelled.caption;
        }
    }
    return "";
}

std::string LayoutCodeOf(int32_t virtualKey) {
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return std::string("'") + static_cast<char>(virtualKey) + "'";
    }
    for (const VirtualKeyName& name : kVirtualKeyNames) {
        if (name.code == virtualKey) {
            return std::string("\"") + name.name + "\"";
        }
    }
    return std::to_string(virtualKey);
}
