// The record of the keyboard just concluded, gathered from the engine's state, the run's identity and the
// system's clock, and where the record goes.
#pragma once

#include <string>

#include "records/keyboard_record.h"

// The record of the keyboard whose verdict was just given: `passed` or failed with the reason the verdict
// recorded.
KeyboardRecord RecordOfVerdict(bool passed);

// Where the records of a run logged to `logPath` go: RecordPath when the settings name one, else (outside
// plug-in mode) the log's path with ".csv" instead of its extension; empty when there is no place for them.
std::string RecordFilePath(const std::string& logPath);
