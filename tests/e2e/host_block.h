// The shared block the driver creates when it plays the host of plug-in mode (tools/common/named_block_win.h,
// filled with the case's byte), and the files of the build a case lays beside the tester or in its current
// folder.
#pragma once

#include <string>

#include "tools/common/named_block_win.h"

// The file `name` that the build puts beside `testerPath`: the hook library, the shipped settings.
std::string FileBesideTester(const std::string& testerPath, const std::string& name);
