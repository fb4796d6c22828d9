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
// The virtual-key code Windows gives a key that has none: what a layout file holds for a key that sends
// nothing.
constexpr int32_t kSendsNothing = 255;

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

// The legend that says which character the key types: the one at the bottom left under a shifted one (or the
// character over a second function's name), the
// lower of two stacked legends wherever the alignment put them, or the key's only legend (a front legend on a
// cap with no other).
std::string UnshiftedLegend(const KleKey& key) {
    constexpr int kTopLeft = 0;
    constexpr int kBottomLeft = 6;
    const std::string& top = key.labels[kTopLeft];
    const std::string& bottom = key.labels[kBottomLeft];
    if (!bottom.empty()) {
        // A key's second function (the Fn layer) under its character, as in Q over F1, leaves the character.
        const bool secondFunction = CodePointCount(bottom) > 1 && CodePointCount(top) == 1;
        return secondFunction ? top : bottom;
    }
    std::vector<int> main;
    std::vector<int> front;
    for (int i = 0; i < kLegendPositions; ++i) {
        if (!key.labels[static_cast<size_t>(i)].empty()) {
            (i < kFrontLegendFirst ? main : front).push_back(i);
        }
    }
    const std::vector<int>& legends = main.empty() ? front : main;
    const bool stacked = legends.size() == 2 && main.size() == 2 && legends[0] / 3 != legends[1] / 3;
    return legends.size() == 1 || stacked ? key.labels[static_cast<size_t>(legends.back())] : "";
}

