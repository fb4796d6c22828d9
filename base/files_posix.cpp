// The directory search and file checks of the native tools: layout files are found as the Windows program
// finds them (the extension compared without regard to case), in name order.
#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>

#include "base/platform.h"

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
