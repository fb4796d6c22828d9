// The mappings a user gives for legends kblmake does not know, on the command line (--map) or in a mapping
// file: LEGEND=VK,SCAN[,E[,CAPTION]].
#pragma once

#include <string>
#include <vector>

#include "tools/kblmake/key_tables.h"

struct MapEntry {
    std::string legend;  // a key's whole legend as the JSON file writes it, lines separated by '\n'
    int row = 0;         // for a mapping by place (@ROW,COLUMN), the key's row and column in the file
    int column = 0;
    KeyCodes codes;  // an empty caption: the one kblmake makes from the legend
};

// Reads one mapping. LEGEND is everything before the last '='; in it "\n" stands for a line break and "\\"
// for a backslash; "@ROW,COLUMN" instead names the key by its place in the file (for a cap without legend).
// VK is a key name of the layout files (VK_OEM_5), a number from 1 to 254, or a capital letter; SCAN is a
// number from 0 to 255; E, when given, marks the key extended; CAPTION replaces the one kblmake would make.
// False, with `error` saying why, for anything else.
bool ParseMapEntry(const std::string& text, MapEntry& entry, std::string& error);

// Reads a mapping file's text: one mapping a line; blank lines and lines starting with '#' are skipped.
// False, with `error` naming the line, at the first line that is no mapping.
bool ParseMapFile(const std::string& text, std::vector<MapEntry>& entries, std::string& error);

// The legend that `text` writes as a mapping does: "\n" a line break, "\\" a backslash.
std::string UnescapeLegend(const std::string& text);
