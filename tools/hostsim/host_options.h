// The stand-in host's command line: the block's name, the run-flag drop, the time limit, the tester to start
// and the options passed on to it, with the usage text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The marker every block name must contain: the tester takes the argument that holds it as the name.
extern const char* const kBlockNameMarker;

// The tester's own limit of arguments besides its path; "/p" and the block's name take two of them.
constexpr size_t kTesterArgumentLimit = 4;

constexpr int64_t kDefaultTimeoutMs = 600000;

struct HostOptions {
    bool help = false;                       // print the usage text and start nothing
    std::string blockName;                   // empty: the default name made from the process id
    int64_t stopAfterMs = -1;                // when to drop the run flag; -1: never
    int64_t timeoutMs = kDefaultTimeoutMs;   // when to end a tester that is still running
    std::string testerPath;                  // empty: the tester beside the stand-in host
    std::vector<std::string> testerOptions;  // the arguments after "--"
};

// Reads the arguments after the program's name. False, with `error` set, for an unknown option, a missing
// or malformed value, a name without the marker, or more tester options than the tester accepts.
bool ParseHostOptions(int argc, const char* const* argv, HostOptions& options, std::string& error);

// The default block name of the host running as process `processId`.
std::string DefaultBlockName(uint32_t processId);

// Reads a non-negative number of seconds with at most three decimals ("3", "0.5") into milliseconds.
// False for anything else.
bool ParseSeconds(const std::string& text, int64_t& milliseconds);

extern const char* const kHostUsage;
