// The line's live page: the yield of the last day of the line's clock, per hour, per station and per
// layout, the fail reasons, the heat maps and the keyboards tested last, added up from the tallies in the
// database and laid out with the yield report's own sections.
#pragma once

#include <string>
#include <vector>

#include "tools/kblline/line_store.h"
#include "tools/kblreport/layout_pictures.h"
#include "tools/kblreport/report_figures.h"

// The page covers the hours of the line's clock up to the latest record's, this many.
constexpr int64_t kLiveHours = 24;
// How many of the keyboards tested last the page lists.
constexpr size_t kLastKeyboards = 20;
// The browser loads the page again after this many seconds.
constexpr int kRefreshSeconds = 10;

struct LiveFigures {
    ReportFigures figures;
    std::vector<GroupYield> stations;  // by name
    std::vector<StoredRecord> last;    // the latest first
};

// Adds up the figures of the kLiveHours up to the latest record's hour. `nowUtcSeconds` is the server's clock
// (seconds since 1970 in UTC): a record whose local time is past it even at the largest offset, 14 hours, is
// of a station whose clock is wrong and does not move the page's hours.
bool ReadLiveFigures(SqlDatabase& database, int64_t nowUtcSeconds, LiveFigures& live, std::string& error);

// The page, with a heat map for each of `pictures`.
std::string LivePage(const LiveFigures& live, const std::vector<LayoutPicture>& pictures);
