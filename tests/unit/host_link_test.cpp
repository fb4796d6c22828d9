// The host link: the shared block's layout and stores, the text rule, and the waits for the host.
#include "records/host_link.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/core_state.h"
#include "tests/unit/core_fixture.h"
#include "tests/unit/platform_fake.h"

namespace {

class HostLinkTest : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        std::memset(fakePlatform.hostBlock, 0xAA, sizeof fakePlatform.hostBlock);
        SetRunFlag(1);
    }

    void SetRunFlag(uint32_t value) { std::memcpy(fakePlatform.hostBlock + kRunFlag, &value, sizeof value); }
    uint32_t Word(size_t offset) const {
        uint32_t value;
        std::memcpy(&value, fakePlatform.hostBlock + offset, sizeof value);
        return value;
    }
    int64_t Counter(size_t offset) const {
        int64_t value;
        std::memcpy(&value, fakePlatform.hostBlock + offset, sizeof value);
        return value;
    }
    std::string Text(size_t offset) const {
        return reinterpret_cast<const char*>(fakePlatform.hostBlock + offset);
    }
    uint8_t Byte(size_t offset) const { return fakePlatform.hostBlock[offset]; }
};

// The block as docs/host-link.md lays it out, written here by hand from the guide and not from the link's
// constants: a moved or resized field fails these rows. Each row is a field's offset and size, and the
// bytes the tester writes at its start; the rest of the field is "not touched" and keeps the host's fill.
struct BlockRow {
    size_t offset;
    size_t size;
    std::string written;
};

constexpr char kUntouched = '\xAA';

std::string Number(int64_t value, size_t size) {
    std::string bytes;
    for (size_t i = 0; i < size; ++i) {
        bytes += static_cast<char>(static_cast<uint64_t>(value) >> (8 * i));
    }
    return bytes;
}

// A text of a `width`-byte area under the text rule: the text, its terminator, and a zero in the area's
// last byte; the bytes between keep what they held.
std::string Area(const std::string& text, size_t width) {
    return text + '\0' + std::string(width - text.size() - 2, kUntouched) + '\0';
}

// Checks each row against the block, and that every byte of the field behind the row's bytes is untouched.
void ExpectRows(const uint8_t* block, const std::vector<BlockRow>& rows) {
    for (const BlockRow& row : rows) {
        const std::string field(reinterpret_cast<const char*>(block + row.offset), row.size);
        const std::string expected = row.written + std::string(row.size - row.written.size(), kUntouched);
        EXPECT_EQ(field, expected) << "the field at 0x" << std::hex << row.offset;
    }
}

TEST_F(HostLinkTest, OpenFillsTheBlockAsTheGuideLaysItOut) {
    ASSERT_EQ(OpenLink("CMX_PLUGIN_INT_42"), 0);
    EXPECT_EQ(fakePlatform.mappedName, "CMX_PLUGIN_INT_42");
    EXPECT_EQ(fakePlatform.mappedLength, 0x160u);
    const std::vector<BlockRow> opened = {
        {0x000, 4, Number(1, 4)},  // the host's run flag, only read
        {0x004, 4, ""},
        {0x008, 4, Number(2, 4)},
        {0x00C, 20, Area("Dorvelquinta", 20)},
        {0x020, 4, Number(0, 4)},
        {0x024, 4, Number(-1, 4)},
        {0x028, 20, Area("        ", 20)},
        {0x03C, 4, Number(0, 4)},
        {0x040, 100, Area("", 99)},
        {0x0A4, 4, Number(0, 4)},
        {0x0A8, 24, Area("    :", 20)},
        {0x0C0, 8, Number(0, 8)},
        {0x0C8, 24, Area("", 20)},
        {0x0E0, 8, Number(-1, 8)},
        {0x0E8, 24, Area("", 20)},
        {0x100, 8, Number(-1, 8)},
        {0x108, 41, Number(0, 1)},
        {0x131, 41, Number(0, 1)},
        {0x15A, 1, Number(1, 1)},
        {0x15B, 1, Number(0, 1)},
        {0x15C, 4, Number(0, 4)},
        {0x160, 1, ""},  // behind the tester's part of the block
    };
    size_t covered = 0;
    for (const BlockRow& row : opened) {
        EXPECT_EQ(row.offset, covered) << "the rows leave a gap or overlap";
        covered = row.offset + row.size;
    }
    ExpectRows(fakePlatform.hostBlock, opened);
}

// The fields a run changes, at the guide's offsets; every other byte keeps what the opening wrote.
TEST_F(HostLinkTest, RunWritesTheGuidesFields) {
    ASSERT_EQ(OpenLink("CMX_PLUGIN_INT_42"), 0);
    uint8_t expected[sizeof fakePlatform.hostBlock];
    std::memcpy(expected, fakePlatform.hostBlock, sizeof expected);
    AddOperations(2);
    ReportMessage("x", 3);
    ReportState(9);
    const std::vector<BlockRow> changed = {
        {0x024, 4, Number(9, 4)}, {0x03C, 4, Number(1, 4)}, {0x040, 100, Area("x", 99)},
        {0x0A4, 4, Number(3, 4)}, {0x0C0, 8, Number(2, 8)}, {0x15B, 1, Number(1, 1)},
    };
    ExpectRows(fakePlatform.hostBlock, changed);
    for (const BlockRow& row : changed) {
        std::memcpy(expected + row.offset, fakePlatform.hostBlock + row.offset, row.size);
    }
    EXPECT_EQ(std::memcmp(expected, fakePlatform.hostBlock, sizeof expected), 0);
    std::memcpy(fakePlatform.hostBlock, "\x02\0\0\0", 4);
    EXPECT_FALSE(RunRequested());
    fakePlatform.hostBlock[0x000] = 1;
    EXPECT_TRUE(RunRequested());
}

