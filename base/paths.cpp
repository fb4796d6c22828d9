// Path helpers every floor shares.
#include "base/paths.h"

std::string JoinPath(const std::string& directory, const std::string& name) {
    return directory + kPathSeparator + name;
}

std::string DirectoryOf(const std::string& path) {
    const size_t separator = path.rfind(kPathSeparator);
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string BitmapNameFor(const std::string& layoutFileName) {
    return layoutFileName.substr(0, layoutFileName.rfind('.')) + ".bmp";
}
