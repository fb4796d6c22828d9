// The layout checker's native program: runs the check and writes what it found in the terminal's encoding,
// which the locale names.
#include <langinfo.h>

#include <clocale>

#include "tools/common/console_output.h"
#include "tools/kblcheck/layout_check.h"
#include "tools/kblcheck/terminal_text.h"

int main(int argc, char** argv) {
    std::setlocale(LC_CTYPE, "");
    const std::string charset = nl_langinfo(CODESET);
    const CheckResult result = RunLayoutChecker(argc, argv);
    WriteOutput(stdout, TerminalText(result.output, charset));
    WriteOutput(stderr, TerminalText(result.errors, charset));
    return result.exitCode;
}
