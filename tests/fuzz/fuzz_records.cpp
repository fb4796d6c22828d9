// Fuzz target: arbitrary bytes as a record file, read as kblreport reads it, then summarised and written as
// the page. Besides the sanitizers, the rows read are checked against what the report relies on: each
// keyboard's time is a time of the calendar, bad rows keep their order of lines, and the figures account for
// every keyboard.
#include <cstdint>
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

void CheckRecord(const Record& record) {
    const RecordTime& time = record.time;
    Require(time.month >= 1 && time.month <= 12 && time.day >= 1 && time.day <= 31);
    Require(time.hour <= 23 && time.minute <= 59 && time.second <= 59);
    Require(time.utcOffsetMinutes >= -(14 * 60 + 59) && time.utcOffsetMinutes <= 14 * 60 + 59);
    Require(record.timeText.size() == 25 && (record.timed || record.testSeconds == 0));
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
