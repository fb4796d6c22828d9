// The layout checker's program: runs the check and writes what it found.
#include <cstdio>

#include "tools/kblcheck/layout_check.h"

int main(int argc, char** argv) {
    const CheckResult result = RunLayoutChecker(argc, argv);
    std::fwrite(result.output.data(), 1, result.output.size(), stdout);
    std::fwrite(result.errors.data(), 1, result.errors.size(), stderr);
    return result.exitCode;
}
