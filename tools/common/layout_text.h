// The text of a layout file as the tools write it: comment lines, then one row per key.
#pragma once

#include <string>
#include <vector>

#include "tools/common/layout_picture.h"

// One key's row, without its line end.
std::string FormatLayoutRow(const LayoutKey& key);

// Every comment as a line starting with "# ", then every key's row; lines ended by CR LF.
std::string FormatLayoutText(const std::vector<std::string>& comments, const std::vector<LayoutKey>& keys);
