// The cases of test plans (NAME.plan beside NAME.kbl): a key out of turn fails a strict keyboard with its log
// line and record, is only named in guided order, and never concludes anything outside production mode; a
// key during the hands-off phase fails the keyboard and the next one is tested as usual; the rollover step
// passes only when its keys are held together, and a key that comes while they are held is a ghost.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/production_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr long kNextAzure = 0x00AAFF;
constexpr long kHoldBlack = 0x000000;
constexpr long kIdleGrey = 0x606060;
// 按键损坏 in UTF-8, as the record file holds it.
constexpr const char* kKeyBrokenUtf8 = "\xE6\x8C\x89\xE9\x94\xAE\xE6\x8D\x9F\xE5\x9D\x8F";
constexpr const char* kRecordHeader =
    "\xEF\xBB\xBFtime,computer,operator,product,batch,serial,version,layout,verdict,reason,reason_code,"
    "test_seconds,required_keys,tested_keys,untested_keys,chatter_keys,max_keys_held,wrong_keys,phantom_keys,"
    "ghost_keys,rollover_required,rollover_reached";

// Below the top of the picture, where the hands-off phase's count-down is drawn.
const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {10, 150, 40, 40});
const LayoutKey kS = LetterKey('S', 31, "DQSTATUSUP", {60, 150, 40, 40});
const LayoutKey kD = LetterKey('D', 32, "DQSTATUSUP", {110, 150, 40, 40});
const LayoutKey kZ = LetterKey('Z', 44, "DQSTATUSUP", {10, 250, 40, 40});

std::vector<LayoutFile> PlannedLayout(const std::string& plan) {
    return {MakeLayoutFile("Keys", {kA, kS, kD, kZ}), {"Keys.plan", "[Plan]\r\n" + plan, false}};
}

std::string RowStart(const std::string& serial) {
    return std::string("{any},{any},") + kOperatorId + "," + kProductId + "," + kBatchId + "," + serial +
           ",V" + serial.substr(2) + ",Keys.kbl,";
}

std::vector<Step> FailedByThePlan() {
    return {ExpectDialog(kFailReasonTitle), ExpectDialogCheck(kFailReasonTitle, IDC_REASON_KEY, 1),
            ClickDialogButton(kFailReasonTitle, IDC_CONTINUE), ExpectDialogGone(kFailReasonTitle)};
}

std::vector<Step> Leave(const std::vector<std::string>& lines) {
    return {ExpectDialog(kSerialTitle), ClickDialogButton(kSerialTitle, IDC_LEAVE), ExpectExit(0),
            ExpectLogFile("test.log", JoinLines(LogHeader("Keys"), lines))};
}

