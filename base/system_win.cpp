// The system services of the Windows program and tools: directory search, file checks, code page and clock.
#include <windows.h>

#include <cstring>

#include "base/platform.h"

bool ReadLocalTime(LocalTime& now) {
    SYSTEMTIME time;
    GetLocalTime(&time);
    now = {time.wYear, time.wMonth, time.wDay, time.wDayOfWeek, time.wHour, time.wMinute, time.wSecond};
    return true;
}

// The Windows convention for a program's own settings: a private profile beside it.
bool ReadSettingText(const std::string& path, const char* key, std::string& value) {
    constexpr char kMissing[] = "\x01";
    char text[1024];
    GetPrivateProfileStringA("Dorvelquinta", key, kMissing, text, sizeof text, path.c_str());
    if (std::strcmp(text, kMissing) == 0) {
        return false;
    }
    value = text;
    return true;
}

bool IsLeadByte(uint8_t byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

std::vector<std::string> FindLayoutFiles(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*.kbl").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            names.push_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
