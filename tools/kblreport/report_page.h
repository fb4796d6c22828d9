// The report as one self-contained HTML page: inline CSS and SVG, the keyboard pictures embedded, nothing
// fetched from anywhere.
#pragma once

#include <string>
#include <vector>

#include "tools/kblreport/layout_pictures.h"
#include "tools/kblreport/record_reading.h"
#include "tools/kblreport/report_figures.h"

// How many bad rows the page lists at the most; the text summary lists every one.
constexpr size_t kPageBadRows = 1000;

// The page's style sheet, for every page made of the report's sections.
extern const char* const kReportStyle;

// A table of the keyboards tested, passed and failed and the yield of each of `groups`, in a section with
// the id `id` under the heading `title`.
std::string YieldTable(const char* id, const std::string& title, const std::vector<GroupYield>& groups);

// The sections below the summary: the yield over time, the Pareto chart, the groups (unless `grouping` is
// None), the layouts, the heat maps per layout, and what test plans found when the records name any.
std::string ReportSections(const ReportFigures& figures, Grouping grouping,
                           const std::vector<LayoutPicture>& pictures);

// The page: the totals, the groups and layouts, the yield over time, the Pareto chart, a heat map per
// layout (from `pictures`, one per layout of the figures) and the bad rows.
std::string ReportPage(const RecordSet& set, const ReportFigures& figures, Grouping grouping,
                       const std::vector<LayoutPicture>& pictures);
