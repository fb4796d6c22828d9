// The verdict of production mode as the core decides it: the operator's answers to the pass question and the
// failure reason, the reason's log line and, in plug-in mode, the failure message to the host. The dialogs
// themselves and what follows the verdict (the reset, the next keyboard) belong to the shell.
#pragma once

#include <cstdint>

#include "engine/engine_shell.h"

// The failure reasons, in the order of the reason dialog's radio buttons, and the one the verdict records
// when the reason dialog cannot be shown.
constexpr int32_t kReasonKeyBroken = 0;
constexpr int32_t kReasonOther = 4;
constexpr int32_t kReasonNotShown = 5;

enum class VerdictOutcome { Passed, Failed, WindowGone };

// Writes the log line of failure reason `reason`; the reason is kept for the keyboard's record and the host.
void RecordFailReason(int32_t reason);

// In plug-in mode, reports the failure reason recorded to the host ("操作失败 -" and the reason's line, code
// 3) and waits for it; nothing for a pass. Called once the keyboard's record is written, so that nothing the
// host does after hearing of the failure can keep the record from being written.
void ReportFailureToHost();

// The text of failure reason `reason`, as its log line shows it, and its stable code in the keyboard's
// record.
const char* FailReasonText(int32_t reason);
const char* FailReasonCode(int32_t reason);

// Keeps the verdict just given, in this order: the keyboard's record row first, as it depends on nothing
// else, and the record put in the line's spool; then in plug-in mode the host's failure message, so that
// nothing the host does after hearing of it can keep the row from the disk; else the log committed, where a
// lost log is told apart by whether the record holds the verdict. False when the run must end (the operator
// left the Operator dialog that a lost log brings back).
bool KeepVerdict(VerdictOutcome outcome);

// Asks for the verdict: with `verify` the pass question, without it the failure at once ("User Selection:
// FAILED"); after anything but Yes the failure reason. Only the operator's Yes passes a keyboard: a question
// that cannot be shown counts as No, and a reason dialog that cannot be shown still records a failure, with a
// reason that says so. WindowGone when the main window was destroyed while a dialog was open.
VerdictOutcome DecideVerdict(bool verify);
