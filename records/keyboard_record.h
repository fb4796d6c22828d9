// The record of one concluded keyboard: a CSV row for a spreadsheet or a line's MES, appended to the record
// file and committed to the disk before the next keyboard starts.
#pragma once

#include <string>

struct KeyboardRecord {
    std::string time;        // local time, ISO 8601 with its UTC offset: 2026-12-07T18:43:18+08:00
    std::string computer;    // the computer's name
    std::string operatorId;  // the run's identifiers, as typed in the Operator dialog
    std::string productId;
    std::string batchId;
    std::string serial;  // the keyboard's serial and version numbers
    std::string version;
    std::string layoutFile;    // the layout tested, as its file name: US.kbl
    bool passed = false;       // PASS or FAIL
    std::string reason;        // the failure reason's text; empty for a pass
    std::string reasonCode;    // the reason as a stable code; empty for a pass
    std::string testSeconds;   // seconds from the first key press to the verdict; empty without a press
    int requiredKeys = 0;      // keys the layout requires
    int testedKeys = 0;        // keys pressed and released, required or not
    std::string untestedKeys;  // labels of the required keys left untested, ';'-separated
    std::string chatterKeys;   // "label:ms" of every chattering key with its shortest gap, ';'-separated
    int mostKeysHeld = 0;      // the most keys held down at once (the rollover seen)
    // What a test plan found: wrong pairs "expected>got" (each caption as KeyListItem writes it, '>' as %3E),
    // and captions of phantom and ghost keys, each ';'-separated; the rollover step's count required and the
    // most of its keys held at once, both 0 without such a step.
    std::string wrongKeys;
    std::string phantomKeys;
    std::string ghostKeys;
    int rolloverRequired = 0;
    int rolloverReached = 0;
    bool withPlan = false;  // the keyboard was tested with a plan: a new record file gets the plan's columns
};

// The columns of a record row, and those of the first record files, before the test plan's five.
constexpr size_t kRecordColumnCount = 22;
constexpr size_t kClassicRecordColumnCount = 17;

// The header row, the names of the first `columnCount` columns in their order, ended by CR LF. Without a
// count, the first files' columns: what the line server and the yield report write and read as before.
std::string RecordHeaderRow(size_t columnCount = kClassicRecordColumnCount);

// The row of `record`, ended by CR LF: texts in UTF-8 (they are taken in the ANSI code page), quoted as
// RFC 4180 asks where they hold a comma, a quote or a line break. A text that starts with = + - @, a tab, a
// carriage return or an apostrophe is written with one more apostrophe in front, so that a spreadsheet
// shows it as a text instead of running it as a formula.
// Only the first `columnCount` columns are written, without a count the first files' columns.
std::string RecordRow(const KeyboardRecord& record, size_t columnCount = kClassicRecordColumnCount);

// Appends the row of `record` to the file at `path`, made with a UTF-8 byte-order mark and a header row when
// it is new or empty, and commits it to the disk. A new file has the first files' 17 columns, unless the
// keyboard was tested with a plan: then it has all of them. Every row of a file has its header's columns: a
// file with the first files' header goes on getting rows of their width. A file that does not end with a line
// end (a row torn by a power cut) gets one first. False when any of it fails; the file is then cut back to
// what it held.
bool AppendKeyboardRecord(const std::string& path, const KeyboardRecord& record);

// Where the records of a run logged to `logPath` go: none without Record=1; RecordPath when the settings
// name one, else (outside plug-in mode) the log's path with ".csv" instead of its extension; empty when
// there is no place for them.
std::string RecordFilePath(const std::string& logPath);

// True when the record file at `path` can be opened for appending (it is made when missing).
bool RecordFileWritable(const std::string& path);
