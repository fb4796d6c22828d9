// The report page's charts, drawn as inline SVG in a 1000 x 290 frame: bars on a count axis at the left,
// a line on a percent axis at the right. The heat map is the layout's 700 x 340 picture area.
#include "tools/kblreport/report_charts.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "base/text_format.h"
#include "tools/kblreport/report_text.h"

namespace {

constexpr double kChartWidth = 1000;
constexpr double kChartHeight = 290;
constexpr double kPlotLeft = 60;
constexpr double kPlotRight = 940;
constexpr double kPlotTop = 20;
constexpr double kPlotBottom = 250;
constexpr int kGridSteps = 4;
constexpr double kWidestBar = 80;
// The most labels under the bars of the yield chart, each "12-07 08:00" fitting its place; every bar's title
// names its period.
constexpr size_t kMostPeriodLabels = 10;

struct Segment {
    int64_t value;
    const char* cssClass;
};

struct Bar {
    std::string label;  // under the bar
    std::string title;  // shown when the pointer rests on the bar
    std::vector<Segment> segments;
    double percent;  // the line's point over the bar, 0 to 100
};

// The step of the count axis: 1, 2 or 5 times a power of ten, so that kGridSteps steps reach `largest`.
int64_t GridStep(int64_t largest) {
    for (int64_t power = 1;; power *= 10) {
        for (const int64_t factor : {1, 2, 5}) {
            if (factor * power * kGridSteps >= largest) {
                return factor * power;
            }
        }
    }
}

std::string BarChart(const char* id, const std::vector<Bar>& bars, size_t labelEvery) {
    int64_t largest = 0;
    for (const Bar& bar : bars) {
        int64_t sum = 0;
        for (const Segment& segment : bar.segments) {
            sum += segment.value;
        }
        largest = std::max(largest, sum);
    }
    const int64_t step = GridStep(largest);
    const double plotHeight = kPlotBottom - kPlotTop;
    const double perCount = plotHeight / static_cast<double>(step * kGridSteps);
    std::string svg =
        FormatText("<svg id=\"%s\" class=\"chart\" viewBox=\"0 0 %g %g\">", id, kChartWidth, kChartHeight);
    for (int i = 0; i <= kGridSteps; ++i) {
        const double y = kPlotBottom - plotHeight * i / kGridSteps;
        svg += FormatText(
            "<line class=\"grid\" x1=\"%g\" y1=\"%.1f\" x2=\"%g\" y2=\"%.1f\"/>"
            "<text class=\"axis\" x=\"%g\" y=\"%.1f\" text-anchor=\"end\">%lld</text>"
            "<text class=\"axis\" x=\"%g\" y=\"%.1f\">%d %%</text>",
            kPlotLeft, y, kPlotRight, y, kPlotLeft - 6, y + 4, static_cast<long long>(step * i),
            kPlotRight + 6, y + 4, 100 * i / kGridSteps);
    }
    const double slot = (kPlotRight - kPlotLeft) / static_cast<double>(bars.size());
    const double barWidth = std::min(slot * 0.7, kWidestBar);
    std::string points;
    for (size_t i = 0; i < bars.size(); ++i) {
        const Bar& bar = bars[i];
        const double middle = kPlotLeft + slot * (static_cast<double>(i) + 0.5);
        const double left = middle - barWidth / 2;
        svg += "<g class=\"bar\"><title>" + EscapeHtml(bar.title) + "</title>";
        double top = kPlotBottom;
        for (const Segment& segment : bar.segments) {
            const double height = static_cast<double>(segment.value) * perCount;
            top -= height;
            svg += FormatText("<rect class=\"%s\" x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\"/>",
                              segment.cssClass, left, top, barWidth, height);
        }
        svg += "</g>";
        const double lineY = kPlotBottom - plotHeight * bar.percent / 100.0;
        points += FormatText("%.1f,%.1f ", middle, lineY);
        svg += FormatText("<circle class=\"point\" cx=\"%.1f\" cy=\"%.1f\" r=\"3\"/>", middle, lineY);
        if (i % labelEvery == 0) {
            svg += FormatText("<text class=\"label\" x=\"%.1f\" y=\"%g\" text-anchor=\"middle\">", middle,
                              kPlotBottom + 18) +
                   EscapeHtml(bar.label) + "</text>";
        }
    }
    return svg + "<polyline class=\"line\" points=\"" + points + "\"/></svg>";
}

// A colour from light yellow (the coolest key) to dark red (the hottest); for the keys a test plan found,
// which the page tells apart from keys failed on and chattering, from light blue to dark violet.
std::string HeatColour(int64_t heat, int64_t hottest, KeyCount count) {
    const double t = hottest <= 1 ? 1.0 : static_cast<double>(heat - 1) / static_cast<double>(hottest - 1);
    if (count == KeyCount::Phantom || count == KeyCount::Ghost) {
        return FormatText("rgb(%ld,%ld,%ld)", std::lround(190 - 106 * t), std::lround(215 - 176 * t),
                          std::lround(240 - 97 * t));
    }
    return FormatText("rgb(%ld,%ld,%ld)", std::lround(255 - 63 * t), std::lround(214 * (1 - t)),
                      std::lround(120 * (1 - t)));
}

// The name of `count` in a map's data-count.
const char* CountName(KeyCount count) {
    static constexpr const char* kNames[] = {"failed-on", "chattered", "phantom", "ghost"};
    return kNames[static_cast<size_t>(count)];
}

std::string KeyTitle(const KeyTally& key) {
    std::string title =
        FormatText(": failed on %lld keyboards, chattered on %lld", static_cast<long long>(key.failedOn),
                   static_cast<long long>(key.chattered));
    if (key.shortestGapMs >= 0) {
        title += FormatText(" (shortest gap %d ms)", key.shortestGapMs);
    }
    title += FormatText(", left untested on %lld", static_cast<long long>(key.untested));
    if (key.phantom > 0 || key.ghost > 0) {
        title += FormatText(", phantom on %lld, ghost on %lld", static_cast<long long>(key.phantom),
                            static_cast<long long>(key.ghost));
    }
    return EscapeHtml(key.label + title);
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string Base64(const std::string& bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded;
    encoded.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<uint32_t>(static_cast<uint8_t>(bytes[i])) << 16;
        const size_t count = std::min<size_t>(3, bytes.size() - i);
        for (size_t j = 1; j < count; ++j) {
            group |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[i + j])) << (16 - 8 * j);
        }
        for (size_t j = 0; j < 4; ++j) {
            encoded += j <= count ? kDigits[(group >> (18 - 6 * j)) & 0x3F] : '=';
        }
    }
    return encoded;
}

