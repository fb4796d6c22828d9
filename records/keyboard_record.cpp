// The per-keyboard record file: CSV in UTF-8, quoted as RFC 4180 asks, appended and committed row by row.
#include "records/keyboard_record.h"

#include <cstdio>

#include "base/disk_file.h"
#include "base/platform.h"

namespace {

// Plain texts, so that the header can be asked for while other files' globals are made.
constexpr const char* kColumns[] = {
    "time",          "computer",    "operator",      "product",      "batch",         "serial",
    "version",       "layout",      "verdict",       "reason",       "reason_code",   "test_seconds",
    "required_keys", "tested_keys", "untested_keys", "chatter_keys", "max_keys_held",
};
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// One field: a text of the ANSI code page in UTF-8, quoted when it holds a comma, a quote or a line break.
std::string Field(const std::string& text) {
    const std::string utf8 = AnsiToUtf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
        return utf8;
    }
    std::string quoted = "\"";
    for (const char c : utf8) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

// A row of `fields`, separated by commas and ended by CR LF.
template <typename Text, size_t count>
std::string CsvRow(const Text (&fields)[count]) {
    std::string row;
    for (const Text& field : fields) {
        row += (row.empty() ? "" : ",") + Field(field);
    }
    return row + "\r\n";
}

}  // namespace

std::string RecordHeaderRow() {
    return CsvRow(kColumns);
}

std::string RecordRow(const KeyboardRecord& record) {
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
    };
    return CsvRow(fields);
}

bool AppendKeyboardRecord(const std::string& path, const KeyboardRecord& record) {
    FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        return false;
    }
    std::string text = RecordRow(record);
    if (std::fseek(file, 0, SEEK_END) == 0 && std::ftell(file) == 0) {
        text = kByteOrderMark + RecordHeaderRow() + text;
    }
    // The row is written whole, then committed: a power cut after the verdict loses nothing.
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    written = CommitToDisk(file) && written;
    return std::fclose(file) == 0 && written;
}

bool RecordFileWritable(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "ab");
    return file != nullptr && std::fclose(file) == 0;
}
