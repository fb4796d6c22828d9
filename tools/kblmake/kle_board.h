// A keyboard-layout-editor file as kblmake reads it: every key with its legends and its place in key units,
// upright, and the keyboard's name and notes.
#pragma once

#include <array>
#include <string>
#include <vector>

// A rectangle in key units (1 is the width of an ordinary key), x to the right and y down.
struct UnitRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct UnitPoint {
    double x = 0;
    double y = 0;
};

// The legend positions of a key cap in reading order: three rows of three, then three on the front face.
constexpr int kLegendPositions = 12;
constexpr int kFrontLegendFirst = 9;

struct KleKey {
    int row = 0;         // the key's row in the file, counting from 1 (the metadata object is no row)
    int column = 0;      // the key's place in its row, counting from 1
    std::string legend;  // the legend as the file writes it, lines separated by '\n'
    std::array<std::string, kLegendPositions> labels;  // by position, in reading order, as text (no HTML)
    UnitRect main;    // the key's rectangle, and the one its file row gets: inside the cap of a turned key
    UnitRect second;  // the other part of a two-part key, else `main`
    double turn = 0;  // degrees clockwise of a cap turned by other than a multiple of 90, else 0
    std::array<UnitPoint, 4> cap;  // the corners of a turned cap, clockwise from its top left
};

struct KleBoard {
    std::string name;          // the metadata's name, if any
    std::string notes;         // the metadata's notes, if any
    bool rawData = false;      // read from the editor's raw data, not from a downloaded JSON file
    std::vector<KleKey> keys;  // in file order; decals, which are only printing, are left out
};

// Reads the text of a keyboard-layout-editor JSON file, or of the editor's raw data (the same rows without
// the outer brackets and with bare property names), into `board`. False, with `error` set to a message that
// says where, for text that is neither, JSON that is not a keyboard, a key of no size, or a two-part key
// turned by an angle other than a multiple of 90 degrees.
bool ReadKleBoard(const std::string& text, KleBoard& board, std::string& error);

// `legend` as the JSON file and a mapping write it: line breaks as "\n" and backslashes as "\\".
std::string EscapeLegend(const std::string& legend);

// "row R, column C (legend "...")", the way every message names a key.
std::string DescribeKey(const KleKey& key);
