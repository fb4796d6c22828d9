// The test log: the one stream every line of a production run goes to, and the one line writer.
#pragma once

#include <cstdio>
#include <string>

#include "base/text_format.h"

constexpr size_t kLogLineBufferSize = 200;

// Who runs the production line and which keyboard is under test, as the identification dialogs took them.
struct RunIdentity {
    std::string operatorId;
    std::string productId;
    std::string batchId;
    std::string serial;
    std::string version;
};

struct TestLogState {
    FILE* stream = nullptr;      // open log, or none: nothing is logged while it is none
    bool writeFailed = false;    // a line of the open log could not be written or flushed
    std::string path;            // the open log's path, as typed
    RunIdentity identity;        // the identifiers the log's lines carry
    bool writingRecord = false;  // a keyboard's record row is being written (the operator may be asked)
    bool appendToLog = false;    // the Operator dialog's choice: append to the log rather than overwrite it
};

extern TestLogState testLog;

// Formats one line into the log's line buffer of kLogLineBufferSize bytes and, when the log is open, writes
// and flushes it. A line too long for the buffer is formatted whole into a larger one instead, so it is
// neither cut nor written past the buffer.
void LogLine(const char* format, ...) DVQ_PRINTF_FORMAT(1, 2);

// Closes the log; nothing is written afterwards.
void CloseLog();

// Commits every line written so far to the disk itself, past the system's caches, so that a power cut loses
// none of them. False when the log cannot be written any more (a full disk, a removed medium): then, or when
// an earlier line already failed, the records are no longer being kept. True when no log is open.
bool CommitLog();

// True when trace lines are written: the trace is on (/t) and the log is open.
bool TraceActive();

// Writes a trace line (see TraceLine); called only while TraceActive() holds.
void WriteTraceLine(const char* format, ...) DVQ_PRINTF_FORMAT(1, 2);

// A line of the key trace: written only when the trace is on and the log is open, and checked for that before
// any argument is formatted, so a key event costs nothing for its trace while the trace is off. Trace lines
// are not flushed one by one (a key event writes dozens); the next record line flushes them.
template <typename... Arguments>
inline void TraceLine(const char* format, Arguments... arguments) {
    if (TraceActive()) {
        WriteTraceLine(format, arguments...);
    }
}

// A trace line with nothing to format: its text is written as it stands.
inline void TraceLine(const char* text) {
    if (TraceActive()) {
        WriteTraceLine("%s", text);
    }
}
