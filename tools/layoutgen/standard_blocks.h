// The blocks of the demo's tenkeyless US keyboard: its case, the function row, the ANSI main block with its
// bottom row and the navigation block, placed on the common grid of quarter key units.
#pragma once

#include "tools/layoutgen/layout_sheet.h"

// Quarter units across the main block with the navigation block.
constexpr int kTenkeylessWidth = 74;

// Adds the case of a keyboard whose keys span `quarterWidth` quarter units across and the function row and
// main block down, at the bottom left of the picture; returns the grid its keys are placed on.
KeyGrid AddKeyboardCase(LayoutSheet& sheet, int quarterWidth);

// Adds a line of small text under the picture's title; `line` 0 is the first.
void AddSubtitle(LayoutSheet& sheet, int line, int left, const char* text);

void PlaceFunctionRow(LayoutSheet& sheet, const KeyGrid& grid);
void PlaceAnsiMainBlock(LayoutSheet& sheet, const KeyGrid& grid);
void PlaceNavigationBlock(LayoutSheet& sheet, const KeyGrid& grid);
