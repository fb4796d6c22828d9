// Writing a whole file at once, for the layout texts and the icon.
#include "tools/common/output_file.h"

#include <fstream>

bool WriteWholeFile(const std::string& path, const void* data, size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    return !file.fail();
}