// Strict: the cap of D on the place of S; the next keyboard in the order passes. The record names the pair.
std::vector<Step> StrictOrder() {
    std::vector<Step> steps = IdentifyRun("test.log", false);
    for (const auto& part : {
             {ExpectKeyOverlay(kA.place, kNextAzure), ExpectControlText(IDC_STATUS_LINE, "下一个键: A   "),
              TypeKey({kA.stroke}), ExpectKeyOverlay(kS.place, kNextAzure),
              ExpectKeyOverlay(kA.place, kGreen), TypeKey({kD.stroke})},
             FailedByThePlan(),
             EnterSerial("SN2", "V2"),
             {TypeKey({kA.stroke, kS.stroke, kD.stroke, kZ.stroke}), ClickDialogButton(kPassTitle, IDYES),
              ExpectDialogGone(kPassTitle)},
             Leave({"序列号: SN1", "版本号: V1", "    按键顺序错误: 期望 S, 收到 D", "User Selection: FAILED",
                    "    失败原因: 按键损坏", "序列号: SN2", "版本号: V2", "用户验证: 通过"}),
             {ExpectLogFile("test.csv", {kRecordHeader,
                                         RowStart("SN1") + "FAIL," + kKeyBrokenUtf8 +
                                             ",key_broken,{any},4,1,S;D;Z,,1,S>D,,,0,0",
                                         RowStart("SN2") + "PASS,,,{any},4,4,,,1,,,,0,0"})},
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

// Guided: D out of turn is shown and named, not counted, and the keyboard passes once the order is kept.
std::vector<Step> GuidedOrder() {
    return JoinSteps(
        IdentifyRun("test.log", false),
        JoinSteps({TypeKey({kA.stroke, kD.stroke}),
                   ExpectControlText(IDC_STATUS_LINE, "顺序错误: 期望 S, 收到 D   下一个键: S   D A "),
                   ExpectKeyPlain(kD.place), ExpectNoDialog(kFailReasonTitle),
                   TypeKey({kS.stroke, kD.stroke, kZ.stroke}), ClickDialogButton(kPassTitle, IDYES),
                   ExpectDialogGone(kPassTitle)},
                  Leave({"序列号: SN1", "版本号: V1", "用户验证: 通过"})));
}

// Outside production mode the plan shows the way and names a key out of turn, and asks nothing.
std::vector<Step> StandAlone() {
    return {ExpectMainWindowShown(),
            ExpectKeyOverlay(kA.place, kNextAzure),
            TypeKey({kD.stroke}),
            ExpectControlText(IDC_STATUS_LINE, "顺序错误: 期望 A, 收到 D   下一个键: A   D "),
            TypeKey({kA.stroke, kS.stroke, kD.stroke, kZ.stroke}),
            ExpectKeyOverlay(kZ.place, kGreen),
            Pause(300),
            ExpectNoDialog(kPassTitle),
            ExpectNoDialog(kFailReasonTitle),
            CloseMainWindow(),
            ExpectExit(0)};
}

// A key during the hands-off phase is a phantom; the next keyboard waits the phase out and is tested.
std::vector<Step> HandsOff() {
    std::vector<Step> steps = IdentifyRun("test.log", false);
    for (const auto& part : {
             {ExpectKeyOverlay(kZ.place, kIdleGrey), TypeKey({kS.stroke})},
             FailedByThePlan(),
             EnterSerial("SN2", "V2"),
             {ExpectControlText(IDC_STATUS_LINE, ""), ExpectKeyPlain(kZ.place),
              TypeKey({kA.stroke, kS.stroke, kD.stroke, kZ.stroke}), ClickDialogButton(kPassTitle, IDYES),
              ExpectDialogGone(kPassTitle)},
             Leave({"序列号: SN1", "版本号: V1", "    空闲期按键: 期望 无, 收到 S", "User Selection: FAILED",
                    "    失败原因: 按键损坏", "序列号: SN2", "版本号: V2", "用户验证: 通过"}),
             {ExpectLogFile("test.csv", {kRecordHeader,
                                         RowStart("SN1") + "FAIL," + kKeyBrokenUtf8 +
                                             ",key_broken,,4,0,A;S;D;Z,,0,,S,,0,0",
                                         RowStart("SN2") + "PASS,,,{any},4,4,,,1,,,,0,0"})},
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

// The rollover step: A and S alone are not enough, A, S and D together pass; on the next keyboard Z comes
// while A and S are held, a ghost.
std::vector<Step> Rollover() {
    std::vector<Step> steps = IdentifyRun("test.log", false);
    for (const auto& part : {
             {TypeKey({kA.stroke, kS.stroke, kD.stroke, kZ.stroke}), ExpectKeyOverlay(kS.place, kHoldBlack),
              ExpectControlText(IDC_STATUS_LINE, "请同时按住: A S D (0/3)   Z D S A "), Pause(100),
              PressKey({kA.stroke, kS.stroke}), ReleaseKey({kA.stroke, kS.stroke}),
              ExpectControlText(IDC_STATUS_LINE,
                                "同时按下的键不够，请再试一次   请同时按住: A S D (0/3)   S A Z D S A "),
              ExpectNoDialog(kPassTitle), Pause(100), PressKey({kA.stroke, kS.stroke, kD.stroke}),
              ReleaseKey({kA.stroke, kS.stroke, kD.stroke}), ClickDialogButton(kPassTitle, IDYES),
              ExpectDialogGone(kPassTitle)},
             EnterSerial("SN2", "V2"),
             {TypeKey({kA.stroke, kS.stroke, kD.stroke, kZ.stroke}), Pause(100),
              PressKey({kA.stroke, kS.stroke, kZ.stroke})},
             FailedByThePlan(),
             {ReleaseKey({kA.stroke, kS.stroke, kZ.stroke})},
             Leave({"序列号: SN1", "版本号: V1", "用户验证: 通过", "序列号: SN2", "版本号: V2",
                    "    鬼键: 期望 A S, 收到 Z", "User Selection: FAILED", "    失败原因: 按键损坏"}),
             {ExpectLogFile("test.csv", {kRecordHeader, RowStart("SN1") + "PASS,,,{any},4,4,,,3,,,,3,3",
                                         RowStart("SN2") + "FAIL," + kKeyBrokenUtf8 +
                                             ",key_broken,{any},4,2,A;S,,2,,,Z,3,2"})},
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

}  // namespace

std::vector<E2eCase> ListPlanCases() {
    return {
        WithShippedSettings({"plan-strict-key-out-of-turn-fails",
                             PlannedLayout("Order=strict\r\nSequence=A S D Z\r\n"), "/b", StrictOrder()}),
        {"plan-guided-key-out-of-turn-goes-on", PlannedLayout("Order=guided\r\n"), "/b", GuidedOrder()},
        {"plan-stand-alone-never-concludes", PlannedLayout("Order=strict\r\n"), "", StandAlone()},
        WithShippedSettings(
            {"plan-hands-off-phase-finds-a-phantom", PlannedLayout("Idle=3\r\n"), "/b", HandsOff()}),
        WithShippedSettings({"plan-rollover-held-together-and-a-ghost",
                             PlannedLayout("RolloverKeys=A S D\r\n"), "/b", Rollover()}),
    };
}
