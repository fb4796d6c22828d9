// Whole files in and out at once.
#pragma once

#include <cstddef>
#include <string>

// Reads the whole file at `path` into `bytes`; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes the `size` bytes at `data` as the file `path`, replacing it; false when it cannot be written.
bool WriteWholeFile(const std::string& path, const void* data, size_t size);
