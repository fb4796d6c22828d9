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
    "h3{font-size:15px;margin:16px 0 6px}"
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
    html += "</p><section id=\"summary\"><div class=\"figures\">" +
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

std::string KeyTable(const std::vector<KeyTally>& keys, const LayoutPicture& picture) {
    std::string html =
        "<table><tr><th>key</th><th>left untested</th><th>chattered</th><th>shortest gap</th>"
        "<th>on the picture</th></tr>";
    for (const KeyTally& key : keys) {
        bool drawn = false;
        for (const KeyRectangle& rectangle : picture.keys) {
            drawn = drawn || rectangle.label == key.label;
        }
        html += "<tr>" + Cell(key.label) + CountCell(key.untested) + CountCell(key.chattered) +
                Cell(key.shortestGapMs < 0 ? "" : FormatText("%d ms", key.shortestGapMs)) +
                Cell(drawn ? "yes" : "no") + "</tr>";
    }
    return html + "</table>";
}

std::string HeatMaps(const ReportFigures& figures, const std::vector<LayoutPicture>& pictures) {
    std::string html =
        "<section id=\"keys\"><h2>Keys left untested or chattering</h2><p class=\"legend\">A key's number "
        "counts "
        "the keyboards that left it untested and those it chattered on; its colour goes from light yellow "
        "for "
        "the fewest to dark red for the most of its layout.</p>";
    for (const LayoutPicture& picture : pictures) {
        const std::vector<KeyTally> keys = KeysOfLayout(figures.keys, picture.layoutFile);
        html += "<h3>" + EscapeHtml(picture.layoutFile) + "</h3>";
        if (!picture.note.empty()) {
            html += "<p class=\"note\">" + EscapeHtml(picture.note) + "</p>";
        }
        html += HeatMap(picture, keys);
        html += keys.empty() ? "<p>No key was left untested or chattered.</p>" : KeyTable(keys, picture);
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
    return html + YieldTable("layouts", "By layout", figures.layouts) + HeatMaps(figures, pictures);
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
