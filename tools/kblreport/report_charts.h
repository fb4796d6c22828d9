// The report page's pictures as inline SVG: the yield over time, the Pareto chart of the fail reasons and
// each layout's heat maps of the keys failed keyboards stopped at, of chattering keys and of the phantom and
// ghost keys test plans found, drawn over the keyboard's own picture.
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

// The picture of `picture`'s layout with each of `keys` that has a rectangle on it and a `count` above 0
// coloured after that count. The map of KeyCount::FailedOn draws the picture as the element `pictureId`; the
// maps of the other counts, which the page shows after it, draw that element again rather than a second
// copy of the picture. Each coloured rectangle has the class "heat"; the svg element counts the keys coloured
// in data-heat-keys.
std::string HeatMap(const LayoutPicture& picture, const std::vector<KeyTally>& keys, KeyCount count,
                    const std::string& pictureId);
