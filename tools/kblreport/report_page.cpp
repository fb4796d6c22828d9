// The report page: its sections in the order a quality engineer reads them, from the yield at a glance down
// to the rows that could not be read.
#include "tools/kblreport/report_page.h"

#include "base/text_format.h"
#include "tools/kblreport/report_charts.h"
#include "tools/kblreport/report_text.h"

const char* const kReportStyle =
    "body{font-family:\"Noto Sans CJK SC\",\"WenQuanYi Zen Hei\",\"Microsoft YaHei\",\"PingFang SC\","
    "sans-serif;margin:24px;color:#222;max-width:1100px}"
    "h1{font-size:24px;margin:0 0 4px}h2{font-size:18px;margin:28px 0 8px;border-bottom:1px solid #ddd}"
    "h3{font-size:15px;margin:16px 0 6px}h4{font-size:13px;margin:10px 0 4px;color:#444}"
    ".figures{display:flex;gap:12px;flex-wrap:wrap}"
    ".figure{border:1px solid #ddd;border-radius:6px;padding:8px 14px;min-width:110px}"
    ".value{display:block;font-size:22px;font-weight:bold}.name{color:#666;font-size:13px}"
    "table{border-collapse:collapse;font-size:13px;margin-top:8px}"
    "th,td{padding:3px 10px;border-bottom:1px solid #eee;text-align:right}"
    "th:first-child,td:first-child{text-align:left}"
    "svg.chart{width:100%;max-width:1000px;height:auto}"
    "svg.heat-map{width:700px;max-width:100%;height:auto;border:1px solid #ccc}"
    ".grid{stroke:#e5e5e5}.axis,.label{font-size:12px;fill:#555}"
    "rect.passed{fill:#43a047}rect.failed{fill:#e53935}rect.reason{fill:#fb8c00}"
    ".line{fill:none;stroke:#1e3a8a;stroke-width:2}.point{fill:#1e3a8a}"
    ".heat{fill-opacity:.6;stroke:#600}"
    ".heat-count{font-size:11px;font-weight:bold;paint-order:stroke;stroke:#fff;stroke-width:3px}"
    ".key{fill:none;stroke:#999}.no-picture{fill:#f4f4f4}"
    ".legend{font-size:13px;color:#555}"
    ".swatch{display:inline-block;width:12px;height:12px;margin:0 4px 0 12px;vertical-align:middle}"
    ".swatch.passed{background:#43a047}.swatch.failed{background:#e53935}.swatch.reason{background:#fb8c00}"
    ".swatch.line{height:3px;background:#1e3a8a}.note{color:#a00}";

namespace {

std::string Cell(const std::string& text) {
    return "<td>" + EscapeHtml(text) + "</td>";
}

std::string CountCell(int64_t count) {
    return FormatText("<td>%lld</td>", static_cast<long long>(count));
}

std::string Figure(const std::string& value, const char* name) {
    return "<div class=\"figure\"><span class=\"value\">" + value + "</span><span class=\"name\">" + name +
           "</span></div>";
}

std::string Legend(std::initializer_list<std::pair<const char*, const char*>> entries) {
    std::string legend = "<p class=\"legend\">";
    for (const auto& [swatch, name] : entries) {
        legend += FormatText("<span class=\"swatch %s\"></span>%s", swatch, name);
    }
    return legend + "</p>";
}

std::string Summary(const RecordSet& set, const ReportFigures& figures) {
    const YieldCount& total = figures.total;
    std::string html = "<h1>Keyboard yield</h1><p>" +
                       FormatText("%lld keyboards in %zu record file%s", static_cast<long long>(total.tested),
                                  set.files.size(), set.files.size() == 1 ? "" : "s");
    if (total.tested > 0) {
        html += ", from " + EscapeHtml(figures.firstTime) + " to " + EscapeHtml(figures.lastTime);
    }
    html += "</p>";
    for (const std::string& note : set.notes) {
        html += "<p class=\"note\">" + EscapeHtml(note) + "</p>";
    }
    html += "<section id=\"summary\"><div class=\"figures\">" +
            Figure(std::to_string(total.tested), "tested") + Figure(std::to_string(total.passed), "passed") +
            Figure(std::to_string(total.Failed()), "failed") +
            Figure(FormatText("%.1f %%", total.Percent()), "yield");
    if (figures.timedCount > 0) {
        html += Figure(FormatText("%.1f s", figures.medianSeconds), "median test time") +
                Figure(FormatText("%.1f s", figures.percentile95Seconds), "95th percentile");
    }
    return html + "</div></section>";
}

}  // namespace

