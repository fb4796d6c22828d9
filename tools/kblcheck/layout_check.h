// The layout checker: loads layout files and folders as the tester would and reports every message it would
// show. Portable: the native and the Windows program share it, and only their file services differ.
#pragma once

#include <string>

#include "tools/kblcheck/check_arguments.h"

// Exit codes of the checker.
constexpr int kCheckClean = 0;
constexpr int kCheckFoundProblems = 1;
constexpr int kCheckUsageError = 2;

struct CheckResult {
    int exitCode = kCheckClean;
    std::string output;  // for the standard output
    std::string errors;  // for the standard error
};

// Checks every path of the options in order.
CheckResult CheckLayouts(const CheckOptions& options);

// The whole checker run for a command line (argument 0 is the program's name).
CheckResult RunLayoutChecker(int argc, const char* const* argv);
