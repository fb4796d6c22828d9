// Fuzz target: arbitrary bytes as a record file, read as kblreport reads it, then summarised and written as
// the page. Besides the sanitizers, the rows read are checked against what the report relies on: each
// keyboard's clock is the time it was written with, bad rows keep their order of lines, and the figures
// account for every keyboard, also in what test plans found.
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/kblreport/record_reading.h"
#include "tools/kblreport/report_figures.h"
#include "tools/kblreport/report_page.h"
#include "tools/kblreport/report_text.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The local clock of a record, given back as the tester writes it by the C library's calendar.
void CheckRecord(const Record& record) {
    const time_t seconds = static_cast<time_t>(record.localSeconds);
    tm calendar;
    Require(gmtime_r(&seconds, &calendar) != nullptr);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", calendar.tm_year + 1900,
                  calendar.tm_mon + 1, calendar.tm_mday, calendar.tm_hour, calendar.tm_min, calendar.tm_sec);
    Require(record.timeText.compare(0, 19, text) == 0 && record.timeText.size() == 25);
    Require(record.timed || record.testSeconds == 0);
}

void CheckFigures(const RecordSet& set, const ReportFigures& figures) {
    Require(figures.total.tested == static_cast<int64_t>(set.records.size()));
    int64_t inPeriods = 0;
    for (const Period& period : figures.periods) {
        inPeriods += period.count.tested;
    }
    int64_t inReasons = 0;
    for (const ReasonCount& reason : figures.reasons) {
        inReasons += reason.count;
    }
    Require(inPeriods == figures.total.tested && inReasons == figures.total.Failed());
    Require(figures.timedCount <= figures.total.tested);
    Require(figures.failedByPlan + figures.stoppedEarly <= figures.total.Failed());
    for (const WrongPairCount& pair : figures.wrongPairs) {
        int64_t inBatches = 0;
        for (const auto& batch : pair.batches) {
            inBatches += batch.second;
        }
        Require(pair.keyboards > 0 && pair.keyboards <= figures.total.tested && inBatches == pair.keyboards);
    }
    int64_t withRollover = 0;
    for (const RolloverCount& rollover : figures.rollovers) {
        Require(rollover.required > 0 && rollover.shortOf <= rollover.keyboards);
        withRollover += rollover.keyboards;
    }
    Require(withRollover <= figures.total.tested);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordSet set;
    const bool read = ReadRecordText(std::string(reinterpret_cast<const char*>(data), size), "fuzz.csv", set);
    Require(read == set.refusals.empty() && (read || (set.records.empty() && set.badRows.empty())));
    int lastLine = 1;
    for (const BadRow& row : set.badRows) {
        Require(row.line > lastLine && !row.problem.empty());
        lastLine = row.line;
    }
    for (const Record& record : set.records) {
        CheckRecord(record);
    }
    const ReportFigures figures = ComputeFigures(set.records, Grouping::Day);
    CheckFigures(set, figures);
    const std::string summary = SummaryText(set, figures, Grouping::Day);
    const std::string page = ReportPage(set, figures, Grouping::Day, {});
    Require(!summary.empty() && page.compare(page.size() - 8, 8, "</html>\n") == 0);
    return 0;
}
