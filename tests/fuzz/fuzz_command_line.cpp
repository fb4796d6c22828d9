// Fuzz target: arbitrary bytes as a command line, split at zero bytes into at most seven arguments (the
// first being the program's path), through the command-line scan. Besides the sanitizers, the options found
// are checked against what the scan promises its callers.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

constexpr size_t kMaxArguments = 7;
constexpr int kMinScannedArguments = 2;
constexpr int kMaxScannedArguments = 5;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsFlag(int32_t value) {
    return value == 0 || value == 1;
}

// True when `value` is one of the arguments as the scan sees them (up to their first zero byte).
bool IsArgument(const std::string& value, const std::vector<const char*>& argv) {
    for (const char* argument : argv) {
        if (value == argument) {
            return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && arguments.size() < kMaxArguments) {
            arguments.emplace_back();
        } else {
            arguments.back() += static_cast<char>(data[i]);
        }
    }
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    const int argc = static_cast<int>(argv.size());

    const CommandLineOptions options = ScanCommandLine(argc, argv.data());

    Require(options.layoutName.size() < kLayoutNameCapacity);
    Require(options.sharedMemoryName.size() < kSharedMemoryNameCapacity);
    Require(IsFlag(options.filterOn) && IsFlag(options.productionMode));
    Require(IsFlag(options.traceOn) && IsFlag(options.pluginMode));
    Require(!options.traceOn || options.productionMode);
    Require(!options.pluginMode || options.productionMode);
    if (argc < kMinScannedArguments || argc > kMaxScannedArguments) {
        Require(!options.filterOn && !options.productionMode && options.layoutName.empty() &&
                options.sharedMemoryName.empty());
    }
    Require(options.layoutName.empty() || IsArgument(options.layoutName, argv));
    Require(options.sharedMemoryName.empty() ||
            (IsArgument(options.sharedMemoryName, argv) &&
             options.sharedMemoryName.find("CMX_PLUGIN_INT") != std::string::npos));
    return 0;
}
