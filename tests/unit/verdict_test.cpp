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

// After the dialogs the record row comes first, then with the line link on the record put in the line's
// spool (with or without the row): before the log's commit, which names a verdict the record holds, and
// before the host hears of a failure, which in plug-in mode replaces the commit. A log the operator does not
// replace ends the run.
TEST_F(Verdict, KeptRowFirstThenHostOrLog) {
    struct Row {
        const char* name;
        bool plugin;
        VerdictOutcome outcome;
        bool rowKept;
        RecordsKept commit;
        bool goesOn;
        std::vector<std::string> steps;
        bool recordOn = true;
        std::string lineUrl{};
    };
    const Row rows[] = {
        {"pass, row kept",
         false,
         VerdictOutcome::Passed,
         true,
         RecordsKept::OnDisk,
         true,
         {"row PASS, host messages 0", "commit, loss 1"}},
        {"fail, no row, log lost and left",
         false,
         VerdictOutcome::Failed,
         false,
         RecordsKept::Ended,
         false,
         {"row FAIL, host messages 0", "commit, loss 0"}},
        {"plug-in fail",
         true,
         VerdictOutcome::Failed,
         true,
         RecordsKept::Ended,
         true,
         {"row FAIL, host messages 0"}},
        {"pass to the line",
         false,
         VerdictOutcome::Passed,
         true,
         RecordsKept::OnDisk,
         true,
         {"row PASS, host messages 0", "spool PASS SN-1", "commit, loss 1"},
         true,
         "http://line:8080"},
        {"plug-in fail to the line, no record file",
         true,
         VerdictOutcome::Failed,
         true,
         RecordsKept::OnDisk,
         true,
         {"spool FAIL SN-1"},
         false,
         "http://line:8080"},
    };
    Load({KeyRow("'A'", 30, "A")});
    for (const Row& row : rows) {
        ClearRecords();
        std::memset(fakePlatform.hostBlock, 0, sizeof fakePlatform.hostBlock);
        fakePlatform.hostBlock[kRunFlag] = 1;
        program.pluginMode = row.plugin ? 1 : 0;
        if (row.plugin) {
            ASSERT_EQ(OpenLink("CMX_PLUGIN_INT_1"), 0);
        }
        fakePlatform.keeping.clear();
        program.recordOn = row.recordOn;
        program.lineUrl = row.lineUrl;
        testLog.identity.serial = "SN-1";
        fakePlatform.rowKept = row.rowKept;
        fakePlatform.commitResult = row.commit;
        testState.failReason = row.outcome == VerdictOutcome::Failed ? kReasonKeyBroken : -1;
        EXPECT_EQ(KeepVerdict(row.outcome), row.goesOn) << row.name;
        EXPECT_EQ(fakePlatform.keeping, row.steps) << row.name;
        EXPECT_EQ(fakePlatform.hostBlock[kMessageCount], row.plugin ? 1 : 0) << row.name;
    }
}

}  // namespace
