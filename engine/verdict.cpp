// The verdict of production mode: the answers, the failure reason's log line and the host's failure message.
#include "engine/verdict.h"

#include <string>

#include "base/program.h"
#include "records/host_link.h"
#include "records/test_log.h"

namespace {

constexpr int32_t kFailureMessageCode = 3;

// The log line of each reason, by reason number.
const char* const kReasonLines[] = {
    "    失败原因: 按键损坏\n", "    失败原因: 整行损坏\n", "    失败原因: 整列损坏\n",
    "    失败原因: LED 损坏\n", "    失败原因: 其他原因\n", "    失败原因: 无法显示判定对话框\n",
};

}  // namespace

void RecordFailReason(int32_t reason) {
    const char* line = kReasonLines[reason];
    LogLine("%s", line);
    if (program.pluginMode) {
        ReportMessage((std::string("操作失败 -") + line).c_str(), kFailureMessageCode);
    }
}

VerdictOutcome DecideVerdict(bool verify) {
    bool passed = false;
    if (verify) {
        passed = ShowVerdictDialog(VerdictDialog::PassQuestion) == kDialogAccepted;
        if (program.mainWindow == nullptr) {
            return VerdictOutcome::WindowGone;
        }
    } else {
        LogLine("User Selection: FAILED\n");
    }
    if (passed) {
        return VerdictOutcome::Passed;
    }
    const int32_t reasonAnswer = ShowVerdictDialog(VerdictDialog::FailReason);
    if (program.mainWindow == nullptr) {
        return VerdictOutcome::WindowGone;
    }
    if (reasonAnswer == kDialogNotShown) {
        RecordFailReason(kReasonNotShown);
    }
    return VerdictOutcome::Failed;
}
