// The command that starts the tester in plug-in mode.
#pragma once

#include <string>
#include <vector>

// The tester that ships beside the stand-in host whose own path is `hostPath`.
std::string TesterBeside(const std::string& hostPath);

// The command line "PATH /p NAME OPTION...", each argument quoted where the Windows run-time's splitting
// rules need it, so that the tester receives every argument unchanged.
std::string BuildTesterCommandLine(const std::string& testerPath, const std::string& blockName,
                                   const std::vector<std::string>& testerOptions);

// One argument as it must be written on a command line to reach a program unchanged.
std::string QuoteArgument(const std::string& argument);
