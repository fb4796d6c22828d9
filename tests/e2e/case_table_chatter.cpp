// The cases of chatter and the per-keyboard record, with the settings that ship: a chattering key fails a
// production keyboard, a key pressed twice in good time does not, a burst of input the tester handles late is
// timed by its own stamps, and a CSV row follows every verdict, also when the tester is killed right after
// one. Without the settings file the same run logs what it always did, and no record is written.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/production_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr long kMagenta = 0xFF00FF;
// 按键损坏 in UTF-8, as the record file holds it.
constexpr const char* kKeyBrokenUtf8 = "\xE6\x8C\x89\xE9\x94\xAE\xE6\x8D\x9F\xE5\x9D\x8F";
constexpr const char* kRecordHeader =
    "\xEF\xBB\xBFtime,computer,operator,product,batch,serial,version,layout,verdict,reason,reason_code,"
    "test_seconds,required_keys,tested_keys,untested_keys,chatter_keys,max_keys_held";

const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {10, 10, 40, 40});
const LayoutKey kS = LetterKey('S', 31, "DQSTATUSUP", {60, 10, 40, 40});
const LayoutKey kD = LetterKey('D', 32, "DQSTATUSUP", {110, 10, 40, 40});

LayoutFile KeysLayout() {
    return MakeLayoutFile("Keys", {kA, kS, kD});
}

// A down, up 2 ms later and down again 3 ms after that: one physical press that bounced.
const std::vector<KeyMove> kBouncedA = {{kA.stroke, false, 0}, {kA.stroke, true, 2}, {kA.stroke, false, 5}};
// S pressed twice, 200 ms from release to press.
const std::vector<KeyMove> kSTwice = {
    {kS.stroke, false, 0}, {kS.stroke, true, 50}, {kS.stroke, false, 250}, {kS.stroke, true, 300}};

// The start of a record row: the time and the computer, then the run's identifiers and the keyboard's.
std::string RowStart(const std::string& serial) {
    return std::string("{any},{any},") + kOperatorId + "," + kProductId + "," + kBatchId + "," + serial +
           ",V" + serial.substr(2) + ",Keys.kbl,";
}