// Looks for the key's name in its whole legend, then in each of its legends, main legends first: a compact
// board's second function (the Fn layer) is a legend of its own, and a dark cap's name may be on its front.
bool NameKey(const KleKey& key, KeySide side, KeyCodes& codes) {
    if (LookupNamedKey(LegendInReadingOrder(key), side, codes)) {
        return true;
    }
    for (const std::string& label : key.labels) {
        if (!label.empty() && LookupNamedKey(label, side, codes)) {
            return true;
        }
    }
    return false;
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
        const bool named = NameKey(key, KeySide::Left, codes);
        if ((named && codes.virtualKey == 32) || (IsBlank(key) && key.main.width >= kSpaceBarWidth)) {
            spaceBar = spaceBar != nullptr ? spaceBar : &key;
        }
        places.japanese = places.japanese || (named && (codes.virtualKey == 28 || codes.virtualKey == 29));
    }
    places.middle = spaceBar != nullptr ? CentreX(*spaceBar) : (left + right) / 2;
    for (const KleKey& key : board.keys) {
        KeyCodes codes;
        if (!NameKey(key, SideOf(key, places), codes)) {
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

// The caption of a key by its place, for a cap whose legend gives none: "R4C2".
std::string PlaceCaption(const KleKey& key) {
    return "R" + std::to_string(key.row) + "C" + std::to_string(key.column);
}

bool MapByUser(const KleKey& key, const std::vector<MapEntry>& maps, KeyCodes& codes, std::string& error) {
    for (const MapEntry& map : maps) {
        const bool byPlace = map.row == key.row && map.column == key.column;
        if (map.row > 0 ? byPlace : map.legend == key.legend) {
            codes = map.codes;
            if (codes.caption.empty()) {
                codes.caption = map.row > 0 && IsBlank(key) ? PlaceCaption(key) : CaptionFromLegend(key);
            }
            if (codes.caption.empty()) {
                error = DescribeKey(key) + ": kblmake cannot spell this legend in ASCII: give the caption " +
                        "at the end of its mapping, as in --map \"" + EscapeLegend(key.legend) +
                        "=VK,SCAN,,Caption\"";
            }
            return true;
        }
    }
    return false;
}

bool IsNotRequired(const KleKey& key, const std::vector<std::string>& notRequired) {
    for (const std::string& legend : notRequired) {
        if (legend == key.legend) {
            return true;
        }
    }
    return false;
}

enum class Mapped { ByRule, ByUsCharacter, SendsNothing, Unknown };

Mapped MapOneKey(const KleKey& key, const MappingRules& rules, BoardPlaces& places, KeyCodes& codes,
                 std::string& error) {
    if (MapByUser(key, rules.maps, codes, error)) {
        return error.empty() ? Mapped::ByRule : Mapped::Unknown;
    }
    if (MapKeypadKey(key, places, codes)) {
        return Mapped::ByRule;
    }
    const PlaceRule placed = MapPlacedKey(key, places, codes);
    if (placed == PlaceRule::Mapped) {
        return Mapped::ByRule;
    }
    if (placed == PlaceRule::None) {
        if (LookupCharacterKey(UnshiftedCharacter(key), places.keys, codes)) {
            const bool usByDefault = places.keys == KeyPreset::US && !rules.keysGiven;
            return usByDefault ? Mapped::ByUsCharacter : Mapped::ByRule;
        }
        if (NameKey(key, SideOf(key, places), codes)) {
            return Mapped::ByRule;
        }
        if (IsBlank(key) && key.main.width >= kSpaceBarWidth) {
            LookupNamedKey("Space", KeySide::Left, codes);
            return Mapped::ByRule;
        }
    }
    const bool layerKey = IsLayerKey(LegendInReadingOrder(key));
    if (layerKey || IsNotRequired(key, rules.notRequired)) {
        codes = KeyCodes{kSendsNothing, 0, false, CaptionFromLegend(key), true};
        if (codes.caption.empty()) {
            codes.caption = PlaceCaption(key);
        }
        return Mapped::SendsNothing;
    }
    const std::string place = std::to_string(key.row) + "," + std::to_string(key.column);
    error = IsBlank(key)
                ? DescribeKey(key) + ": the cap has no legend; say what it sends with --map \"@" + place +
                      "=VK,SCAN[,E]\" (its row and column)"
                : DescribeKey(key) + ": kblmake does not know which key this is; say it with --map \"" +
                      EscapeLegend(key.legend) + "=VK,SCAN[,E]\" or a line of a mapping file";
    return Mapped::Unknown;
}

}  // namespace

const KleKey* FindNumLockKey(const KleBoard& board) {
    constexpr int32_t kNumLock = 144;
    for (const KleKey& key : board.keys) {
        KeyCodes codes;
        if (NameKey(key, KeySide::Right, codes) && codes.virtualKey == kNumLock) {
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
    if (!text.empty()) {
        return text;
    }
    for (int i = kFrontLegendFirst; i < kLegendPositions; ++i) {
        const std::string& label = key.labels[static_cast<size_t>(i)];
        if (!label.empty()) {
            text += (text.empty() ? "" : " ") + label;
        }
    }
    return text;
}

bool MapBoardKeys(const KleBoard& board, const MappingRules& rules, std::vector<KeyCodes>& codes,
                  std::vector<std::string>& notes, std::string& error) {
    BoardPlaces places = FindPlaces(board, rules);
    codes.assign(board.keys.size(), KeyCodes());
    bool anyByUsCharacter = false;
    std::string sendNothing;
    int32_t drawOnlyCount = 0;
    for (size_t i = 0; i < board.keys.size(); ++i) {
        const Mapped mapped = MapOneKey(board.keys[i], rules, places, codes[i], error);
        if (mapped == Mapped::Unknown) {
            return false;
        }
        anyByUsCharacter = anyByUsCharacter || mapped == Mapped::ByUsCharacter;
        if (mapped == Mapped::SendsNothing) {
            codes[i].scanCode = drawOnlyCount++;
            sendNothing += (sendNothing.empty() ? "" : ", ") + DescribeKey(board.keys[i]);
            continue;
        }
        for (size_t j = 0; j < i; ++j) {
            if (codes[j].virtualKey == codes[i].virtualKey && codes[j].scanCode == codes[i].scanCode &&
                codes[j].extended == codes[i].extended && !codes[j].sendsNothing) {
                error = DescribeKey(board.keys[i]) + " sends the same codes as " +
                        DescribeKey(board.keys[j]) + " (" + codes[j].caption +
                        "): give one of them its own with --map";
                return false;
            }
        }
    }
    if (!sendNothing.empty()) {
        notes.push_back(
            "keys that the keyboard handles itself or that need no test are drawn and written as "
            "keys that send nothing, needing no test: " +
            sendNothing);
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
