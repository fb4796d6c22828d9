// Fuzz target: arbitrary bytes as a typed log path, through the log-name check. The bytes are copied into a
// buffer that ends right after their terminator, so a read past it stops the run. The check's answer is
// compared with a plain reference that first cuts the path into characters (a GBK lead byte with the byte
// after it) and then applies the rules to whole characters, and, for paths with no lead byte, with the same
// rules applied byte by byte.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "records/log_file.h"

namespace {

constexpr const char* kBadFileNameBytes = "\\/:*?<>|";

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool IsLeadByte(char byte) {
    const unsigned char value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

// The path's characters: a lead byte followed by any byte but the terminator makes one character of two
// bytes, every other byte one of its own.
std::vector<std::string> SplitCharacters(const std::string& path) {
    std::vector<std::string> characters;
    size_t i = 0;
    while (i < path.size()) {
        const size_t length = IsLeadByte(path[i]) && i + 1 < path.size() ? 2 : 1;
        characters.push_back(path.substr(i, length));
        i += length;
    }
    return characters;
}

LogNameCheck CheckByCharacters(const std::string& path) {
    if (path.empty()) {
        return LogNameCheck::Empty;
    }
    const std::vector<std::string> characters = SplitCharacters(path);
    size_t fileNameStart = characters.size() + 1;
    for (size_t i = 0; i < characters.size(); ++i) {
        if (characters[i] == "\\") {
            fileNameStart = i + 1;
        }
    }
    if (fileNameStart > characters.size()) {
        return LogNameCheck::NoPath;
    }
    if (fileNameStart == characters.size()) {
        return LogNameCheck::BadFileName;
    }
    for (size_t i = fileNameStart; i < characters.size(); ++i) {
        if (characters[i].size() == 1 && std::strchr(kBadFileNameBytes, characters[i][0]) != nullptr) {
            return LogNameCheck::BadFileName;
        }
    }
    return LogNameCheck::Valid;
}

LogNameCheck CheckByBytes(const std::string& path) {
    if (path.empty()) {
        return LogNameCheck::Empty;
    }
    const size_t lastBackslash = path.rfind('\\');
    if (lastBackslash == std::string::npos) {
        return LogNameCheck::NoPath;
    }
    const std::string fileName = path.substr(lastBackslash + 1);
    if (fileName.empty() || fileName.find_first_of(kBadFileNameBytes) != std::string::npos) {
        return LogNameCheck::BadFileName;
    }
    return LogNameCheck::Valid;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::unique_ptr<char[]> buffer(new char[size + 1]);
    std::memcpy(buffer.get(), data, size);
    buffer[size] = '\0';
    const std::string path(buffer.get());  // up to the first zero byte, as the dialog's text would end

    const LogNameCheck check = ValidateLogName(buffer.get());

    Require(check == CheckByCharacters(path));
    bool hasLeadByte = false;
    for (char byte : path) {
        hasLeadByte = hasLeadByte || IsLeadByte(byte);
    }
    Require(hasLeadByte || check == CheckByBytes(path));
    Require((check == LogNameCheck::Valid) == (LogNameMessage(check)[0] == '\0'));
    return 0;
}
