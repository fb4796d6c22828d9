// The layout checker's Windows program: runs the check and writes what it found. Its texts, paths included,
// are in the ANSI code page, which a console is shown through the wide console API.
#include "tools/common/console_output.h"
#include "tools/kblcheck/layout_check.h"

int main(int argc, char** argv) {
    const CheckResult result = RunLayoutChecker(argc, argv);
    WriteOutput(stdout, result.output);
    WriteOutput(stderr, result.errors);
    return result.exitCode;
}
