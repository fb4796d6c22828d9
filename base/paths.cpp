// Path helpers every floor shares.
#include "base/paths.h"

#include "base/platform.h"

std::string JoinPath(const std::string& directory, const std::string& name) {
    return directory + kPathSeparator + name;
}

size_t CharacterLength(const char* text) {
    return IsLeadByte(static_cast<uint8_t>(text[0])) && text[1] != '\0' ? 2 : 1;
}

std::string DirectoryOf(const std::string& path, char separator) {
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); i += CharacterLength(path.c_str() + i)) {
        if (path[i] == separator) {
            last = i;
        }
    }
    return last == std::string::npos ? std::string() : path.substr(0, last);
}

std::string WithExtension(const std::string& path, const std::string& extension) {
    size_t dot = std::string::npos;
    for (size_t i = 0; i < path.size(); i += CharacterLength(path.c_str() + i)) {
        if (path[i] == '.') {
            dot = i;
        } else if (path[i] == '\\' || path[i] == '/') {
            dot = std::string::npos;
        }
    }
    return path.substr(0, dot) + extension;
}

std::string BitmapNameFor(const std::string& layoutFileName) {
    return layoutFileName.substr(0, layoutFileName.rfind('.')) + ".bmp";
}

bool IsAbsolutePath(const std::string& path) {
    const bool drive = path.size() >= 2 && path[1] == ':' &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return drive || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}
