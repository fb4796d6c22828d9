// Program-wide state of the application shell that every subsystem reads: the main window, the modes,
// the time base, the program's directory and the operating-system version.
#pragma once

#include <cstdint>
#include <string>

#include "base/platform.h"

// The platform id of the NT family and of the Windows 9x family, as the operating-system version gives them.
constexpr uint32_t kNtFamily = 2;
constexpr uint32_t kWindowsFamily = 1;

struct ProgramState {
    WindowHandle mainWindow = nullptr;
    int64_t ticksPerMs = 1;        // performance-counter ticks per millisecond
    int32_t filterOn = 0;          // system-key filtering requested or in force
    int32_t productionMode = 0;    // production (batch) mode: /b, /t or /p
    uint8_t traceOn = 0;           // detailed key trace in the test log: /t
    uint8_t pluginMode = 0;        // driven by the host application: /p
    std::string programDirectory;  // directory of the executable, without a trailing separator
    std::string layoutName;        // the layout asked for by /k; after start-up the selected layout's name
    uint32_t osPlatformId = 0;     // from the operating-system version, read as the main window starts
    uint32_t osMajorVersion = 0;
    uint32_t osMinorVersion = 0;
    // Settings of dorvelquinta.ini; without the file every new feature is off.
    int32_t chatterMs = 0;      // ChatterMs: a press this soon after the key's own release is chatter; 0 off
    bool recordOn = false;      // Record=1: a CSV row per concluded keyboard
    std::string recordPath;     // RecordPath: where the rows go; empty for the log's path with .csv
    bool benchOn = false;       // the settings file is there: the operator's bench (see app/settings.h)
    int32_t dialogGuardMs = 0;  // DialogGuardMs: keys are kept from a verdict or Serial dialog this long
    bool requireLedTest = false;   // RequireLedTest=1: no pass question before the LED test has run
    std::string logFolder;         // LogFolder: where a first run's log is suggested
    bool logAppend = false;        // LogAppend=1: the Operator dialog starts in append mode
    std::string lineUrl;           // LineUrl: the line server, when it is a good address; else no line link
    std::string lineToken;         // LineToken: the station's token on the line
    std::string lineStation;       // LineStation: the station's name on the line; the computer's by default
    bool lineGate = false;         // LineGate=1: each serial is asked of the line before its keyboard
    bool lineStopOffline = false;  // LineOffline=stop: no keyboard is tested while the line is not reached
};

extern ProgramState program;

// The start values come back with ResetCoreState (engine/core_state.h), with the rest of the program-wide
// state.
