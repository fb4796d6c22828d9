// The figures of a yield report, computed from the records: the yield in all, per group and per period, the
// fail reasons by count, the keys left untested or chattering, and the test times.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tools/kblreport/record_reading.h"

enum class Grouping { None, Batch, Product, Operator, Day };

struct YieldCount {
    int64_t tested = 0;
    int64_t passed = 0;

    int64_t Failed() const { return tested - passed; }
    double Percent() const { return tested == 0 ? 0.0 : 100.0 * static_cast<double>(passed) / tested; }
};

struct GroupYield {
    std::string name;
    YieldCount count;
};

struct ReasonCount {
    std::string code;  // the stable reason code; "" when the rows gave none
    std::string text;  // the reason's text as the first failed row with it gave it
    int64_t count = 0;
};

// How many keys a failed keyboard may have left untested for them to be taken as the keys it failed on. A
// keyboard failed early leaves every key not yet reached untested; those keys tell nothing about the keys.
constexpr size_t kFewKeysLeft = 3;

// A key of one layout: what the keyboards told about it.
struct KeyTally {
    std::string layoutFile;
    std::string label;
    int64_t failedOn = 0;        // failed keyboards that left it untested among at most kFewKeysLeft keys
    int64_t chattered = 0;       // keyboards it chattered on
    int64_t untested = 0;        // keyboards that left it untested, however many other keys with it
    int32_t shortestGapMs = -1;  // the shortest chatter gap seen; -1 when it never chattered
    int64_t phantom = 0;         // keyboards on which it came while nobody was to touch them
    int64_t ghost = 0;           // keyboards on which it came while the rollover step's keys were held
};

// Which count of the keys a heat map or a list shows. Tables indexed by it (CountOf's, the maps' names)
// follow this order.
enum class KeyCount { FailedOn, Chattered, Phantom, Ghost };

// A pair of keys a test plan found, one key coming where it asked for the other, as often as it came.
struct WrongPairCount {
    std::string layoutFile;
    std::string expected;
    std::string got;
    int64_t keyboards = 0;                                 // keyboards it came on, each counted once
    std::vector<std::pair<std::string, int64_t>> batches;  // their batches, the most keyboards first
};

// The keyboards of one layout whose plan had a rollover step of `required` keys.
struct RolloverCount {
    std::string layoutFile;
    int32_t required = 0;
    int64_t keyboards = 0;
    int64_t shortOf = 0;                               // keyboards that held fewer keys at once
    std::vector<std::pair<int32_t, int64_t>> reached;  // keys held at once and keyboards, the most keys first
};

int64_t CountOf(const KeyTally& key, KeyCount count);

// The keyboards of one hour or one day of the lines' local clock.
struct Period {
    std::string label;  // "2026-12-07 18:00" or "2026-12-07"
    YieldCount count;
};

struct ReportFigures {
    YieldCount total;
    std::vector<GroupYield> groups;    // by name; empty without a grouping
    std::vector<GroupYield> layouts;   // the keyboards of each layout file, by name
    std::vector<ReasonCount> reasons;  // most frequent first
    std::vector<KeyTally> keys;        // by layout, then most failed on, chattered, untested first
    int64_t stoppedEarly = 0;          // failed keyboards that left more than kFewKeysLeft keys untested
    int64_t failedByPlan = 0;  // failed keyboards that named a wrong key, a phantom or a ghost: they name no
                               // untested key
    std::vector<WrongPairCount> wrongPairs;  // the most keyboards first
    std::vector<RolloverCount> rollovers;    // by layout, then by keys required
    int64_t periodSeconds = 3600;            // 3600 (hours) or 86400 (days), after the records' span
    std::vector<Period> periods;             // the periods that hold keyboards, in time order
    int64_t timedCount = 0;                  // keyboards with a test time
    double medianSeconds = 0;
    double percentile95Seconds = 0;
    std::string firstTime;  // the earliest and the latest record's time, as written
    std::string lastTime;
};

ReportFigures ComputeFigures(const std::vector<Record>& records, Grouping grouping);

// True when a test plan found a fault on the keyboard of `record`: a wrong key, a phantom or a ghost.
bool PlanFoundFault(const Record& record);

// True when any key of `keys` came as a phantom or a ghost.
bool HasPhantomOrGhost(const std::vector<KeyTally>& keys);

// The keys of `layoutFile` among `keys`, in their order.
std::vector<KeyTally> KeysOfLayout(const std::vector<KeyTally>& keys, const std::string& layoutFile);
