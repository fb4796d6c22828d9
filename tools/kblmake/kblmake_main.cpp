// kblmake's program: runs it and writes what it says.
#include <cstdio>

#include "tools/kblmake/kblmake_run.h"

int main(int argc, char** argv) {
    const MakeResult result = RunKblmake(argc, argv);
    std::fwrite(result.output.data(), 1, result.output.size(), stdout);
    std::fwrite(result.errors.data(), 1, result.errors.size(), stderr);
    return result.exitCode;
}
