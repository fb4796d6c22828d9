// Finding the hook library of the build.
#include "tests/e2e/host_block.h"

std::string FilterLibraryBeside(const std::string& testerPath) {
    return testerPath.substr(0, testerPath.rfind('\\') + 1) + "filter.dll";
}
