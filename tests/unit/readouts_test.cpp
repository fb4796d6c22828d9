// The readouts: texts, their order, the line of recent presses and the typing rate.
#include "engine/readouts.h"

#include "tests/unit/engine_fixture.h"

namespace {

class Readouts : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        Load({KeyRow("'A'", 30, "A"), KeyRow("'S'", 31, "S"), KeyRow("\"VK_RIGHT\"", 77, "Right", true)});
    }
};

TEST_F(Readouts, AfterAResetInTheirFixedOrder) {
    UpdateReadouts(window);
    EXPECT_EQ(fakePlatform.controlWrites,
              (std::vector<int32_t>{1009, 1008, 1010, 1022, 1015, 1014, 1012, 1011, 1013, 1017}));
    const std::map<int32_t, std::string> expected = {
        {1008, "0 (0x0)"}, {1009, "0 (0x0)"}, {1010, "0ms"}, {1011, "N/A"}, {1012, "N/A"},
        {1013, ""},        {1014, ""},        {1015, ""},    {1017, "0.0"}, {1022, "0ms"}};
    EXPECT_EQ(fakePlatform.controls, expected);
}

TEST_F(Readouts, ShowTheLastEvents) {
    At(1000);
    Down(39, 77, true);
    At(1250);
    Down('A', 30);
    At(1400);
    Up('A', 30);
    EXPECT_EQ(fakePlatform.controls[1008], "65 (0x41)");
    EXPECT_EQ(fakePlatform.controls[1009], "30 (0x1e)");
    EXPECT_EQ(fakePlatform.controls[1014], "");
    EXPECT_EQ(fakePlatform.controls[1010], "150ms");
    EXPECT_EQ(fakePlatform.controls[1022], "250ms");
    EXPECT_EQ(fakePlatform.controls[1012], "A");
    EXPECT_EQ(fakePlatform.controls[1011], "A");
    EXPECT_EQ(fakePlatform.controls[1013], "A Right ");
    EXPECT_EQ(fakePlatform.controls[1017], "4.0");
}

TEST_F(Readouts, TypingRateCoversTheNewestTenPresses) {
    for (int i = 0; i < 11; ++i) {
        At(1000 * (i + 1) - (i == 0 ? 700 : 0));
        Press('A', 30);
    }
    EXPECT_EQ(fakePlatform.controls[1017], "1.0");
}

TEST_F(Readouts, TypingRateNeedsTwoPressesAndAMillisecond) {
    At(10);
    Down('A', 30);
    EXPECT_EQ(fakePlatform.controls[1017], "0.0");
    fakePlatform.counter += kTicksPerMs - 1;
    Down('S', 31);
    EXPECT_EQ(fakePlatform.controls[1017], "0.0");
    fakePlatform.counter += 1;
    Down('S', 31);
    EXPECT_EQ(fakePlatform.controls[1017], "2000.0");
}

TEST_F(Readouts, HistoryLineWrapsAroundTheRing) {
    for (int i = 0; i < 130; ++i) {
        Down(i % 2 == 0 ? 'A' : 'S', i % 2 == 0 ? 30 : 31);
    }
    std::string expected;
    for (int i = 0; i < 50; ++i) {
        expected += "S A ";
    }
    EXPECT_EQ(fakePlatform.controls[1013], expected);
}

TEST_F(Readouts, HistoryLineKeepsWholeLabelsWithinItsBuffer) {
    const std::string label(120, 'L');  // about the longest a layout line can carry
    Load({"65,30,\"" + label + "\",\"false\",0,0,1,2,3,4"});
    for (int i = 0; i < 100; ++i) {
        Down('A', 30);
    }
    const std::string line = fakePlatform.controls[1013];
    EXPECT_EQ(line.size(), 12u * 121u);  // twelve labels and their spaces fit, the thirteenth would not
    EXPECT_EQ(line.substr(0, 121), label + " ");
}

// The line kept up press by press is the line walked from the newest press: mixed label lengths past the
// buffer and the ring, presses with a repeat count, and a reset on the way.
TEST_F(Readouts, HistoryLineKeptUpAsIfWalkedAnew) {
    const std::string longLabel(120, 'L');
    Load({"65,30,\"" + longLabel + "\",\"false\",0,0,1,2,3,4", KeyRow("'S'", 31, "S"),
          KeyRow("'D'", 32, "DD")});
    std::vector<std::string> pressed;  // the labels recorded since the reset, oldest first
    for (int i = 0; i < 400; ++i) {
        const int key = (i * 7 + i / 3) % 3;
        const int repeat = i % 17 == 0 ? 3 : 1;
        Down(key == 0 ? 'A' : key == 1 ? 'S' : 'D', 30 + key, false, repeat);
        pressed.insert(pressed.end(), static_cast<size_t>(repeat),
                       key == 0   ? longLabel
                       : key == 1 ? std::string("S")
                                  : std::string("DD"));
        if (i == 250) {
            ResetTest();
            pressed.clear();
        }
        std::string walked;
        for (size_t n = 0; n < pressed.size() && n < kHistorySize; ++n) {
            const std::string& label = pressed[pressed.size() - 1 - n];
            if (walked.size() + label.size() + 1 >= kHistoryLineCapacity) {
                break;
            }
            walked += label + " ";
        }
        ASSERT_EQ(HistoryLineText(), walked) << "after press " << i;
    }
}

}  // namespace
