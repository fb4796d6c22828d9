// Reading the per-keyboard record files the tester writes: each CSV row checked and made a record; a row that
// is not a keyboard's record is kept as a bad row with its file and line, and a file that is no record file
// is refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ChatterKey {
    std::string label;
    int32_t shortestGapMs = 0;
};

// A key that came when a test plan asked for another.
struct WrongKey {
    std::string expected;
    std::string got;
};

// The columns of one keyboard's row that the report uses, texts in UTF-8.
struct Record {
    size_t file = 0;           // index into RecordSet::files
    std::string timeText;      // as the tester wrote it, the local clock of the line with its UTC offset
    int64_t localSeconds = 0;  // that local clock in seconds since 1970-01-01 00:00, for order and periods
    std::string operatorId;
    std::string productId;
    std::string batchId;
    std::string layoutFile;  // US.kbl
    bool passed = false;
    std::string reason;
    std::string reasonCode;
    bool timed = false;  // false when test_seconds is empty
    double testSeconds = 0;
    std::vector<std::string> untestedKeys;
    std::vector<ChatterKey> chatterKeys;
    // What a test plan found; empty and 0 in a file written before records had these columns.
    std::vector<WrongKey> wrongKeys;
    std::vector<std::string> phantomKeys;  // keys that came while the keyboard was not to be touched
    std::vector<std::string> ghostKeys;    // keys that came while the rollover step's keys were held
    int32_t rolloverRequired = 0;          // keys the rollover step asked for; 0 without the step
    int32_t rolloverReached = 0;           // the most of them held at once
};

struct BadRow {
    size_t file = 0;
    int line = 0;  // the line the row starts on, from 1
    std::string problem;
};

struct RecordSet {
    std::vector<std::string> files;  // every file read, in the order given; refused files are not
    std::vector<Record> records;
    std::vector<BadRow> badRows;
    std::vector<std::string> refusals;  // "FILE:LINE: why", one per file that was not read
    std::vector<std::string> notes;     // "FILE: what", how a file read was not as the tester wrote it
};

// Reads `bytes`, the whole content of the record file `fileName`, into `set`. A file whose first row is no
// header naming the columns the report reads is refused (the columns of a test plan's findings may be
// missing: a file written before them reads as of keyboards tested without a plan); an empty file holds no
// keyboard. Each further line is a keyboard's record or a bad row. False when refused.
bool ReadRecordText(const std::string& bytes, const std::string& fileName, RecordSet& set);

// Reads the record file at `path` into `set`; a file that cannot be read is refused too. False when refused.
bool ReadRecordFile(const std::string& path, RecordSet& set);

// The labels of a ';'-separated key list as the tester writes it, with %25, %3B, %3A and %3E in a label
// decoded.
// In a list written before the labels were encoded, a ';' that would start a label is the label ";" itself,
// so "A;;;S" is A, ; and S.
std::vector<std::string> SplitKeyList(const std::string& list);

// Reads the "expected>got" items of a wrong-key list as the tester writes it into `keys`, their captions
// decoded; false, with `badItem` set, when one is not such an item.
bool ReadWrongKeys(const std::string& list, std::vector<WrongKey>& keys, std::string& badItem);

// Reads "2026-12-07T18:43:18+08:00" into `localSeconds`, the local clock it gives in seconds since
// 1970-01-01 00:00; false unless it is such a time of the calendar with an offset of at most 14 hours.
bool ParseRecordTime(const std::string& text, int64_t& localSeconds);