std::string YieldTable(const char* id, const std::string& title, const std::vector<GroupYield>& groups) {
    std::string html =
        FormatText("<section id=\"%s\"><h2>", id) + EscapeHtml(title) +
        "</h2><table><tr><th></th><th>tested</th><th>passed</th><th>failed</th><th>yield</th></tr>";
    for (const GroupYield& group : groups) {
        html += "<tr>" + Cell(ShownName(group.name)) + CountCell(group.count.tested) +
                CountCell(group.count.passed) + CountCell(group.count.Failed()) +
                FormatText("<td>%.1f %%</td></tr>", group.count.Percent());
    }
    return html + "</table></section>";
}

namespace {

std::string Charts(const ReportFigures& figures) {
    std::string html = FormatText("<section id=\"yield-over-time\"><h2>Yield per %s</h2>",
                                  figures.periodSeconds == 3600 ? "hour" : "day") +
                       Legend({{"passed", "passed"}, {"failed", "failed"}, {"line", "yield"}}) +
                       YieldChart(figures) + "</section><section id=\"fail-reasons\"><h2>Fail reasons</h2>";
    if (figures.reasons.empty()) {
        return html + "<p>No keyboard failed.</p></section>";
    }
    return html + Legend({{"reason", "failed keyboards"}, {"line", "cumulative share"}}) +
           ParetoChart(figures.reasons) + "</section>";
}

std::string KeyTable(const std::vector<KeyTally>& keys, const LayoutPicture& picture, bool planColumns) {
    std::string html =
        "<table><tr><th>key</th><th>failed on</th><th>chattered</th><th>shortest gap</th>"
        "<th>left untested</th>";
    html += planColumns ? "<th>phantom</th><th>ghost</th>" : "";
    html += "<th>on the picture</th></tr>";
    for (const KeyTally& key : keys) {
        bool drawn = false;
        for (const KeyRectangle& rectangle : picture.keys) {
            drawn = drawn || rectangle.label == key.label;
        }
        html += "<tr>" + Cell(key.label) + CountCell(key.failedOn) + CountCell(key.chattered) +
                Cell(key.shortestGapMs < 0 ? "" : FormatText("%d ms", key.shortestGapMs)) +
                CountCell(key.untested);
        html += planColumns ? CountCell(key.phantom) + CountCell(key.ghost) : "";
        html += Cell(drawn ? "yes" : "no") + "</tr>";
    }
    return html + "</table>";
}

// How the keys a test plan found are counted, when the records name any.
std::string PlanCounting(const ReportFigures& figures) {
    std::string html;
    if (figures.failedByPlan > 0) {
        html += FormatText(
            "<p class=\"legend\">%lld failed keyboards named a wrong key, a phantom or a ghost: they failed "
            "on "
            "that, so the keys they left untested are not counted as failed on.</p>",
            static_cast<long long>(figures.failedByPlan));
    }
    if (HasPhantomOrGhost(figures.keys)) {
        html +=
            "<p class=\"legend\"><b>Phantom</b>: the keyboards on which the key came while nobody was to "
            "touch "
            "them (a shorted switch or line, a stuck key). <b>Ghost</b>: the keyboards on which the key came "
            "while the rollover step's keys were held, without being one of them. Their maps go from light "
            "blue for the fewest to dark violet for the most.</p>";
    }
    return html;
}

// How each number of the keys is counted, as the page says it above the maps.
std::string KeyCounting(const ReportFigures& figures) {
    return FormatText(
               "<p class=\"legend\"><b>Failed on</b>: the failed keyboards that left the key untested among "
               "at most "
               "%zu keys; the operator stopped there, so the key is the likely fault. A keyboard failed with "
               "more "
               "keys "
               "left untested was stopped early: the keys it had not reached tell nothing, so it names no "
               "key (%lld "
               "keyboards here). <b>Chattered</b>: the keyboards, passed or failed, on which the key "
               "chattered, on "
               "a "
               "map of its own. <b>Left untested</b>, in the tables only: every keyboard that left the key "
               "untested, "
               "passed or failed, however many keys with it. On each map a key's colour goes from light "
               "yellow for "
               "the fewest to dark red for the most of its layout.</p>",
               kFewKeysLeft, static_cast<long long>(figures.stoppedEarly)) +
           PlanCounting(figures);
}

std::string HeatMaps(const ReportFigures& figures, const std::vector<LayoutPicture>& pictures) {
    const bool planColumns = HasPhantomOrGhost(figures.keys);
    std::string html = std::string("<section id=\"keys\"><h2>") +
                       (planColumns ? "Keys failed on, chattering, phantom and ghost"
                                    : "Keys failed on and keys chattering") +
                       "</h2>" + KeyCounting(figures);
    for (size_t i = 0; i < pictures.size(); ++i) {
        const LayoutPicture& picture = pictures[i];
        const std::vector<KeyTally> keys = KeysOfLayout(figures.keys, picture.layoutFile);
        const std::string pictureId = FormatText("picture-%zu", i);
        html += "<h3>" + EscapeHtml(picture.layoutFile) + "</h3>";
        if (!picture.note.empty()) {
            html += "<p class=\"note\">" + EscapeHtml(picture.note) + "</p>";
        }
        html += "<h4>Failed on</h4>" + HeatMap(picture, keys, KeyCount::FailedOn, pictureId) +
                "<h4>Chattered</h4>" + HeatMap(picture, keys, KeyCount::Chattered, pictureId);
        for (const auto& [count, title] : {std::make_pair(KeyCount::Phantom, "Phantom keys"),
                                           std::make_pair(KeyCount::Ghost, "Ghost keys")}) {
            if (!TopKeys(keys, count).empty()) {
                html += std::string("<h4>") + title + "</h4>" + HeatMap(picture, keys, count, pictureId);
            }
        }
        html += keys.empty() ? "<p>No key was left untested or chattered.</p>"
                             : KeyTable(keys, picture, planColumns);
    }
    return html + "</section>";
}

// The wrong pairs, the most frequent first, and the rollover steps: what the test plans found beside the
// keys on the maps. Empty when the records name neither.
std::string PlanFindings(const ReportFigures& figures) {
    if (figures.wrongPairs.empty() && figures.rollovers.empty()) {
        return std::string();
    }
    std::string html = "<section id=\"plan-findings\"><h2>What the test plans found</h2>";
    if (!figures.wrongPairs.empty()) {
        html +=
            "<h3>Wrong keys</h3><p class=\"legend\">A key that came when the plan asked for another: a wrong "
            "or swapped cap, or a switch wired to the wrong line. The same pair on many keyboards of a batch "
            "points at its caps.</p><table id=\"wrong-keys\"><tr><th>layout</th><th>asked for</th>"
            "<th>came</th><th>keyboards</th><th>batches</th></tr>";
        for (size_t i = 0; i < figures.wrongPairs.size() && i < kListedKeys; ++i) {
            const WrongPairCount& pair = figures.wrongPairs[i];
            html += "<tr>" + Cell(pair.layoutFile) + Cell(pair.expected) + Cell(pair.got) +
                    CountCell(pair.keyboards) + Cell(BatchesText(pair)) + "</tr>";
        }
        html += "</table>";
        if (figures.wrongPairs.size() > kListedKeys) {
            html += FormatText("<p>and %zu more pairs</p>", figures.wrongPairs.size() - kListedKeys);
        }
    }
    if (!figures.rollovers.empty()) {
        html +=
            "<h3>Rollover</h3><table id=\"rollover\"><tr><th>layout</th><th>keys required</th>"
            "<th>keyboards</th><th>short of it</th><th>keys held at once x keyboards</th></tr>";
        for (const RolloverCount& rollover : figures.rollovers) {
            html += "<tr>" + Cell(rollover.layoutFile) + CountCell(rollover.required) +
                    CountCell(rollover.keyboards) + CountCell(rollover.shortOf) +
                    Cell(ReachedText(rollover)) + "</tr>";
        }
        html += "</table>";
    }
    return html + "</section>";
}

std::string BadRows(const RecordSet& set) {
    std::string html = FormatText("<section id=\"bad-rows\"><h2>Bad rows: %zu</h2>", set.badRows.size());
    if (set.badRows.empty()) {
        return html + "</section>";
    }
    html += "<ol>";
    for (size_t i = 0; i < set.badRows.size() && i < kPageBadRows; ++i) {
        const BadRow& row = set.badRows[i];
        html += "<li>" +
                EscapeHtml(FormatText("%s:%d: ", set.files[row.file].c_str(), row.line) + row.problem) +
                "</li>";
    }
    html += "</ol>";
    if (set.badRows.size() > kPageBadRows) {
        html +=
            FormatText("<p>and %zu more, listed in the text summary</p>", set.badRows.size() - kPageBadRows);
    }
    return html + "</section>";
}

}  // namespace

std::string ReportSections(const ReportFigures& figures, Grouping grouping,
                           const std::vector<LayoutPicture>& pictures) {
    std::string html = Charts(figures);
    if (grouping != Grouping::None) {
        html += YieldTable("groups", std::string("By ") + GroupingName(grouping), figures.groups);
    }
    return html + YieldTable("layouts", "By layout", figures.layouts) + HeatMaps(figures, pictures) +
           PlanFindings(figures);
}

std::string ReportPage(const RecordSet& set, const ReportFigures& figures, Grouping grouping,
                       const std::vector<LayoutPicture>& pictures) {
    std::string html = std::string("<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">") +
                       "<title>Keyboard yield</title><style>" + kReportStyle + "</style></head><body>" +
                       Summary(set, figures);
    if (figures.total.tested > 0) {
        html += ReportSections(figures, grouping, pictures);
    }
    return html + BadRows(set) + "</body></html>\n";
}
