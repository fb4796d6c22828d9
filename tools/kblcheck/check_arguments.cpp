// The command line of the layout checker.
#include "tools/kblcheck/check_arguments.h"

#include <cstring>

const char* const kCheckUsage =
    "Usage: kblcheck [--dump] [--production] PATH...\n"
    "\n"
    "Checks keyboard layouts before they ship. Each PATH is either\n"
    "  a .kbl file, read and built alone as the tester builds one layout\n"
    "  (its bitmap is not looked for), or\n"
    "  a folder, loaded as the tester loads the folder it starts from: every\n"
    "  .kbl file with the bitmap of the same name, at most 100 layouts.\n"
    "Every message box the tester would show is printed on one line,\n"
    "  [caption] text\n"
    "with each line feed of the text written as the two characters \\n.\n"
    "\n"
    "Options:\n"
    "  --dump        print every key entry built, one line per entry, under\n"
    "                the name of its layout\n"
    "  --production  load as in production mode: DQSTATUSFAIL gives status 4\n"
    "                (armed) instead of 6 (inactive)\n"
    "  --help        print this text and check nothing\n"
    "  --            every argument after it is a PATH\n"
    "\n"
    "Exit status:\n"
    "  0  every layout loads and the tester would show no message\n"
    "  1  at least one message was printed: a file skipped, a missing bitmap,\n"
    "     or a line that does not parse (the tester still loads that file,\n"
    "     without the line, but it is a fault of the file)\n"
    "  2  the command line is wrong\n";

bool ParseCheckArguments(int argc, const char* const* argv, CheckOptions& options, std::string& error) {
    options = CheckOptions();
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (optionsEnded || argument[0] != '-') {
            options.paths.push_back(argument);
        } else if (std::strcmp(argument, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(argument, "--dump") == 0) {
            options.dump = true;
        } else if (std::strcmp(argument, "--production") == 0) {
            options.production = true;
        } else if (std::strcmp(argument, "--help") == 0 || std::strcmp(argument, "-h") == 0) {
            options.help = true;
        } else {
            error = std::string("kblcheck: unknown option ") + argument;
            return false;
        }
    }
    if (!options.help && options.paths.empty()) {
        error = "kblcheck: no file or folder to check";
        return false;
    }
    return true;
}