// The bounced A fails the first keyboard (its reason preselected, its hatch magenta); S twice in good time
// and the rest pass the second; Alt+F fails the third, and the tester is killed as the next serial is asked.
std::vector<Step> ChatterRun() {
    std::vector<Step> steps = IdentifyRun("test.log", false);
    for (const auto& part : {
             {SendTimedKeys(kBouncedA), ExpectDialog(kFailReasonTitle),
              ExpectDialogCheck(kFailReasonTitle, IDC_REASON_KEY, 1), ExpectKeyOverlay(kA.place, kMagenta),
              ReleaseKey({kA.stroke}), ClickDialogButton(kFailReasonTitle, IDC_CONTINUE),
              ExpectDialogGone(kFailReasonTitle)},
             EnterSerial("SN2", "V2"),
             {SendTimedKeys(kSTwice), ExpectControlText(IDC_STATUS_LINE, "S S "),
              ExpectKeyOverlay(kS.place, kGreen), TypeKey({kA.stroke, kD.stroke}),
              ClickDialogButton(kPassTitle, IDYES), ExpectDialogGone(kPassTitle)},
             EnterSerial("SN3", "V3"),
             {PressKey({kAltKey}), TypeKey({Letter('F', 33)}), ReleaseKey({kAltKey}),
              ClickDialogButton(kFailReasonTitle, IDC_CONTINUE), ExpectDialog(kSerialTitle), KillTester(),
              ExpectLogFile("test.log",
                            JoinLines(LogHeader("Keys"),
                                      {"序列号: SN1", "版本号: V1", "    按键抖动: A 3 ms",
                                       "User Selection: FAILED", "    失败原因: 按键损坏", "序列号: SN2",
                                       "版本号: V2", "用户验证: 通过", "序列号: SN3", "版本号: V3",
                                       "User Selection: FAILED", "    失败原因: 按键损坏"})),
              ExpectLogFile("test.csv",
                            {kRecordHeader,
                             RowStart("SN1") + "FAIL," + kKeyBrokenUtf8 + ",key_broken,{any},3,1,S;D,A:3,1",
                             RowStart("SN2") + "PASS,,,{any},3,3,,,1",
                             RowStart("SN3") + "FAIL," + kKeyBrokenUtf8 + ",key_broken,,3,0,A;S;D,,0"})},
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

// The same keys without the settings file: the bounce is two presses, and the log is the classic one.
std::vector<Step> ClassicRun() {
    std::vector<Step> steps = IdentifyRun("test.log", false);
    return JoinSteps(
        steps, {SendTimedKeys(kBouncedA), ReleaseKey({kA.stroke}), SendTimedKeys(kSTwice),
                TypeKey({kD.stroke}), ClickDialogButton(kPassTitle, IDYES), ExpectDialog(kSerialTitle),
                PressDialogKey(kSerialTitle, kEscapeStroke), ExpectExit(0),
                ExpectLogFile("test.log",
                              JoinLines(LogHeader("Keys"), {"序列号: SN1", "版本号: V1", "用户验证: 通过"})),
                ExpectNoFile("test.csv")});
}

// A hundred presses of A and S in turn, stamped 30 ms apart, sent at once: the tester handles them long after
// their time, and sees no chatter, as a key's release and its next press lie 50 ms apart by their stamps.
std::vector<Step> LateBurst() {
    std::vector<KeyMove> moves;
    std::string history;
    for (int press = 0; press < 100; ++press) {
        const KeyStroke& key = press % 2 == 0 ? kA.stroke : kS.stroke;
        moves.push_back({key, false, press * 30});
        moves.push_back({key, true, press * 30 + 10});
        history = key.label + " " + history;
    }
    return {ExpectMainWindowShown(),
            SendTimedKeys(moves),
            ExpectControlText(IDC_STATUS_LINE, history),
            ExpectKeyOverlay(kA.place, kGreen),
            ExpectKeyOverlay(kS.place, kGreen),
            CloseMainWindow(),
            ExpectExit(0)};
}

const LayoutKey kSpace = SpaceKey({10, 60, 90, 40});
const LayoutKey kEnter =
    MakeKey("\"VK_RETURN\"", {VK_RETURN, 28, false, "Enter"}, "DQSTATUSUP", {110, 60, 60, 40});

// A, Space and Enter: Enter and Space are what answers a dialog's focused or default button.
LayoutFile LastKeysLayout() {
    return MakeLayoutFile("Last", {kA, kSpace, kEnter});
}

// `key` released and, `gapMs` later, pressed and released again; all sent at once, so that the second press
// is still queued when the first release has been handled.
std::vector<KeyMove> PressedAgain(const KeyStroke& key, int gapMs) {
    return {{key, false, 0}, {key, true, 30}, {key, false, 30 + gapMs}, {key, true, 60 + gapMs}};
}

// A and `other` typed, then `last` pressed, released and bounced 1 ms later: the bounce fails the keyboard
// as chatter, and the pass question never shows.
std::vector<Step> LastKeyBounce(const KeyStroke& other, const KeyStroke& last) {
    return {TypeKey({kA.stroke, other}),
            SendTimedKeys({{last, false, 0}, {last, true, 30}, {last, false, 31}}),
            ExpectDialog(kFailReasonTitle),
            ExpectNoDialog(kPassTitle),
            ReleaseKey({last}),
            ClickDialogButton(kFailReasonTitle, IDC_CONTINUE)};
}

// The pass question waits for the last key's bounce, which fails the keyboard (Enter, then Space), and a key
// typed ahead after the last release answers nothing: the question stays open for the operator.
std::vector<Step> LastKeyBounces() {
    std::vector<Step> steps = IdentifyRun("test.log", false);
    for (const auto& part : {
             LastKeyBounce(kSpace.stroke, kEnter.stroke),
             EnterSerial("SN2", "V2"),
             LastKeyBounce(kEnter.stroke, kSpace.stroke),
             EnterSerial("SN3", "V3"),
             {TypeKey({kA.stroke, kSpace.stroke}), SendTimedKeys(PressedAgain(kEnter.stroke, 70)),
              ExpectDialog(kPassTitle), Pause(500), ExpectDialog(kPassTitle),
              ClickDialogButton(kPassTitle, IDYES), ExpectDialog(kSerialTitle),
              ClickDialogButton(kSerialTitle, IDC_LEAVE), ExpectExit(0),
              ExpectLogFile("test.log", JoinLines(LogHeader("Last"),
                                                  {"序列号: SN1", "版本号: V1", "    按键抖动: Enter 1 ms",
                                                   "User Selection: FAILED", "    失败原因: 按键损坏",
                                                   "序列号: SN2", "版本号: V2", "    按键抖动: Space 1 ms",
                                                   "User Selection: FAILED", "    失败原因: 按键损坏",
                                                   "序列号: SN3", "版本号: V3", "用户验证: 通过"}))},
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

// Without the settings file the last release asks at once, as it always did, but the same key pressed
// again right after it (Enter, then Space) is taken from the queue instead of answering the question.
std::vector<Step> QueuedKeysNeverAnswer() {
    std::vector<Step> steps = IdentifyRun("test.log", false);
    for (const auto& part : {
             {TypeKey({kA.stroke, kSpace.stroke}), SendTimedKeys(PressedAgain(kEnter.stroke, 1)),
              ExpectDialog(kPassTitle), Pause(500), ExpectDialog(kPassTitle),
              ClickDialogButton(kPassTitle, IDNO), ExpectDialog(kFailReasonTitle),
              ClickDialogButton(kFailReasonTitle, IDC_CONTINUE)},
             EnterSerial("SN2", "V2"),
             {TypeKey({kA.stroke, kEnter.stroke}), SendTimedKeys(PressedAgain(kSpace.stroke, 1)),
              ExpectDialog(kPassTitle), Pause(500), ExpectDialog(kPassTitle),
              ClickDialogButton(kPassTitle, IDYES), ExpectDialog(kSerialTitle),
              PressDialogKey(kSerialTitle, kEscapeStroke), ExpectExit(0),
              ExpectLogFile("test.log",
                            JoinLines(LogHeader("Last"), {"序列号: SN1", "版本号: V1", "用户验证: 失败",
                                                          "    失败原因: 按键损坏", "序列号: SN2",
                                                          "版本号: V2", "用户验证: 通过"}))},
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

// RecordPath given as a bare name is taken from the tester's folder, not from the folder it was started in;
// a log of the same file, whatever its case, is refused before anything is written to it.
std::vector<Step> RecordsBesideTheProgram() {
    std::vector<Step> steps = {
        ExpectDialog(kOperatorTitle),
        SetDialogText(kOperatorTitle, IDC_OPERATOR_ID, kOperatorId),
        SetDialogText(kOperatorTitle, IDC_PRODUCT_ID, kProductId),
        SetDialogText(kOperatorTitle, IDC_BATCH_ID, kBatchId),
        SetDialogText(kOperatorTitle, IDC_LOG_PATH, "{dir}\\RECORDS.CSV"),
        ClickDialogButton(kOperatorTitle, IDC_CONTINUE),
        ExpectMessageBox(kErrorCaption,
                         "记录文件与日志文件是同一个文件：{dir}\\RECORDS.CSV。\n"
                         "请换一个日志文件名，或在设置文件中为 RecordPath 另选一个文件。"),
        ExpectNoFile("RECORDS.CSV")};
    return JoinSteps(
        JoinSteps(steps, IdentifyRun("test.log", false)),
        {PressKey({kAltKey}), TypeKey({Letter('F', 33)}), ReleaseKey({kAltKey}),
         ClickDialogButton(kFailReasonTitle, IDC_CONTINUE), ExpectDialog(kSerialTitle),
         PressDialogKey(kSerialTitle, kEscapeStroke), ExpectExit(0),
         ExpectLogFile("records.csv", {kRecordHeader, RowStart("SN1") + "FAIL," + kKeyBrokenUtf8 +
                                                          ",key_broken,,3,0,A;S;D,,0"})});
}

}  // namespace

std::vector<E2eCase> ListChatterCases() {
    return {
        WithShippedSettings(
            {"chatter-fails-a-keyboard-and-every-verdict-is-recorded", {KeysLayout()}, "/b", ChatterRun()}),
        {"chatter-without-settings-logs-as-ever", {KeysLayout()}, "/b", ClassicRun()},
        WithShippedSettings({"chatter-timed-by-the-input-stamps", {KeysLayout()}, "", LateBurst()}),
        WithShippedSettings(
            {"verdict-waits-for-the-last-keys-bounce", {LastKeysLayout()}, "/b", LastKeyBounces()}),
        {"records-beside-the-program-never-in-the-log",
         {KeysLayout(),
          {"dorvelquinta.ini", "[Dorvelquinta]\r\nRecord=1\r\nRecordPath=records.csv\r\n", false}},
         "/b",
         RecordsBesideTheProgram()},
        {"verdict-queued-keys-never-answer", {LastKeysLayout()}, "/b", QueuedKeysNeverAnswer()},
    };
}
