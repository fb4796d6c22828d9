// Key definitions: one KeyEntry per row of a layout file, and the KeyboardLayout of one file.
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
    int32_t status = 0;                    // KeyStatus
    int64_t downTime = 0;                  // counter value of the last key-down
    int32_t left = 0;                      // rectangle in the 700 x 340 source area of the bitmap
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int64_t compoundTime = kNoCompoundTime;  // longest gap in ms between component presses; -1 for none
    std::vector<int32_t> components;         // component codes, last-pressed first, ended by -1
    int32_t duplicateRole = 0;               // turn marker of a key that occurs more than once
    uint32_t releaseTime = 0;                // event time of the key's last release (chatter), when released
    bool released = false;                   // released since the reset
    int32_t chatterGapMs = -1;               // the shortest chatter gap since the reset; -1 for none
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
