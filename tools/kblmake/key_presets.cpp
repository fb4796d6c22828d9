// The national layouts' keys. Each table gives the keys of one Windows layout whose codes differ from the US
// layout's, by the character each types unshifted: the virtual-key codes of the scan codes in the layout
// tables of Windows (the Nordic layout's in Wine's), and every punctuation key of the layout, so that no
// character falls back on a US key it does not sit on. UK, German and Japanese are the layouts of the shipped
// keyboards; Nordic is the Swedish and Finnish layout; French is AZERTY.
#include "tools/kblmake/key_presets.h"

#include <cstdint>
#include <cstring>

namespace {

struct CharacterKey {
    const char* character;  // small letters for letters
    int32_t virtualKey;
    int32_t scanCode;
};

constexpr int32_t kOem1 = 186;
constexpr int32_t kOemPlus = 187;
constexpr int32_t kOemComma = 188;
constexpr int32_t kOemMinus = 189;
constexpr int32_t kOemPeriod = 190;
constexpr int32_t kOem2 = 191;
constexpr int32_t kOem3 = 192;
constexpr int32_t kOem4 = 219;
constexpr int32_t kOem5 = 220;
constexpr int32_t kOem6 = 221;
constexpr int32_t kOem7 = 222;
constexpr int32_t kOem8 = 223;
constexpr int32_t kOem102 = 226;

const CharacterKey kUsKeys[] = {
    {"`", kOem3, 41},     {"-", kOemMinus, 12},  {"=", kOemPlus, 13}, {"[", kOem4, 26},
    {"]", kOem6, 27},     {"\\", kOem5, 43},     {";", kOem1, 39},    {"'", kOem7, 40},
    {",", kOemComma, 51}, {".", kOemPeriod, 52}, {"/", kOem2, 53},    {nullptr, 0, 0},
};

const CharacterKey kUkKeys[] = {
    {"`", kOem8, 41},      {"-", kOemMinus, 12}, {"=", kOemPlus, 13}, {"[", kOem4, 26},  {"]", kOem6, 27},
    {";", kOem1, 39},      {"'", kOem3, 40},     {"#", kOem7, 43},    {"\\", kOem5, 86}, {",", kOemComma, 51},
    {".", kOemPeriod, 52}, {"/", kOem2, 53},     {nullptr, 0, 0},
};

const CharacterKey kGermanKeys[] = {
    {"^", kOem5, 41},        {u8"\u00DF", kOem4, 12}, {u8"\u00B4", kOem6, 13}, {"z", 'Z', 21},
    {u8"\u00FC", kOem1, 26}, {"+", kOemPlus, 27},     {u8"\u00F6", kOem3, 39}, {u8"\u00E4", kOem7, 40},
    {"#", kOem2, 43},        {"<", kOem102, 86},      {"y", 'Y', 44},          {",", kOemComma, 51},
    {".", kOemPeriod, 52},   {"-", kOemMinus, 53},    {nullptr, 0, 0},
};

const CharacterKey kFrenchKeys[] = {
    {u8"\u00B2", kOem7, 41}, {"&", '1', 2},         {u8"\u00E9", '2', 3},  {"\"", '3', 4},
    {"'", '4', 5},           {"(", '5', 6},         {"-", '6', 7},         {u8"\u00E8", '7', 8},
    {"_", '8', 9},           {u8"\u00E7", '9', 10}, {u8"\u00E0", '0', 11}, {")", kOem4, 12},
    {"=", kOemPlus, 13},     {"a", 'A', 16},        {"z", 'Z', 17},        {"^", kOem6, 26},
    {"$", kOem1, 27},        {"q", 'Q', 30},        {"m", 'M', 39},        {u8"\u00F9", kOem3, 40},
    {"*", kOem5, 43},        {"<", kOem102, 86},    {"w", 'W', 44},        {",", kOemComma, 50},
    {";", kOemPeriod, 51},   {":", kOem2, 52},      {"!", kOem8, 53},      {nullptr, 0, 0},
};

const CharacterKey kNordicKeys[] = {
    {u8"\u00A7", kOem5, 41}, {"+", kOemPlus, 12},     {u8"\u00B4", kOem4, 13}, {u8"\u00E5", kOem6, 26},
    {u8"\u00A8", kOem1, 27}, {u8"\u00F6", kOem3, 39}, {u8"\u00E4", kOem7, 40}, {"'", kOem2, 43},
    {"<", kOem102, 86},      {",", kOemComma, 51},    {".", kOemPeriod, 52},   {"-", kOemMinus, 53},
    {nullptr, 0, 0},
};

const CharacterKey kJapaneseKeys[] = {
    {"-", kOemMinus, 12},  {"^", kOem7, 13}, {"@", kOem3, 26}, {"[", kOem4, 27},
    {";", kOemPlus, 39},   {":", kOem1, 40}, {"]", kOem6, 43}, {",", kOemComma, 51},
    {".", kOemPeriod, 52}, {"/", kOem2, 53}, {nullptr, 0, 0},
};

struct Preset {
    const char* name;
    KeyPreset preset;
    const CharacterKey* keys;
};

const Preset kPresets[] = {
    {"US", KeyPreset::US, kUsKeys},
    {"UK", KeyPreset::UK, kUkKeys},
    {"German", KeyPreset::German, kGermanKeys},
    {"French", KeyPreset::French, kFrenchKeys},
    {"Nordic", KeyPreset::Nordic, kNordicKeys},
    {"Japanese", KeyPreset::Japanese, kJapaneseKeys},
};

// The letters' scan codes, A to Z, where the US keyboard places them.
const int32_t kLetterScanCodes[26] = {30, 48, 46, 32, 18, 33, 34, 35, 23, 36, 37, 38, 50,
                                      49, 24, 25, 16, 19, 31, 20, 22, 47, 17, 45, 21, 44};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// `character` with a capital letter of ASCII or Latin-1 (À to Þ) made small.
std::string SmallLetter(const std::string& character) {
    std::string small = character;
    if (small.size() == 1) {
        small[0] = Lower(small[0]);
    }
    const unsigned char second = small.size() == 2 ? static_cast<unsigned char>(small[1]) : 0;
    if (small.size() == 2 && small[0] == '\xC3' && second >= 0x80 && second <= 0x9E && second != 0x97) {
        small[1] = static_cast<char>(second + 0x20);
    }
    return small;
}

}  // namespace

