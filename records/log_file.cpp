// The test log file: path check, opening, header block and Windows version name.
#include "records/log_file.h"

#include <cstring>
#include <string>

#include "base/paths.h"
#include "base/product.h"
#include "base/program.h"
#include "base/text_format.h"
#include "records/test_log.h"

namespace {

#if defined(_WIN32)
constexpr const char* kOverwriteMode = "wt";
constexpr const char* kAppendMode = "at";
#else
constexpr const char* kOverwriteMode = "w";
constexpr const char* kAppendMode = "a";
#endif

// The date line in the layout "Sun Dec 06 05:35:51 2026", day of month with a leading zero, from the system's
// clock, which runs on past 2038; a clock that cannot be read gives a line that says so.
std::string LogDateLine() {
    static const char* const kWeekDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    LocalTime now;
    if (!ReadLocalTime(now) || now.weekDay < 0 || now.weekDay > 6 || now.month < 1 || now.month > 12) {
        return "(date unknown)\n";
    }
    return FormatText("%s %s %02d %02d:%02d:%02d %d\n", kWeekDays[now.weekDay], kMonths[now.month - 1],
                      now.day, now.hour, now.minute, now.second, now.year);
}

}  // namespace

LogNameCheck ValidateLogName(const char* path) {
    if (path[0] == '\0') {
        return LogNameCheck::Empty;
    }
    // The path is walked by characters: a lead byte takes the next byte with it, so the second byte of a
    // Chinese character is never taken for a backslash or a bar.
    const char* fileName = nullptr;
    bool badCharacter = false;
    for (const char* p = path; *p != '\0'; p += CharacterLength(p)) {
        if (CharacterLength(p) == 2) {
            continue;
        }
        if (*p == '\\') {
            fileName = p + 1;
            badCharacter = false;
        } else if (std::strchr("/:*?<>|", *p) != nullptr) {
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
    testLog.writeFailed = false;
    testLog.path = path;
    return testLog.stream != nullptr;
}

void WriteLogHeader(const char* operatorId, const char* productId, const char* batchId, const char* osName) {
    LogLine("======== 开始运行新的检测 ========\n");
    LogLine("Dorvelquinta %s build %s,  %s\n", kProductVersion, kProductBuild, osName);
    LogLine("%s", LogDateLine().c_str());
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
