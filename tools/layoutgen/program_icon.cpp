// The program's icon in our own design: a light key cap with a dark outline and a deep lower skirt, seen
// from the front, carrying a green tick for a key that passed. Each size has its own geometry so that its
// edges fall on whole pixels; every pixel is sampled 4 x 4 times to smooth the curves.
#include <algorithm>
#include <cmath>

#include "tools/layoutgen/icon_file.h"

namespace {

struct Point {
    double x;
    double y;
};

struct RoundedBox {
    double left;
    double top;
    double right;
    double bottom;
    double radius;
};

struct IconGeometry {
    int size;
    RoundedBox cap;
    double outline;  // width of the cap's dark outline
    RoundedBox face;
    Point tick[3];
    double tickHalfWidth;
};

constexpr Rgba kOutline{43, 47, 54, 255};
constexpr Rgba kSkirt{169, 176, 186, 255};
constexpr Rgba kFace{244, 245, 247, 255};
constexpr Rgba kTick{35, 160, 74, 255};
constexpr int kSamples = 4;

bool InsideRoundedBox(const RoundedBox& box, Point p) {
    const double cx = std::clamp(p.x, box.left + box.radius, box.right - box.radius);
    const double cy = std::clamp(p.y, box.top + box.radius, box.bottom - box.radius);
    const bool inBounds = p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
    return inBounds && std::hypot(p.x - cx, p.y - cy) <= box.radius;
}

RoundedBox Inset(const RoundedBox& box, double by) {
    return RoundedBox{box.left + by, box.top + by, box.right - by, box.bottom - by,
                      std::max(0.0, box.radius - by)};
}

double DistanceToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The colour of the icon at one sample point; alpha 0 outside the cap.
Rgba SampleIcon(const IconGeometry& icon, Point p) {
    const double tick = std::min(DistanceToSegment(p, icon.tick[0], icon.tick[1]),
                                 DistanceToSegment(p, icon.tick[1], icon.tick[2]));
    if (tick <= icon.tickHalfWidth) {
        return kTick;
    }
    if (InsideRoundedBox(icon.face, p)) {
        return kFace;
    }
    if (InsideRoundedBox(Inset(icon.cap, icon.outline), p)) {
        return kSkirt;
    }
    return InsideRoundedBox(icon.cap, p) ? kOutline : Rgba{};
}

IconImage DrawIcon(const IconGeometry& icon) {
    IconImage image;
    image.size = icon.size;
    for (int y = 0; y < icon.size; ++y) {
        for (int x = 0; x < icon.size; ++x) {
            double red = 0, green = 0, blue = 0, alpha = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba s =
                        SampleIcon(icon, Point{x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples});
                    const double weight = s.alpha / 255.0;
                    red += s.red * weight;
                    green += s.green * weight;
                    blue += s.blue * weight;
                    alpha += weight;
                }
            }
            Rgba pixel;
            if (alpha > 0) {
                pixel.red = static_cast<uint8_t>(std::lround(red / alpha));
                pixel.green = static_cast<uint8_t>(std::lround(green / alpha));
                pixel.blue = static_cast<uint8_t>(std::lround(blue / alpha));
                pixel.alpha = static_cast<uint8_t>(std::lround(alpha * 255.0 / (kSamples * kSamples)));
            }
            image.pixels.push_back(pixel);
        }
    }
    return image;
}

}  // namespace

std::vector<IconImage> DrawProgramIcon() {
    const IconGeometry large{32,
                             RoundedBox{1, 2, 31, 30, 5},
                             1.25,
                             RoundedBox{3.25, 3.5, 28.75, 23.5, 3},
                             {{9, 14}, {13.5, 18.5}, {23, 9}},
                             2.0};
    const IconGeometry small{16,
                             RoundedBox{0.5, 1, 15.5, 15, 3},
                             1,
                             RoundedBox{1.75, 2, 14.25, 11.5, 1.75},
                             {{4.5, 6.75}, {6.75, 9}, {11.5, 4.25}},
                             1.15};
    return {DrawIcon(large), DrawIcon(small)};
}
