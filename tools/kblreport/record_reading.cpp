// Reading the per-keyboard record files: the first row the header, which names the columns, each further line
// a keyboard's record or a bad row kept with its line.
#include "tools/kblreport/record_reading.h"

#include <cstdlib>

#include "base/text_format.h"
#include "tools/common/output_file.h"
#include "tools/kblreport/record_rows.h"

namespace {

// The columns the report reads, found by their names in the file's header row: a record file of any format
// the tester has written holds them, in any order, among others the report does not read. Those from
// kWrongKeys on, a test plan's findings, came later: a file without them is read as of keyboards tested
// without a plan.
enum Column : size_t {
    kTime,
    kOperator,
    kProduct,
    kBatch,
    kLayout,
    kVerdict,
    kReason,
    kReasonCode,
    kTestSeconds,
    kUntestedKeys,
    kChatterKeys,
    kWrongKeys,
    kPhantomKeys,
    kGhostKeys,
    kRolloverRequired,
    kRolloverReached,
    kColumnCount
};

constexpr const char* kColumnNames[kColumnCount] = {
    "time",
    "operator",
    "product",
    "batch",
    "layout",
    "verdict",
    "reason",
    "reason_code",
    "test_seconds",
    "untested_keys",
    "chatter_keys",
    "wrong_keys",
    "phantom_keys",
    "ghost_keys",
    "rollover_required",
    "rollover_reached",
};

// Where a file's header row put each column, and how many fields its rows hold.
struct FileColumns {
    size_t at[kColumnCount] = {};
    bool found[kColumnCount] = {};
    size_t count = 0;
};

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

// A caption as a key list names it: the %25, %3B, %3A and %3E the tester writes for '%', ';', ':' and '>'
// decoded, every other byte as it is (a caption of a record written before, such as "50%", stays as it was).
std::string DecodeKeyLabel(const std::string& item) {
    std::string label;
    for (size_t at = 0; at < item.size(); ++at) {
        const std::string code = item.substr(at, 3);
        const char decoded = code == "%25"   ? '%'
                             : code == "%3B" ? ';'
                             : code == "%3A" ? ':'
                             : code == "%3E" ? '>'
                                             : '\0';
        label += decoded == '\0' ? item[at] : decoded;
        at += decoded == '\0' ? 0 : 2;
    }
    return label;
}

// The items of a ';'-separated key list, not yet decoded. A ';' that would start an item is the caption ";"
// itself, as a record written before the captions were encoded has it: "A;;;S" is A, ; and S. A list written
// since never holds an empty item, so the rule never applies to it.
std::vector<std::string> SplitKeyItems(const std::string& list) {
    std::vector<std::string> items;
    if (list.empty()) {
        return items;
    }
    std::string item;
    for (const char c : list) {
        if (c == ';' && !item.empty()) {
            items.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    items.push_back(item);
    return items;
}

// Reads the "label:ms" items of a chatter list; false when one is not such an item.
bool ReadChatterKeys(const std::string& list, std::vector<ChatterKey>& keys, std::string& badItem) {
    for (const std::string& item : SplitKeyItems(list)) {
        const size_t colon = item.rfind(':');
        const std::string gap = colon == std::string::npos ? std::string() : item.substr(colon + 1);
        if (!IsDigits(gap) || gap.size() > 9) {
            badItem = item;
            return false;
        }
        keys.push_back({DecodeKeyLabel(item.substr(0, colon)), NumberAt(gap, 0, gap.size())});
    }
    return true;
}

// Reads a count of keys, "" as 0; false for anything but at most 9 digits.
bool ReadKeyCount(const std::string& text, int32_t& count) {
    if (!text.empty() && (!IsDigits(text) || text.size() > 9)) {
        return false;
    }
    count = NumberAt(text, 0, text.size());
    return true;
}

// Fills `record` from the fields of a row; the problem of a row that is no keyboard's record, else "".
std::string ReadRecord(const CsvRow& row, const FileColumns& columns, Record& record) {
    if (row.torn) {
        return "torn row: a quoted field is still open at the line's end";
    }
    if (row.count < columns.count) {
        return FormatText("short row: %zu of %zu fields", row.count, columns.count);
    }
    if (row.count > columns.count) {
        return FormatText("long row: %zu fields, not %zu", row.count, columns.count);
    }
    std::string fields[kColumnCount];
    for (size_t column = 0; column < kColumnCount; ++column) {
        if (columns.found[column]) {
            fields[column] = row.fields[columns.at[column]];
            UndoDefusing(fields[column]);
        }
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
    if (!ReadWrongKeys(fields[kWrongKeys], record.wrongKeys, badItem)) {
        return "wrong_keys item \"" + badItem + "\" is not expected>got";
    }
    for (const Column column : {kRolloverRequired, kRolloverReached}) {
        if (!ReadKeyCount(fields[column],
                          column == kRolloverRequired ? record.rolloverRequired : record.rolloverReached)) {
            return std::string("bad ") + kColumnNames[column] + " \"" + fields[column] + "\"";
        }
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
    record.phantomKeys = SplitKeyList(fields[kPhantomKeys]);
    record.ghostKeys = SplitKeyList(fields[kGhostKeys]);
    return std::string();
}

// Finds the columns the report reads in the header row `row`. The problem of a row that is no record
// header, else "".
std::string ReadHeader(const CsvRow& row, FileColumns& columns) {
    std::string missing;
    for (size_t column = 0; column < kColumnCount; ++column) {
        size_t found = 0;
        for (size_t i = 0; i < row.count; ++i) {
            if (row.fields[i] == kColumnNames[column]) {
                columns.at[column] = i;
                ++found;
            }
        }
        if (found > 1) {
            return FormatText("its first row names the column %s %zu times", kColumnNames[column], found);
        }
        columns.found[column] = found == 1;
        if (found == 0 && column < kWrongKeys) {
            missing += std::string(missing.empty() ? "" : ", ") + kColumnNames[column];
        }
    }
    columns.count = row.count;
    return missing.empty() || row.torn ? std::string()
                                       : "its first row, the header, has no column " + missing;
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

bool ReadWrongKeys(const std::string& list, std::vector<WrongKey>& keys, std::string& badItem) {
    for (const std::string& item : SplitKeyItems(list)) {
        const size_t mark = item.find('>');
        if (mark == std::string::npos || mark == 0 || mark + 1 == item.size() ||
            item.find('>', mark + 1) != std::string::npos) {
            badItem = item;
            return false;
        }
        keys.push_back({DecodeKeyLabel(item.substr(0, mark)), DecodeKeyLabel(item.substr(mark + 1))});
    }
    return true;
}

std::vector<std::string> SplitKeyList(const std::string& list) {
    std::vector<std::string> labels = SplitKeyItems(list);
    for (std::string& label : labels) {
        label = DecodeKeyLabel(label);
    }
    return labels;
}

bool ReadRecordText(const std::string& bytes, const std::string& fileName, RecordSet& set) {
    const size_t fileIndex = set.files.size();
    set.files.push_back(fileName);
    RecordEncoding encoding = RecordEncoding::Utf8;
    const std::string text = RecordFileText(bytes, encoding);
    int line = 0;
    FileColumns columns;
    CsvRow row;
    for (size_t at = 0; at < text.size();) {
        ++line;
        ReadCsvRow(text, at, row);
        if (row.count == 1 && row.fields[0].empty()) {
            continue;  // an empty line holds no row
        }
        if (columns.count == 0) {
            const std::string problem = ReadHeader(row, columns);
            if (!problem.empty()) {
                set.refusals.push_back(
                    FormatText("%s:%d: not a record file: %s", fileName.c_str(), line, problem.c_str()));
                set.files.pop_back();
                return false;
            }
            continue;
        }
        Record record;
        record.file = fileIndex;
        const std::string problem = ReadRecord(row, columns, record);
        if (problem.empty()) {
            set.records.push_back(std::move(record));
        } else {
            set.badRows.push_back({fileIndex, line, problem});
        }
    }
    if (encoding == RecordEncoding::Gbk) {
        set.notes.push_back(
            fileName + ": not UTF-8 but GBK, as a spreadsheet saves it in the ANSI code page: read as GBK");
    } else if (encoding == RecordEncoding::Utf8Repaired) {
        set.notes.push_back(
            fileName +
            ": holds bytes that are neither UTF-8 nor GBK: read as UTF-8, each shown as \xEF\xBF\xBD");
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
