// Giving each key of a keyboard-layout-editor file the codes Windows sends for it: from the user's mappings,
// the keypad's places, the ISO and JIS keys' places, the characters, and the key names, in that order.
#pragma once

#include <string>
#include <vector>

#include "tools/kblmake/key_presets.h"
#include "tools/kblmake/key_tables.h"
#include "tools/kblmake/kle_board.h"
#include "tools/kblmake/map_entries.h"

// What gives keys their codes beyond their names: the user's mappings, and the national layout.
struct MappingRules {
    std::vector<MapEntry> maps;
    KeyPreset keys = KeyPreset::US;
    bool keysGiven = false;  // when not, US, or Japanese on a board with a Muhenkan or Henkan key
    std::vector<std::string> notRequired;  // legends or captions of keys that need no test
};

// Fills `codes` with one entry per key of `board`. A layer key (Fn, Raise, ...) and a --not-required key no
// rule maps send nothing. False, with `error` naming the key, for a legend no rule maps or a key that would
// send the same codes as another. `notes` receives what the user should check.
bool MapBoardKeys(const KleBoard& board, const MappingRules& rules, std::vector<KeyCodes>& codes,
                  std::vector<std::string>& notes, std::string& error);

// The keypad's Num Lock key, from which the keypad's keys are placed; nullptr when the board has none.
const KleKey* FindNumLockKey(const KleBoard& board);

// The legend's lines in reading order, top row first, each row left to right, or the front legends of a key
// that has no other: what the picture prints.
std::string LegendInReadingOrder(const KleKey& key);
