// The records the kblline tests send and store: one keyboard's record with every field filled, UTF-8 texts.
#pragma once

#include <string>

#include "tools/kblline/line_record.h"

inline LineRecord SampleRecord(const std::string& id, const std::string& serial, bool passed,
                               const std::string& time = "2026-12-07T18:43:18+08:00",
                               const std::string& station = "bench-01") {
    LineRecord record;
    record.id = id;
    record.station = station;
    KeyboardRecord& row = record.row;
    row.time = time;
    row.computer = "PC-07";
    row.operatorId = u8"张三";
    row.productId = "KB-104";
    row.batchId = "B2026-12";
    row.serial = serial;
    row.version = "1.2";
    row.layoutFile = "US.kbl";
    row.passed = passed;
    row.reason = passed ? "" : u8"按键损坏, \"A\"";
    row.reasonCode = passed ? "" : "key_broken";
    row.testSeconds = "12.3";
    row.requiredKeys = 104;
    row.testedKeys = passed ? 104 : 101;
    row.untestedKeys = passed ? "" : "A;;;S";
    row.chatterKeys = passed ? "" : "Esc:12;F1:30";
    row.mostKeysHeld = 6;
    return record;
}

// A keyboard a test plan failed: a wrong pair (one of them a caption with its own '>'), a phantom, a ghost
// and a rollover step of 6 keys of which 4 were held at once.
inline LineRecord PlanRecord(const std::string& id, const std::string& serial,
                             const std::string& time = "2026-12-07T18:43:18+08:00") {
    LineRecord record = SampleRecord(id, serial, false, time);
    KeyboardRecord& row = record.row;
    row.reason = u8"按键错误";
    row.reasonCode = "wrong_key";
    row.untestedKeys = "";
    row.chatterKeys = "";
    row.wrongKeys = "Q>W;%3E>Z";
    row.phantomKeys = "F5";
    row.ghostKeys = "J";
    row.rolloverRequired = 6;
    row.rolloverReached = 4;
    row.withPlan = true;
    return record;
}
