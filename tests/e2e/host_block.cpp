// Finding the files of the build.
#include "tests/e2e/host_block.h"

std::string FileBesideTester(const std::string& testerPath, const std::string& name) {
    return testerPath.substr(0, testerPath.rfind('\\') + 1) + name;
}
