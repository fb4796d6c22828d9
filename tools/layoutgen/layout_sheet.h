// A shipped layout as the generator builds it from its tables: keys are placed on a grid of quarter key
// units.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "tools/common/layout_picture.h"

// One key unit on the picture: 23 units (main block, navigation block, keypad) fit across it.
constexpr int kKeyPitchX = 29;
constexpr int kKeyPitchY = 35;

// A sheet with its name, title and file notes, and no keys yet.
LayoutSheet NewLayoutSheet(const char* name, const char* title, std::vector<std::string> notes);

// The pixel origin of a block of keys; positions inside it are in quarter units.
struct KeyGrid {
    int left = 0;
    int top = 0;
};

// The rectangle of a key whose top-left corner lies `quarterX`, `quarterY` quarter units into the grid.
Box GridBox(const KeyGrid& grid, int quarterX, int quarterY, int quarterWidth, int quarterHeight);

// One key of a row as the tables give it.
struct KeyDef {
    const char* code;  // a virtual-key name, one character for letters and digits; nullptr for a gap
    int32_t scanCode;
    bool extended;
    const char* label;
    const char* legend;  // nullptr: the label
    int width = 4;       // quarter units
    int height = 4;
};

// A gap of `width` quarter units in a row.
KeyDef RowGap(int width);

// Places `keys` side by side from `quarterX`, with their tops at `quarterY`.
void PlaceRow(LayoutSheet& sheet, const KeyGrid& grid, int quarterX, int quarterY,
              std::initializer_list<KeyDef> keys);

// The key whose label is `label`; nullptr when there is none.
LayoutKey* FindKeyByLabel(LayoutSheet& sheet, const std::string& label);
