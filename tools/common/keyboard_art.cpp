// The look of the layout pictures. A cap is drawn from a mask of its pixels, so the L-shaped Enter key gets
// the same outline and shading as a rectangular one: a dark outline, a light rim above, narrow sides and a
// deeper skirt below, and the flat face that carries the legend.
#include "tools/common/keyboard_art.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "tools/common/pixel_font.h"

namespace {

constexpr Rgb kCaseEdgeColour{30, 33, 38};
constexpr Rgb kCaseRimColour{72, 77, 86};
constexpr Rgb kCapOutlineColour{22, 24, 28};
constexpr Rgb kCapRimColour{252, 252, 253};
constexpr Rgb kCapSideColour{214, 217, 222};
constexpr Rgb kCapSkirtColour{178, 183, 191};
constexpr Rgb kFailOutlineColour{196, 40, 32};
constexpr Rgb kFailSkirtColour{236, 170, 160};
constexpr Rgb kTitleColour{40, 44, 52};
constexpr Rgb kCaptionColour{78, 84, 94};
constexpr Rgb kLightColour{78, 170, 92};
constexpr Rgb kLightLabelColour{176, 182, 191};

// Depth of the cap's shading bands, counted from its outline inwards.
constexpr int kCapTopRim = 2;
constexpr int kCapSide = 2;
constexpr int kCapSkirt = 4;

constexpr int kTitleScale = 2;
constexpr int kTitleLeft = 10;
constexpr int kTitleTop = 22;

struct CapMask {
    Box bounds;
    std::vector<bool> inside;

