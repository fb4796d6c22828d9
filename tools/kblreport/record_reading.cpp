// Reading the per-keyboard record files: RFC 4180 rows after an optional UTF-8 byte-order mark, the first row
// the tester's header, each further row a keyboard's record or a bad row kept with its line.
#include "tools/kblreport/record_reading.h"

#include <cstdlib>

#include "base/text_format.h"
#include "records/keyboard_record.h"
#include "tools/common/output_file.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// The columns in the order of the tester's header row.
enum Column : size_t {
    kTime,
    kComputer,
    kOperator,
    kProduct,
    kBatch,
    kSerial,
    kVersion,
    kLayout,
    kVerdict,
    kReason,
    kReasonCode,
    kTestSeconds,
    kRequiredKeys,
    kTestedKeys,
    kUntestedKeys,
    kChatterKeys,
    kMaxKeysHeld,
    kColumnCount
};

// Reads the row that starts at `at` into the first fields of `fields` and moves `at` past its line end. A
// quoted field may hold commas, doubled quotes and line breaks. Returns the number of fields; `lineFeeds`
// counts the line feeds passed, the row's own line end included.
size_t ReadRow(const std::string& text, size_t& at, std::vector<std::string>& fields, int& lineFeeds) {
    size_t count = 0;
    const auto startField = [&]() {
        if (fields.size() <= count) {
            fields.emplace_back();
        }
        fields[count++].clear();
    };
    startField();
    bool quoted = false;
    while (at < text.size()) {
        const char c = text[at++];
        if (quoted) {
            if (c != '"') {
                lineFeeds += c == '\n' ? 1 : 0;
                fields[count - 1] += c;
            } else if (at < text.size() && text[at] == '"') {
                fields[count - 1] += '"';
                ++at;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            startField();
        } else if (c == '\n') {
            ++lineFeeds;
            break;
        } else if (c != '\r' || at >= text.size() || text[at] != '\n') {
            fields[count - 1] += c;
        }
    }
    return count;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int32_t NumberAt(const std::string& text, size_t at, size_t length) {
    int32_t value = 0;
    for (size_t i = at; i < at + length; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

bool IsLeapYear(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int32_t year, int32_t month) {
    constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
int64_t DaysSinceEpoch(int32_t year, int32_t month, int32_t day) {
    const int64_t marchYear = year - (month <= 2 ? 1 : 0);
    const int64_t era = (marchYear >= 0 ? marchYear : marchYear - 399) / 400;
    const int64_t yearOfEra = marchYear - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool IsDigits(const std::string& text) {
    for (const char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return !text.empty();
}

// True for digits with at most one point among them: "12", "12.5".
bool IsDecimal(const std::string& text) {
    size_t digits = 0;
    size_t points = 0;
    for (const char c : text) {
        if (IsDigit(c)) {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return false;
        }
    }
    return digits > 0 && points <= 1;
}

// Reads the "label:ms" items of a chatter list; false when one is not such an item.
bool ReadChatterKeys(const std::string& list, std::vector<ChatterKey>& keys, std::string& badItem) {
    for (const std::string& item : SplitKeyList(list)) {
        const size_t colon = item.rfind(':');
        const std::string gap = colon == std::string::npos ? std::string() : item.substr(colon + 1);
        if (!IsDigits(gap) || gap.size() > 9) {
            badItem = item;
            return false;
        }
        keys.push_back({item.substr(0, colon), NumberAt(gap, 0, gap.size())});
    }
    return true;
}

// Fills `record` from the fields of a row; the problem of a row that is no keyboard's record, else "".
std::string ReadRecord(const std::vector<std::string>& fields, size_t fieldCount, Record& record) {
    if (fieldCount < kColumnCount) {
        return FormatText("short row: %zu of %zu fields", fieldCount, static_cast<size_t>(kColumnCount));
    }
    if (fieldCount > kColumnCount) {
        return FormatText("long row: %zu fields, not %zu", fieldCount, static_cast<size_t>(kColumnCount));
    }
    if (!ParseRecordTime(fields[kTime], record.localSeconds)) {
        return "bad time \"" + fields[kTime] + "\"";
    }
    if (fields[kVerdict] != "PASS" && fields[kVerdict] != "FAIL") {
        return "verdict \"" + fields[kVerdict] + "\" is neither PASS nor FAIL";
    }
    const std::string& seconds = fields[kTestSeconds];
    if (!seconds.empty() && !IsDecimal(seconds)) {
        return "bad test_seconds \"" + seconds + "\"";
    }
    std::string badItem;
    if (!ReadChatterKeys(fields[kChatterKeys], record.chatterKeys, badItem)) {
        return "chatter_keys item \"" + badItem + "\" is not label:ms";
    }
    record.timeText = fields[kTime];
    record.operatorId = fields[kOperator];
    record.productId = fields[kProduct];
    record.batchId = fields[kBatch];
    record.layoutFile = fields[kLayout];
    record.passed = fields[kVerdict] == "PASS";
    record.reason = fields[kReason];
    record.reasonCode = fields[kReasonCode];
    record.timed = !seconds.empty();
    record.testSeconds = record.timed ? std::strtod(seconds.c_str(), nullptr) : 0;
    record.untestedKeys = SplitKeyList(fields[kUntestedKeys]);
    return std::string();
}

// The tester's header row without its line end.
std::string HeaderColumns() {
    const std::string header = RecordHeaderRow();
    return header.substr(0, header.size() - 2);
}

bool IsHeaderRow(const std::vector<std::string>& fields, size_t fieldCount) {
    std::string row;
    for (size_t i = 0; i < fieldCount; ++i) {
        row += (i == 0 ? "" : ",") + fields[i];
    }
    return row == HeaderColumns();
}

}  // namespace

bool ParseRecordTime(const std::string& text, int64_t& localSeconds) {
    static const std::string kPattern = "dddd-dd-ddTdd:dd:dd+dd:dd";
    if (text.size() != kPattern.size()) {
        return false;
    }
    for (size_t i = 0; i < kPattern.size(); ++i) {
        const bool fits = kPattern[i] == 'd'   ? IsDigit(text[i])
                          : kPattern[i] == '+' ? text[i] == '+' || text[i] == '-'
                                               : text[i] == kPattern[i];
        if (!fits) {
            return false;
        }
    }
    const int32_t year = NumberAt(text, 0, 4);
    const int32_t month = NumberAt(text, 5, 2);
    const int32_t day = NumberAt(text, 8, 2);
    const int32_t hour = NumberAt(text, 11, 2);
    const int32_t minute = NumberAt(text, 14, 2);
    const int32_t second = NumberAt(text, 17, 2);
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 ||
        second > 59 || NumberAt(text, 20, 2) > 14 || NumberAt(text, 23, 2) > 59) {
        return false;
    }
    localSeconds = DaysSinceEpoch(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    return true;
}

std::vector<std::string> SplitKeyList(const std::string& list) {
    std::vector<std::string> labels;
    if (list.empty()) {
        return labels;
    }
    std::string label;
    for (const char c : list) {
        if (c == ';' && !label.empty()) {
            labels.push_back(label);
            label.clear();
        } else {
            label += c;
        }
    }
    labels.push_back(label);
    return labels;
}

bool ReadRecordText(const std::string& text, const std::string& fileName, RecordSet& set) {
    const size_t fileIndex = set.files.size();
    set.files.push_back(fileName);
    size_t at = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
    int line = 1;
    bool headerSeen = false;
    std::vector<std::string> fields;
    while (at < text.size()) {
        const int rowLine = line;
        int lineFeeds = 0;
        const size_t fieldCount = ReadRow(text, at, fields, lineFeeds);
        line += lineFeeds;
        if (fieldCount == 1 && fields[0].empty()) {
            continue;  // an empty line holds no row
        }
        if (!headerSeen) {
            if (!IsHeaderRow(fields, fieldCount)) {
                set.refusals.push_back(
                    FormatText("%s:%d: not a record file: its first row is not the header %s",
                               fileName.c_str(), rowLine, HeaderColumns().c_str()));
                set.files.pop_back();
                return false;
            }
            headerSeen = true;
            continue;
        }
        Record record;
        record.file = fileIndex;
        const std::string problem = ReadRecord(fields, fieldCount, record);
        if (problem.empty()) {
            set.records.push_back(std::move(record));
        } else {
            set.badRows.push_back({fileIndex, rowLine, problem});
        }
    }
    return true;
}

bool ReadRecordFile(const std::string& path, RecordSet& set) {
    std::string text;
    if (!ReadWholeFile(path, text)) {
        set.refusals.push_back(path + ": cannot be read");
        return false;
    }
    return ReadRecordText(text, path, set);
}
