// The live page's figures, each one query over the tallies of the hours it covers, and its HTML.
#include "tools/kblline/live_page.h"

#include <algorithm>
#include <cstdlib>

#include "base/text_format.h"
#include "tools/kblreport/report_charts.h"
#include "tools/kblreport/report_page.h"

namespace {

int64_t Number(const std::string& text) {
    return std::atoll(text.c_str());
}

bool ReadGroups(SqlDatabase& database, const char* column, const std::string& fromHour,
                std::vector<GroupYield>& groups, std::string& error) {
    SqlResult result;
    if (!SqlExecute(
            database,
            FormatText("SELECT %s, sum(tested), sum(passed) FROM hour_tally WHERE hour >= CAST(? AS BIGINT) "
                       "GROUP BY %s ORDER BY %s",
                       column, column, column),
            {fromHour}, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        groups.push_back({row[0], {Number(row[1]), Number(row[2])}});
    }
    return true;
}

bool ReadPeriods(SqlDatabase& database, const std::string& fromHour, ReportFigures& figures,
                 std::string& error) {
    SqlResult result;
    if (!SqlExecute(database,
                    "SELECT hour, min(label), sum(tested), sum(passed) FROM hour_tally WHERE hour >= CAST(? "
                    "AS BIGINT) "
                    "GROUP BY hour ORDER BY hour",
                    {fromHour}, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        const YieldCount count = {Number(row[2]), Number(row[3])};
        figures.periods.push_back({row[1], count});
        figures.total.tested += count.tested;
        figures.total.passed += count.passed;
    }
    return true;
}

bool ReadReasons(SqlDatabase& database, const std::string& fromHour, ReportFigures& figures,
                 std::string& error) {
    SqlResult result;
    if (!SqlExecute(database,
                    "SELECT reason_key, min(reason_code), min(reason), sum(failed) FROM reason_tally "
                    "WHERE hour >= CAST(? AS BIGINT) GROUP BY reason_key ORDER BY 4 DESC, 1",
                    {fromHour}, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        figures.reasons.push_back({row[1], row[2], Number(row[3])});
    }
    return true;
}

bool ReadKeys(SqlDatabase& database, const std::string& fromHour, ReportFigures& figures,
              std::string& error) {
    SqlResult result;
    if (!SqlExecute(database,
                    "SELECT layout, label, sum(untested), sum(chattered), "
                    "min(CASE WHEN shortest_gap_ms >= 0 THEN shortest_gap_ms END) FROM key_tally "
                    "WHERE hour >= CAST(? AS BIGINT) GROUP BY layout, label",
                    {fromHour}, result, error)) {
        return false;
    }
    for (const SqlRow& row : result.rows) {
        figures.keys.push_back({row[0], row[1], Number(row[2]), Number(row[3]),
                                row[4].empty() ? -1 : static_cast<int32_t>(Number(row[4]))});
    }
    std::sort(figures.keys.begin(), figures.keys.end(), [](const KeyTally& a, const KeyTally& b) {
        if (a.layoutFile != b.layoutFile) {
            return a.layoutFile < b.layoutFile;
        }
        return a.Heat() != b.Heat() ? a.Heat() > b.Heat() : a.label < b.label;
    });
    return true;
}

// The median and the 95th percentile (the nearest rank) of the test times, counted in tenths of a second.
bool ReadTestTimes(SqlDatabase& database, const std::string& fromHour, ReportFigures& figures,
                   std::string& error) {
    SqlResult result;
    if (!SqlExecute(database,
                    "SELECT tenths, sum(keyboards) FROM time_tally WHERE hour >= CAST(? AS BIGINT) "
                    "GROUP BY tenths ORDER BY tenths",
                    {fromHour}, result, error)) {
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

bool ReadEnds(SqlDatabase& database, const std::string& fromHour, ReportFigures& figures,
              std::string& error) {
    SqlResult first;
    SqlResult last;
    const std::string fromSeconds = std::to_string(Number(fromHour) * 3600);
    if (!SqlExecute(database,
                    "SELECT time FROM records WHERE local_seconds >= CAST(? AS BIGINT) "
                    "ORDER BY local_seconds, seq LIMIT 1",
                    {fromSeconds}, first, error) ||
        !SqlExecute(database, "SELECT time FROM records ORDER BY local_seconds DESC, seq DESC LIMIT 1", {},
                    last, error)) {
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

bool ReadLiveFigures(SqlDatabase& database, LiveFigures& live, std::string& error) {
    live = LiveFigures();
    ReportFigures& figures = live.figures;
    figures.periodSeconds = 3600;
    SqlResult latest;
    if (!SqlExecute(database, "SELECT max(hour) FROM hour_tally", {}, latest, error)) {
        return false;
    }
    if (latest.rows.empty() || latest.rows[0][0].empty()) {
        return true;
    }
    const std::string fromHour = std::to_string(Number(latest.rows[0][0]) - kLiveHours + 1);
    return ReadPeriods(database, fromHour, figures, error) &&
           ReadGroups(database, "station", fromHour, live.stations, error) &&
           ReadGroups(database, "layout", fromHour, figures.layouts, error) &&
           ReadReasons(database, fromHour, figures, error) && ReadKeys(database, fromHour, figures, error) &&
           ReadTestTimes(database, fromHour, figures, error) &&
           ReadEnds(database, fromHour, figures, error) &&
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
