// Program-wide state of the application shell that every subsystem reads: the main window, the modes,
// the time base and the program's directory.
#pragma once

#include <cstdint>
#include <string>

#include "app/platform.h"

struct ProgramState {
    WindowHandle mainWindow = nullptr;
    int64_t ticksPerMs = 1;        // performance-counter ticks per millisecond
    int32_t filterOn = 0;          // system-key filtering requested or in force
    int32_t productionMode = 0;    // production (batch) mode: /b, /t or /p
    uint8_t traceOn = 0;           // detailed key trace in the test log: /t
    uint8_t pluginMode = 0;        // driven by the host application: /p
    std::string programDirectory;  // directory of the executable, without a trailing separator
    std::string layoutName;        // the layout asked for by /k; after start-up the selected layout's name
};

extern ProgramState program;

// Brings the program-wide state back to its start values.
void ResetProgramState();
