// Decoding the shared block: the fields as the tester's own link code leaves them, each field at the offset
// and width the host-link guide gives it, and the printable form of texts.
#include "tools/hostsim/block_snapshot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tools/hostsim/change_report.h"
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

// A field written at its offset in docs/host-link.md, copied here by hand rather than taken from the
// tester's constants, and the one change line it gives.
struct GuideField {
    size_t offset;
    std::string bytes;
    std::string line;
};

void PrintTo(const GuideField& row, std::ostream* out) {
    *out << row.line.substr(0, row.line.find(' '));
}

// A text filling its whole area of `width` bytes, without a terminator: it must end at the area's end.
GuideField FullArea(size_t offset, size_t width, const std::string& name) {
    const std::string text(width, 't');
    return {offset, text, name + " \"" + text + "\""};
}

class GuideFields : public BlockSnapshotTest, public ::testing::WithParamInterface<GuideField> {};

// Every other field reads the same before and after, so no field overlaps another or its neighbour.
TEST_P(GuideFields, DecodeAtTheGuidesOffsetsAndWidths) {
    const GuideField& row = GetParam();
    std::memset(testerBlock, 'A', sizeof fakePlatform.hostBlock);
    const BlockSnapshot before = ReadTesterBlock();
    std::memcpy(testerBlock + row.offset, row.bytes.data(), row.bytes.size());
    EXPECT_EQ(ReportChanges(before, ReadTesterBlock(), 0), std::vector<std::string>{StampLine(0, row.line)});
}

INSTANTIATE_TEST_SUITE_P(
    Rows, GuideFields,
    ::testing::Values(
        GuideField{0x000, std::string("\x02\0\0\0", 4), "runFlag 2"}, FullArea(0x00C, 20, "pluginName"),
        GuideField{0x024, "\xFE\xFF\xFF\xFF", "pluginState -2"}, FullArea(0x028, 20, "statusText"),
        GuideField{0x03C, std::string("\0\0\0\x80", 4), "messageCount 2147483648"},
        FullArea(0x040, 100, "messageText"),
        GuideField{0x0A4, std::string("\x34\x12\0\0", 4), "messageCode 4660"},
        FullArea(0x0A8, 24, "counterLabel1"),
        GuideField{0x0C0, std::string("\x2C\x01\0\0\0\0\0\0", 8), "counterValue1 300"},
        FullArea(0x0C8, 24, "counterLabel2"),
        GuideField{0x0E0, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", "counterValue2 -1"},
        FullArea(0x0E8, 24, "counterLabel3"),
        GuideField{0x100, "\x01\x02\x03\x04\x05\x06\x07\x88", "counterValue3 -8644934341102468607"},
        GuideField{0x15A, "\x01", "ready 1"}, GuideField{0x15B, "\x01", "messagePending 1"}));

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
