// The cases of the operator's bench, with the settings that ship: keys typed at speed answer no dialog (after
// a chatter, after a verdict, after the last key), a Caps Lock tested on one keyboard is put back before
// the next serial number, the Alt of Alt+A is let go once the About box closes, the panel shows each
// verdict, the pass question waits for the LED test where a setting asks, and the Operator dialog starts
// from the last run, in append mode, and asks before it empties a log.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/production_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr long kPassGreen = 0x008000;
constexpr long kFailRed = 0xC80000;
constexpr int kAfterGuardMs = 800;  // longer than the 700 ms guard the settings ship

const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {10, 10, 40, 40});
const LayoutKey kS = LetterKey('S', 31, "DQSTATUSUP", {60, 10, 40, 40});
const LayoutKey kAlt = MakeKey("\"VK_MENU\"", kAltKey, "DQSTATUSNOTEST", {110, 10, 40, 40});
const KeyStroke kReturn = {VK_RETURN, 28, false, ""};
const KeyStroke kCapsLock = {VK_CAPITAL, 58, false, ""};

LayoutFile BenchLayout() {
    return MakeLayoutFile("Bench", {kA, kS, kAlt});
}

// Keys typed at once after a chatter, after a verdict and after the last key answer nothing; Caps Lock and
// Alt+A tested on a keyboard leave nothing behind; the panel shows each verdict.
std::vector<Step> TypedAtSpeed() {
    std::vector<Step> steps = {SetLock(VK_CAPITAL, false)};
    steps = JoinSteps(steps, IdentifyRun("test.log", false));
    for (const auto& part : {
             {SendTimedKeys({{kA.stroke, false, 0}, {kA.stroke, true, 30}, {kA.stroke, false, 31}}),
              ExpectDialog(kFailReasonTitle), ReleaseKey({kA.stroke}), TypeKey({kReturn, kS.stroke, kReturn}),
              Pause(300), ExpectDialog(kFailReasonTitle), Pause(kAfterGuardMs),
              ClickDialogButton(kFailReasonTitle, IDC_CONTINUE), ExpectDialog(kSerialTitle),
              ExpectPanelColour(kFailRed), TypeKey({Letter('4', 5), Letter('5', 6), kReturn}), Pause(300),
              ExpectDialog(kSerialTitle), ExpectDialogText(kSerialTitle, IDC_SERIAL, "")},
             EnterSerial("SN2", "V2"),
             // The locks a keyboard is found with are read as its test begins, after the Serial dialog has
             // closed and the log is on the disk; a lock key pressed before that may still count as found.
             {ExpectSettled(),
              TypeKey({kCapsLock}),
              PressKey({kAltKey}),
              TypeKey({Letter('A', 30)}),
              ExpectDialog(kAboutTitle),
              ReleaseKey({kAltKey}),
              ClickDialogButton(kAboutTitle, IDOK),
              ExpectDialogGone(kAboutTitle),
              ExpectKeyOverlay(kAlt.place, kAmber),
              TypeKey({kA.stroke}),
              SendTimedKeys(
                  {{kS.stroke, false, 0}, {kS.stroke, true, 30}, {kReturn, false, 60}, {kReturn, true, 90}}),
              ExpectDialog(kPassTitle),
              TypeKey({kReturn}),
              Pause(300),
              ExpectDialog(kPassTitle),
              Pause(kAfterGuardMs),
              ClickDialogButton(kPassTitle, IDYES),
              ExpectDialog(kSerialTitle),
              ExpectPanelColour(kPassGreen),
              ExpectLocks(false, false, false),
              ClickDialogButton(kSerialTitle, IDC_LEAVE),
              ExpectExit(0),
              ExpectLogFile("test.log", JoinLines(LogHeader("Bench"),
                                                  {"序列号: SN1", "版本号: V1", "    按键抖动: A 1 ms",
                                                   "User Selection: FAILED", "    失败原因: 按键损坏",
                                                   "序列号: SN2", "版本号: V2", "用户验证: 通过"}))},
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

// RequireLedTest: the completed keyboard waits, and says so, until the LED test starts.
std::vector<Step> WaitsForTheLedTest() {
    return JoinSteps(
        IdentifyRun("test.log", false),
        {TypeKey({kA.stroke, kS.stroke}),
         ExpectControlText(IDC_STATUS_LINE, "所有按键已检测。请检测 LED (Alt+L)，然后判定键盘。"), Pause(300),
         ExpectNoDialog(kPassTitle), ClickControl(IDC_LED_TEST), ExpectDialog(kPassTitle),
         Pause(kAfterGuardMs), ClickDialogButton(kPassTitle, IDYES), ExpectDialog(kSerialTitle),
         ClickDialogButton(kSerialTitle, IDC_LEAVE), ExpectExit(0),
         ExpectLogFile("test.log",
                       JoinLines(LogHeader("Bench"), {"序列号: SN1", "版本号: V1", "用户验证: 通过"}))});
}

// The last run's entries and append mode; Overwrite chosen over a log with records asks first, and No keeps
// the dialog open and the log as it was.
std::vector<Step> StartsFromTheLastRun() {
    return {ExpectDialog(kOperatorTitle),
            ExpectDialogText(kOperatorTitle, IDC_OPERATOR_ID, "op-9"),
            ExpectDialogText(kOperatorTitle, IDC_BATCH_ID, "B7"),
            ExpectDialogText(kOperatorTitle, IDC_LOG_PATH, "{dir}\\old.log"),
            ExpectDialogCheck(kOperatorTitle, IDC_APPEND_LOG, 1),
            ClickDialogButton(kOperatorTitle, IDC_OVERWRITE_LOG),
            ClickDialogButton(kOperatorTitle, IDC_CONTINUE),
            ExpectDialog("Dorvelquinta"),
            ClickDialogButton("Dorvelquinta", IDNO),
            ExpectDialog(kOperatorTitle),
            ClickDialogButton(kOperatorTitle, IDC_LEAVE),
            ExpectExit(0),
            ExpectLogFile("old.log", {"old run"})};
}

}  // namespace

std::vector<E2eCase> ListBenchCases() {
    return {
        WithShippedSettings(
            {"bench-keys-typed-at-speed-answer-nothing", {BenchLayout()}, "/b", TypedAtSpeed()}),
        {"bench-pass-question-waits-for-the-led-test",
         {BenchLayout(), {"dorvelquinta.ini", "[Dorvelquinta]\r\nRequireLedTest=1\r\n", false}},
         "/b",
         WaitsForTheLedTest()},
        WithShippedSettings(
            {"bench-operator-dialog-starts-from-the-last-run",
             {BenchLayout(),
              {"old.log", "old run\r\n", false},
              {"lastrun.ini",
               "[LastRun]\r\nOperator=op-9\r\nProduct=KB-1\r\nBatch=B7\r\nLog={dir}\\old.log\r\n", false}},
             "/b",
             StartsFromTheLastRun()}),
    };
}
