// The system services of the native tools: the directory search finds layout files as the Windows program
// finds them (the extension compared without regard to case), in name order; text is taken as GBK, the code
// page of the Windows the tester runs on; the clock is the local time of the system.
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "base/gbk_posix.h"
#include "base/platform.h"

bool ReadLocalTime(LocalTime& now) {
    const time_t seconds = time(nullptr);
    tm local;
    if (seconds == static_cast<time_t>(-1) || localtime_r(&seconds, &local) == nullptr) {
        return false;
    }
    now = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday,
           local.tm_hour,        local.tm_min,     local.tm_sec,  static_cast<int32_t>(local.tm_gmtoff / 60)};
    return true;
}

std::string AnsiToUtf8(const std::string& text) {
    return GbkToUtf8(text);
}

std::string ReadComputerName() {
    char name[256] = "";
    return gethostname(name, sizeof name - 1) == 0 ? std::string(name) : std::string();
}

// The native tools take no settings.
bool ReadSettingText(const std::string&, const char*, std::string&) {
    return false;
}

namespace {

std::string TrimmedBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

// The private profile as Windows reads one (a layout's plan for kblcheck): a line "[name]" opens a section,
// a line starting with ';' is a comment, and the first "key=text" of the first section of the name counts.
bool ReadProfileText(const std::string& path, const char* section, const char* key, std::string& value) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    bool inSection = false;
    bool firstLine = true;
    while (std::getline(file, line)) {
        if (firstLine && line.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            line.erase(0, 3);
        }
        firstLine = false;
        line = TrimmedBlanks(line);
        if (!line.empty() && line[0] == '[') {
            const size_t end = line.find(']');
            const std::string name = TrimmedBlanks(line.substr(1, end == std::string::npos ? end : end - 1));
            if (inSection) {
                return false;
            }
            inSection = strcasecmp(name.c_str(), section) == 0;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || line.empty() || line[0] == ';' || equals == std::string::npos ||
            strcasecmp(TrimmedBlanks(line.substr(0, equals)).c_str(), key) != 0) {
            continue;
        }
        value = TrimmedBlanks(line.substr(equals + 1));
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
            value = value.substr(1, value.size() - 2);
        }
        value = value.substr(0, kProfileValueCapacity - 1);
        return true;
    }
    return false;
}

bool IsLeadByte(uint8_t byte) {
    return byte >= 0x81 && byte <= 0xFE;
}

std::vector<std::string> FindLayoutFiles(const std::string& directory) {
    std::vector<std::string> names;
    DIR* folder = opendir(directory.c_str());
    if (folder == nullptr) {
        return names;
    }
    while (const dirent* item = readdir(folder)) {
        const std::string name = item->d_name;
        if (name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".kbl") == 0 &&
            FileExists(directory + "/" + name)) {
            names.push_back(name);
        }
    }
    closedir(folder);
    std::sort(names.begin(), names.end());
    return names;
}

bool FileExists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}
