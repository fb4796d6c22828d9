// The report's text summary, as kblreport prints it.
#pragma once

#include <string>

#include "tools/kblreport/record_reading.h"
#include "tools/kblreport/report_figures.h"

// How many keys the lists of keys failed on, chattering, phantom and ghost show at the most, and how many
// wrong pairs the lists of wrong keys show.
constexpr size_t kListedKeys = 10;
// How many of a wrong pair's batches its line names.
constexpr size_t kNamedBatches = 3;

// The name a grouping gives its column: "batch", "day"...; "" for none.
const char* GroupingName(Grouping grouping);

// A name as a report shows it: "(none)" for an empty one.
std::string ShownName(const std::string& name);

// The reason of a row of the Pareto list: its code and its text, as far as the rows gave them.
std::string ReasonName(const ReasonCount& reason);

// The keys with the highest `count` above 0, highest first, at most kListedKeys.
std::vector<KeyTally> TopKeys(const std::vector<KeyTally>& keys, KeyCount count);

// The batches a wrong pair came in, with their keyboards, the most first: "B1 35, B2 2 and 4 more batches".
std::string BatchesText(const WrongPairCount& pair);

// "6 x117, 5 x2": how many keys were held at once in a rollover step, on how many keyboards.
std::string ReachedText(const RolloverCount& rollover);

// `text` for a terminal: every control character but the line feed, and every C1 control of UTF-8, made a
// '?', so that a name in a record cannot move the cursor, change colours or retitle the window.
std::string PrintableText(const std::string& text);

// The summary: totals, test times, groups, layouts, the Pareto list of fail reasons, the keys failed
// keyboards stopped at and the keys chattering most often, what test plans found (wrong keys, phantom and
// ghost keys, rollover steps), and every bad row with its file and line.
std::string SummaryText(const RecordSet& set, const ReportFigures& figures, Grouping grouping);
