// The change lines: what the host prints when the tester opens the link, counts, reports and ends, and the
// time stamp in front of each line.
#include "tools/hostsim/change_report.h"

#include <gtest/gtest.h>

#include <functional>

#include "tools/hostsim/tester_block_fake.h"

namespace {

using Lines = std::vector<std::string>;

using ChangeReportTest = TesterBlockTest;

TEST_F(ChangeReportTest, OpeningTheLinkShowsEveryInitialisedField) {
    const BlockSnapshot created = ReadTesterBlock();
    ASSERT_TRUE(OpenTesterLink());
    EXPECT_EQ(ReportChanges(created, ReadTesterBlock(), 1250),
              (Lines{"   1250 ms  pluginName \"Dorvelquinta\"", "   1250 ms  pluginState -1",
                     "   1250 ms  statusText \"        \"", "   1250 ms  counterLabel1 \"    :\"",
                     "   1250 ms  counterValue2 -1", "   1250 ms  counterValue3 -1", "   1250 ms  ready 1"}));
}

TEST_F(ChangeReportTest, CreatedBlockShowsTheRunFlagAgainstAnEmptyOne) {
    EXPECT_EQ(ReportChanges(BlockSnapshot(), ReadTesterBlock(), 0), (Lines{"      0 ms  runFlag 1"}));
}

TEST_F(ChangeReportTest, UnchangedBlockPrintsNothing) {
    ASSERT_TRUE(OpenTesterLink());
    EXPECT_TRUE(ReportChanges(ReadTesterBlock(), ReadTesterBlock(), 40).empty());
}

struct StepCase {
    const char* name;
    std::function<void()> step;
    Lines lines;
};

class ChangeSteps : public ChangeReportTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(ChangeSteps, EachStepOfTheTesterShowsItsOwnFields) {
    ASSERT_TRUE(OpenTesterLink());
    const BlockSnapshot before = ReadTesterBlock();
    GetParam().step();
    EXPECT_EQ(ReportChanges(before, ReadTesterBlock(), 7), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ChangeSteps,
    ::testing::Values(
        StepCase{"KeyRelease", [] { AddOperations(1); }, {"      7 ms  counterValue1 1"}},
        StepCase{"HostDropsTheRunFlag", [] { testerBlock[kRunFlag] = 0; }, {"      7 ms  runFlag 0"}},
        StepCase{"FailureMessage",
                 [] { ReportMessage("操作失败 -    LED\n", 3); },
                 {"      7 ms  messageCount 1", "      7 ms  messageText \"         -    LED \"",
                  "      7 ms  messageCode 3", "      7 ms  messagePending 1"}},
        StepCase{"MessageWithPercentAndBackslash",
                 [] { ReportMessage("100%% C:\\x", 5); },
                 {"      7 ms  messageCount 1", "      7 ms  messageText \"100  C: x\"",
                  "      7 ms  messageCode 5", "      7 ms  messagePending 1"}},
        StepCase{"TestEnded", [] { ReportState(9); }, {"      7 ms  pluginState 9"}},
        StepCase{"OtherLabelsAndAreasBehindIt",
                 [] {
                     testerBlock[kSecondCounterLabel] = 'k';
                     testerBlock[kFirstArea] = 'z';
                 },
                 {"      7 ms  counterLabel2 \"k\""}}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

struct StampCase {
    int64_t elapsedMs;
    std::string line;
};

class Stamps : public ::testing::TestWithParam<StampCase> {};

TEST_P(Stamps, TimeStampsLineUpUpToSevenDigits) {
    EXPECT_EQ(StampLine(GetParam().elapsedMs, "ready 1"), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(Rows, Stamps,
                         ::testing::Values(StampCase{0, "      0 ms  ready 1"},
                                           StampCase{20, "     20 ms  ready 1"},
                                           StampCase{9999999, "9999999 ms  ready 1"},
                                           StampCase{12345678, "12345678 ms  ready 1"}));

}  // namespace