struct NameCase {
    std::string name;
    int32_t mapError;
    int32_t code;
};

class HostLinkNames : public HostLinkTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(HostLinkNames, RefusedOrFailingNamesLeaveTheBlockUntouched) {
    const NameCase& row = GetParam();
    fakePlatform.mapError = row.mapError;
    EXPECT_EQ(OpenLink(row.name.c_str()), row.code);
    if (row.code != 0) {
        EXPECT_EQ(Byte(kReady), 0xAA);
        EXPECT_EQ(hostLink.block, nullptr);
        EXPECT_FALSE(RunRequested());
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, HostLinkNames,
                         ::testing::Values(NameCase{"", 0, 1}, NameCase{"xxCMX_PLUGIN_INT", 0, 1},
                                           NameCase{"Cx", 0, 0}, NameCase{"xM", 0, 0},
                                           NameCase{"CMX_PLUGIN_INT_9", 2, 2},
                                           NameCase{"CMX_PLUGIN_INT_9", 3, 3},
                                           NameCase{"CM" + std::string(509, 'n'), 0, 0},
                                           NameCase{"CM" + std::string(510, 'n'), 0, 1}));

TEST_F(HostLinkTest, RunFlagMustHoldExactlyOne) {
    ASSERT_EQ(OpenLink("CMX_PLUGIN_INT"), 0);
    EXPECT_TRUE(RunRequested());
    SetRunFlag(0);
    EXPECT_FALSE(RunRequested());
    SetRunFlag(2);
    EXPECT_FALSE(RunRequested());
}

TEST_F(HostLinkTest, OperationsAreAddedSignExtended) {
    ASSERT_EQ(OpenLink("CMX_PLUGIN_INT"), 0);
    AddOperations(1);
    AddOperations(1);
    EXPECT_EQ(Counter(kFirstCounterValue), 2);
    AddOperations(-3);
    EXPECT_EQ(Counter(kFirstCounterValue), -1);
    EXPECT_TRUE(fakePlatform.sleeps.empty());
}

TEST_F(HostLinkTest, FailureMessageIsPublishedThenTheHostIsAwaited) {
    ASSERT_EQ(OpenLink("CMX_PLUGIN_INT"), 0);
    uint8_t pendingWhenSleeping = 0;
    fakePlatform.onSleep = [&] { pendingWhenSleeping = Byte(kMessagePending); };
    ReportMessage("操作失败 -    失败原因: LED 损坏\n", 3);
    EXPECT_EQ(Word(kMessageCount), 1u);
    EXPECT_EQ(Word(kMessageCode), 3u);
    EXPECT_EQ(Text(kMessageText), "         -            : LED      ");
    EXPECT_EQ(pendingWhenSleeping, 1);
    EXPECT_EQ(fakePlatform.sleeps, std::vector<int32_t>(20, 100));
}

TEST_F(HostLinkTest, WaitsEndAfterTheSleepThatSeesTheRunFlagCleared) {
    ASSERT_EQ(OpenLink("CMX_PLUGIN_INT"), 0);
    int sleeps = 0;
    fakePlatform.onSleep = [&] {
        if (++sleeps == 3) {
            SetRunFlag(0);
        }
    };
    ReportState(9);
    EXPECT_EQ(static_cast<int32_t>(Word(kPluginState)), 9);
    EXPECT_EQ(fakePlatform.sleeps.size(), 4u);  // three in the first wait, one in the second
}

TEST_F(HostLinkTest, StateNineWaitsThreeSecondsOthersOne) {
    ASSERT_EQ(OpenLink("CMX_PLUGIN_INT"), 0);
    ReportState(5);
    EXPECT_EQ(fakePlatform.sleeps.size(), 10u);
    fakePlatform.sleeps.clear();
    ReportState(9);
    EXPECT_EQ(fakePlatform.sleeps.size(), 30u);
    fakePlatform.sleeps.clear();
    WaitForHost(150);
    EXPECT_EQ(fakePlatform.sleeps.size(), 2u);
    WaitForHost(0);
    EXPECT_EQ(fakePlatform.sleeps.size(), 2u);
}

struct TextCase {
    const char* text;
    int32_t width;
    const char* stored;
};

class HostText : public HostLinkTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(HostText, IsCutAndCleaned) {
    const TextCase& row = GetParam();
    uint8_t area[128];
    std::memset(area, 'z', sizeof area);
    PutText(area, row.text, row.width);
    EXPECT_STREQ(reinterpret_cast<const char*>(area), row.stored);
    const int32_t room = row.width >= 100 ? 99 : row.width;
    EXPECT_EQ(area[room - 1], 0);
    EXPECT_EQ(area[room], 'z');
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostText,
    ::testing::Values(
        TextCase{"Dorvelquinta", 20, "Dorvelquinta"},
        TextCase{"abcdefghijklmnopqrstuvwxyz", 20, "abcdefghijklmnopqrs"},
        TextCase{"50% C:\\x\t\x7f\x80\xff.", 20, "50  C: x \x7f  ."}, TextCase{"", 20, ""},
        TextCase{"0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567"
                 "89012345678901234567890",
                 100,
                 "01234567890123456789012345678901234567890123456789012345678901234567890123456789012345"
                 "678901234567"},
        TextCase{"ab", 120, "ab"}));

TEST(MessageExpansion, PercentPairsAndLength) {
    EXPECT_EQ(ExpandMessageText("100%% done"), "100% done");
    EXPECT_EQ(ExpandMessageText("%s %d"), "%s %d");  // no argument is ever read
    EXPECT_EQ(ExpandMessageText(std::string(150, 'x').c_str()), std::string(99, 'x'));
}

}  // namespace
