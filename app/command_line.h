// The command-line scan: options that select the mode, the system-key filter, the layout to preselect
// and the host's shared-memory block.
#pragma once

#include <cstdint>
#include <string>

// Room of the fixed text fields the options fill, terminating zero included.
constexpr size_t kLayoutNameCapacity = 260;
constexpr size_t kSharedMemoryNameCapacity = 512;

struct CommandLineOptions {
    int32_t filterOn = 0;
    int32_t productionMode = 0;
    uint8_t traceOn = 0;
    uint8_t pluginMode = 0;
    std::string layoutName;        // the name after /k, at most 259 characters
    std::string sharedMemoryName;  // the argument holding "CMX_PLUGIN_INT", at most 511 characters
};

// Scans `argc` arguments (argument 0 is the program's own path). A command line of fewer than two or more
// than five arguments is ignored whole. A value too long for its field is refused: the field is left empty.
CommandLineOptions ScanCommandLine(int argc, const char* const* argv);
