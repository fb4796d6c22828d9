// Key definitions: one KeyEntry per row of a layout file, and the KeyboardLayout of one file. A definition is
// what the file says of a key; the engine keeps each key's test state apart (engine/test_state.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/platform.h"
#include "layouts/layout_reader.h"

// Pseudo-codes of the entries that are not keyboard keys.
constexpr int32_t kLeftMouse = -5;
constexpr int32_t kMiddleMouse = -4;
constexpr int32_t kRightMouse = -3;
constexpr int32_t kCompoundKey = -2;
constexpr int32_t kTerminatorCode = -1;

constexpr int32_t kNoCompoundTime = -1;
constexpr int kMaxComponents = 10;
constexpr int kMaxCompoundRowsPerFile = 30;

struct KeyEntry {
    int32_t virtualKey = kTerminatorCode;  // Windows code, or a pseudo-code
    int32_t scanCode = kTerminatorCode;    // BIOS scan code; the pseudo-code for mouse and compound entries
    std::string label;                     // caption shown in readouts and log lines
    int32_t extended = 0;                  // 1 when the key arrives with the extended-key bit set
    int32_t status = 0;                    // KeyStatus the key starts with, as its status keyword gives it
    int64_t downTime = 0;                  // the key-down time column, as the file gives it
    int32_t left = 0;                      // rectangle in the 700 x 340 source area of the bitmap
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int64_t compoundTime = kNoCompoundTime;  // longest gap in ms between component presses; -1 for none
    std::vector<int32_t> components;         // component codes, last-pressed first, ended by -1
};

struct KeyboardLayout {
    std::string name;            // the .kbl file name without its extension
    std::vector<KeyEntry> keys;  // one entry per row, then the terminator entry
};

// Fills `entry` from the fields of `row`. `compoundRowCount` counts the rows of the file that carry a
// compound time. False when the row is not a valid key.
bool BuildKeyEntry(const LayoutRow& row, KeyEntry& entry, int32_t& compoundRowCount);

// Builds `layout` from the rows of the file `fileName` (as found, without directory). On failure shows the
// syntax-error message owned by `owner`, empties `layout` and returns false.
bool BuildKeyboardLayout(WindowHandle owner, const LayoutRowList& rows, KeyboardLayout& layout, int lineCount,
                         const std::string& fileName);

// True when entries `a` and `b` are the same key: the same codes and extended flag.
bool SameKey(const KeyEntry& a, const KeyEntry& b);

// The turn marker entry `index` of `keys` (ended by the terminator entry) has in a fresh test: 0 for a key
// that occurs once and for compound entries, 1 for the first occurrence of a duplicated key, 2 for the
// others.
int32_t FirstTurnOf(const std::vector<KeyEntry>& keys, int32_t index);
