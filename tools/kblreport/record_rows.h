// The rows of a record file as text: the file's bytes made UTF-8 (a file saved again in GBK is recognised),
// each line split into its CSV fields, and the fields the tester defused given back as they were typed.
#pragma once

#include <string>
#include <vector>

// How the bytes of a record file were read.
enum class RecordEncoding {
    Utf8,          // UTF-8 throughout, with or without a byte-order mark
    Gbk,           // no byte-order mark and not UTF-8, but GBK throughout: saved again in the ANSI code page
    Utf8Repaired,  // neither: read as UTF-8, each byte that is no UTF-8 replaced by U+FFFD
};

// `bytes`, the whole record file, as UTF-8 text without a byte-order mark.
std::string RecordFileText(const std::string& bytes, RecordEncoding& encoding);

// One line's row: its fields and whether a quoted field was still open at the line's end.
struct CsvRow {
    std::vector<std::string> fields;  // only the first `count` are the row's
    size_t count = 0;
    bool torn = false;
};

// Reads the row that starts at `at` into `row` and moves `at` past its line end (LF or CR LF). A quoted field
// may hold commas and doubled quotes, but a line end always ends the row: the tester never writes a line
// break inside a field, so a quote left open there is a row cut short, and the next line starts afresh.
void ReadCsvRow(const std::string& text, size_t& at, CsvRow& row);

// A field as typed: the tester writes a field that starts with = + - @ TAB CR or ' with one more ' before
// it, so that a spreadsheet takes it as text; that one ' is taken off again.
void UndoDefusing(std::string& field);
