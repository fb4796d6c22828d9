// The requests of the line's stations, read from their JSON (records/record_json.h names the fields) and
// checked field by field: a unit about to be tested, and a keyboard's record with the id its station gave
// it. Texts are UTF-8, and each must be one the tester's own record file can hold, so that the server gives
// back the very rows the station wrote.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "records/record_json.h"

// A record as the line keeps it: the tester's record, its texts in UTF-8, with its id and station.
struct LineRecord {
    std::string id;       // unique over the line, made by the station: 1 to 64 of A-Z a-z 0-9 . _ -
    std::string station;  // the station that tested the keyboard, as its token names it
    KeyboardRecord row;
};

// Reads `body` as a record. False, with `error` naming the field, for a field missing, of the wrong type or
// with a value the record cannot hold.
bool ReadLineRecord(const nlohmann::json& body, LineRecord& record, FieldError& error);

// Reads `body` as a unit about to be tested; the serial must not be empty.
bool ReadUnitStart(const nlohmann::json& body, UnitStart& unit, FieldError& error);

// The record as the stations send it.
nlohmann::json LineRecordJson(const LineRecord& record);

// The record's row in the tester's own CSV record format, of its first `columnCount` columns, ended by CR LF.
std::string LineRecordRow(const LineRecord& record, size_t columnCount = kClassicRecordColumnCount);

// `utf8` in GBK, the tester's code page, into `gbk`; false when it is no UTF-8 or holds a character GBK has
// not.
bool Utf8ToGbk(const std::string& utf8, std::string& gbk);
