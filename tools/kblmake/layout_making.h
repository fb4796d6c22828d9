// Making a layout from a keyboard-layout-editor board: the keys' codes, their rectangles on the 700 x 340
// picture, the picture's pieces, and the text of the layout file.
#pragma once

#include <string>
#include <vector>

#include "tools/common/layout_picture.h"
#include "tools/kblmake/key_mapping.h"
#include "tools/kblmake/kle_board.h"

// Keys a layout of kblmake may hold: the largest keyboards have about 150.
constexpr size_t kMaxLayoutKeys = 200;
// The longest line the tester reads whole.
constexpr size_t kLongestFileLine = 148;

struct MakeOptions {
    std::string sourceName;  // the JSON file's name, for the layout file's comment
    std::string layoutName;  // the name of the layout and of its two files
    std::string title;       // printed at the top of the picture; empty: the board's name
    MappingRules rules;
};

struct MadeLayout {
    LayoutSheet sheet;
    std::string text;                // the layout file
    std::vector<std::string> notes;  // what the user should check
};

// Makes the layout of `board`. False, with `error` saying what and where, for more keys than a layout may
// hold, keys that overlap, a legend no rule maps, a keyboard too large to draw, a --not-required legend that
// names no key, or a line too long for the layout file.
bool MakeLayout(const KleBoard& board, const MakeOptions& options, MadeLayout& made, std::string& error);

// Fits `legend` into `area`: lines too wide are broken at blanks and after hyphens, then cut; lines beyond
// the area's height are dropped; characters the picture's font cannot draw are added to `undrawable`.
std::string FitLegend(const std::string& legend, const Box& area, std::string& undrawable);
