// Decoding the shared block: the fields as the tester's own link code leaves them, numbers, texts cut at
// their area, and the printable form of texts.
#include "tools/hostsim/block_snapshot.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tools/hostsim/tester_block_fake.h"

namespace {

using BlockSnapshotTest = TesterBlockTest;

TEST_F(BlockSnapshotTest, ZeroFilledBlockHoldsOnlyTheRunFlag) {
    const BlockSnapshot snapshot = ReadTesterBlock();
    EXPECT_EQ(snapshot.runFlag, 1u);
    EXPECT_EQ(snapshot.ready, 0);
    EXPECT_EQ(snapshot.pluginState, 0);
    EXPECT_EQ(snapshot.pluginName, "");
}

TEST_F(BlockSnapshotTest, OpenedLinkReadsAsTheTesterFilledIt) {
    ASSERT_TRUE(OpenTesterLink());
    const BlockSnapshot snapshot = ReadTesterBlock();
    EXPECT_EQ(snapshot.runFlag, 1u);
    EXPECT_EQ(snapshot.ready, 1);
    EXPECT_EQ(snapshot.pluginName, "Dorvelquinta");
    EXPECT_EQ(snapshot.pluginState, -1);
    EXPECT_EQ(snapshot.statusText, "        ");
    EXPECT_EQ(snapshot.messageCount, 0u);
    EXPECT_EQ(snapshot.messageText, "");
    EXPECT_EQ(snapshot.messageCode, 0u);
    EXPECT_EQ(snapshot.messagePending, 0);
    EXPECT_EQ(snapshot.counterLabels[0], "    :");
    EXPECT_EQ(snapshot.counterLabels[1], "");
    EXPECT_EQ(snapshot.counterLabels[2], "");
    EXPECT_EQ(snapshot.counterValues[0], 0);
    EXPECT_EQ(snapshot.counterValues[1], -1);
    EXPECT_EQ(snapshot.counterValues[2], -1);
}

TEST_F(BlockSnapshotTest, OperationsAndFailureMessageReadBack) {
    ASSERT_TRUE(OpenTesterLink());
    for (int i = 0; i < 300; ++i) {
        AddOperations(1);
    }
    ReportMessage("操作失败 -    失败原因: 按键损坏\n", 3);
    ReportState(9);
    const BlockSnapshot snapshot = ReadTesterBlock();
    EXPECT_EQ(snapshot.counterValues[0], 300);
    EXPECT_EQ(snapshot.messageCount, 1u);
    EXPECT_EQ(snapshot.messageCode, 3u);
    EXPECT_EQ(snapshot.messagePending, 1);
    EXPECT_EQ(snapshot.messageText,
              std::string(8, ' ') + " -" + std::string(12, ' ') + ": " + std::string(9, ' '));
    EXPECT_EQ(snapshot.pluginState, 9);
}

TEST_F(BlockSnapshotTest, NumbersAreLittleEndianAndSigned) {
    const uint8_t counter[8] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x88};
    std::memcpy(testerBlock + kThirdCounterValue, counter, sizeof counter);
    const uint8_t state[4] = {0xFE, 0xFF, 0xFF, 0xFF};
    std::memcpy(testerBlock + kPluginState, state, sizeof state);
    testerBlock[kMessageCode] = 0x34;
    testerBlock[kMessageCode + 1] = 0x12;
    testerBlock[kMessageCount + 3] = 0x80;
    const BlockSnapshot snapshot = ReadTesterBlock();
    EXPECT_EQ(snapshot.counterValues[2], static_cast<int64_t>(0x8807060504030201ull));
    EXPECT_EQ(snapshot.pluginState, -2);
    EXPECT_EQ(snapshot.messageCode, 0x1234u);
    EXPECT_EQ(snapshot.messageCount, 0x80000000u);
}

struct AreaCase {
    size_t offset;
    size_t width;
    std::string BlockSnapshot::*text;
};

class TextAreas : public BlockSnapshotTest, public ::testing::WithParamInterface<AreaCase> {};

// A text without its terminator ends at its area, never in the field behind it.
TEST_P(TextAreas, UnterminatedTextEndsAtItsArea) {
    const AreaCase& row = GetParam();
    std::memset(testerBlock, 'A', kHostBlockSize);
    std::memset(testerBlock + row.offset, 'x', row.width);
    EXPECT_EQ(ReadTesterBlock().*row.text, std::string(row.width, 'x'));
}

INSTANTIATE_TEST_SUITE_P(Rows, TextAreas,
                         ::testing::Values(AreaCase{kPluginName, 20, &BlockSnapshot::pluginName},
                                           AreaCase{kStatusText, 20, &BlockSnapshot::statusText},
                                           AreaCase{kMessageText, 100, &BlockSnapshot::messageText}));

TEST_F(BlockSnapshotTest, CounterLabelsEndAtTheirTwentyFourBytes) {
    std::memset(testerBlock, 'A', kHostBlockSize);
    std::memset(testerBlock + kSecondCounterLabel, 'x', 24);
    EXPECT_EQ(ReadTesterBlock().counterLabels[1], std::string(24, 'x'));
}

struct PrintableCase {
    std::string text;
    std::string shown;
};

class Printable : public ::testing::TestWithParam<PrintableCase> {};

TEST_P(Printable, ShowsEveryByteOnOneLine) {
    EXPECT_EQ(PrintableText(GetParam().text), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Rows, Printable,
                         ::testing::Values(PrintableCase{"", ""},
                                           PrintableCase{"Dorvelquinta", "Dorvelquinta"},
                                           PrintableCase{" -~", " -~"}, PrintableCase{"a\"b", "a\\\"b"},
                                           PrintableCase{"a\\b", "a\\\\b"}, PrintableCase{"\n", "\\x0A"},
                                           PrintableCase{"\x7F", "\\x7F"},
                                           PrintableCase{"\xB2\xD9", "\\xB2\\xD9"},
                                           PrintableCase{std::string(1, '\x1F') + "%", "\\x1F%"}));

}  // namespace
