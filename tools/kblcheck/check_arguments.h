// The command line of the layout checker: its options, its paths and its usage text.
#pragma once

#include <string>
#include <vector>

struct CheckOptions {
    bool dump = false;        // print every key entry built
    bool production = false;  // load as the tester does in production mode
    bool help = false;        // print the usage text and check nothing
    std::vector<std::string> paths;
};

// Reads the arguments after the program's name. False, with `error` set, for an unknown option or when no
// path is given.
bool ParseCheckArguments(int argc, const char* const* argv, CheckOptions& options, std::string& error);

extern const char* const kCheckUsage;
