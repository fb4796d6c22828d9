// The command-line scan.
#include "app/command_line.h"

#include <cstring>

namespace {

constexpr int kMaxArguments = 5;
constexpr const char* kPluginMarker = "CMX_PLUGIN_INT";

// Copies `value` into a field of `capacity` bytes, or empties the field when the value does not fit.
void CopyBounded(std::string& field, const char* value, size_t capacity) {
    if (std::strlen(value) < capacity) {
        field = value;
    } else {
        field.clear();
    }
}

void ApplyOptionLetter(CommandLineOptions& options, char letter) {
    switch (letter) {
        case 'f':
            options.filterOn = 1;
            break;
        case 'b':
            options.productionMode = 1;
            break;
        case 't':
            options.productionMode = 1;
            options.traceOn = 1;
            break;
        case 'p':
            options.productionMode = 1;
            options.pluginMode = 1;
            break;
        default:
            break;
    }
}

}  // namespace

CommandLineOptions ScanCommandLine(int argc, const char* const* argv) {
    CommandLineOptions options;
    if (argc < 2 || argc > kMaxArguments) {
        return options;
    }
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument[0] == '/' && argument[1] != '\0') {
            if (argument[1] == 'k') {
                if (i + 1 >= argc) {
                    break;
                }
                ++i;
                CopyBounded(options.layoutName, argv[i], kLayoutNameCapacity);
            } else {
                ApplyOptionLetter(options, argument[1]);
            }
        }
        if (std::strstr(argv[i], kPluginMarker) != nullptr) {
            CopyBounded(options.sharedMemoryName, argv[i], kSharedMemoryNameCapacity);
        }
    }
    return options;
}
