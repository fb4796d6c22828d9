// Fuzz target: arbitrary bytes as the body of a station's request to the line server, read as a record and as
// a unit about to be tested. Besides the sanitizers, a record the server takes is checked to come back whole:
// its JSON reads again as the same record, and its CSV row, read as kblreport reads a record file, is one
// keyboard's record with the record's fields.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/kblline/line_record.h"
#include "tools/kblreport/record_reading.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckRecord(const LineRecord& record) {
    LineRecord again;
    FieldError error;
    Require(ReadLineRecord(LineRecordJson(record), again, error));
    Require(LineRecordJson(again) == LineRecordJson(record));

    RecordSet set;
    Require(ReadRecordText("\xEF\xBB\xBF" + RecordHeaderRow() + LineRecordRow(record), "line.csv", set));
    Require(set.records.size() == 1 && set.badRows.empty());
    const Record& read = set.records[0];
    const KeyboardRecord& row = record.row;
    Require(read.timeText == row.time && read.operatorId == row.operatorId &&
            read.productId == row.productId && read.batchId == row.batchId &&
            read.layoutFile == row.layoutFile && read.passed == row.passed && read.reason == row.reason &&
            read.reasonCode == row.reasonCode && read.timed == !row.testSeconds.empty() &&
            read.untestedKeys == SplitKeyList(row.untestedKeys));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const nlohmann::json body = nlohmann::json::parse(data, data + size, nullptr, false);
    LineRecord record;
    UnitStart unit;
    FieldError error;
    if (ReadLineRecord(body, record, error)) {
        CheckRecord(record);
    } else {
        Require(!error.problem.empty());
    }
    Require(ReadUnitStart(body, unit, error) ? !unit.serial.empty() : !error.problem.empty());
    return 0;
}
