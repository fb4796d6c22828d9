// Overlapping keys. Caps are convex outlines (a rectangle, or a turned one), so two of them overlap exactly
// when their shadows overlap on each of their edges' directions (the separating axis test).
#include "tools/kblmake/key_overlaps.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>

namespace {

constexpr double kSameUnits = 0.01;

using Outline = std::array<UnitPoint, 4>;

Outline OutlineOf(const UnitRect& rect) {
    return Outline{UnitPoint{rect.x, rect.y}, UnitPoint{rect.x + rect.width, rect.y},
                   UnitPoint{rect.x + rect.width, rect.y + rect.height},
                   UnitPoint{rect.x, rect.y + rect.height}};
}

// The outlines of a key's cap: its turned outline, or its one or two rectangles.
std::vector<Outline> OutlinesOf(const KleKey& key) {
    if (key.turn != 0) {
        return {key.cap};
    }
    return {OutlineOf(key.main), OutlineOf(key.second)};
}

// How deep two convex outlines reach into each other: the least overlap of their shadows on the directions
// of their edges; at most 0 when they are apart.
double Depth(const Outline& a, const Outline& b) {
    double depth = 1e9;
    for (const Outline* outline : {&a, &b}) {
        for (int edge = 0; edge < 2; ++edge) {
            const UnitPoint& from = (*outline)[static_cast<size_t>(edge)];
            const UnitPoint& to = (*outline)[static_cast<size_t>(edge + 1)];
            const double length = std::hypot(to.x - from.x, to.y - from.y);
            const double axisX = -(to.y - from.y) / length;
            const double axisY = (to.x - from.x) / length;
            double shadows[2][2] = {{1e9, -1e9}, {1e9, -1e9}};
            for (int i = 0; i < 2; ++i) {
                for (const UnitPoint& corner : i == 0 ? a : b) {
                    const double along = corner.x * axisX + corner.y * axisY;
                    shadows[i][0] = std::min(shadows[i][0], along);
                    shadows[i][1] = std::max(shadows[i][1], along);
                }
            }
            depth = std::min(depth,
                             std::min(shadows[0][1], shadows[1][1]) - std::max(shadows[0][0], shadows[1][0]));
        }
    }
    return depth;
}

bool IsOneUprightRect(const KleKey& key) {
    return key.turn == 0 && key.main.x == key.second.x && key.main.y == key.second.y &&
           key.main.width == key.second.width && key.main.height == key.second.height;
}

// Moves the edges where `low` (left or above) meets `high` to the middle of their overlap on one axis.
void MeetHalfway(double& lowStart, double& lowSize, double& highStart, double& highSize) {
    const double middle = (lowStart + lowSize + highStart) / 2;
    lowSize = middle - lowStart;
    highSize -= middle - highStart;
    highStart = middle;
}

}  // namespace

bool RectsOverlap(const UnitRect& a, const UnitRect& b) {
    return std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x) > kSameUnits &&
           std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y) > kSameUnits;
}

void TouchBarelyOverlappingKeys(KleBoard& board, std::vector<std::string>& notes) {
    for (size_t i = 0; i < board.keys.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            KleKey& a = board.keys[j];
            KleKey& b = board.keys[i];
            if (!IsOneUprightRect(a) || !IsOneUprightRect(b) || !RectsOverlap(a.main, b.main)) {
                continue;
            }
            const double across =
                std::min(a.main.x + a.main.width, b.main.x + b.main.width) - std::max(a.main.x, b.main.x);
            const double down =
                std::min(a.main.y + a.main.height, b.main.y + b.main.height) - std::max(a.main.y, b.main.y);
            if (std::min(across, down) >= kTouchTolerance) {
                continue;
            }
            KleKey& low = (across < down ? a.main.x < b.main.x : a.main.y < b.main.y) ? a : b;
            KleKey& high = &low == &a ? b : a;
            if (across < down) {
                MeetHalfway(low.main.x, low.main.width, high.main.x, high.main.width);
            } else {
                MeetHalfway(low.main.y, low.main.height, high.main.y, high.main.height);
            }
            low.second = low.main;
            high.second = high.main;
            std::ostringstream overlap;
            overlap << std::round(std::min(across, down) * 1000) / 1000;
            notes.push_back(DescribeKey(b) + " and " + DescribeKey(a) + " overlapped by " + overlap.str() +
                            " key units: both are shrunk to touch");
        }
    }
}

bool FindOverlap(const KleBoard& board, std::string& error) {
    for (size_t i = 0; i < board.keys.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            for (const Outline& a : OutlinesOf(board.keys[i])) {
                for (const Outline& b : OutlinesOf(board.keys[j])) {
                    if (Depth(a, b) > kSameUnits) {
                        error = DescribeKey(board.keys[i]) + " overlaps " + DescribeKey(board.keys[j]);
                        return true;
                    }
                }
            }
        }
    }
    return false;
}
