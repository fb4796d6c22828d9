// The report page's pictures as inline SVG: the yield over time, the Pareto chart of the fail reasons and
// each layout's heat map of keys left untested or chattering, drawn over the keyboard's own picture.
#pragma once

#include <string>
#include <vector>

#include "tools/kblreport/layout_pictures.h"
#include "tools/kblreport/report_figures.h"

// `text` with the characters that HTML and SVG give a meaning escaped.
std::string EscapeHtml(const std::string& text);

// `bytes` in base64, as a data: address carries them.
std::string Base64(const std::string& bytes);

// Bars of the keyboards passed and failed per period, and a line of the yield.
std::string YieldChart(const ReportFigures& figures);

// Bars of the fail reasons, most frequent first, and a line of their cumulative share.
std::string ParetoChart(const std::vector<ReasonCount>& reasons);

// The picture of `picture`'s layout with each of `keys` that has a rectangle on it coloured after its heat
// (keyboards that left it untested plus those it chattered on). Each coloured rectangle has the class
// "heat"; the svg element counts the keys coloured in data-heat-keys.
std::string HeatMap(const LayoutPicture& picture, const std::vector<KeyTally>& keys);
