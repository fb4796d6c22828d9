// The small proportional pixel font that prints key legends and titles on layout pictures: ASCII 32 to 126
// and the few other symbols the shipped keyboards carry (umlauts, currency signs, arrows).
#pragma once

#include <string>

#include "tools/common/bitmap_file.h"

// Rows from the top of a capital to the baseline; descenders reach two rows further.
constexpr int kFontCapHeight = 7;
// Distance from one line's top to the next one's.
constexpr int kFontLinePitch = 10;

struct TextSize {
    int width = 0;
    int height = 0;  // capital height of the first line plus the pitch of every further line
};

// True when every character of the UTF-8 `text` (lines split at '\n') has a glyph.
bool CanDrawText(const std::string& text);

// The size of `text` drawn at `scale` (1 = one picture pixel per font pixel).
TextSize MeasureText(const std::string& text, int scale);

// Draws `text` with its first line's capital top at `top`, each line centred on `centreX`.
void DrawTextCentred(Picture& picture, int centreX, int top, const std::string& text, Rgb colour, int scale);

// Draws one line of `text` starting at (`left`, `top`).
void DrawTextLine(Picture& picture, int left, int top, const std::string& text, Rgb colour, int scale);

// Every glyph's rows, for checks of the font's own consistency: code point and art rows separated by '|'.
struct GlyphArt {
    char32_t codePoint;
    const char* rows;
    int rise = 0;  // rows drawn above the capital line (the dots of capital umlauts)
};
const GlyphArt* FontGlyphs(int& count);
