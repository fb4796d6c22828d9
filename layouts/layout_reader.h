// Reading a keyboard layout file (.kbl) into rows of typed fields, without giving the fields a meaning.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

enum class FieldKind : int32_t { Number = 0, Text = 1 };

struct LayoutField {
    FieldKind kind = FieldKind::Number;
    int32_t number = 0;  // value of a Number field; 0 in a Text field
    std::string text;    // characters of a Text field; empty in a Number field

    void SetNumber(int32_t value);
    void SetText(const char* begin, size_t length);
};

// One parsed line: always at least one field.
struct LayoutRow {
    std::vector<LayoutField> fields;
};

// One file's rows, in file order.
struct LayoutRowList {
    std::vector<LayoutRow> rows;

    // Reads the file at `path` into this (empty) list. Returns the number of non-comment lines read, parsed
    // or not; 0 when the file cannot be opened.
    int ReadLayoutFile(const char* path);
    // Same, from an open stream read as a binary file (text-mode line ends are translated here).
    int ReadLayoutStream(FILE* file);
    void FreeLayoutRows();
};

// A line is read into a buffer of this size: at most 149 characters, the line feed included if it fits.
constexpr int kLayoutLineBufferSize = 150;

// Splits `line` in place (separators are overwritten with zeros) and fills `row`. False when the line fails.
bool ParseLayoutLine(char* line, LayoutRow& row);

// Classifies one token by its first character. False when the token is not a field.
bool MakeLayoutField(const char* token, LayoutField& field);

// The message shown for a line that fails to parse; `buffer` is the line as the parse left it.
std::string LayoutParseErrorMessage(const char* buffer);
