// The main window's layout arithmetic and the centring of dialogs.
#include "base/window_geometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct RowCase {
    int32_t clientWidth;
    bool productionMode;
    int32_t firstLeft;
};

class ButtonRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(ButtonRow, IsCentredWithTruncationTowardZero) {
    const RowCase& row = GetParam();
    const MainWindowLayout layout =
        ComputeMainWindowLayout(row.clientWidth, 600, 62, 23, 120, row.productionMode);
    ASSERT_EQ(layout.buttonCount, row.productionMode ? 6 : 5);
    for (int32_t slot = 0; slot < layout.buttonCount; ++slot) {
        EXPECT_EQ(layout.buttons[slot].left, row.firstLeft + slot * 82);
        EXPECT_EQ(layout.buttons[slot].top, 600 - 23 - 5);
        EXPECT_EQ(layout.buttons[slot].width, 62);
        EXPECT_EQ(layout.buttons[slot].height, 23);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ButtonRow,
                         ::testing::Values(RowCase{800, false, 205}, RowCase{801, false, 205},
                                           RowCase{299, false, -45}, RowCase{800, true, 164},
                                           RowCase{300, true, -86}));

TEST(PictureArea, SpansTheWidthBelowTheStatusLine) {
    const MainWindowLayout layout = ComputeMainWindowLayout(900, 700, 62, 23, 118, false);
    EXPECT_EQ(layout.picture.left, 10);
    EXPECT_EQ(layout.picture.top, 128);
    EXPECT_EQ(layout.picture.width, 880);
    EXPECT_EQ(layout.picture.height, 700 - 128 - 23 - 10);
    const MainWindowLayout tiny = ComputeMainWindowLayout(15, 100, 62, 23, 118, false);
    EXPECT_EQ(tiny.picture.width, -5);
    EXPECT_LT(tiny.picture.height, 0);
}

TEST(PictureArea, ScaleFollowsTheWidth) {
    EXPECT_FLOAT_EQ(PictureScaleFor(875), 1.25f);
    EXPECT_FLOAT_EQ(PictureScaleFor(700), 1.0f);
    EXPECT_FLOAT_EQ(PictureScaleFor(350), 0.5f);
}

struct CenterCase {
    PixelRect owner;
    int32_t x;
    int32_t y;
};

class DialogCentring : public ::testing::TestWithParam<CenterCase> {};

TEST_P(DialogCentring, CentresAndKeepsOnScreen) {
    const CenterCase& row = GetParam();
    int32_t x = 0;
    int32_t y = 0;
    CenterOver(row.owner, 200, 100, 1280, 1024, x, y);
    EXPECT_EQ(x, row.x);
    EXPECT_EQ(y, row.y);
}

INSTANTIATE_TEST_SUITE_P(Rows, DialogCentring,
                         ::testing::Values(CenterCase{{100, 50, 601, 401}, 300, 200},
                                           CenterCase{{-500, -300, 400, 300}, 0, 0},
                                           CenterCase{{1200, 1000, 400, 300}, 1080, 924},
                                           CenterCase{{0, 0, 101, 51}, 0, 0},
                                           CenterCase{{10, 10, 1, 1}, 0, 0}));

// Overlay corners: the sum of a key's origin and extent and its scaled value stay in range for any row
// values.
TEST(OverlayCoordinates, ScaleAndStayInTheGraphicsRange) {
    struct Row {
        int32_t origin;
        int32_t extent;
        float scale;
        int32_t expected;
    };
    const Row rows[] = {
        {30, 45, 1.0f, 75},
        {30, 45, 2.0f, 150},
        {-7, 0, 3.0f, -21},
        {2147483647, 2147483647, 1.0f, 134217727},
        {2147483647, 0, 0.0f, 0},
        {-2147483647 - 1, -2147483647 - 1, 2.0f, -134217728},
        {100000000, 100000000, 1.0f, 134217727},
        {1, 1, std::numeric_limits<float>::quiet_NaN(), 134217727},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ScaledCoordinate(row.origin, row.extent, row.scale), row.expected)
            << row.origin << " + " << row.extent << " at " << row.scale;
    }
}

}  // namespace
