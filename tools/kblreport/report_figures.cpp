// The figures of a yield report, counted in one pass over the records and then ordered.
#include "tools/kblreport/report_figures.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>

namespace {

constexpr int64_t kHour = 3600;
constexpr int64_t kDay = 86400;
// Records that span at most two days are shown per hour, longer spans per day.
constexpr int64_t kLongestHourlySpan = 2 * kDay;

void Count(YieldCount& count, bool passed) {
    ++count.tested;
    count.passed += passed ? 1 : 0;
}

const std::string& GroupNameOf(const Record& record, Grouping grouping, std::string& day) {
    switch (grouping) {
        case Grouping::Batch:
            return record.batchId;
        case Grouping::Product:
            return record.productId;
        case Grouping::Operator:
            return record.operatorId;
        case Grouping::Day:
        case Grouping::None:
            break;
    }
    day = record.timeText.substr(0, 10);
    return day;
}

std::vector<GroupYield> SortedGroups(const std::map<std::string, YieldCount>& counts) {
    std::vector<GroupYield> groups;
    for (const auto& [name, count] : counts) {
        groups.push_back({name, count});
    }
    return groups;
}

// Floors `seconds` to the start of its period, also before 1970.
int64_t PeriodStart(int64_t seconds, int64_t periodSeconds) {
    const int64_t remainder = seconds % periodSeconds;
    return seconds - (remainder < 0 ? remainder + periodSeconds : remainder);
}

void CountPeriods(const std::vector<Record>& records, ReportFigures& figures) {
    const auto [first, last] =
        std::minmax_element(records.begin(), records.end(),
                            [](const Record& a, const Record& b) { return a.localSeconds < b.localSeconds; });
    figures.firstTime = first->timeText;
    figures.lastTime = last->timeText;
    const int64_t span = last->localSeconds - first->localSeconds;
    figures.periodSeconds = span <= kLongestHourlySpan ? kHour : kDay;
    std::map<int64_t, Period> periods;
    for (const Record& record : records) {
        Period& period = periods[PeriodStart(record.localSeconds, figures.periodSeconds)];
        if (period.label.empty()) {
            period.label = figures.periodSeconds == kHour
                               ? record.timeText.substr(0, 10) + " " + record.timeText.substr(11, 2) + ":00"
                               : record.timeText.substr(0, 10);
        }
        Count(period.count, record.passed);
    }
    for (auto& entry : periods) {
        figures.periods.push_back(std::move(entry.second));
    }
}

void MeasureTestTimes(const std::vector<Record>& records, ReportFigures& figures) {
    std::vector<double> seconds;
    for (const Record& record : records) {
        if (record.timed) {
            seconds.push_back(record.testSeconds);
        }
    }
    if (seconds.empty()) {
        return;
    }
    std::sort(seconds.begin(), seconds.end());
    const size_t count = seconds.size();
    figures.timedCount = static_cast<int64_t>(count);
    figures.medianSeconds =
        count % 2 == 1 ? seconds[count / 2] : (seconds[count / 2 - 1] + seconds[count / 2]) / 2.0;
    // The nearest rank: the smallest time that at least 95 % of the keyboards took no longer than.
    const size_t rank = static_cast<size_t>(std::ceil(0.95 * static_cast<double>(count)));
    figures.percentile95Seconds = seconds[rank - 1];
}

// Tallies the keys of every record, one entry per layout and label.
std::vector<KeyTally> TallyKeys(const std::vector<Record>& records) {
    std::vector<KeyTally> keys;
    std::unordered_map<std::string, size_t> indexOf;
    const auto tallyOf = [&](const Record& record, const std::string& label) -> KeyTally& {
        const auto [found, added] = indexOf.emplace(record.layoutFile + '\n' + label, keys.size());
        if (added) {
            keys.push_back({record.layoutFile, label});
        }
        return keys[found->second];
    };
    for (const Record& record : records) {
        const bool fewLeft =
            !record.passed && !PlanFoundFault(record) && record.untestedKeys.size() <= kFewKeysLeft;
        for (const std::string& label : record.untestedKeys) {
            KeyTally& tally = tallyOf(record, label);
            ++tally.untested;
            tally.failedOn += fewLeft ? 1 : 0;
        }
        for (const ChatterKey& chatter : record.chatterKeys) {
            KeyTally& tally = tallyOf(record, chatter.label);
            ++tally.chattered;
            if (tally.shortestGapMs < 0 || chatter.shortestGapMs < tally.shortestGapMs) {
                tally.shortestGapMs = chatter.shortestGapMs;
            }
        }
        for (const std::string& label : record.phantomKeys) {
            ++tallyOf(record, label).phantom;
        }
        for (const std::string& label : record.ghostKeys) {
            ++tallyOf(record, label).ghost;
        }
    }
    std::sort(keys.begin(), keys.end(), [](const KeyTally& a, const KeyTally& b) {
        if (a.layoutFile != b.layoutFile) {
            return a.layoutFile < b.layoutFile;
        }
        if (a.failedOn != b.failedOn) {
            return a.failedOn > b.failedOn;
        }
        if (a.chattered != b.chattered) {
            return a.chattered > b.chattered;
        }
        if (a.phantom + a.ghost != b.phantom + b.ghost) {
            return a.phantom + a.ghost > b.phantom + b.ghost;
        }
        return a.untested != b.untested ? a.untested > b.untested : a.label < b.label;
    });
    return keys;
}

std::vector<ReasonCount> CountReasons(const std::vector<Record>& records) {
    std::vector<ReasonCount> reasons;
    std::unordered_map<std::string, size_t> indexOf;
    for (const Record& record : records) {
        if (record.passed) {
            continue;
        }
        const std::string& key = record.reasonCode.empty() ? record.reason : record.reasonCode;
        const auto [found, added] = indexOf.emplace(key, reasons.size());
        if (added) {
            reasons.push_back({record.reasonCode, record.reason});
        }
        ++reasons[found->second].count;
    }
    std::stable_sort(reasons.begin(), reasons.end(),
                     [](const ReasonCount& a, const ReasonCount& b) { return a.count > b.count; });
    return reasons;
}

// The wrong pairs of every record, each counted once per keyboard, with the batches they came in.
std::vector<WrongPairCount> CountWrongPairs(const std::vector<Record>& records) {
    std::vector<WrongPairCount> pairs;
    std::vector<std::map<std::string, int64_t>> batchesOf;
    std::unordered_map<std::string, size_t> indexOf;
    for (const Record& record : records) {
        std::set<size_t> counted;
        for (const WrongKey& wrong : record.wrongKeys) {
            const auto [found, added] =
                indexOf.emplace(record.layoutFile + '\n' + wrong.expected + '\n' + wrong.got, pairs.size());
            if (added) {
                WrongPairCount pair;
                pair.layoutFile = record.layoutFile;
                pair.expected = wrong.expected;
                pair.got = wrong.got;
                pairs.push_back(std::move(pair));
                batchesOf.emplace_back();
            }
            if (counted.insert(found->second).second) {
                ++pairs[found->second].keyboards;
                ++batchesOf[found->second][record.batchId];
            }
        }
    }
    for (size_t i = 0; i < pairs.size(); ++i) {
        pairs[i].batches.assign(batchesOf[i].begin(), batchesOf[i].end());
        std::stable_sort(pairs[i].batches.begin(), pairs[i].batches.end(),
                         [](const auto& a, const auto& b) { return a.second > b.second; });
    }
    std::stable_sort(pairs.begin(), pairs.end(), [](const WrongPairCount& a, const WrongPairCount& b) {
        return a.keyboards > b.keyboards;
    });
    return pairs;
}

// The keyboards with a rollover step, per layout and keys required, and how many keys each held at once.
std::vector<RolloverCount> CountRollovers(const std::vector<Record>& records) {
    std::map<std::pair<std::string, int32_t>, std::map<int32_t, int64_t>> reachedOf;
    for (const Record& record : records) {
        if (record.rolloverRequired > 0) {
            ++reachedOf[{record.layoutFile, record.rolloverRequired}][record.rolloverReached];
        }
    }
    std::vector<RolloverCount> rollovers;
    for (const auto& [step, reached] : reachedOf) {
        RolloverCount count;
        count.layoutFile = step.first;
        count.required = step.second;
        for (auto held = reached.rbegin(); held != reached.rend(); ++held) {
            count.keyboards += held->second;
            count.shortOf += held->first < step.second ? held->second : 0;
            count.reached.emplace_back(held->first, held->second);
        }
        rollovers.push_back(std::move(count));
    }
    return rollovers;
}

}  // namespace