const char* const kKeyPresetNames = "US, UK, German, French, Nordic, Japanese";

bool FindKeyPreset(const std::string& name, KeyPreset& preset) {
    for (const Preset& known : kPresets) {
        bool same = name.size() == std::strlen(known.name);
        for (size_t i = 0; same && i < name.size(); ++i) {
            same = Lower(name[i]) == Lower(known.name[i]);
        }
        if (same) {
            preset = known.preset;
            return true;
        }
    }
    return false;
}

bool LookupCharacterKey(const std::string& character, KeyPreset preset, KeyCodes& codes) {
    const std::string small = SmallLetter(character);
    for (const Preset& known : kPresets) {
        for (const CharacterKey* key = known.keys; known.preset == preset && key->character != nullptr;
             ++key) {
            if (small == key->character) {
                codes = KeyCodes{key->virtualKey, key->scanCode, false, CaptionForCharacter(character)};
                return !codes.caption.empty();
            }
        }
    }
    const char c = small.size() == 1 ? small[0] : '\0';
    if (c >= 'a' && c <= 'z') {
        codes = KeyCodes{c - 'a' + 'A', kLetterScanCodes[c - 'a'], false, CaptionForCharacter(character)};
        return true;
    }
    if (c >= '0' && c <= '9') {
        codes = KeyCodes{c, c == '0' ? 11 : c - '0' + 1, false, character};
        return true;
    }
    return false;
}
