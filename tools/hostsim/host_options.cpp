// The stand-in host's command line and its usage text.
#include "tools/hostsim/host_options.h"

const char* const kBlockNameMarker = "CMX_PLUGIN_INT";

const char* const kHostUsage =
    "Usage: hostsim [--name NAME] [--stop-after SECONDS] [--timeout SECONDS] [--exe PATH]\n"
    "               [-- TESTER-OPTION...]\n"
    "\n"
    "Plays the host of the tester's plug-in mode: creates the shared block NAME, sets its run flag to 1,\n"
    "starts the tester with \"/p NAME\" and the options after \"--\", prints every change of the block with\n"
    "the milliseconds since the start, and ends when the tester ends.\n"
    "\n"
    "  --name NAME           the block's name; it must contain \"CMX_PLUGIN_INT\"\n"
    "                        (default: CMX_PLUGIN_INT_ followed by this program's process id)\n"
    "  --stop-after SECONDS  set the run flag to 0 after SECONDS (fractions allowed, e.g. 2.5)\n"
    "  --timeout SECONDS     end the tester if it still runs after SECONDS (default 600)\n"
    "  --exe PATH            the tester to start (default: dorvelquinta.exe beside hostsim.exe)\n"
    "  -- OPTION...          up to two more options for the tester, for example /f or /k US\n"
    "  --help                print this text\n"
    "\n"
    "Ctrl+C sets the run flag to 0 and waits for the tester to end.\n"
    "\n"
    "Exit codes:\n"
    "  0  pass: the tester reached state 9 without a message\n"
    "  1  fail: the tester reported a message, then state 9\n"
    "  2  stopped: the run flag was dropped, or the tester ended (or was ended) without state 9\n"
    "  3  start-up failed: the tester never set ready\n"
    "  4  usage or set-up error of hostsim itself\n";

namespace {

constexpr int64_t kMaxSeconds = 1000000;

bool TakeValue(int argc, const char* const* argv, int& index, std::string& value, std::string& error) {
    if (index + 1 >= argc) {
        error = std::string(argv[index]) + " needs a value";
        return false;
    }
    value = argv[++index];
    return true;
}

bool TakeSeconds(int argc, const char* const* argv, int& index, int64_t& milliseconds, std::string& error) {
    std::string value;
    if (!TakeValue(argc, argv, index, value, error)) {
        return false;
    }
    if (!ParseSeconds(value, milliseconds)) {
        error = std::string(argv[index - 1]) + " takes a number of seconds, not \"" + value + "\"";
        return false;
    }
    return true;
}

}  // namespace

bool ParseSeconds(const std::string& text, int64_t& milliseconds) {
    int64_t whole = 0;
    int64_t fraction = 0;
    int32_t fractionDigits = -1;  // -1 until the decimal point
    size_t digits = 0;
    for (char c : text) {
        if (c == '.' && fractionDigits < 0) {
            fractionDigits = 0;
        } else if (c >= '0' && c <= '9' && fractionDigits < 0) {
            whole = whole * 10 + (c - '0');
            ++digits;
            if (whole > kMaxSeconds) {
                return false;
            }
        } else if (c >= '0' && c <= '9' && fractionDigits < 3) {
            fraction = fraction * 10 + (c - '0');
            ++fractionDigits;
            ++digits;
        } else {
            return false;
        }
    }
    if (digits == 0) {
        return false;
    }
    for (int32_t scale = fractionDigits < 0 ? 0 : fractionDigits; scale < 3; ++scale) {
        fraction *= 10;
    }
    milliseconds = whole * 1000 + fraction;
    return true;
}

std::string DefaultBlockName(uint32_t processId) {
    return std::string(kBlockNameMarker) + "_" + std::to_string(processId);
}

bool ParseHostOptions(int argc, const char* const* argv, HostOptions& options, std::string& error) {
    options = HostOptions();
    int index = 1;
    for (; index < argc; ++index) {
        const std::string argument = argv[index];
        bool taken = true;
        if (argument == "--") {
            break;
        } else if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
        } else if (argument == "--name") {
            taken = TakeValue(argc, argv, index, options.blockName, error);
            if (taken && options.blockName.find(kBlockNameMarker) == std::string::npos) {
                error = "the block name \"" + options.blockName + "\" does not contain \"" +
                        kBlockNameMarker + "\"";
                taken = false;
            }
        } else if (argument == "--stop-after") {
            taken = TakeSeconds(argc, argv, index, options.stopAfterMs, error);
        } else if (argument == "--timeout") {
            taken = TakeSeconds(argc, argv, index, options.timeoutMs, error);
            if (taken && options.timeoutMs == 0) {
                error = "--timeout must be above 0";
                taken = false;
            }
        } else if (argument == "--exe") {
            taken = TakeValue(argc, argv, index, options.testerPath, error);
        } else {
            error = "unknown option \"" + argument + "\"";
            taken = false;
        }
        if (!taken) {
            return false;
        }
    }
    for (++index; index < argc; ++index) {
        options.testerOptions.emplace_back(argv[index]);
    }
    if (options.testerOptions.size() + 2 > kTesterArgumentLimit) {
        error = "the tester takes at most " + std::to_string(kTesterArgumentLimit - 2) +
                " options besides /p and the block name";
        return false;
    }
    return true;
}
