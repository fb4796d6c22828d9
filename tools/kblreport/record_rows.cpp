// The rows of a record file as text: UTF-8 checked byte by byte, GBK recognised, CSV rows read line by line.
#include "tools/kblreport/record_rows.h"

#include <cstring>

#include "tools/kblreport/gbk_text.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kReplacement[] = "\xEF\xBF\xBD";

uint8_t ByteAt(const std::string& text, size_t at) {
    return static_cast<uint8_t>(text[at]);
}

// The length of the UTF-8 character at `at`, or 0 when the bytes there are none: a stray continuation byte,
// a sequence cut short, an overlong form, a surrogate or a code point past U+10FFFF.
size_t Utf8CharacterLength(const std::string& text, size_t at) {
    const uint8_t first = ByteAt(text, at);
    if (first < 0x80) {
        return 1;
    }
    size_t length = 0;
    uint8_t low = 0x80;  // the range of the second byte, narrowed where the first byte asks for it
    uint8_t high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        low = first == 0xE0 ? 0xA0 : low;
        high = first == 0xED ? 0x9F : high;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        low = first == 0xF0 ? 0x90 : low;
        high = first == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        const uint8_t byte = ByteAt(text, at + i);
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF)) {
            return 0;
        }
    }
    return length;
}

// `text` from `start` with each byte that is no UTF-8 replaced by U+FFFD; false when there was such a byte.
bool RepairUtf8(const std::string& text, size_t start, std::string& repaired) {
    repaired.clear();
    repaired.reserve(text.size() - start);
    bool whole = true;
    for (size_t at = start; at < text.size();) {
        const size_t length = Utf8CharacterLength(text, at);
        if (length == 0) {
            repaired += kReplacement;
            whole = false;
            ++at;
        } else {
            repaired.append(text, at, length);
            at += length;
        }
    }
    return whole;
}

}  // namespace

std::string RecordFileText(const std::string& bytes, RecordEncoding& encoding) {
    const bool marked = bytes.compare(0, 3, kByteOrderMark) == 0;
    std::string text;
    if (RepairUtf8(bytes, marked ? 3 : 0, text)) {
        encoding = RecordEncoding::Utf8;
        return text;
    }
    std::string gbk;
    if (!marked && GbkToUtf8Checked(bytes, gbk)) {
        encoding = RecordEncoding::Gbk;
        return gbk;
    }
    encoding = RecordEncoding::Utf8Repaired;
    return text;
}

void ReadCsvRow(const std::string& text, size_t& at, CsvRow& row) {
    row.count = 0;
    row.torn = false;
    const auto startField = [&]() {
        if (row.fields.size() <= row.count) {
            row.fields.emplace_back();
        }
        row.fields[row.count++].clear();
    };
    startField();
    bool quoted = false;
    while (at < text.size()) {
        const char c = text[at++];
        if (c == '\n' || (c == '\r' && at < text.size() && text[at] == '\n')) {
            at += c == '\r' ? 1 : 0;
            break;
        }
        std::string& field = row.fields[row.count - 1];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (at < text.size() && text[at] == '"') {
                field += '"';
                ++at;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            startField();
        } else {
            field += c;
        }
    }
    row.torn = quoted;
}

void UndoDefusing(std::string& field) {
    if (field.size() >= 2 && field[0] == '\'' && field[1] != '\0' &&
        std::strchr("=+-@\t\r'", field[1]) != nullptr) {
        field.erase(0, 1);
    }
}
