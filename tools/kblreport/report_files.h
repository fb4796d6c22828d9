// Whole files in and out, for the records, the layout pictures and the page.
#pragma once

#include <string>

// Reads the whole file at `path` into `bytes`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` as the file at `path`, replacing it; false when it cannot be written whole.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
