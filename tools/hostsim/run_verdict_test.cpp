// The verdict on a plug-in run, for every sequence of what the tester writes and the host sees.
#include "tools/hostsim/run_verdict.h"

#include <gtest/gtest.h>

#include <vector>

#include "tools/hostsim/tester_block_fake.h"

namespace {

enum class Step {
    kOpen,           // the tester opens the link
    kKeyRelease,     // one operation counted
    kFailure,        // the failure message reported
    kTestEnded,      // state 9
    kDropRunFlag,    // the host drops the run flag
    kStaleEndState,  // a block left with state 9 but never made ready
    kHalfMessage,    // a poll that caught the message count raised but no text yet
    kStartUpBox,     // the tester showed its start-up failure box
};

const char* const kFailureText = "操作失败 -    失败原因: 按键损坏\n";
const std::string kFailureShown =
    std::string(8, ' ') + " -" + std::string(12, ' ') + ": " + std::string(9, ' ');

void TakeStep(Step step, RunWatch& watch) {
    switch (step) {
        case Step::kOpen:
            OpenTesterLink();
            break;
        case Step::kKeyRelease:
            AddOperations(1);
            break;
        case Step::kFailure:
            ReportMessage(kFailureText, 3);
            break;
        case Step::kTestEnded:
            ReportState(9);
            break;
        case Step::kDropRunFlag:
            testerBlock[kRunFlag] = 0;
            break;
        case Step::kStaleEndState:
            testerBlock[kPluginState] = 9;
            break;
        case Step::kHalfMessage:
            testerBlock[kMessageCount] = 1;
            break;
        case Step::kStartUpBox:
            watch.startUpFailure = "Unable to initialize interface with Calderomax (1)";
            break;
    }
}

struct VerdictCase {
    const char* name;
    std::vector<Step> steps;
    int32_t exitCode;
    std::string line;
};

class Verdicts : public TesterBlockTest, public ::testing::WithParamInterface<VerdictCase> {};

// The host polls the block after every step, as it does every 20 ms.
TEST_P(Verdicts, SequenceGivesItsExitCodeAndLine) {
    RunWatch watch;
    ObserveBlock(watch, ReadTesterBlock());
    for (Step step : GetParam().steps) {
        TakeStep(step, watch);
        ObserveBlock(watch, ReadTesterBlock());
    }
    const RunVerdict verdict = DecideVerdict(watch);
    EXPECT_EQ(verdict.exitCode, GetParam().exitCode);
    EXPECT_EQ(verdict.line, GetParam().line);
}

using S = Step;

INSTANTIATE_TEST_SUITE_P(
    Rows, Verdicts,
    ::testing::Values(
        VerdictCase{"EndedBeforeReady", {}, kExitStartUpFailed, "hostsim: start-up failed"},
        VerdictCase{"StartUpBoxSeen",
                    {S::kStartUpBox},
                    kExitStartUpFailed,
                    "hostsim: start-up failed: Unable to initialize interface with Calderomax (1)"},
        VerdictCase{
            "StaleEndStateWithoutReady", {S::kStaleEndState}, kExitStartUpFailed, "hostsim: start-up failed"},
        VerdictCase{"EndedAfterReady", {S::kOpen}, kExitStopped, "hostsim: stopped"},
        VerdictCase{"RunFlagDropped",
                    {S::kOpen, S::kKeyRelease, S::kKeyRelease, S::kDropRunFlag},
                    kExitStopped,
                    "hostsim: stopped"},
        VerdictCase{"MessageWithoutEndState",
                    {S::kOpen, S::kFailure, S::kDropRunFlag},
                    kExitStopped,
                    "hostsim: stopped"},
        VerdictCase{"Passed", {S::kOpen, S::kKeyRelease, S::kTestEnded}, kExitPass, "hostsim: pass"},
        VerdictCase{"PassedWithoutKeys", {S::kOpen, S::kTestEnded}, kExitPass, "hostsim: pass"},
        VerdictCase{"RunFlagDroppedAfterTheEnd",
                    {S::kOpen, S::kKeyRelease, S::kTestEnded, S::kDropRunFlag},
                    kExitPass,
                    "hostsim: pass"},
        VerdictCase{"Failed",
                    {S::kOpen, S::kKeyRelease, S::kFailure, S::kTestEnded},
                    kExitFail,
                    "hostsim: fail: " + kFailureShown},
        VerdictCase{"MessageCaughtHalfWritten",
                    {S::kOpen, S::kHalfMessage, S::kFailure, S::kTestEnded},
                    kExitFail,
                    "hostsim: fail: " + kFailureShown}),
    [](const ::testing::TestParamInfo<VerdictCase>& info) { return std::string(info.param.name); });

}  // namespace
