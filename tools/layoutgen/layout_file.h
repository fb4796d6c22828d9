// Writing a layout as its .kbl text and its .bmp picture.
#pragma once

#include <string>

#include "tools/layoutgen/layout_sheet.h"

// The .kbl text of `sheet`: comment lines that describe it, then one row per key, lines ended by CR LF.
std::string FormatLayoutFile(const LayoutSheet& sheet);

// Writes `folder`/<name>.kbl and `folder`/<name>.bmp; false when either cannot be written.
bool WriteLayoutFiles(const std::string& folder, const LayoutSheet& sheet);
