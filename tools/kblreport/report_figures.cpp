// The figures of a yield report, counted in one pass over the records and then ordered.
#include "tools/kblreport/report_figures.h"

#include <algorithm>
#include <cmath>
#include <map>
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
        const bool fewLeft = !record.passed && record.untestedKeys.size() <= kFewKeysLeft;
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

}  // namespace

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
        figures.stoppedEarly += !record.passed && record.untestedKeys.size() > kFewKeysLeft ? 1 : 0;
        if (grouping != Grouping::None) {
            Count(groups[GroupNameOf(record, grouping, day)], record.passed);
        }
    }
    figures.groups = SortedGroups(groups);
    figures.layouts = SortedGroups(layouts);
    figures.reasons = CountReasons(records);
    figures.keys = TallyKeys(records);
    CountPeriods(records, figures);
    MeasureTestTimes(records, figures);
    return figures;
}

int64_t CountOf(const KeyTally& key, KeyCount count) {
    return count == KeyCount::FailedOn ? key.failedOn : key.chattered;
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
