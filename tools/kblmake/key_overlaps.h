// Keys of a board that overlap: two caps that share more than a sliver are refused, and upright keys that
// overlap by less than a small tolerance (half-height keys stacked in one slot, say) are shrunk to touch.
#pragma once

#include <string>
#include <vector>

#include "tools/kblmake/kle_board.h"

// Upright keys that overlap by less than this many key units, across one of their edges, are shrunk to touch.
constexpr double kTouchTolerance = 0.15;

// True when the rectangles share more than a hundredth of a key unit both across and down.
bool RectsOverlap(const UnitRect& a, const UnitRect& b);

// Shrinks each pair of upright one-part keys that overlap by less than kTouchTolerance, each by half the
// overlap, so that they touch; `notes` names each pair and the overlap.
void TouchBarelyOverlappingKeys(KleBoard& board, std::vector<std::string>& notes);

// True, with `error` naming both keys, when the caps of two keys overlap: their rectangles, or the outline of
// a turned cap and anything else.
bool FindOverlap(const KleBoard& board, std::string& error);
