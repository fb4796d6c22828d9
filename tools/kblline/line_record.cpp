// The stations' requests as the server checks them. The fields and their JSON types are the core's
// (records/record_json.h); here each text is checked to be one the tester's record file can hold, the id
// and the layout to be safe names, and the columns kblreport reads for their form to have it.
#include "tools/kblline/line_record.h"

#include <iconv.h>

#include "tools/kblreport/record_reading.h"

namespace {

constexpr size_t kLongestText = 4096;

bool Refuse(FieldError& error, const char* field, const std::string& problem) {
    error = {field, problem};
    return false;
}

// The text `value` of field `name`: at most kLongestText bytes, no control character but tab and line
// breaks, and only characters the tester's code page has.
bool CheckText(const char* name, const std::string& value, FieldError& error) {
    if (value.size() > kLongestText) {
        return Refuse(error, name, "longer than " + std::to_string(kLongestText) + " bytes");
    }
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F) {
            return Refuse(error, name, "holds a control character");
        }
    }
    std::string gbk;
    if (!Utf8ToGbk(value, gbk)) {
        return Refuse(error, name, "holds a character the tester's code page (GBK) has not");
    }
    return true;
}

bool CheckId(const std::string& id, FieldError& error) {
    if (id.empty() || id.size() > kLongestRecordId) {
        return Refuse(error, "id", "must be 1 to " + std::to_string(kLongestRecordId) + " characters");
    }
    if (!IsRecordId(id)) {
        return Refuse(error, "id", "may hold only A-Z, a-z, 0-9, '.', '_' and '-'");
    }
    return true;
}

// A layout is named by its file alone, never by a path: the live page loads it from the layouts folder.
bool CheckLayout(const std::string& layout, FieldError& error) {
    if (layout.empty() || layout == "." || layout == ".." ||
        layout.find_first_of("/\\:") != std::string::npos) {
        return Refuse(error, "layout", "must be a layout's file name, without a folder");
    }
    return true;
}

bool IsDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// The columns the record file's reader checks for their form: the time, the test time, the chatter list and
// the wrong pairs.
bool CheckForms(const KeyboardRecord& row, FieldError& error) {
    int64_t localSeconds = 0;
    if (!ParseRecordTime(row.time, localSeconds)) {
        return Refuse(error, "time", "not a time such as 2026-12-07T18:43:18+08:00");
    }
    const std::string& seconds = row.testSeconds;
    const size_t point = seconds.find('.');
    if (!seconds.empty() && !(IsDigits(seconds.substr(0, point)) &&
                              (point == std::string::npos || IsDigits(seconds.substr(point + 1))))) {
        return Refuse(error, "test_seconds", "neither empty nor a number of seconds such as 12.5");
    }
    for (const std::string& item : SplitKeyList(row.chatterKeys)) {
        const size_t colon = item.rfind(':');
        if (colon == std::string::npos || !IsDigits(item.substr(colon + 1)) || item.size() - colon - 1 > 9) {
            return Refuse(error, "chatter_keys", "item \"" + item + "\" is not label:ms");
        }
    }
    std::vector<WrongKey> wrongKeys;
    std::string badItem;
    if (!ReadWrongKeys(row.wrongKeys, wrongKeys, badItem)) {
        return Refuse(error, "wrong_keys", "item \"" + badItem + "\" is not expected>got");
    }
    return true;
}

// A plan's findings come only with a plan: without one the record's row has no columns for them.
bool CheckPlan(const KeyboardRecord& row, FieldError& error) {
    const bool found = !row.wrongKeys.empty() || !row.phantomKeys.empty() || !row.ghostKeys.empty() ||
                       row.rolloverRequired > 0 || row.rolloverReached > 0;
    return row.withPlan || !found ||
           Refuse(error, "with_plan", "false, yet the record holds a plan's findings");
}

// A converter from UTF-8 to GBK, closed with its thread.
struct GbkConverter {
    iconv_t handle = iconv_open("GBK", "UTF-8");

    GbkConverter() = default;
    GbkConverter(const GbkConverter&) = delete;
    GbkConverter& operator=(const GbkConverter&) = delete;
    ~GbkConverter() {
        if (handle != reinterpret_cast<iconv_t>(-1)) {
            iconv_close(handle);
        }
    }
};

}  // namespace

bool Utf8ToGbk(const std::string& utf8, std::string& gbk) {
    // One converter per thread: a converter keeps state between calls and serves one thread at a time.
    thread_local const GbkConverter gbkConverter;
    const iconv_t converter = gbkConverter.handle;
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    std::string input = utf8;
    gbk.assign(utf8.size() + 4, '\0');
    char* in = &input[0];
    char* out = &gbk[0];
    size_t inLeft = input.size();
    size_t outLeft = gbk.size();
    const bool converted = iconv(converter, &in, &inLeft, &out, &outLeft) != static_cast<size_t>(-1);
    gbk.resize(gbk.size() - outLeft);
    return converted && inLeft == 0;
}

bool ReadLineRecord(const nlohmann::json& body, LineRecord& record, FieldError& error) {
    if (!ReadRecordJson(body, record.id, record.station, record.row, error) || !CheckId(record.id, error) ||
        !CheckText("station", record.station, error)) {
        return false;
    }
    if (record.station.empty()) {
        return Refuse(error, "station", "empty");
    }
    for (const RecordTextField& field : kRecordTextFields) {
        if (!CheckText(field.name, record.row.*field.member, error)) {
            return false;
        }
    }
    return CheckLayout(record.row.layoutFile, error) && CheckForms(record.row, error) &&
           CheckPlan(record.row, error);
}

bool ReadUnitStart(const nlohmann::json& body, UnitStart& unit, FieldError& error) {
    if (!ReadUnitStartJson(body, unit, error)) {
        return false;
    }
    for (const UnitTextField& field : kUnitTextFields) {
        if (!CheckText(field.name, unit.*field.member, error)) {
            return false;
        }
    }
    return !unit.serial.empty() || Refuse(error, "serial", "empty");
}

nlohmann::json LineRecordJson(const LineRecord& record) {
    return RecordJson(record.id, record.station, record.row);
}

std::string LineRecordRow(const LineRecord& record, size_t columnCount) {
    // The tester's row writer takes its texts in its code page; each was checked to have one on arrival.
    KeyboardRecord row = record.row;
    for (const RecordTextField& field : kRecordTextFields) {
        Utf8ToGbk(record.row.*field.member, row.*field.member);
    }
    return RecordRow(row, columnCount);
}
