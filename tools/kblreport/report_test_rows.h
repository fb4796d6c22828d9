// The rows the yield report's tests read: keyboards' records as the tester writes them, read as kblreport
// reads them.
#pragma once

#include <string>

#include "engine/verdict.h"
#include "records/keyboard_record.h"
#include "tools/kblreport/record_reading.h"

inline const std::string kHeader = "\xEF\xBB\xBF" + RecordHeaderRow();
inline const std::string kTime = "2026-12-07T18:43:18+08:00";

// A keyboard's record as the tester writes it: passed, or failed for `reason`, at `time`.
inline KeyboardRecord Keyboard(const std::string& time, int32_t reason = -1) {
    KeyboardRecord record;
    record.time = time;
    record.computer = "BENCH-7";
    record.operatorId = "op7";
    record.productId = "KB-104";
    record.batchId = "B1";
    record.serial = "SN1";
    record.version = "A2";
    record.layoutFile = "US.kbl";
    record.passed = reason < 0;
    if (!record.passed) {
        record.reason = FailReasonText(reason);  // GBK, as the tester holds it
        record.reasonCode = FailReasonCode(reason);
    }
    record.testSeconds = "30.0";
    record.requiredKeys = 104;
    record.testedKeys = 104;
    return record;
}

inline std::string Row(const std::string& time, int32_t reason = -1) {
    return RecordRow(Keyboard(time, reason));
}

inline RecordSet Read(const std::string& text) {
    RecordSet set;
    ReadRecordText(text, "line3.csv", set);
    return set;
}

inline std::string BadRowsOf(const RecordSet& set) {
    std::string lines;
    for (const BadRow& row : set.badRows) {
        lines += std::to_string(row.line) + ": " + row.problem + "\n";
    }
    return lines;
}

inline std::string WithField(std::string row, size_t column, const std::string& value) {
    size_t start = 0;
    for (size_t i = 0; i < column; ++i) {
        start = row.find(',', start) + 1;
    }
    return row.replace(start, row.find_first_of(",\r", start) - start, value);
}
