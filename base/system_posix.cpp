// The system services of the native tools: the directory search finds layout files as the Windows program
// finds them (the extension compared without regard to case), in name order; text is taken as GBK, the code
// page of the Windows the tester runs on; the clock is the local time of the system.
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>

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
