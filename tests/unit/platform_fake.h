// Recording stand-ins for the platform services the core calls, and helpers for files in a scratch folder.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "base/platform.h"
#include "engine/plan_run.h"
#include "engine/verdict.h"
#include "records/verdict_keeping.h"

struct ShownMessage {
    WindowHandle owner;
    std::string text;
    std::string caption;
    uint32_t style;
};

struct FakePlatform {
    std::vector<ShownMessage> messages;           // every message box shown, in order
    std::vector<std::string> layoutListing;       // what the directory search returns
    std::map<std::string, std::string> settings;  // the settings file's keys and values
    std::map<std::string, std::string> profile;   // every other private profile's "Section/Key" and text
    bool doubleByteCodePage = true;  // lead bytes 0x81-0xFE, as GBK; else a single-byte code page
    int64_t counter = 0;             // what the performance counter reads
    uint32_t eventTime = 0;          // the time stamp of the input event being handled
    uint32_t eventTimeTick = 1;      // the step in which those time stamps move, in ms
    std::set<int32_t> keysDown;      // the keys down now
    LocalTime clock = {2026, 12, 6, 0, 5, 35, 51, 480};  // the local clock: Sun Dec 06 05:35:51 2026, UTC+8
    bool clockReadable = true;
    std::map<int32_t, std::string> controls;  // the last text of every control
    std::vector<int32_t> controlWrites;       // the control of every text write, in order
    std::vector<int32_t> postedCommands;
    std::vector<int32_t> paintedKeys;
    std::vector<bool> verdicts;                      // the `verify` of every verdict asked for
    std::vector<int32_t> scheduledConclusions;       // the delay of every conclusion put off, in ms
    std::vector<bool> planClock;                     // every start (true) and stop of the plan's clock
    std::vector<std::string> keeping;                // each step of keeping a verdict: its row, its commit
    bool rowKept = true;                             // what writing the record row gives
    RecordsKept commitResult = RecordsKept::OnDisk;  // what committing the log gives
    std::vector<VerdictDialog> verdictDialogs;       // every verdict dialog shown, in order
    std::vector<int32_t> verdictAnswers;  // their answers, in order; a dialog beyond them is not shown
    int ledStops = 0;
    alignas(8) uint8_t hostBlock[0x200] = {};  // the host's shared block
    int32_t mapError = 0;                      // 0: the block maps; else the error code of the failure
    std::string mappedName;
    size_t mappedLength = 0;
    std::vector<int32_t> sleeps;
    std::function<void()> onSleep;  // what the host does while the program sleeps
};

extern FakePlatform fakePlatform;

// Clears the recorded messages and the listing.
void ResetFakePlatform();

// A fresh empty folder under the system's temporary folder, removed again by RemoveScratchFolder.
std::string MakeScratchFolder();
void RemoveScratchFolder(const std::string& folder);

// Writes `content` as the file `folder`/`name`; returns its path.
std::string WriteFile(const std::string& folder, const std::string& name, const std::string& content);

// The bytes of the file at `path`; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
