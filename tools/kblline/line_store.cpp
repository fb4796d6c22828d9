// The records table and its tallies. A batch of records is stored in one transaction: each record inserted
// unless its id is there already, and the tallies of the new ones summed in memory first and then added in
// the order of their keys, so that two servers sharing a database never wait on each other in a circle.
#include "tools/kblline/line_store.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <map>
#include <set>
#include <tuple>

#include "base/text_format.h"
#include "tools/kblreport/record_reading.h"
#include "tools/kblreport/report_figures.h"

namespace {

constexpr int64_t kHour = 3600;
// Test times past this many seconds are counted as this many: the tester's own runs end far sooner.
constexpr double kLongestTallied = 1e8;

const char* const kRecordColumns =
    "id, station, received, time, local_seconds, computer, operator, product, batch, serial, version, "
    "layout, "
    "passed, reason, reason_code, test_seconds, required_keys, tested_keys, untested_keys, chatter_keys, "
    "max_keys_held, wrong_keys, phantom_keys, ghost_keys, rollover_required, rollover_reached, with_plan";

int64_t FloorDivide(int64_t value, int64_t divisor) {
    return value / divisor - (value % divisor < 0 ? 1 : 0);
}

struct HourCount {
    std::string label;
    int64_t tested = 0;
    int64_t passed = 0;
    int64_t planFailed = 0;  // failed keyboards that named a plan's finding
};

struct ReasonTally {
    std::string code;
    std::string text;
    int64_t failed = 0;
};

struct KeyCount {
    int64_t untested = 0;
    int64_t chattered = 0;
    int64_t shortestGapMs = -1;
    int64_t phantom = 0;
    int64_t ghost = 0;
};

// The tallies of a batch's new records, by their keys.
struct BatchTallies {
    std::map<std::tuple<int64_t, std::string, std::string>, HourCount> hours;  // hour, station, layout
    std::map<std::pair<int64_t, std::string>, ReasonTally> reasons;            // hour, code or text
    std::map<std::tuple<int64_t, std::string, std::string>, KeyCount> keys;    // hour, layout, label
    std::map<std::pair<int64_t, int64_t>, int64_t> times;                      // hour, tenths of a second
    // hour, layout, expected, got, batch
    std::map<std::tuple<int64_t, std::string, std::string, std::string, std::string>, int64_t> wrongPairs;
    // hour, layout, keys required, keys reached
    std::map<std::tuple<int64_t, std::string, int64_t, int64_t>, int64_t> rollovers;
};

// The plan's findings of a record: its wrong pairs, each counted once per keyboard as kblreport counts
// them, its phantoms and ghosts, and its rollover step.
void TallyPlanFindings(const KeyboardRecord& row, int64_t hour, BatchTallies& tallies) {
    std::vector<WrongKey> wrongKeys;
    std::string badItem;
    ReadWrongKeys(row.wrongKeys, wrongKeys, badItem);
    std::set<std::pair<std::string, std::string>> counted;
    for (const WrongKey& wrong : wrongKeys) {
        if (counted.insert({wrong.expected, wrong.got}).second) {
            ++tallies.wrongPairs[{hour, row.layoutFile, wrong.expected, wrong.got, row.batchId}];
        }
    }
    for (const std::string& label : SplitKeyList(row.phantomKeys)) {
        ++tallies.keys[{hour, row.layoutFile, label}].phantom;
    }
    for (const std::string& label : SplitKeyList(row.ghostKeys)) {
        ++tallies.keys[{hour, row.layoutFile, label}].ghost;
    }
    if (row.rolloverRequired > 0) {
        ++tallies.rollovers[{hour, row.layoutFile, row.rolloverRequired, row.rolloverReached}];
    }
}

void TallyRecord(const LineRecord& record, int64_t localSeconds, BatchTallies& tallies) {
    const KeyboardRecord& row = record.row;
    const int64_t hour = FloorDivide(localSeconds, kHour);
    HourCount& count = tallies.hours[{hour, record.station, row.layoutFile}];
    count.label = row.time.substr(0, 10) + " " + row.time.substr(11, 2) + ":00";
    // A keyboard failed on a wrong key, a phantom or a ghost names no key it failed on among its untested
    // ones: the plan stopped it where the fault showed.
    const bool planFailed =
        !row.passed && (!row.wrongKeys.empty() || !row.phantomKeys.empty() || !row.ghostKeys.empty());
    ++count.tested;
    count.passed += row.passed ? 1 : 0;
    count.planFailed += planFailed ? 1 : 0;
    if (!row.passed) {
        ReasonTally& reason = tallies.reasons[{hour, row.reasonCode.empty() ? row.reason : row.reasonCode}];
        if (reason.failed++ == 0) {
            reason.code = row.reasonCode;
            reason.text = row.reason;
        }
    }
    // A key counts as failed on only where a failed keyboard left few keys untested, as kblreport counts
    // it: a keyboard stopped early tells nothing about the keys it never reached.
    const std::vector<std::string> untested = SplitKeyList(row.untestedKeys);
    for (const std::string& label : untested) {
        if (!row.passed && !planFailed && untested.size() <= kFewKeysLeft) {
            ++tallies.keys[{hour, row.layoutFile, label}].untested;
        }
    }
    for (const std::string& item : SplitKeyList(row.chatterKeys)) {
        const size_t colon = item.rfind(':');
        KeyCount& key = tallies.keys[{hour, row.layoutFile, item.substr(0, colon)}];
        const int64_t gap = std::atoll(item.c_str() + colon + 1);
        ++key.chattered;
        key.shortestGapMs = key.shortestGapMs < 0 ? gap : std::min(key.shortestGapMs, gap);
    }
    if (!row.testSeconds.empty()) {
        const double seconds = std::min(std::strtod(row.testSeconds.c_str(), nullptr), kLongestTallied);
        ++tallies.times[{hour, std::llround(seconds * 10)}];
    }
    TallyPlanFindings(row, hour, tallies);
}

bool AddTallies(SqlDatabase& database, const BatchTallies& tallies, std::string& error) {
    for (const auto& [key, count] : tallies.hours) {
        if (!SqlExecute(database,
                        "INSERT INTO hour_tally (hour, station, layout, label, tested, passed, plan_failed) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?) ON CONFLICT (hour, station, layout) DO "
                        "UPDATE SET tested = hour_tally.tested + excluded.tested, "
                        "passed = hour_tally.passed + excluded.passed, "
                        "plan_failed = hour_tally.plan_failed + excluded.plan_failed",
                        {std::to_string(std::get<0>(key)), std::get<1>(key), std::get<2>(key), count.label,
                         std::to_string(count.tested), std::to_string(count.passed),
                         std::to_string(count.planFailed)},
                        error)) {
            return false;
        }
    }
    for (const auto& [key, reason] : tallies.reasons) {
        if (!SqlExecute(database,
                        "INSERT INTO reason_tally VALUES (?, ?, ?, ?, ?) ON CONFLICT (hour, reason_key) DO "
                        "UPDATE SET failed = reason_tally.failed + excluded.failed",
                        {std::to_string(key.first), key.second, reason.code, reason.text,
                         std::to_string(reason.failed)},
                        error)) {
            return false;
        }
    }
    for (const auto& [key, count] : tallies.keys) {
        if (!SqlExecute(
                database,
                "INSERT INTO key_tally (hour, layout, label, untested, chattered, shortest_gap_ms, phantom, "
                "ghost) VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (hour, layout, label) DO "
                "UPDATE SET untested = key_tally.untested + excluded.untested, "
                "chattered = key_tally.chattered + excluded.chattered, shortest_gap_ms = CASE WHEN "
                "excluded.shortest_gap_ms >= 0 AND (key_tally.shortest_gap_ms < 0 OR "
                "excluded.shortest_gap_ms < key_tally.shortest_gap_ms) THEN excluded.shortest_gap_ms "
                "ELSE key_tally.shortest_gap_ms END, phantom = key_tally.phantom + excluded.phantom, "
                "ghost = key_tally.ghost + excluded.ghost",
                {std::to_string(std::get<0>(key)), std::get<1>(key), std::get<2>(key),
                 std::to_string(count.untested), std::to_string(count.chattered),
                 std::to_string(count.shortestGapMs), std::to_string(count.phantom),
                 std::to_string(count.ghost)},
                error)) {
            return false;
        }
    }
    for (const auto& [key, keyboards] : tallies.times) {
        if (!SqlExecute(database,
                        "INSERT INTO time_tally VALUES (?, ?, ?) ON CONFLICT (hour, tenths) DO "
                        "UPDATE SET keyboards = time_tally.keyboards + excluded.keyboards",
                        {std::to_string(key.first), std::to_string(key.second), std::to_string(keyboards)},
                        error)) {
            return false;
        }
    }
    for (const auto& [key, keyboards] : tallies.wrongPairs) {
        const auto& [hour, layout, expected, got, batch] = key;
        if (!SqlExecute(
                database,
                "INSERT INTO wrong_tally VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT (hour, layout, expected, "
                "got, batch) DO UPDATE SET keyboards = wrong_tally.keyboards + excluded.keyboards",
                {std::to_string(hour), layout, expected, got, batch, std::to_string(keyboards)}, error)) {
            return false;
        }
    }
    for (const auto& [key, keyboards] : tallies.rollovers) {
        const auto& [hour, layout, required, reached] = key;
        if (!SqlExecute(
                database,
                "INSERT INTO rollover_tally VALUES (?, ?, ?, ?, ?) ON CONFLICT (hour, layout, required, "
                "reached) DO UPDATE SET keyboards = rollover_tally.keyboards + excluded.keyboards",
                {std::to_string(hour), layout, std::to_string(required), std::to_string(reached),
                 std::to_string(keyboards)},
                error)) {
            return false;
        }
    }
    return true;
}

bool InsertRecord(SqlDatabase& database, const LineRecord& record, const std::string& received,
                  int64_t localSeconds, bool& created, std::string& error) {
    const KeyboardRecord& row = record.row;
    SqlResult result;
    if (!SqlExecute(
            database,
            std::string("INSERT INTO records (") + kRecordColumns +
                ") VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                "?, ?) "
                "ON CONFLICT (id) DO NOTHING",
            {record.id,
             record.station,
             received,
             row.time,
             std::to_string(localSeconds),
             row.computer,
             row.operatorId,
             row.productId,
             row.batchId,
             row.serial,
             row.version,
             row.layoutFile,
             row.passed ? "1" : "0",
             row.reason,
             row.reasonCode,
             row.testSeconds,
             std::to_string(row.requiredKeys),
             std::to_string(row.testedKeys),
             row.untestedKeys,
             row.chatterKeys,
             std::to_string(row.mostKeysHeld),
             row.wrongKeys,
             row.phantomKeys,
             row.ghostKeys,
             std::to_string(row.rolloverRequired),
             std::to_string(row.rolloverReached),
             row.withPlan ? "1" : "0"},
            result, error)) {
        return false;
    }
    created = result.changed > 0;
    return true;
}

