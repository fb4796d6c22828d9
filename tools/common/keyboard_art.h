// Drawing a layout's picture: the background and title, the keyboard cases, the mouse, and every key as a
// light cap with its legend, each cap exactly on the key's rectangle.
#pragma once

#include "tools/common/bitmap_file.h"
#include "tools/common/layout_picture.h"

// The colours around the caps: the picture's background, the keyboard cases and the mouse shell.
constexpr Rgb kBackgroundColour{230, 232, 236};
constexpr Rgb kCaseColour{51, 55, 62};
constexpr Rgb kMouseColour{62, 67, 75};
// The flat top of every cap and the ink of its legend.
constexpr Rgb kCapFaceColour{243, 244, 246};
constexpr Rgb kLegendColour{38, 40, 44};

// The picture of `sheet`, kPictureWidth x kPictureHeight pixels.
Picture DrawLayoutPicture(const LayoutSheet& sheet);

// The part of a key's cap that carries its legend: inside the cap's shading, on the wider of a two-part key's
// rectangles (the upper part of an L-shaped Enter key).
Box LegendArea(const LayoutKey& key);

// True when the key's legend can be drawn and lies inside its cap.
bool LegendFits(const LayoutKey& key);