std::string YieldChart(const ReportFigures& figures) {
    std::vector<Bar> bars;
    for (const Period& period : figures.periods) {
        const YieldCount& count = period.count;
        bars.push_back(
            {period.label.substr(5),  // without the year, which the page's first line gives
             FormatText("%s: %lld tested, %lld passed, %lld failed, yield %.1f %%", period.label.c_str(),
                        static_cast<long long>(count.tested), static_cast<long long>(count.passed),
                        static_cast<long long>(count.Failed()), count.Percent()),
             {{count.passed, "passed"}, {count.Failed(), "failed"}},
             count.Percent()});
    }
    return BarChart("yield-chart", bars, (bars.size() + kMostPeriodLabels - 1) / kMostPeriodLabels);
}

std::string ParetoChart(const std::vector<ReasonCount>& reasons) {
    int64_t failed = 0;
    for (const ReasonCount& reason : reasons) {
        failed += reason.count;
    }
    std::vector<Bar> bars;
    int64_t cumulative = 0;
    for (const ReasonCount& reason : reasons) {
        cumulative += reason.count;
        const double share = 100.0 * static_cast<double>(reason.count) / static_cast<double>(failed);
        const double cumulativeShare = 100.0 * static_cast<double>(cumulative) / static_cast<double>(failed);
        bars.push_back({ShownName(reason.text.empty() ? reason.code : reason.text),
                        FormatText("%s: %lld keyboards, %.1f %% of the failures, %.1f %% cumulative",
                                   ReasonName(reason).c_str(), static_cast<long long>(reason.count), share,
                                   cumulativeShare),
                        {{reason.count, "reason"}},
                        cumulativeShare});
    }
    return BarChart("pareto-chart", bars, 1);
}

std::string HeatMap(const LayoutPicture& picture, const std::vector<KeyTally>& keys, KeyCount count,
                    const std::string& pictureId) {
    std::unordered_multimap<std::string, const KeyRectangle*> rectanglesOf;
    for (const KeyRectangle& rectangle : picture.keys) {
        rectanglesOf.emplace(rectangle.label, &rectangle);
    }
    int64_t hottest = 0;
    for (const KeyTally& key : keys) {
        hottest = std::max(hottest, CountOf(key, count));
    }
    std::string heat;
    size_t keysColoured = 0;
    for (const KeyTally& key : keys) {
        const int64_t value = CountOf(key, count);
        const auto [first, last] = rectanglesOf.equal_range(key.label);
        if (value == 0 || first == last) {
            continue;
        }
        ++keysColoured;
        for (auto found = first; found != last; ++found) {
            const KeyRectangle& at = *found->second;
            heat += FormatText(
                "<rect class=\"heat\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" "
                "fill=\"%s\"><title>%s</title>"
                "</rect><text class=\"heat-count\" x=\"%d\" y=\"%d\" text-anchor=\"end\">%lld</text>",
                at.left, at.top, at.width, at.height, HeatColour(value, hottest, count).c_str(),
                KeyTitle(key).c_str(), at.left + at.width - 2, at.top + at.height - 3,
                static_cast<long long>(value));
        }
    }
    std::string svg = FormatText(
        "<svg class=\"heat-map\" viewBox=\"0 0 700 340\" data-layout=\"%s\" data-count=\"%s\" "
        "data-heat-keys=\"%zu\">",
        EscapeHtml(picture.layoutFile).c_str(), CountName(count), keysColoured);
    if (picture.bitmap.empty()) {
        svg += "<rect class=\"no-picture\" width=\"700\" height=\"340\"/>";
        for (const KeyRectangle& rectangle : picture.keys) {
            svg += FormatText("<rect class=\"key\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\"/>",
                              rectangle.left, rectangle.top, rectangle.width, rectangle.height);
        }
    } else if (count != KeyCount::FailedOn) {
        svg += "<use href=\"#" + pictureId + "\"/>";
    } else {
        svg += FormatText(
                   "<image id=\"%s\" x=\"0\" y=\"0\" width=\"%d\" height=\"%d\" "
                   "preserveAspectRatio=\"none\" href=\"data:image/bmp;base64,",
                   pictureId.c_str(), picture.width, picture.height) +
               Base64(picture.bitmap) + "\"/>";
    }
    return svg + heat + "</svg>";
}
