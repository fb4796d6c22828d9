// Fuzz target: arbitrary bytes as a command line, split at zero bytes into at most seven arguments (the
// first being the program's path), through the command-line scan. Each argument, and the argument list with
// its closing null as the runtime gives it, lies in a buffer of its exact size, so a read past either ends
// the run. Besides the sanitizers, the options found are checked against what the scan promises its callers.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
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
bool IsArgument(const std::string& value, int argc, const char* const* argv) {
    for (int i = 0; i < argc; ++i) {
        if (value == argv[i]) {
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
    const int argc = static_cast<int>(arguments.size());
    std::vector<std::unique_ptr<char[]>> copies;
    const std::unique_ptr<const char*[]> argumentList(new const char*[argc + 1]);
    for (int i = 0; i < argc; ++i) {
        copies.emplace_back(new char[arguments[i].size() + 1]);
        std::memcpy(copies.back().get(), arguments[i].c_str(), arguments[i].size() + 1);
        argumentList[i] = copies.back().get();
    }
    argumentList[argc] = nullptr;
    const char* const* argv = argumentList.get();

    const CommandLineOptions options = ScanCommandLine(argc, argv);

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
    Require(options.layoutName.empty() || IsArgument(options.layoutName, argc, argv));
    Require(options.sharedMemoryName.empty() ||
            (IsArgument(options.sharedMemoryName, argc, argv) &&
             options.sharedMemoryName.find("CMX_PLUGIN_INT") != std::string::npos));
    return 0;
}
