// The line's JSON of a record and of a unit about to be tested, read and written from one table of fields.
#include "records/record_json.h"

#include <nlohmann/json.hpp>

#include "base/platform.h"

namespace {

constexpr int64_t kMostKeys = 100000;

bool Refuse(FieldError& error, const char* field, const std::string& problem) {
    error = {field, problem};
    return false;
}

// Reads the string `name` of `body` into `value`; a missing field is "" when it may be left out.
bool ReadString(const nlohmann::json& body, const char* name, std::string& value, FieldError& error,
                bool optional = false) {
    const auto found = body.find(name);
    if (found == body.end()) {
        value.clear();
        return optional || Refuse(error, name, "missing");
    }
    if (!found->is_string()) {
        return Refuse(error, name, "not a string");
    }
    value = found->get<std::string>();
    return true;
}

// Reads the count `name` of `body` into `value`; a missing field is 0 when it may be left out.
bool ReadCount(const nlohmann::json& body, const char* name, int& value, FieldError& error, bool optional) {
    const auto found = body.find(name);
    if (found == body.end()) {
        value = 0;
        return optional || Refuse(error, name, "missing");
    }
    if (!found->is_number_integer() || found->get<int64_t>() < 0 || found->get<int64_t>() > kMostKeys) {
        return Refuse(error, name, "not a whole number from 0 to " + std::to_string(kMostKeys));
    }
    value = found->get<int>();
    return true;
}

bool IsIdCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '_' || c == '-';
}

}  // namespace

const RecordTextField kRecordTextFields[16] = {
    {"time", &KeyboardRecord::time, false},
    {"computer", &KeyboardRecord::computer, false},
    {"operator", &KeyboardRecord::operatorId, false},
    {"product", &KeyboardRecord::productId, false},
    {"batch", &KeyboardRecord::batchId, false},
    {"serial", &KeyboardRecord::serial, false},
    {"version", &KeyboardRecord::version, false},
    {"layout", &KeyboardRecord::layoutFile, false},
    {"reason", &KeyboardRecord::reason, false},
    {"reason_code", &KeyboardRecord::reasonCode, false},
    {"test_seconds", &KeyboardRecord::testSeconds, false},
    {"untested_keys", &KeyboardRecord::untestedKeys, false},
    {"chatter_keys", &KeyboardRecord::chatterKeys, false},
    {"wrong_keys", &KeyboardRecord::wrongKeys, true},
    {"phantom_keys", &KeyboardRecord::phantomKeys, true},
    {"ghost_keys", &KeyboardRecord::ghostKeys, true},
};

const RecordCountField kRecordCountFields[5] = {
    {"required_keys", &KeyboardRecord::requiredKeys, false},
    {"tested_keys", &KeyboardRecord::testedKeys, false},
    {"max_keys_held", &KeyboardRecord::mostKeysHeld, false},
    {"rollover_required", &KeyboardRecord::rolloverRequired, true},
    {"rollover_reached", &KeyboardRecord::rolloverReached, true},
};

const UnitTextField kUnitTextFields[7] = {
    {"station", &UnitStart::station},   {"operator", &UnitStart::operatorId},
    {"product", &UnitStart::productId}, {"batch", &UnitStart::batchId},
    {"serial", &UnitStart::serial},     {"version", &UnitStart::version},
    {"layout", &UnitStart::layoutFile},
};

bool IsRecordId(const std::string& id) {
    if (id.empty() || id.size() > kLongestRecordId) {
        return false;
    }
    for (const char c : id) {
        if (!IsIdCharacter(c)) {
            return false;
        }
    }
    return true;
}

nlohmann::json RecordJson(const std::string& id, const std::string& station, const KeyboardRecord& row) {
    nlohmann::json body = {{"id", id}, {"station", station}, {"verdict", row.passed ? "PASS" : "FAIL"}};
    for (const RecordTextField& field : kRecordTextFields) {
        body[field.name] = row.*field.member;
    }
    for (const RecordCountField& field : kRecordCountFields) {
        body[field.name] = row.*field.member;
    }
    body["with_plan"] = row.withPlan;
    return body;
}

bool ReadRecordJson(const nlohmann::json& body, std::string& id, std::string& station, KeyboardRecord& row,
                    FieldError& error) {
    if (!body.is_object()) {
        return Refuse(error, "", "the body is not a JSON object");
    }
    if (!ReadString(body, "id", id, error) || !ReadString(body, "station", station, error)) {
        return false;
    }
    for (const RecordTextField& field : kRecordTextFields) {
        if (!ReadString(body, field.name, row.*field.member, error, field.ofPlan)) {
            return false;
        }
    }
    std::string verdict;
    if (!ReadString(body, "verdict", verdict, error)) {
        return false;
    }
    if (verdict != "PASS" && verdict != "FAIL") {
        return Refuse(error, "verdict", "neither PASS nor FAIL");
    }
    row.passed = verdict == "PASS";
    for (const RecordCountField& field : kRecordCountFields) {
        if (!ReadCount(body, field.name, row.*field.member, error, field.ofPlan)) {
            return false;
        }
    }
    const auto withPlan = body.find("with_plan");
    if (withPlan != body.end() && !withPlan->is_boolean()) {
        return Refuse(error, "with_plan", "neither true nor false");
    }
    row.withPlan = withPlan != body.end() && withPlan->get<bool>();
    return true;
}

nlohmann::json UnitStartJson(const UnitStart& unit) {
    nlohmann::json body = nlohmann::json::object();
    for (const UnitTextField& field : kUnitTextFields) {
        body[field.name] = unit.*field.member;
    }
    return body;
}

bool ReadUnitStartJson(const nlohmann::json& body, UnitStart& unit, FieldError& error) {
    if (!body.is_object()) {
        return Refuse(error, "", "the body is not a JSON object");
    }
    for (const UnitTextField& field : kUnitTextFields) {
        if (!ReadString(body, field.name, unit.*field.member, error)) {
            return false;
        }
    }
    return true;
}

KeyboardRecord RecordInUtf8(const KeyboardRecord& record) {
    KeyboardRecord utf8 = record;
    for (const RecordTextField& field : kRecordTextFields) {
        utf8.*field.member = AnsiToUtf8(record.*field.member);
    }
    return utf8;
}

std::string JsonText(const nlohmann::json& json) {
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}