bool PlanFoundFault(const Record& record) {
    return !record.wrongKeys.empty() || !record.phantomKeys.empty() || !record.ghostKeys.empty();
}

bool HasPhantomOrGhost(const std::vector<KeyTally>& keys) {
    return std::any_of(keys.begin(), keys.end(),
                       [](const KeyTally& key) { return key.phantom > 0 || key.ghost > 0; });
}

ReportFigures ComputeFigures(const std::vector<Record>& records, Grouping grouping) {
    ReportFigures figures;
    if (records.empty()) {
        return figures;
    }
    std::map<std::string, YieldCount> groups;
    std::map<std::string, YieldCount> layouts;
    std::string day;
    for (const Record& record : records) {
        Count(figures.total, record.passed);
        Count(layouts[record.layoutFile], record.passed);
        const bool planFault = !record.passed && PlanFoundFault(record);
        figures.failedByPlan += planFault ? 1 : 0;
        figures.stoppedEarly +=
            !record.passed && !planFault && record.untestedKeys.size() > kFewKeysLeft ? 1 : 0;
        if (grouping != Grouping::None) {
            Count(groups[GroupNameOf(record, grouping, day)], record.passed);
        }
    }
    figures.groups = SortedGroups(groups);
    figures.layouts = SortedGroups(layouts);
    figures.reasons = CountReasons(records);
    figures.keys = TallyKeys(records);
    figures.wrongPairs = CountWrongPairs(records);
    figures.rollovers = CountRollovers(records);
    CountPeriods(records, figures);
    MeasureTestTimes(records, figures);
    return figures;
}

int64_t CountOf(const KeyTally& key, KeyCount count) {
    static constexpr int64_t KeyTally::*kCounts[] = {&KeyTally::failedOn, &KeyTally::chattered,
                                                     &KeyTally::phantom, &KeyTally::ghost};
    return key.*kCounts[static_cast<size_t>(count)];
}

std::vector<KeyTally> KeysOfLayout(const std::vector<KeyTally>& keys, const std::string& layoutFile) {
    std::vector<KeyTally> found;
    for (const KeyTally& key : keys) {
        if (key.layoutFile == layoutFile) {
            found.push_back(key);
        }
    }
    return found;
}
