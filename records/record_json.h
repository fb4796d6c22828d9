// A keyboard's record and a unit about to be tested as the line's JSON names them: the one table of their
// fields, read and written by the tester, which sends them, and by the line server, which keeps them. A
// record's fields are named as the record file's columns, plus "id" and "station" and the bool "with_plan";
// its counts are JSON integers, every other field a string as the record file holds it. Texts in the JSON
// are UTF-8. A test plan's five fields and "with_plan" are always written; a station of an older tester
// sends none of them, and its record reads as one tested without a plan.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>

#include "records/keyboard_record.h"

// A text column of the record and the member that holds it; a plan's column may be left out of a body.
struct RecordTextField {
    const char* name;
    std::string KeyboardRecord::*member;
    bool ofPlan;
};

// A count column of the record and the member that holds it; a plan's column may be left out of a body.
struct RecordCountField {
    const char* name;
    int KeyboardRecord::*member;
    bool ofPlan;
};

// Every text column but the verdict, and every count, in the record file's order.
extern const RecordTextField kRecordTextFields[16];
extern const RecordCountField kRecordCountFields[5];

// A keyboard about to be tested, as a station asks the line's gate about it.
struct UnitStart {
    std::string station;
    std::string operatorId;
    std::string productId;
    std::string batchId;
    std::string serial;
    std::string version;
    std::string layoutFile;
};

// A text field of the unit and the member that holds it.
struct UnitTextField {
    const char* name;
    std::string UnitStart::*member;
};

extern const UnitTextField kUnitTextFields[7];

// Why a body was not read: the field at fault ("" for the body as a whole) and what is wrong with it.
struct FieldError {
    std::string field;
    std::string problem;
};

// The longest record id: ids are 1 to kLongestRecordId of A-Z a-z 0-9 '.' '_' '-', unique over the line.
constexpr size_t kLongestRecordId = 64;

// True when `id` is a record id of that form (so that it is also a file name on every system).
bool IsRecordId(const std::string& id);

// The record `row` with its `id` and `station`, as the stations send it. Its texts must be UTF-8 already.
nlohmann::json RecordJson(const std::string& id, const std::string& station, const KeyboardRecord& row);

// Reads `body` as a record: every field present (a plan's may be missing: "" and 0, "with_plan" false) and
// of its JSON type, the verdict PASS or FAIL, each count from 0 to 100,000. False, with `error` naming the
// field, when one is not; what a text holds is the reader's own to check.
bool ReadRecordJson(const nlohmann::json& body, std::string& id, std::string& station, KeyboardRecord& row,
                    FieldError& error);

// The unit as the stations send it to the gate. Its texts must be UTF-8 already.
nlohmann::json UnitStartJson(const UnitStart& unit);

// Reads `body` as a unit: every field present and a string. False, with `error` naming the field, when one
// is not.
bool ReadUnitStartJson(const nlohmann::json& body, UnitStart& unit, FieldError& error);

// `record` with each text converted from the ANSI code page, in which the tester holds it, to UTF-8.
KeyboardRecord RecordInUtf8(const KeyboardRecord& record);

// `json` as UTF-8 text, on one line; a text that is no UTF-8 has its bad bytes replaced rather than failing.
std::string JsonText(const nlohmann::json& json);