    bool At(int x, int y) const {
        return x >= 0 && y >= 0 && x < bounds.width && y < bounds.height &&
               inside[static_cast<size_t>(y) * bounds.width + x];
    }
};

Box Union(const Box& a, const Box& b) {
    const int left = std::min(a.left, b.left);
    const int top = std::min(a.top, b.top);
    const int right = std::max(a.left + a.width, b.left + b.width);
    const int bottom = std::max(a.top + a.height, b.top + b.height);
    return Box{left, top, right - left, bottom - top};
}

void AddToMask(CapMask& mask, const Box& box) {
    for (int y = box.top; y < box.top + box.height; ++y) {
        for (int x = box.left; x < box.left + box.width; ++x) {
            mask.inside[static_cast<size_t>(y - mask.bounds.top) * mask.bounds.width +
                        (x - mask.bounds.left)] = true;
        }
    }
}

// True when the centre of pixel (x, y) lies inside the convex outline `corners` (four points, in turn).
bool InsideOutline(const double* corners, int x, int y) {
    int sides = 0;
    for (int i = 0; i < 4; ++i) {
        const double* from = corners + 2 * i;
        const double* to = corners + 2 * ((i + 1) % 4);
        const double cross =
            (to[0] - from[0]) * (y + 0.5 - from[1]) - (to[1] - from[1]) * (x + 0.5 - from[0]);
        sides += cross > 0 ? 1 : cross < 0 ? -1 : 0;
    }
    return sides == 4 || sides == -4;
}

void AddOutlineToMask(CapMask& mask, const double* corners) {
    for (int y = 0; y < mask.bounds.height; ++y) {
        for (int x = 0; x < mask.bounds.width; ++x) {
            if (InsideOutline(corners, mask.bounds.left + x, mask.bounds.top + y)) {
                mask.inside[static_cast<size_t>(y) * mask.bounds.width + x] = true;
            }
        }
    }
}

Box OutlineBounds(const double* corners) {
    double left = corners[0];
    double top = corners[1];
    double right = left;
    double bottom = top;
    for (int i = 1; i < 4; ++i) {
        left = std::min(left, corners[2 * i]);
        right = std::max(right, corners[2 * i]);
        top = std::min(top, corners[2 * i + 1]);
        bottom = std::max(bottom, corners[2 * i + 1]);
    }
    const int boundsLeft = static_cast<int>(std::floor(left));
    const int boundsTop = static_cast<int>(std::floor(top));
    return Box{boundsLeft, boundsTop, static_cast<int>(std::ceil(right)) - boundsLeft,
               static_cast<int>(std::ceil(bottom)) - boundsTop};
}

// The pixels of a key's cap, with every convex corner pixel taken off to round it.
CapMask MakeCapMask(const LayoutKey& key) {
    CapMask mask;
    mask.bounds = key.shape == KeyShape::IsoEnter ? Union(key.box, key.reach)
                  : key.shape == KeyShape::Turned ? OutlineBounds(key.corners)
                                                  : key.box;
    mask.inside.assign(static_cast<size_t>(mask.bounds.width) * mask.bounds.height, false);
    if (key.shape == KeyShape::Turned) {
        AddOutlineToMask(mask, key.corners);
    } else {
        AddToMask(mask, key.box);
    }
    if (key.shape == KeyShape::IsoEnter) {
        AddToMask(mask, key.reach);
    }
    std::vector<bool> rounded = mask.inside;
    for (int y = 0; y < mask.bounds.height; ++y) {
        for (int x = 0; x < mask.bounds.width; ++x) {
            const bool openSide = !mask.At(x - 1, y) || !mask.At(x + 1, y);
            const bool openEnd = !mask.At(x, y - 1) || !mask.At(x, y + 1);
            if (mask.At(x, y) && openSide && openEnd) {
                rounded[static_cast<size_t>(y) * mask.bounds.width + x] = false;
            }
        }
    }
    mask.inside = std::move(rounded);
    return mask;
}

// Steps from (x, y) in direction (dx, dy) to the first pixel outside the mask, at most `limit`.
int StepsToEdge(const CapMask& mask, int x, int y, int dx, int dy, int limit) {
    int steps = 1;
    while (steps < limit && mask.At(x + dx * steps, y + dy * steps)) {
        ++steps;
    }
    return steps;
}

void DrawCapMask(Picture& picture, const CapMask& mask, bool failPlate) {
    const int limit = kCapSkirt + 1;
    for (int y = 0; y < mask.bounds.height; ++y) {
        for (int x = 0; x < mask.bounds.width; ++x) {
            if (!mask.At(x, y)) {
                continue;
            }
            const int up = StepsToEdge(mask, x, y, 0, -1, limit);
            const int down = StepsToEdge(mask, x, y, 0, 1, limit);
            const int side =
                std::min(StepsToEdge(mask, x, y, -1, 0, limit), StepsToEdge(mask, x, y, 1, 0, limit));
            Rgb colour = kCapFaceColour;
            if (up == 1 || down == 1 || side == 1) {
                colour = failPlate ? kFailOutlineColour : kCapOutlineColour;
            } else if (down <= kCapSkirt) {
                colour = failPlate ? kFailSkirtColour : kCapSkirtColour;
            } else if (side <= kCapSide) {
                colour = failPlate ? kFailOutlineColour : kCapSideColour;
            } else if (up <= kCapTopRim) {
                colour = failPlate ? kFailOutlineColour : kCapRimColour;
            }
            picture.Set(mask.bounds.left + x, mask.bounds.top + y, colour);
        }
    }
}

void DrawKey(Picture& picture, const LayoutKey& key) {
    DrawCapMask(picture, MakeCapMask(key), key.shape == KeyShape::FailArea);
    const Box area = LegendArea(key);
    const TextSize size = MeasureText(key.legend, 1);
    DrawTextCentred(picture, area.left + area.width / 2, area.top + (area.height - size.height) / 2,
                    key.legend, kLegendColour, 1);
}

// Fills a rectangle with corners rounded to `radius`, edged in `edge`.
void FillRoundedBox(Picture& picture, const Box& box, int radius, Rgb fill, Rgb edge) {
    const auto inside = [&](int x, int y) {
        const int cx = std::clamp(x, box.left + radius, box.left + box.width - 1 - radius);
        const int cy = std::clamp(y, box.top + radius, box.top + box.height - 1 - radius);
        const int dx = x - cx;
        const int dy = y - cy;
        return x >= box.left && y >= box.top && x < box.left + box.width && y < box.top + box.height &&
               dx * dx + dy * dy <= radius * radius;
    };
    for (int y = box.top; y < box.top + box.height; ++y) {
        for (int x = box.left; x < box.left + box.width; ++x) {
            if (inside(x, y)) {
                const bool edgePixel =
                    !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
                picture.Set(x, y, edgePixel ? edge : fill);
            }
        }
    }
}

void DrawCase(Picture& picture, const Box& box) {
    FillRoundedBox(picture, box, 8, kCaseColour, kCaseEdgeColour);
    picture.FillRectangle(box.left + 8, box.top + 1, box.width - 16, 1, kCaseRimColour);
}

void DrawLockLights(Picture& picture, const Box& box) {
    static const char* const kNames[] = {"Num", "Caps", "Scroll"};
    const int slot = box.width / 3;
    for (int i = 0; i < 3; ++i) {
        const int centre = box.left + slot * i + slot / 2;
        FillRoundedBox(picture, Box{centre - 4, box.top + 4, 8, 6}, 2, kLightColour, kCaseEdgeColour);
        DrawTextCentred(picture, centre, box.top + 15, kNames[i], kLightLabelColour, 1);
    }
}

void DrawDecor(Picture& picture, const Decor& decor) {
    switch (decor.kind) {
        case DecorKind::KeyboardBody:
            DrawCase(picture, decor.box);
            break;
        case DecorKind::MouseBody:
            FillRoundedBox(picture, decor.box, 22, kMouseColour, kCaseEdgeColour);
            break;
        case DecorKind::LockLights:
            DrawLockLights(picture, decor.box);
            break;
        case DecorKind::Caption:
            DrawTextLine(picture, decor.box.left, decor.box.top, decor.text, kCaptionColour, 1);
            break;
    }
}

}  // namespace

Box LegendArea(const LayoutKey& key) {
    const bool reachIsWider = key.shape == KeyShape::IsoEnter && key.reach.width > key.box.width;
    const Box area = reachIsWider ? key.reach : key.box;
    return Box{area.left + kCapSide, area.top + kCapTopRim, area.width - 2 * kCapSide,
               area.height - kCapTopRim - kCapSkirt};
}

Picture DrawLayoutPicture(const LayoutSheet& sheet) {
    Picture picture(kPictureWidth, kPictureHeight, kBackgroundColour);
    DrawTextLine(picture, kTitleLeft, kTitleTop, sheet.title, kTitleColour, kTitleScale);
    for (const Decor& decor : sheet.decor) {
        DrawDecor(picture, decor);
    }
    for (const LayoutKey& key : sheet.keys) {
        DrawKey(picture, key);
    }
    return picture;
}

bool LegendFits(const LayoutKey& key) {
    const Box area = LegendArea(key);
    const TextSize size = MeasureText(key.legend, 1);
    return CanDrawText(key.legend) && size.width <= area.width + 2 && size.height <= area.height;
}
