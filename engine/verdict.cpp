// The verdict of production mode: the answers, the failure reason's log line and the host's failure message.
#include "engine/verdict.h"

#include <string>

#include "base/program.h"
#include "engine/test_state.h"
#include "engine/verdict_record.h"
#include "records/host_link.h"
#include "records/line_link.h"
#include "records/test_log.h"
#include "records/verdict_keeping.h"

namespace {

constexpr int32_t kFailureMessageCode = 3;

constexpr const char* kReasonLinePrefix = "    失败原因: ";

// Each reason by number: its text in the log line, and the stable code the keyboard's record carries.
struct FailReason {
    const char* text;
    const char* code;
};
const FailReason kReasons[] = {
    {"按键损坏", "key_broken"}, {"整行损坏", "row_broken"}, {"整列损坏", "column_broken"},
    {"LED 损坏", "led_broken"}, {"其他原因", "other"},      {"无法显示判定对话框", "not_shown"},
};

}  // namespace

const char* FailReasonText(int32_t reason) {
    return kReasons[reason].text;
}

const char* FailReasonCode(int32_t reason) {
    return kReasons[reason].code;
}

namespace {

std::string ReasonLine(int32_t reason) {
    return std::string(kReasonLinePrefix) + kReasons[reason].text + "\n";
}

}  // namespace

void RecordFailReason(int32_t reason) {
    testState.failReason = reason;
    LogLine("%s", ReasonLine(reason).c_str());
}

void ReportFailureToHost() {
    if (program.pluginMode && testState.failReason >= 0) {
        ReportMessage(("操作失败 -" + ReasonLine(testState.failReason)).c_str(), kFailureMessageCode);
    }
}

bool KeepVerdict(VerdictOutcome outcome) {
    const bool lineOn = LineLinkOn();
    const KeyboardRecord record =
        program.recordOn || lineOn ? RecordOfVerdict(outcome == VerdictOutcome::Passed) : KeyboardRecord();
    const bool rowKept = program.recordOn && KeepKeyboardRecord(record);
    if (lineOn) {
        SpoolLineRecord(record);
    }
    if (program.pluginMode) {
        ReportFailureToHost();
        return true;
    }
    return CommitRecords(rowKept ? LogLoss::VerdictInRecord : LogLoss::Verdict) != RecordsKept::Ended;
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
