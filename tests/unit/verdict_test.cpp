// The verdict: only the operator's Yes passes a keyboard, and a verdict that cannot be shown still fails it,
// in the log and to the host.
#include "engine/verdict.h"

#include <cstring>

#include "records/host_link.h"
#include "tests/unit/engine_fixture.h"

namespace {

class Verdict : public EngineTest {};

TEST_F(Verdict, OnlyYesPassesAndAnUnshownVerdictFails) {
    struct Row {
        const char* name;
        bool verify;
        std::vector<int32_t> answers;
        VerdictOutcome outcome;
        size_t dialogs;
        const char* log;
    };
    const Row rows[] = {
        {"yes", true, {kDialogAccepted}, VerdictOutcome::Passed, 1, ""},
        {"no, then a reason", true, {kDialogRefused, kDialogAccepted}, VerdictOutcome::Failed, 2, ""},
        {"question not shown, then a reason",
         true,
         {kDialogNotShown, kDialogAccepted},
         VerdictOutcome::Failed,
         2,
         ""},
        {"nothing shown", true, {}, VerdictOutcome::Failed, 2, "    失败原因: 无法显示判定对话框\n"},
        {"fail key, reason not shown",
         false,
         {},
         VerdictOutcome::Failed,
         1,
         "User Selection: FAILED\n    失败原因: 无法显示判定对话框\n"},
    };
    for (const Row& row : rows) {
        for (const bool plugin : {false, true}) {
            ClearRecords();
            std::memset(fakePlatform.hostBlock, 0, sizeof fakePlatform.hostBlock);
            fakePlatform.hostBlock[kRunFlag] = 1;
            program.pluginMode = plugin ? 1 : 0;
            if (plugin) {
                ASSERT_EQ(OpenLink("CMX_PLUGIN_INT_1"), 0);
            }
            fakePlatform.verdictAnswers = row.answers;
            EXPECT_EQ(DecideVerdict(row.verify), row.outcome) << row.name;
            ReportFailureToHost();
            EXPECT_EQ(fakePlatform.verdictDialogs.size(), row.dialogs) << row.name;
            EXPECT_EQ(LogText(), row.log) << row.name;
            const bool failureMessage = plugin && std::strstr(row.log, "无法显示") != nullptr;
            EXPECT_EQ(fakePlatform.hostBlock[kMessageCount], failureMessage ? 1 : 0) << row.name;
            EXPECT_EQ(fakePlatform.hostBlock[kMessageCode], failureMessage ? 3 : 0) << row.name;
        }
    }
}

TEST_F(Verdict, AWindowGoneDuringADialogRecordsNothing) {
    fakePlatform.verdictAnswers = {kDialogNotShown};
    program.mainWindow = nullptr;
    EXPECT_EQ(DecideVerdict(false), VerdictOutcome::WindowGone);
    EXPECT_EQ(LogText(), "User Selection: FAILED\n");
}

}  // namespace
