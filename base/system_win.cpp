// The system services of the Windows program and tools: directory search, file checks, code page and clock.
#include <windows.h>

#include <cstring>

#include "base/platform.h"

bool ReadLocalTime(LocalTime& now) {
    SYSTEMTIME time;
    GetLocalTime(&time);
    TIME_ZONE_INFORMATION zone;
    const DWORD zoneState = GetTimeZoneInformation(&zone);
    LONG bias = zone.Bias;
    if (zoneState == TIME_ZONE_ID_DAYLIGHT) {
        bias += zone.DaylightBias;
    } else if (zoneState == TIME_ZONE_ID_STANDARD) {
        bias += zone.StandardBias;
    }
    now = {time.wYear, time.wMonth,  time.wDay,    time.wDayOfWeek,
           time.wHour, time.wMinute, time.wSecond, zoneState == TIME_ZONE_ID_INVALID ? 0 : -bias};
    return true;
}

std::string AnsiToUtf8(const std::string& text) {
    if (text.empty()) {
        return text;
    }
    const int wideLength =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, nullptr, nullptr);
    return utf8;
}

std::string ReadComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = "";
    DWORD length = sizeof name;
    return GetComputerNameA(name, &length) ? std::string(name, length) : std::string();
}

// The Windows convention for a program's own settings: a private profile beside it.
bool ReadProfileText(const std::string& path, const char* section, const char* key, std::string& value) {
    constexpr char kMissing[] = "\x01";
    char text[kProfileValueCapacity];
    GetPrivateProfileStringA(section, key, kMissing, text, sizeof text, path.c_str());
    if (std::strcmp(text, kMissing) == 0) {
        return false;
    }
    value = text;
    return true;
}

bool ReadSettingText(const std::string& path, const char* key, std::string& value) {
    return ReadProfileText(path, "Dorvelquinta", key, value);
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
