// What the layout checker prints: message blocks and the dump of built layouts.
#pragma once

#include <string>

#include "layouts/key_definitions.h"

// `text` with every line feed written as the two characters \n and every carriage return as \r; all other
// bytes, those of double-byte characters included, are left as they are.
std::string ShowLineBreaks(const std::string& text);

// One message box as one line: "[caption] text" and a line feed.
std::string FormatMessageBlock(const char* caption, const std::string& text);

// Entry `index` of `keys` (ended by the terminator entry) with every field and the turn it starts a test
// with, on one line without its line feed.
std::string FormatKeyEntry(const std::vector<KeyEntry>& keys, size_t index);

// The layout's name and key count, then one indented line per entry before the terminator.
void AppendLayoutDump(const KeyboardLayout& layout, std::string& output);
