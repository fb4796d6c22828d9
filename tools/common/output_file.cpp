// Whole files in and out at once: the inputs of kblmake and kblreport, the layout texts, the icon and the
// report's page.
#include "tools/common/output_file.h"

#include <cstdio>
#include <fstream>

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    bytes.clear();
    char buffer[65536];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, read);
    }
    const bool failed = std::ferror(file) != 0;
    return std::fclose(file) == 0 && !failed;
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    file.close();
    return !file.fail();
}
