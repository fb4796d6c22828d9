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

// The page: the totals, the groups and layouts, the yield over time, the Pareto chart, a heat map per
// layout (from `pictures`, one per layout of the figures) and the bad rows.
std::string ReportPage(const RecordSet& set, const ReportFigures& figures, Grouping grouping,
                       const std::vector<LayoutPicture>& pictures);
