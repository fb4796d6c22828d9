// The line's records in its database: stored once by their id with the tallies of the live page, the gate's
// look at a serial's earlier tests, and the records read back in time order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/kblline/line_record.h"
#include "tools/kblline/sql_database.h"

// A record as it was stored: the record with the time it arrived and its number in the order of arrival.
struct StoredRecord {
    LineRecord record;
    std::string received;  // UTC, ISO 8601: 2026-12-07T10:43:19Z
    int64_t seq = 0;
};

// What became of a record given to be stored.
enum class StoreOutcome {
    Stored,         // it was new and is stored now
    StoredAlready,  // this very record was stored before
    Conflict,       // another record was stored with its id, and this one is not
};

// Stores `records` in one transaction, each with the time `received` unless its id is stored already;
// `outcomes[i]` tells what became of records[i]. False, with `error` set and nothing stored, when it fails.
bool StoreRecords(SqlDatabase& database, const std::vector<LineRecord>& records, const std::string& received,
                  std::vector<StoreOutcome>& outcomes, std::string& error);

// The same for records read from another line database, each keeping the time it arrived there.
bool CopyRecords(SqlDatabase& database, const std::vector<StoredRecord>& records,
                 std::vector<StoreOutcome>& outcomes, std::string& error);

// An earlier test of a serial, as the gate weighs it.
struct PastTest {
    std::string station;
    std::string time;
    std::string productId;
    bool passed = false;
};

// The gate's answer about a unit.
struct GateAnswer {
    bool allow = true;
    std::string code;    // "passed", "retest_limit" or "other_product" when refused
    std::string reason;  // the reason in words
    PastTest past;       // the test that refused it: the pass, or the record that names the other product
    int64_t failures = 0;
};

// The gate's rule: a serial is refused when it was tested as another product, when it passed already, or when
// it failed more than `retestLimit` times; `history` is its earlier tests in the order they arrived.
GateAnswer DecideGate(const UnitStart& unit, const std::vector<PastTest>& history, int64_t retestLimit);

// Asks the gate about `unit` with its earlier tests read from the database.
bool AskGate(SqlDatabase& database, const UnitStart& unit, int64_t retestLimit, GateAnswer& answer,
             std::string& error);

// Where a walk through the records stands: after the record at this local time with this number.
struct RecordCursor {
    int64_t localSeconds = INT64_MIN;
    int64_t seq = 0;
};

// Reads at most `limit` records with a local time from `fromSeconds` to before `toSeconds` that come after
// `cursor` in the order of their time and arrival, and moves `cursor` past them.
bool ReadRecordsByTime(SqlDatabase& database, int64_t fromSeconds, int64_t toSeconds, size_t limit,
                       RecordCursor& cursor, std::vector<StoredRecord>& records, std::string& error);

// Sets `any` when a record with a local time from `fromSeconds` to before `toSeconds` was tested with a plan.
bool AnyRecordWithPlan(SqlDatabase& database, int64_t fromSeconds, int64_t toSeconds, bool& any,
                       std::string& error);

// Reads at most `limit` records in the order they arrived, those after the number `afterSeq`.
bool ReadRecordsBySeq(SqlDatabase& database, int64_t afterSeq, size_t limit,
                      std::vector<StoredRecord>& records, std::string& error);

// The current time in UTC, as `received` holds it.
std::string UtcNow();

// Reads the `count` records that arrived last, the latest first.
bool ReadLatestRecords(SqlDatabase& database, size_t count, std::vector<StoredRecord>& records,
                       std::string& error);
