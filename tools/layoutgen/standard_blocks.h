// The parts that full-size keyboards share: the case, the function row, the navigation block, the keypad
// and the bottom row of the 104/105-key boards, placed on the common 23-unit grid.
#pragma once

#include "tools/layoutgen/layout_sheet.h"

// Quarter-unit rows of the grid: the function row, then the five rows of the main block.
constexpr int kFunctionRow = 0;
constexpr int kMainRow1 = 6;
constexpr int kMainRow2 = 10;
constexpr int kMainRow3 = 14;
constexpr int kMainRow4 = 18;
constexpr int kMainRow5 = 22;

// What the keys outside the main block print, in the language of the keyboard.
struct BlockLegends {
    const char* printScreen;
    const char* scrollLock;
    const char* pause;
    const char* insert;
    const char* home;
    const char* pageUp;
    const char* deleteKey;
    const char* end;
    const char* pageDown;
    const char* numLock;
    const char* ctrl;
    const char* keypad[11];  // keypad 0 to 9, then the decimal key
    const char* decimalLabel;
};

extern const BlockLegends kEnglishLegends;
extern const BlockLegends kGermanLegends;

// Quarter units across the main block with the navigation block, and across the whole full-size grid.
constexpr int kTenkeylessWidth = 74;
constexpr int kFullSizeWidth = 92;

// Adds the case of a keyboard whose keys span `quarterWidth` quarter units across and the function row and
// main block down, at the bottom left of the picture; returns the grid its keys are placed on.
KeyGrid AddKeyboardCase(LayoutSheet& sheet, int quarterWidth);

// Adds the case of a full-size keyboard with its lock lights above the keypad.
KeyGrid AddFullSizeCase(LayoutSheet& sheet);

// Adds a line of small text under the picture's title; `line` 0 is the first.
void AddSubtitle(LayoutSheet& sheet, int line, int left, const char* text);

void PlaceFunctionRow(LayoutSheet& sheet, const KeyGrid& grid, const BlockLegends& legends);
void PlaceNavigationBlock(LayoutSheet& sheet, const KeyGrid& grid, const BlockLegends& legends);
void PlaceKeypad(LayoutSheet& sheet, const KeyGrid& grid, const BlockLegends& legends);

// The bottom row of the 104- and 105-key boards, with the right Alt key's caption and legend (Alt or AltGr).
void PlaceBottomRow(LayoutSheet& sheet, const KeyGrid& grid, const BlockLegends& legends,
                    const char* rightAltLabel, const char* rightAltLegend);

// The Enter key of ISO and Japanese boards: its stem spans rows 2 and 3 at the right end of the main block,
// its upper part reaches a quarter unit further left.
void PlaceIsoEnter(LayoutSheet& sheet, const KeyGrid& grid);

// The digit keys 1 to 0 of the main block's first row, from quarter column 4; `shifted` holds what each
// prints above its digit (empty for nothing).
void PlaceDigitRow(LayoutSheet& sheet, const KeyGrid& grid, const char* const shifted[10]);

// Letter keys side by side from `quarterX`, the first with the scan code `firstScanCode`, each next one
// with the next scan code.
void PlaceLetterRow(LayoutSheet& sheet, const KeyGrid& grid, int quarterX, int quarterY, const char* letters,
                    int32_t firstScanCode);
