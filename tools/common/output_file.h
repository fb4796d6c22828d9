// Writing a whole file at once.
#pragma once

#include <cstddef>
#include <string>

// Writes the `size` bytes at `data` as the file `path`, replacing it; false when it cannot be written.
bool WriteWholeFile(const std::string& path, const void* data, size_t size);
