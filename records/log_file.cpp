// The test log file: path check, opening, header block and Windows version name.
#include "records/log_file.h"

#include <cstring>
#include <ctime>

#include "base/product.h"
#include "base/program.h"
#include "records/test_log.h"

namespace {

#if defined(_WIN32)
constexpr const char* kOverwriteMode = "wt";
constexpr const char* kAppendMode = "at";
#else
constexpr const char* kOverwriteMode = "w";
constexpr const char* kAppendMode = "a";
#endif

}  // namespace

LogNameCheck ValidateLogName(const char* path) {
    if (path[0] == '\0') {
        return LogNameCheck::Empty;
    }
    // The path is walked by characters: a GBK lead byte takes the next byte with it, so the second byte of a
    // Chinese character is never taken for a backslash or a bar.
    const char* fileName = nullptr;
    bool badCharacter = false;
    for (const char* p = path; *p != '\0'; ++p) {
        const unsigned char byte = static_cast<unsigned char>(*p);
        if (byte >= 0x81 && byte <= 0xFE && p[1] != '\0') {
            ++p;
        } else if (byte == '\\') {
            fileName = p + 1;
            badCharacter = false;
        } else if (std::strchr("/:*?<>|", byte) != nullptr) {
            badCharacter = true;
        }
    }
    if (fileName == nullptr) {
        return LogNameCheck::NoPath;
    }
    if (fileName[0] == '\0' || badCharacter) {
        return LogNameCheck::BadFileName;
    }
    return LogNameCheck::Valid;
}

const char* LogNameMessage(LogNameCheck check) {
    switch (check) {
        case LogNameCheck::Empty:
            return "Log Filename invalid: NULL not allowed";
        case LogNameCheck::NoPath:
            return "Log Filename invalid: No path specified";
        case LogNameCheck::BadFileName:
            return "Log Filename invalid: NULL \\ / : * ? < > | not allowed";
        default:
            return "";
    }
}

bool OpenLog(const char* path, bool append) {
    testLog.stream = std::fopen(path, append ? kAppendMode : kOverwriteMode);
    return testLog.stream != nullptr;
}

void WriteLogHeader(const char* operatorId, const char* productId, const char* batchId, const char* osName) {
    LogLine("======== 开始运行新的检测 ========\n");
    LogLine("Dorvelquinta %s build %s,  %s\n", kProductVersion, kProductBuild, osName);
    // The date line in the layout "Sun Dec 06 05:35:51 2026", day of month with a leading zero.
    const std::time_t now = std::time(nullptr);
    char date[64] = "";
    std::strftime(date, sizeof date, "%a %b %d %H:%M:%S %Y\n", std::localtime(&now));
    LogLine("%s", date);
    LogLine("操作标识: %s\n", operatorId);
    LogLine("产品标识: %s\n", productId);
    LogLine("批量标识: %s\n", batchId);
}

const char* OsNameText(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion) {
    if (platformId == kWindowsFamily) {
        if (minorVersion == 0) {
            return "Windows 95";
        }
        return minorVersion < 90 ? "Windows 98" : "Windows ME";
    }
    if (platformId == kNtFamily) {
        if (majorVersion <= 3) {
            return "NT3";
        }
        if (majorVersion == 4) {
            return "NT4";
        }
        if (majorVersion == 5 && minorVersion == 0) {
            return "Windows 2000";
        }
        return "Windows XP";
    }
    return "未知";
}
