// The per-keyboard record file: CSV in UTF-8, quoted as RFC 4180 asks, appended and committed row by row.
#include "records/keyboard_record.h"

#include <cstdio>
#include <cstring>

#include "base/disk_file.h"
#include "base/paths.h"
#include "base/platform.h"
#include "base/program.h"

namespace {

// Plain texts, so that the header can be asked for while other files' globals are made.
constexpr const char* kColumns[] = {
    "time",          "computer",    "operator",          "product",          "batch",         "serial",
    "version",       "layout",      "verdict",           "reason",           "reason_code",   "test_seconds",
    "required_keys", "tested_keys", "untested_keys",     "chatter_keys",     "max_keys_held", "wrong_keys",
    "phantom_keys",  "ghost_keys",  "rollover_required", "rollover_reached",
};
static_assert(sizeof kColumns / sizeof kColumns[0] == kRecordColumnCount, "every column has its name");
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// The first characters with which a spreadsheet takes a cell for a formula (and the apostrophe that keeps
// a cell a text, so that a field typed with one reads back as typed).
constexpr char kFormulaStarts[] = "=+-@\t\r'";

// One field: a text of the ANSI code page in UTF-8, quoted when it holds a comma, a quote or a line break.
// A text that a spreadsheet would run as a formula (an operator's "=HYPERLINK(...)") gets a leading
// apostrophe, which keeps it a text there; kblreport reads it back without it.
std::string Field(const std::string& text) {
    std::string utf8 = AnsiToUtf8(text);
    if (!utf8.empty() && std::strchr(kFormulaStarts, utf8[0]) != nullptr) {
        utf8.insert(0, 1, '\'');
    }
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
        return utf8;
    }
    std::string quoted = "\"";
    for (const char c : utf8) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

// A row of the first `columnCount` of `fields`, separated by commas and ended by CR LF.
template <typename Text, size_t count>
std::string CsvRow(const Text (&fields)[count], size_t columnCount) {
    std::string row;
    for (size_t i = 0; i < count && i < columnCount; ++i) {
        row += (i == 0 ? "" : ",") + Field(fields[i]);
    }
    return row + "\r\n";
}

}  // namespace

std::string RecordHeaderRow(size_t columnCount) {
    return CsvRow(kColumns, columnCount);
}

std::string RecordRow(const KeyboardRecord& record, size_t columnCount) {
    const std::string fields[] = {
        record.time,
        record.computer,
        record.operatorId,
        record.productId,
        record.batchId,
        record.serial,
        record.version,
        record.layoutFile,
        record.passed ? "PASS" : "FAIL",
        record.reason,
        record.reasonCode,
        record.testSeconds,
        std::to_string(record.requiredKeys),
        std::to_string(record.testedKeys),
        record.untestedKeys,
        record.chatterKeys,
        std::to_string(record.mostKeysHeld),
        record.wrongKeys,
        record.phantomKeys,
        record.ghostKeys,
        std::to_string(record.rolloverRequired),
        std::to_string(record.rolloverReached),
    };
    return CsvRow(fields, columnCount);
}

namespace {

// True when the file of `file`, `length` bytes long, ends with a line end (an empty file counts as one).
bool EndsWithLineEnd(FILE* file, long length) {
    if (length == 0) {
        return true;
    }
    return std::fseek(file, length - 1, SEEK_SET) == 0 && std::fgetc(file) == '\n';
}

// The columns of the rows the file of `file` takes: the first files' width when its header row is theirs.
size_t ColumnsOfFile(FILE* file) {
    const std::string classic = kByteOrderMark + RecordHeaderRow(kClassicRecordColumnCount);
    std::string start(classic.size(), '\0');
    const bool read =
        std::fseek(file, 0, SEEK_SET) == 0 && std::fread(&start[0], 1, start.size(), file) == start.size();
    return read && start == classic ? kClassicRecordColumnCount : kRecordColumnCount;
}

}  // namespace

bool AppendKeyboardRecord(const std::string& path, const KeyboardRecord& record) {
    FILE* file = std::fopen(path.c_str(), "ab+");
    if (file == nullptr) {
        return false;
    }
    // Unbuffered: what a failed write leaves is cut away below, and nothing is written again at the close.
    std::setvbuf(file, nullptr, _IONBF, 0);
    const long length = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    if (length < 0) {
        std::fclose(file);
        return false;
    }
    const size_t newColumns = record.withPlan ? kRecordColumnCount : kClassicRecordColumnCount;
    const size_t columns = length == 0 ? newColumns : ColumnsOfFile(file);
    std::string text = RecordRow(record, columns);
    if (length == 0) {
        text = kByteOrderMark + RecordHeaderRow(columns) + text;
    } else if (!EndsWithLineEnd(file, length)) {
        // A row torn by a power cut keeps its own line: this one starts on the next.
        text = "\r\n" + text;
    }
    // The row is written whole, then committed: a power cut after the verdict loses nothing. A row that
    // fails on the way is cut away again, so that the file never keeps half a row, and a retry adds it once.
    bool written =
        std::fseek(file, 0, SEEK_END) == 0 && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = CommitToDisk(file) && written;
    if (!written) {
        CutFileTo(file, length);
    }
    return std::fclose(file) == 0 && written;
}

std::string RecordFilePath(const std::string& logPath) {
    if (!program.recordOn) {
        return std::string();
    }
    if (!program.recordPath.empty()) {
        return program.recordPath;
    }
    if (program.pluginMode || logPath.empty()) {
        return std::string();
    }
    return WithExtension(logPath, ".csv");
}

bool RecordFileWritable(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "ab");
    return file != nullptr && std::fclose(file) == 0;
}
