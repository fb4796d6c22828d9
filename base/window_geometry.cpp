// The arithmetic of the main window's layout and of centring a dialog over its owner.
#include "base/window_geometry.h"

namespace {

constexpr int32_t kPictureMargin = 10;
constexpr int32_t kButtonGap = 20;
constexpr int32_t kButtonRowBottomGap = 5;

int32_t KeepOnScreen(int32_t position, int32_t size, int32_t screenSize) {
    if (position < 0) {
        return 0;
    }
    if (position + size > screenSize) {
        return screenSize - size;
    }
    return position;
}

}  // namespace

MainWindowLayout ComputeMainWindowLayout(int32_t clientWidth, int32_t clientHeight, int32_t buttonWidth,
                                         int32_t buttonHeight, int32_t statusBottom, bool productionMode) {
    MainWindowLayout layout = {};
    const int32_t pictureTop = statusBottom + kPictureMargin;
    layout.picture = {kPictureMargin, pictureTop, clientWidth - 2 * kPictureMargin,
                      clientHeight - pictureTop - buttonHeight - kPictureMargin};
    layout.buttonCount = productionMode ? 6 : 5;
    const int32_t rowTop = layout.picture.top + layout.picture.height + kButtonRowBottomGap;
    int32_t x = (clientWidth - layout.buttonCount * (buttonWidth + kButtonGap) + kButtonGap) / 2;
    for (int32_t slot = 0; slot < layout.buttonCount; ++slot) {
        layout.buttons[slot] = {x, rowTop, buttonWidth, buttonHeight};
        x += buttonWidth + kButtonGap;
    }
    return layout;
}

int32_t ScaledCoordinate(int32_t origin, int32_t extent, float scale) {
    constexpr float kCoordinateLimit = 134217728.0f;  // 2^27
    const float scaled = static_cast<float>(static_cast<int64_t>(origin) + extent) * scale;
    if (!(scaled < kCoordinateLimit)) {
        return static_cast<int32_t>(kCoordinateLimit) - 1;  // also a product that is no number
    }
    if (scaled <= -kCoordinateLimit) {
        return -static_cast<int32_t>(kCoordinateLimit);
    }
    return static_cast<int32_t>(scaled);
}

float PictureScaleFor(int32_t pictureClientWidth) {
    return static_cast<float>(pictureClientWidth / static_cast<double>(kPictureWidth));
}

void CenterOver(const PixelRect& owner, int32_t dialogWidth, int32_t dialogHeight, int32_t screenWidth,
                int32_t screenHeight, int32_t& x, int32_t& y) {
    x = KeepOnScreen((owner.width - dialogWidth) / 2 + owner.left, dialogWidth, screenWidth);
    y = KeepOnScreen((owner.height - dialogHeight) / 2 + owner.top, dialogHeight, screenHeight);
}
