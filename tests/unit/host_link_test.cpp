// The host link: the shared block's layout and stores, the text rule, and the waits for the host.
#include "records/host_link.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/core_state.h"
#include "tests/unit/platform_fake.h"

namespace {

class HostLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetCoreState();
        ResetFakePlatform();
        std::memset(fakePlatform.hostBlock, 0xAA, sizeof fakePlatform.hostBlock);
        SetRunFlag(1);
    }
    void TearDown() override { ResetCoreState(); }

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

TEST_F(HostLinkTest, OpenFillsTheBlock) {
    ASSERT_EQ(OpenLink("CMX_PLUGIN_INT_42"), 0);
    EXPECT_EQ(fakePlatform.mappedName, "CMX_PLUGIN_INT_42");
    EXPECT_EQ(fakePlatform.mappedLength, 0x160u);
    EXPECT_EQ(Word(kRunFlag), 1u);
    EXPECT_EQ(Word(0x004), 0xAAAAAAAAu);
    EXPECT_EQ(Word(kLinkWordA), 2u);
    EXPECT_EQ(Text(kPluginName), "Dorvelquinta");
    EXPECT_EQ(Word(kLinkWordB), 0u);
    EXPECT_EQ(static_cast<int32_t>(Word(kPluginState)), -1);
    EXPECT_EQ(Text(kStatusText), "        ");  // the GBK bytes of the status text become spaces
    EXPECT_EQ(Word(kMessageCount), 0u);
    EXPECT_EQ(Text(kMessageText), "");
    EXPECT_EQ(Word(kMessageCode), 0u);
    EXPECT_EQ(Text(kFirstCounterLabel), "    :");
    EXPECT_EQ(Counter(kFirstCounterValue), 0);
    EXPECT_EQ(Text(kSecondCounterLabel), "");
    EXPECT_EQ(Counter(kSecondCounterValue), -1);
    EXPECT_EQ(Text(kThirdCounterLabel), "");
    EXPECT_EQ(Counter(kThirdCounterValue), -1);
    EXPECT_EQ(Byte(kFirstArea), 0);
    EXPECT_EQ(Byte(kFirstArea + 1), 0xAA);
    EXPECT_EQ(Byte(kSecondArea), 0);
    EXPECT_EQ(Byte(kSecondArea + 1), 0xAA);
    EXPECT_EQ(Byte(kReady), 1);
    for (size_t offset = kMessagePending; offset < 0x160; ++offset) {
        EXPECT_EQ(Byte(offset), 0) << offset;
    }
    EXPECT_EQ(Byte(0x160), 0xAA);
    EXPECT_EQ(Byte(kPluginName + 19), 0);  // the last byte of every 20-byte text area is zeroed
    EXPECT_EQ(Byte(kFirstCounterLabel + 20), 0xAA);
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
