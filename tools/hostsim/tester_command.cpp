// The tester's command line in plug-in mode, quoted by the Windows run-time's rules.
#include "tools/hostsim/tester_command.h"

namespace {

const char* const kTesterFileName = "dorvelquinta.exe";

}  // namespace

std::string TesterBeside(const std::string& hostPath) {
    const size_t separator = hostPath.find_last_of("\\/");
    if (separator == std::string::npos) {
        return kTesterFileName;
    }
    return hostPath.substr(0, separator + 1) + kTesterFileName;
}

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos) {
        return argument;
    }
    // Backslashes are literal except in front of a quote, where each must be doubled; the closing quote
    // counts as such a place.
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string BuildTesterCommandLine(const std::string& testerPath, const std::string& blockName,
                                   const std::vector<std::string>& testerOptions) {
    std::string commandLine = "\"" + testerPath + "\" /p " + QuoteArgument(blockName);
    for (const std::string& option : testerOptions) {
        commandLine += " " + QuoteArgument(option);
    }
    return commandLine;
}
