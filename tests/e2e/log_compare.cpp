// Comparing log bytes line by line.
#include "tests/e2e/log_compare.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "tests/e2e/shown_text.h"

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr long long kTicksPerMinute = 600000000LL;  // FILETIME counts 100 ns
constexpr long long kDateTolerance = 10 * kTicksPerMinute;

const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// The index of `name` among `names`, -1 when it is none of them.
int IndexOf(const std::string& name, const char* const* names, int count) {
    for (int i = 0; i < count; ++i) {
        if (name == names[i]) {
            return i;
        }
    }
    return -1;
}

// The number of `digits` digits at `at`, or -1 when they are not all digits.
int ReadNumber(const std::string& text, size_t at, size_t digits) {
    int value = 0;
    for (size_t i = at; i < at + digits; ++i) {
        if (i >= text.size() || text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

long long ToTicks(const SYSTEMTIME& time) {
    FILETIME file = {};
    if (!SystemTimeToFileTime(&time, &file)) {
        return -1;
    }
    return static_cast<long long>(file.dwHighDateTime) << 32 | file.dwLowDateTime;
}

std::vector<std::string> SplitLines(const std::string& bytes, std::string& rest) {
    std::vector<std::string> lines;
    size_t at = 0;
    for (size_t end = bytes.find(kLineEnd); end != std::string::npos; end = bytes.find(kLineEnd, at)) {
        lines.push_back(bytes.substr(at, end - at));
        at = end + std::strlen(kLineEnd);
    }
    rest = bytes.substr(at);
    return lines;
}

// `seen` as `expected` with each "{any}" standing for a text without a comma.
bool FieldsMatch(const std::string& expected, const std::string& seen) {
    const size_t any = expected.find(kAnyField);
    if (any == std::string::npos) {
        return expected == seen;
    }
    if (seen.compare(0, any, expected, 0, any) != 0) {
        return false;
    }
    const size_t fieldEnd = std::min(seen.find(',', any), seen.size());
    const std::string rest = expected.substr(any + std::strlen(kAnyField));
    for (size_t end = any; end <= fieldEnd; ++end) {
        if (FieldsMatch(rest, seen.substr(end))) {
            return true;
        }
    }
    return false;
}

bool LineMatches(const std::string& expected, const std::string& seen) {
    return expected == kDateLine ? IsCurrentDateLine(seen) : FieldsMatch(expected, seen);
}

}  // namespace

bool IsCurrentDateLine(const std::string& line) {
    // "Www Mmm dd hh:mm:ss yyyy"
    if (line.size() != 24 || line[3] != ' ' || line[7] != ' ' || line[10] != ' ' || line[13] != ':' ||
        line[16] != ':' || line[19] != ' ' || IndexOf(line.substr(0, 3), kDays, 7) < 0) {
        return false;
    }
    SYSTEMTIME stamp = {};
    const int month = IndexOf(line.substr(4, 3), kMonths, 12);
    const int day = ReadNumber(line, 8, 2);
    const int hour = ReadNumber(line, 11, 2);
    const int minute = ReadNumber(line, 14, 2);
    const int second = ReadNumber(line, 17, 2);
    const int year = ReadNumber(line, 20, 4);
    if (month < 0 || day < 1 || hour < 0 || minute < 0 || second < 0 || year < 0) {
        return false;
    }
    stamp.wYear = static_cast<WORD>(year);
    stamp.wMonth = static_cast<WORD>(month + 1);
    stamp.wDay = static_cast<WORD>(day);
    stamp.wHour = static_cast<WORD>(hour);
    stamp.wMinute = static_cast<WORD>(minute);
    stamp.wSecond = static_cast<WORD>(second);
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const long long stampTicks = ToTicks(stamp);
    return stampTicks >= 0 && std::llabs(stampTicks - ToTicks(now)) <= kDateTolerance;
}

std::string CompareLog(const std::string& bytes, const std::vector<std::string>& expected) {
    std::string rest;
    const std::vector<std::string> lines = SplitLines(bytes, rest);
    for (size_t i = 0; i < expected.size(); ++i) {
        const std::string where =
            "line " + std::to_string(i + 1) + ": expected " +
            (expected[i] == kDateLine ? std::string("the date and time of now") : QuoteText(expected[i]));
        if (i >= lines.size()) {
            return where + "; the file ends" + (rest.empty() ? "" : " with the unended " + QuoteText(rest));
        }
        if (!LineMatches(expected[i], lines[i])) {
            return where + "; saw " + QuoteText(lines[i]);
        }
    }
    if (lines.size() > expected.size()) {
        return "expected the file to end after line " + std::to_string(expected.size()) + "; line " +
               std::to_string(expected.size() + 1) + " is " + QuoteText(lines[expected.size()]);
    }
    return rest.empty() ? ""
                        : "expected the file to end after its last line; it goes on with " + QuoteText(rest);
}

int CountLogLines(const std::string& bytes, const std::string& line) {
    std::string rest;
    int count = 0;
    for (const std::string& seen : SplitLines(bytes, rest)) {
        count += seen == line ? 1 : 0;
    }
    return count;
}

int CountLogPrefixes(const std::string& bytes, const std::string& beginning) {
    std::string rest;
    int count = 0;
    for (const std::string& seen : SplitLines(bytes, rest)) {
        count += seen.compare(0, beginning.size(), beginning) == 0 ? 1 : 0;
    }
    return count;
}
