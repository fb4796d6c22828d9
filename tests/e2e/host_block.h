// The shared block the driver creates when it plays the host of plug-in mode (tools/common/named_block_win.h,
// filled with the case's byte), and the hook library a case lays beside the tester or in its current folder.
#pragma once

#include <string>

#include "tools/common/named_block_win.h"

// The hook library that the build puts beside `testerPath`.
std::string FilterLibraryBeside(const std::string& testerPath);
