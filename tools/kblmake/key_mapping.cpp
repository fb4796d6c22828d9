// The rules that map keys to codes. Keys on the left and right of the space bar tell Shift, Ctrl, Alt and
// Win apart; the keypad is found from its Num Lock key; an ISO keyboard's extra keys are the one right of a
// short left Shift and the one left of a tall Enter; a JIS keyboard, known by its Muhenkan or Henkan key,
// has Yen left of Backspace and Ro left of the right Shift.
#include "tools/kblmake/key_mapping.h"

#include <cmath>

namespace {

constexpr double kSameUnits = 0.01;
constexpr double kSpaceBarWidth = 3;
constexpr int32_t kIsoKeyScanCode = 86;
constexpr int32_t kOem102 = 226;
constexpr int32_t kIsoHashScanCode = 43;

bool Near(double a, double b) {
    return std::fabs(a - b) < kSameUnits;
}

// The number of code points of UTF-8 `text`.
size_t CodePointCount(const std::string& text) {
    size_t count = 0;
    for (const char c : text) {
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

// The legend that says which character the key types: the one at the bottom left under a shifted one, or
// the key's only legend.
std::string UnshiftedLegend(const KleKey& key) {
    constexpr int kBottomLeft = 6;
    if (!key.labels[kBottomLeft].empty()) {
        return key.labels[kBottomLeft];
    }
    std::string only;
    for (int i = 0; i < kFrontLegendFirst; ++i) {
        if (!key.labels[static_cast<size_t>(i)].empty()) {
            if (!only.empty()) {
                return "";
            }
            only = key.labels[static_cast<size_t>(i)];
        }
    }
    return only;
}

std::string UnshiftedCharacter(const KleKey& key) {
    const std::string legend = UnshiftedLegend(key);
    return CodePointCount(legend) == 1 ? legend : "";
}

bool IsBlank(const KleKey& key) {
    return LegendInReadingOrder(key).empty();
}

// Where the keys of a keyboard stand: the places the position rules start from.
struct BoardPlaces {
    double middle = 0;  // keys whose centre lies left of it are left-hand keys
    const KleKey* numLock = nullptr;
    const KleKey* leftShift = nullptr;
    const KleKey* rightShift = nullptr;
    const KleKey* backspace = nullptr;
    const KleKey* tallEnter = nullptr;
    bool japanese = false;  // a JIS keyboard: Yen and Ro are found by their places
    KeyPreset keys = KeyPreset::US;
    bool iso = false;
};

double CentreX(const KleKey& key) {
    return key.main.x + key.main.width / 2;
}

KeySide SideOf(const KleKey& key, const BoardPlaces& places) {
    return CentreX(key) < places.middle ? KeySide::Left : KeySide::Right;
}

BoardPlaces FindPlaces(const KleBoard& board, const MappingRules& rules) {
    BoardPlaces places;
    double left = board.keys.front().main.x;
    double right = left;
    const KleKey* spaceBar = nullptr;
    for (const KleKey& key : board.keys) {
        left = std::min(left, key.main.x);
        right = std::max(right, key.main.x + key.main.width);
        KeyCodes codes;
        const bool named = LookupNamedKey(LegendInReadingOrder(key), KeySide::Left, codes);
        if ((named && codes.virtualKey == 32) || (IsBlank(key) && key.main.width >= kSpaceBarWidth)) {
            spaceBar = spaceBar != nullptr ? spaceBar : &key;
        }
        places.japanese = places.japanese || (named && (codes.virtualKey == 28 || codes.virtualKey == 29));
    }
    places.middle = spaceBar != nullptr ? CentreX(*spaceBar) : (left + right) / 2;
    for (const KleKey& key : board.keys) {
        KeyCodes codes;
        if (!LookupNamedKey(LegendInReadingOrder(key), SideOf(key, places), codes)) {
            continue;
        }
        const KleKey** place = codes.caption == "Left Shift"                        ? &places.leftShift
                               : codes.caption == "Right Shift"                     ? &places.rightShift
                               : codes.caption == "Backspace"                       ? &places.backspace
                               : codes.caption == "Enter" && key.main.height >= 1.5 ? &places.tallEnter
                                                                                    : nullptr;
        if (place != nullptr && *place == nullptr) {
            *place = &key;
        }
    }
    places.numLock = FindNumLockKey(board);
    places.japanese = rules.keysGiven ? rules.keys == KeyPreset::Japanese : places.japanese;
    places.keys = places.japanese ? KeyPreset::Japanese : rules.keys;
    return places;
}

// True when `key` stands in `anchor`'s row with its right edge on the anchor's left edge.
bool JustLeftOf(const KleKey& key, const KleKey* anchor, double rowOffset = 0) {
    return anchor != nullptr && Near(key.main.y, anchor->main.y + rowOffset) &&
           Near(key.main.x + key.main.width, anchor->main.x);
}

bool JustRightOf(const KleKey& key, const KleKey* anchor) {
    return anchor != nullptr && Near(key.main.y, anchor->main.y) &&
           Near(key.main.x, anchor->main.x + anchor->main.width);
}

bool MapKeypadKey(const KleKey& key, const BoardPlaces& places, KeyCodes& codes) {
    if (places.numLock == nullptr || &key == places.numLock) {
        return false;
    }
    const double column = key.main.x - places.numLock->main.x;
    const double row = key.main.y - places.numLock->main.y;
    if (!Near(column, std::round(column)) || !Near(row, std::round(row))) {
        return false;
    }
    bool comma = false;
    for (const std::string& label : key.labels) {
        comma = comma || label == ",";
    }
    return LookupKeypadKey(static_cast<int>(std::round(column)), static_cast<int>(std::round(row)), comma,
                           codes);
}

enum class PlaceRule { None, Mapped, Unknown };

// The ISO and JIS keys that only their place tells apart.
PlaceRule MapPlacedKey(const KleKey& key, BoardPlaces& places, KeyCodes& codes) {
    const std::string character = UnshiftedCharacter(key);
    if (places.japanese && JustLeftOf(key, places.backspace)) {
        codes = KeyCodes{220, 125, false, "Yen"};
        return PlaceRule::Mapped;
    }
    if (places.japanese && JustLeftOf(key, places.rightShift)) {
        codes = KeyCodes{kOem102, 115, false, "Ro"};
        return PlaceRule::Mapped;
    }
    const bool isoKey = places.leftShift != nullptr && places.leftShift->main.width < 2 &&
                        key.main.width < 1.5 && JustRightOf(key, places.leftShift);
    const bool isoHash = JustLeftOf(key, places.tallEnter, 1);
    if (!isoKey && !isoHash) {
        return PlaceRule::None;
    }
    places.iso = true;
    const bool known = LookupCharacterKey(character, places.keys, codes);
    codes.scanCode = isoKey ? kIsoKeyScanCode : kIsoHashScanCode;
    codes.caption = CaptionForCharacter(character);
    if (isoKey && !known) {
        codes.virtualKey = kOem102;
    }
    return (known || isoKey) && !codes.caption.empty() ? PlaceRule::Mapped : PlaceRule::Unknown;
}

// The caption of a mapped key that its mapping does not give: its character's, or its legend's in ASCII.
std::string CaptionFromLegend(const KleKey& key) {
    const std::string character = UnshiftedCharacter(key);
    if (!character.empty()) {
        return CaptionForCharacter(character);
    }
    std::string caption = LegendInReadingOrder(key);
    for (char& c : caption) {
        c = c == '\n' ? ' ' : c;
        if (c < ' ' || c > '~' || c == ',' || c == '"') {
            return "";
        }
    }
    return caption;
}

bool MapOneKey(const KleKey& key, const std::vector<MapEntry>& maps, BoardPlaces& places, KeyCodes& codes,
               bool& byUsCharacter, std::string& error) {
    byUsCharacter = false;
    for (const MapEntry& map : maps) {
        if (map.legend == key.legend) {
            codes = map.codes;
            if (codes.caption.empty()) {
                codes.caption = CaptionFromLegend(key);
            }
            if (codes.caption.empty()) {
                error = DescribeKey(key) + ": kblmake cannot spell this legend in ASCII: give the caption " +
                        "at the end of its mapping, as in --map \"" + EscapeLegend(key.legend) +
                        "=VK,SCAN,,Caption\"";
                return false;
            }
            return true;
        }
    }
    if (MapKeypadKey(key, places, codes)) {
        return true;
    }
    const PlaceRule placed = MapPlacedKey(key, places, codes);
    if (placed == PlaceRule::Mapped) {
        return true;
    }
    if (placed == PlaceRule::None) {
        if (LookupCharacterKey(UnshiftedCharacter(key), places.keys, codes)) {
            byUsCharacter = places.keys == KeyPreset::US;
            return true;
        }
        if (LookupNamedKey(LegendInReadingOrder(key), SideOf(key, places), codes)) {
            return true;
        }
        if (IsBlank(key) && key.main.width >= kSpaceBarWidth) {
            return LookupNamedKey("Space", KeySide::Left, codes);
        }
    }
    error = DescribeKey(key) + ": kblmake does not know which key this is; say it with --map \"" +
            EscapeLegend(key.legend) + "=VK,SCAN[,E]\" or a line of a mapping file";
    return false;
}

}  // namespace

const KleKey* FindNumLockKey(const KleBoard& board) {
    constexpr int32_t kNumLock = 144;
    for (const KleKey& key : board.keys) {
        KeyCodes codes;
        if (LookupNamedKey(LegendInReadingOrder(key), KeySide::Right, codes) &&
            codes.virtualKey == kNumLock) {
            return &key;
        }
    }
    return nullptr;
}

std::string LegendInReadingOrder(const KleKey& key) {
    std::string text;
    for (int row = 0; row < 3; ++row) {
        std::string line;
        for (int column = 0; column < 3; ++column) {
            const std::string& label = key.labels[static_cast<size_t>(row * 3 + column)];
            if (!label.empty()) {
                line += (line.empty() ? "" : " ") + label;
            }
        }
        if (!line.empty()) {
            text += (text.empty() ? "" : "\n") + line;
        }
    }
    return text;
}

bool MapBoardKeys(const KleBoard& board, const MappingRules& rules, std::vector<KeyCodes>& codes,
                  std::vector<std::string>& notes, std::string& error) {
    BoardPlaces places = FindPlaces(board, rules);
    codes.assign(board.keys.size(), KeyCodes());
    bool anyByUsCharacter = false;
    for (size_t i = 0; i < board.keys.size(); ++i) {
        bool byUsCharacter = false;
        if (!MapOneKey(board.keys[i], rules.maps, places, codes[i], byUsCharacter, error)) {
            return false;
        }
        anyByUsCharacter = anyByUsCharacter || byUsCharacter;
        for (size_t j = 0; j < i; ++j) {
            if (codes[j].virtualKey == codes[i].virtualKey && codes[j].scanCode == codes[i].scanCode &&
                codes[j].extended == codes[i].extended) {
                error = DescribeKey(board.keys[i]) + " sends the same codes as " +
                        DescribeKey(board.keys[j]) + " (" + codes[j].caption +
                        "): give one of them its own with --map";
                return false;
            }
        }
    }
    if (places.iso && anyByUsCharacter) {
        notes.push_back(
            "this keyboard has ISO keys, and its character keys took the codes of the US layout: if it is "
            "made "
            "for another Windows layout, name it with --keys (" +
            std::string(kKeyPresetNames) + "), or give the keys whose codes differ with --map");
    }
    return true;
}
