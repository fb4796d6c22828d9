// The arithmetic of the main window's layout and of centring a dialog over its owner.
#pragma once

#include <cstdint>

struct PixelRect {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

// The area of a layout's bitmap that the picture shows, in pixels: every layout's key rectangles are in it,
// and the picture control scales it to its own width.
constexpr int kPictureWidth = 700;
constexpr int kPictureHeight = 340;

constexpr int kButtonRowSlotsMax = 6;

// Where the picture and the buttons of the bottom row go in a client area of `clientWidth` x `clientHeight`.
// The buttons take their slots in the order LED test, Clear, Fail (production mode only), About, Help, Exit.
struct MainWindowLayout {
    PixelRect picture;
    int32_t buttonCount;
    PixelRect buttons[kButtonRowSlotsMax];
};

// `buttonWidth` and `buttonHeight` are the Exit button's client size, `statusBottom` the bottom edge of the
// status line in client coordinates. Nothing is clamped: a very small window gives an empty picture.
MainWindowLayout ComputeMainWindowLayout(int32_t clientWidth, int32_t clientHeight, int32_t buttonWidth,
                                         int32_t buttonHeight, int32_t statusBottom, bool productionMode);

// The picture's zoom: its client width over the 700 pixels of a layout bitmap.
float PictureScaleFor(int32_t pictureClientWidth);

// The picture's coordinate of the bitmap coordinate `origin` + `extent` at zoom `scale`: the product taken in
// float and truncated toward zero, kept within the coordinates the graphics system accepts (±2^27). The sum
// and the conversion cannot overflow, whatever a layout row holds.
int32_t ScaledCoordinate(int32_t origin, int32_t extent, float scale);

// The top-left corner that centres a `dialogWidth` x `dialogHeight` dialog over `owner`, kept on a screen of
// `screenWidth` x `screenHeight`.
void CenterOver(const PixelRect& owner, int32_t dialogWidth, int32_t dialogHeight, int32_t screenWidth,
                int32_t screenHeight, int32_t& x, int32_t& y);