bool ReadStoredRecords(SqlDatabase& database, const std::string& where,
                       const std::vector<std::string>& params, std::vector<StoredRecord>& records,
                       std::string& error) {
    SqlResult result;
    if (!SqlExecute(database, std::string("SELECT ") + kRecordColumns + ", seq FROM records " + where, params,
                    result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        StoredRecord stored;
        LineRecord& record = stored.record;
        KeyboardRecord& keyboard = record.row;
        record.id = row[0];
        record.station = row[1];
        stored.received = row[2];
        keyboard.time = row[3];
        keyboard.computer = row[5];
        keyboard.operatorId = row[6];
        keyboard.productId = row[7];
        keyboard.batchId = row[8];
        keyboard.serial = row[9];
        keyboard.version = row[10];
        keyboard.layoutFile = row[11];
        keyboard.passed = row[12] == "1";
        keyboard.reason = row[13];
        keyboard.reasonCode = row[14];
        keyboard.testSeconds = row[15];
        keyboard.requiredKeys = std::atoi(row[16].c_str());
        keyboard.testedKeys = std::atoi(row[17].c_str());
        keyboard.untestedKeys = row[18];
        keyboard.chatterKeys = row[19];
        keyboard.mostKeysHeld = std::atoi(row[20].c_str());
        keyboard.wrongKeys = row[21];
        keyboard.phantomKeys = row[22];
        keyboard.ghostKeys = row[23];
        keyboard.rolloverRequired = std::atoi(row[24].c_str());
        keyboard.rolloverReached = std::atoi(row[25].c_str());
        keyboard.withPlan = row[26] == "1";
        stored.seq = std::atoll(row[27].c_str());
        records.push_back(std::move(stored));
    }
    return true;
}

// The outcome for `record`, whose id is stored already: the same record again, or another one's id.
bool CompareStored(SqlDatabase& database, const LineRecord& record, StoreOutcome& outcome,
                   std::string& error) {
    std::vector<StoredRecord> stored;
    if (!ReadStoredRecords(database, "WHERE id = ?", {record.id}, stored, error)) {
        return false;
    }
    const bool same = !stored.empty() && LineRecordJson(stored[0].record) == LineRecordJson(record);
    outcome = same ? StoreOutcome::StoredAlready : StoreOutcome::Conflict;
    return true;
}

// Stores the records, each with the time given by `receivedOf`, in one transaction.
template <typename Received>
bool StoreBatch(SqlDatabase& database, const std::vector<LineRecord>& records, Received receivedOf,
                std::vector<StoreOutcome>& outcomes, std::string& error) {
    outcomes.assign(records.size(), StoreOutcome::Stored);
    if (!SqlBegin(database, error)) {
        return false;
    }
    BatchTallies tallies;
    bool stored = true;
    for (size_t i = 0; stored && i < records.size(); ++i) {
        int64_t localSeconds = 0;
        ParseRecordTime(records[i].row.time, localSeconds);
        bool isNew = false;
        stored = InsertRecord(database, records[i], receivedOf(i), localSeconds, isNew, error);
        if (stored && isNew) {
            TallyRecord(records[i], localSeconds, tallies);
        } else if (stored) {
            stored = CompareStored(database, records[i], outcomes[i], error);
        }
    }
    stored = stored && AddTallies(database, tallies, error);
    std::string endError;
    if (!SqlEnd(database, stored, endError)) {
        error = stored ? endError : error;
        return false;
    }
    return true;
}

}  // namespace

