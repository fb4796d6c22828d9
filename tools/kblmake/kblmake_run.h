// The whole run of kblmake for a command line: read the JSON file and the mappings, make the layout, check
// it as kblcheck does, and only then write the layout file and its picture.
#pragma once

#include <string>

// Exit codes of kblmake.
constexpr int kMakeDone = 0;
constexpr int kMakeRefused = 1;
constexpr int kMakeUsageError = 2;

struct MakeResult {
    int exitCode = kMakeDone;
    std::string output;  // for the standard output
    std::string errors;  // for the standard error
};

// Runs kblmake; argument 0 is the program's name.
MakeResult RunKblmake(int argc, const char* const* argv);

extern const char* const kMakeUsage;
