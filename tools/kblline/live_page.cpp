// The live page's figures, each one query over the tallies of the hours it covers, and its HTML.
#include "tools/kblline/live_page.h"

#include <algorithm>
#include <cstdlib>

#include "base/text_format.h"
#include "tools/kblreport/report_charts.h"
#include "tools/kblreport/report_page.h"

namespace {

constexpr int64_t kHour = 3600;
constexpr int64_t kLargestUtcOffsetSeconds = 14 * kHour;

// The hours the page covers, as numbers of hours since 1970-01-01 00:00 of the line's clock.
struct LiveHours {
    int64_t first = 0;
    int64_t last = 0;
};

int64_t Number(const std::string& text) {
    return std::atoll(text.c_str());
}

// Runs `sql` over the tallies of `hours`, which "@HOURS" in its WHERE stands for.
bool TallyQuery(SqlDatabase& database, std::string sql, const LiveHours& hours, SqlResult& result,
                std::string& error) {
    sql.replace(sql.find("@HOURS"), 6, "hour >= CAST(? AS BIGINT) AND hour <= CAST(? AS BIGINT)");
    return SqlExecute(database, sql, {std::to_string(hours.first), std::to_string(hours.last)}, result,
                      error);
}

bool ReadGroups(SqlDatabase& database, const char* column, const LiveHours& hours,
                std::vector<GroupYield>& groups, std::string& error) {
    SqlResult result;
    if (!TallyQuery(database,
                    FormatText("SELECT %s, sum(tested), sum(passed) FROM hour_tally WHERE @HOURS GROUP BY %s "
                               "ORDER BY %s",
                               column, column, column),
                    hours, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        groups.push_back({row[0], {Number(row[1]), Number(row[2])}});
    }
    return true;
}

bool ReadPeriods(SqlDatabase& database, const LiveHours& hours, ReportFigures& figures, std::string& error) {
    SqlResult result;
    if (!TallyQuery(database,
                    "SELECT hour, min(label), sum(tested), sum(passed), sum(plan_failed) FROM hour_tally "
                    "WHERE @HOURS GROUP BY hour ORDER BY hour",
                    hours, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        const YieldCount count = {Number(row[2]), Number(row[3])};
        figures.periods.push_back({row[1], count});
        figures.total.tested += count.tested;
        figures.total.passed += count.passed;
        figures.failedByPlan += Number(row[4]);
    }
    return true;
}

bool ReadReasons(SqlDatabase& database, const LiveHours& hours, ReportFigures& figures, std::string& error) {
    SqlResult result;
    if (!TallyQuery(database,
                    "SELECT reason_key, min(reason_code), min(reason), sum(failed) FROM reason_tally "
                    "WHERE @HOURS GROUP BY reason_key ORDER BY 4 DESC, 1",
                    hours, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        figures.reasons.push_back({row[1], row[2], Number(row[3])});
    }
    return true;
}

bool ReadKeys(SqlDatabase& database, const LiveHours& hours, ReportFigures& figures, std::string& error) {
    SqlResult result;
    if (!TallyQuery(database,
                    "SELECT layout, label, sum(untested), sum(chattered), "
                    "min(CASE WHEN shortest_gap_ms >= 0 THEN shortest_gap_ms END), sum(phantom), sum(ghost) "
                    "FROM key_tally WHERE @HOURS GROUP BY layout, label",
                    hours, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        figures.keys.push_back({row[0], row[1], Number(row[2]), Number(row[3]), Number(row[2]),
                                row[4].empty() ? -1 : static_cast<int32_t>(Number(row[4])), Number(row[5]),
                                Number(row[6])});
    }
    std::sort(figures.keys.begin(), figures.keys.end(), [](const KeyTally& a, const KeyTally& b) {
        if (a.layoutFile != b.layoutFile) {
            return a.layoutFile < b.layoutFile;
        }
        const int64_t heatA = a.failedOn + a.chattered;
        const int64_t heatB = b.failedOn + b.chattered;
        if (heatA != heatB) {
            return heatA > heatB;
        }
        return a.phantom + a.ghost != b.phantom + b.ghost ? a.phantom + a.ghost > b.phantom + b.ghost
                                                          : a.label < b.label;
    });
    return true;
}

// The wrong pairs the plans found, the most keyboards first, each with its batches, the most keyboards first.
bool ReadWrongPairs(SqlDatabase& database, const LiveHours& hours, ReportFigures& figures,
                    std::string& error) {
    SqlResult result;
    if (!TallyQuery(database,
                    "SELECT layout, expected, got, batch, sum(keyboards) FROM wrong_tally WHERE @HOURS "
                    "GROUP BY layout, expected, got, batch ORDER BY layout, expected, got, 5 DESC, batch",
                    hours, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        if (figures.wrongPairs.empty() || figures.wrongPairs.back().layoutFile != row[0] ||
            figures.wrongPairs.back().expected != row[1] || figures.wrongPairs.back().got != row[2]) {
            WrongPairCount pair;
            pair.layoutFile = row[0];
            pair.expected = row[1];
            pair.got = row[2];
            figures.wrongPairs.push_back(std::move(pair));
        }
        figures.wrongPairs.back().keyboards += Number(row[4]);
        figures.wrongPairs.back().batches.emplace_back(row[3], Number(row[4]));
    }
    std::stable_sort(
        figures.wrongPairs.begin(), figures.wrongPairs.end(),
        [](const WrongPairCount& a, const WrongPairCount& b) { return a.keyboards > b.keyboards; });
    return true;
}

// The rollover steps by layout and keys required, each with the keys held at once, the most first.
bool ReadRollovers(SqlDatabase& database, const LiveHours& hours, ReportFigures& figures,
                   std::string& error) {
    SqlResult result;
    if (!TallyQuery(database,
                    "SELECT layout, required, reached, sum(keyboards) FROM rollover_tally WHERE @HOURS "
                    "GROUP BY layout, required, reached ORDER BY layout, required, reached DESC",
                    hours, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        const auto required = static_cast<int32_t>(Number(row[1]));
        const auto reached = static_cast<int32_t>(Number(row[2]));
        const int64_t keyboards = Number(row[3]);
        if (figures.rollovers.empty() || figures.rollovers.back().layoutFile != row[0] ||
            figures.rollovers.back().required != required) {
            RolloverCount count;
            count.layoutFile = row[0];
            count.required = required;
            figures.rollovers.push_back(std::move(count));
        }
        RolloverCount& count = figures.rollovers.back();
        count.keyboards += keyboards;
        count.shortOf += reached < required ? keyboards : 0;
        count.reached.emplace_back(reached, keyboards);
    }
    return true;
}

// The median and the 95th percentile (the nearest rank) of the test times, counted in tenths of a second.
bool ReadTestTimes(SqlDatabase& database, const LiveHours& hours, ReportFigures& figures,
                   std::string& error) {
    SqlResult result;
    if (!TallyQuery(
            database,
            "SELECT tenths, sum(keyboards) FROM time_tally WHERE @HOURS GROUP BY tenths ORDER BY tenths",
            hours, result, error)) {
        return false;
    }
    int64_t count = 0;
    for (const SqlRow& row : result.rows) {
        count += Number(row[1]);
    }
    figures.timedCount = count;
    // The seconds of the keyboard at `rank` (from 1) in the order of their test times.
    const auto secondsAt = [&](int64_t rank) {
        int64_t seen = 0;
        for (const SqlRow& row : result.rows) {
            seen += Number(row[1]);
            if (seen >= rank) {
                return static_cast<double>(Number(row[0])) / 10.0;
            }
        }
        return 0.0;
    };
    if (count > 0) {
        figures.medianSeconds = count % 2 == 1 ? secondsAt(count / 2 + 1)
                                               : (secondsAt(count / 2) + secondsAt(count / 2 + 1)) / 2.0;
        figures.percentile95Seconds = secondsAt((count * 95 + 99) / 100);
    }
    return true;
}

// The earliest and the latest record's time within the hours.
bool ReadEnds(SqlDatabase& database, const LiveHours& hours, ReportFigures& figures, std::string& error) {
    const std::vector<std::string> span = {std::to_string(hours.first * kHour),
                                           std::to_string((hours.last + 1) * kHour)};
    const std::string where =
        "SELECT time FROM records WHERE local_seconds >= CAST(? AS BIGINT) AND local_seconds < CAST(? AS "
        "BIGINT) ";
    SqlResult first;
    SqlResult last;
    if (!SqlExecute(database, where + "ORDER BY local_seconds, seq LIMIT 1", span, first, error) ||
        !SqlExecute(database, where + "ORDER BY local_seconds DESC, seq DESC LIMIT 1", span, last, error)) {
        return false;
    }
    figures.firstTime = first.rows.empty() ? "" : first.rows[0][0];
    figures.lastTime = last.rows.empty() ? "" : last.rows[0][0];
    return true;
}

std::string FigureBox(const std::string& value, const char* name) {
    return "<div class=\"figure\"><span class=\"value\">" + value + "</span><span class=\"name\">" + name +
           "</span></div>";
}

std::string Summary(const ReportFigures& figures) {
    const YieldCount& total = figures.total;
    std::string html =
        FormatText("<h1>Line yield</h1><p>%lld keyboards in the last %lld hours of the line's clock",
                   static_cast<long long>(total.tested), static_cast<long long>(kLiveHours));
    if (total.tested > 0) {
        html += ", from " + EscapeHtml(figures.firstTime) + " to " + EscapeHtml(figures.lastTime);
    }
    html += FormatText(". The page refreshes itself every %d s.</p>", kRefreshSeconds) +
            "<section id=\"summary\"><div class=\"figures\">" +
            FigureBox(std::to_string(total.tested), "tested") +
            FigureBox(std::to_string(total.passed), "passed") +
            FigureBox(std::to_string(total.Failed()), "failed") +
            FigureBox(FormatText("%.1f %%", total.Percent()), "yield");
    if (figures.timedCount > 0) {
        html += FigureBox(FormatText("%.1f s", figures.medianSeconds), "median test time") +
                FigureBox(FormatText("%.1f s", figures.percentile95Seconds), "95th percentile");
    }
    return html + "</div></section>";
}

std::string LastKeyboards(const std::vector<StoredRecord>& last) {
    std::string html =
        "<section id=\"last-keyboards\"><h2>Last keyboards</h2><table><tr><th>time</th><th>station</th>"
        "<th>operator</th><th>product</th><th>serial</th><th>layout</th><th>verdict</th><th>reason</th></tr>";
    for (const StoredRecord& stored : last) {
        const KeyboardRecord& row = stored.record.row;
        html += "<tr>";
        for (const std::string* text : {&row.time, &stored.record.station, &row.operatorId, &row.productId,
                                        &row.serial, &row.layoutFile}) {
            html += "<td>" + EscapeHtml(*text) + "</td>";
        }
        html += std::string("<td>") + (row.passed ? "PASS" : "FAIL") + "</td><td>" + EscapeHtml(row.reason) +
                "</td></tr>";
    }
    return html + "</table></section>";
}

}  // namespace

bool ReadLiveFigures(SqlDatabase& database, int64_t nowUtcSeconds, LiveFigures& live, std::string& error) {
    live = LiveFigures();
    ReportFigures& figures = live.figures;
    figures.periodSeconds = kHour;
    SqlResult latest;
    if (!SqlExecute(database, "SELECT max(hour) FROM hour_tally WHERE hour <= CAST(? AS BIGINT)",
                    {std::to_string((nowUtcSeconds + kLargestUtcOffsetSeconds) / kHour)}, latest, error)) {
        return false;
    }
    if (latest.rows.empty() || latest.rows[0][0].empty()) {
        return true;
    }
    const LiveHours hours = {Number(latest.rows[0][0]) - kLiveHours + 1, Number(latest.rows[0][0])};
    return ReadPeriods(database, hours, figures, error) &&
           ReadGroups(database, "station", hours, live.stations, error) &&
           ReadGroups(database, "layout", hours, figures.layouts, error) &&
           ReadReasons(database, hours, figures, error) && ReadKeys(database, hours, figures, error) &&
           ReadTestTimes(database, hours, figures, error) &&
           ReadWrongPairs(database, hours, figures, error) &&
           ReadRollovers(database, hours, figures, error) && ReadEnds(database, hours, figures, error) &&
           ReadLatestRecords(database, kLastKeyboards, live.last, error);
}

std::string LivePage(const LiveFigures& live, const std::vector<LayoutPicture>& pictures) {
    std::string html = FormatText(
                           "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
                           "<meta http-equiv=\"refresh\" content=\"%d\"><title>Line yield</title><style>",
                           kRefreshSeconds) +
                       kReportStyle + "</style></head><body>" + Summary(live.figures);
    if (live.figures.total.tested > 0) {
        html += YieldTable("stations", "By station", live.stations) +
                ReportSections(live.figures, Grouping::None, pictures) + LastKeyboards(live.last);
    }
    return html + "</body></html>\n";
}