std::string UtcNow() {
    const time_t now = time(nullptr);
    tm utc;
    gmtime_r(&now, &utc);
    return FormatText("%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                      utc.tm_hour, utc.tm_min, utc.tm_sec);
}

bool StoreRecords(SqlDatabase& database, const std::vector<LineRecord>& records, const std::string& received,
                  std::vector<StoreOutcome>& outcomes, std::string& error) {
    return StoreBatch(
        database, records, [&](size_t) { return received; }, outcomes, error);
}

bool CopyRecords(SqlDatabase& database, const std::vector<StoredRecord>& records,
                 std::vector<StoreOutcome>& outcomes, std::string& error) {
    std::vector<LineRecord> lineRecords;
    for (const StoredRecord& stored : records) {
        lineRecords.push_back(stored.record);
    }
    return StoreBatch(
        database, lineRecords, [&](size_t i) { return records[i].received; }, outcomes, error);
}

GateAnswer DecideGate(const UnitStart& unit, const std::vector<PastTest>& history, int64_t retestLimit) {
    GateAnswer answer;
    for (const PastTest& test : history) {
        if (test.productId != unit.productId) {
            answer = {false, "other_product",
                      "serial " + unit.serial + " belongs to product " + test.productId +
                          " (tested at station " + test.station + " at " + test.time + ")",
                      test};
            return answer;
        }
    }
    for (const PastTest& test : history) {
        if (test.passed) {
            answer = {
                false, "passed",
                "serial " + unit.serial + " passed already at station " + test.station + " at " + test.time,
                test};
            return answer;
        }
        ++answer.failures;
    }
    if (answer.failures > retestLimit) {
        answer.allow = false;
        answer.code = "retest_limit";
        answer.reason =
            FormatText("serial %s failed %lld times, more than the retest limit of %lld", unit.serial.c_str(),
                       static_cast<long long>(answer.failures), static_cast<long long>(retestLimit));
        answer.past = history.back();
    }
    return answer;
}

bool AskGate(SqlDatabase& database, const UnitStart& unit, int64_t retestLimit, GateAnswer& answer,
             std::string& error) {
    SqlResult result;
    if (!SqlExecute(database,
                    "SELECT station, time, product, passed FROM records WHERE serial = ? ORDER BY seq",
                    {unit.serial}, result, error)) {
        return false;
    }
    std::vector<PastTest> history;
    for (const SqlRow& row : result.rows) {
        history.push_back({row[0], row[1], row[2], row[3] == "1"});
    }
    answer = DecideGate(unit, history, retestLimit);
    return true;
}

bool ReadRecordsByTime(SqlDatabase& database, int64_t fromSeconds, int64_t toSeconds, size_t limit,
                       RecordCursor& cursor, std::vector<StoredRecord>& records, std::string& error) {
    records.clear();
    // The walk goes on from the cursor's second, so that the index is entered there and not at the span's
    // start; the records of that second up to the cursor are passed over.
    const int64_t fromCursor = std::max(fromSeconds, cursor.localSeconds);
    if (!ReadStoredRecords(
            database,
            "WHERE local_seconds >= CAST(? AS BIGINT) AND local_seconds < CAST(? AS BIGINT) AND "
            "NOT (local_seconds = CAST(? AS BIGINT) AND seq <= CAST(? AS BIGINT)) "
            "ORDER BY local_seconds, seq LIMIT CAST(? AS BIGINT)",
            {std::to_string(fromCursor), std::to_string(toSeconds), std::to_string(cursor.localSeconds),
             std::to_string(cursor.seq), std::to_string(limit)},
            records, error)) {
        return false;
    }
    if (!records.empty()) {
        ParseRecordTime(records.back().record.row.time, cursor.localSeconds);
        cursor.seq = records.back().seq;
    }
    return true;
}

bool AnyRecordWithPlan(SqlDatabase& database, int64_t fromSeconds, int64_t toSeconds, bool& any,
                       std::string& error) {
    SqlResult result;
    if (!SqlExecute(database,
                    "SELECT 1 FROM records WHERE with_plan = 1 AND local_seconds >= CAST(? AS BIGINT) AND "
                    "local_seconds < CAST(? AS BIGINT) LIMIT 1",
                    {std::to_string(fromSeconds), std::to_string(toSeconds)}, result, error)) {
        return false;
    }
    any = !result.rows.empty();
    return true;
}

bool ReadRecordsBySeq(SqlDatabase& database, int64_t afterSeq, size_t limit,
                      std::vector<StoredRecord>& records, std::string& error) {
    records.clear();
    return ReadStoredRecords(database, "WHERE seq > CAST(? AS BIGINT) ORDER BY seq LIMIT CAST(? AS BIGINT)",
                             {std::to_string(afterSeq), std::to_string(limit)}, records, error);
}

bool ReadLatestRecords(SqlDatabase& database, size_t count, std::vector<StoredRecord>& records,
                       std::string& error) {
    records.clear();
    return ReadStoredRecords(database, "ORDER BY seq DESC LIMIT CAST(? AS BIGINT)", {std::to_string(count)},
                             records, error);
}
