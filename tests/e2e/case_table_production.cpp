// The cases of production mode (/b): the Operator dialog's checks and ways out, the Serial dialog and its
// refusals, entries longer than the dialogs read, the pass question answered yes and no, the fault check, a
// fail-on-press key and a fail combination, each keyboard's lines in the log, and the verdict lines on disk
// when the process is killed right after a verdict.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/production_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr int kProductionSlots = 6;
constexpr const char* kBadNameText = "Log Filename invalid: NULL \\ / : * ? < > | not allowed";
constexpr const char* kNoPathText = "Log Filename invalid: No path specified";
constexpr const char* kNoNameText = "Log Filename invalid: NULL not allowed";
constexpr const char* kCannotOpenText = "无法打开日志文件。请输入一个替换的文件名。";
// A log name whose Chinese character has the second byte 0x5C, the byte of a backslash.
constexpr const char* kChineseLogName = "錦.log";
// The characters of an identifier, serial number or version that the dialogs read.
constexpr size_t kReadLength = 49;
const std::string kLongBatchId = "BATCH-" + std::string(54, '9');
// A log path longer than the 399 characters the dialog reads. Its first 399 are a good path (the blanks
// after a file name are dropped when it is opened); the whole one ends in a bar, which no file name takes.
const std::string kOverlongLogPath = "{dir}\\cut.log" + std::string(420, ' ') + "|";

// The keys lie in the picture's left corner, which the centred dialogs leave uncovered.
const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {10, 10, 40, 40});
const LayoutKey kS = LetterKey('S', 31, "DQSTATUSUP", {60, 10, 40, 40});
const LayoutKey kSpace = SpaceKey({10, 60, 90, 40});
const LayoutKey kN = LetterKey('N', 49, "DQSTATUSNOTEST", {110, 10, 30, 30});

LayoutFile LineLayout() {
    return MakeLayoutFile("Line", {kA, kS, kSpace, kN});
}

// A fail combination of Q and W whose rectangle lies over the upper half of the A key, listed before it.
const LayoutKey kQwCombination = CompoundKey("QW", "DQSTATUSFAIL", {60, 0, 80, 30}, "2000,81,87");
const LayoutKey kFailA = LetterKey('A', 30, "DQSTATUSUP", {100, 10, 40, 40});
const LayoutKey kQ = LetterKey('Q', 16, "DQSTATUSUP", {200, 10, 40, 40});
const LayoutKey kW = LetterKey('W', 17, "DQSTATUSUP", {260, 10, 40, 40});
const LayoutKey kX = LetterKey('X', 45, "DQSTATUSNOTESTFAIL", {320, 10, 40, 40});
const PictureRect kOverlap = {100, 10, 40, 20};

LayoutFile FailLayout() {
    return MakeLayoutFile("Fail", {kQwCombination, kFailA, kQ, kW, kX, SpaceKey({10, 80, 100, 40})});
}

Step PressContinue(SourcePlace writtenAt = {}) {
    return ClickDialogButton(kOperatorTitle, IDC_CONTINUE, writtenAt);
}

Step TypeField(int field, const std::string& text, SourcePlace writtenAt = {}) {
    return SetDialogText(kOperatorTitle, field, text, writtenAt);
}

// Every refusal of the Operator dialog's Continue, then a name in append mode refused for the operator, then
// overwrite chosen and everything filled: the old log is replaced.
std::vector<Step> OperatorChecks() {
    return {ExpectDialog(kOperatorTitle),
            ExpectDialogCentred(kOperatorTitle),
            ExpectButtonRow(kProductionSlots),
            ExpectDialogCheck(kOperatorTitle, IDC_OVERWRITE_LOG, 1),
            ExpectDialogCheck(kOperatorTitle, IDC_APPEND_LOG, 0),
            TypeField(IDC_LOG_PATH, "typed.log"),
            ClickDialogButton(kOperatorTitle, IDC_BROWSE),
            ExpectDialog(kBrowseTitle),
            ClickDialogButton(kBrowseTitle, IDCANCEL),
            ExpectDialogGone(kBrowseTitle),
            ExpectDialogText(kOperatorTitle, IDC_LOG_PATH, "{dir}\\test.log"),
            TypeField(IDC_LOG_PATH, ""),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, "您必须输入一个操作标识"),
            ExpectMessageBox(kErrorCaption, kNoPathText),
            TypeField(IDC_OPERATOR_ID, kOperatorId),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, "您必须输入一个产品标识"),
            ExpectMessageBox(kErrorCaption, kNoPathText),
            TypeField(IDC_PRODUCT_ID, kProductId),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, "您必须输入一个批量标识"),
            ExpectMessageBox(kErrorCaption, kNoPathText),
            TypeField(IDC_BATCH_ID, kLongBatchId),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, kNoNameText),
            TypeField(IDC_LOG_PATH, "test.log"),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, kNoPathText),
            TypeField(IDC_LOG_PATH, "C:/logs/test.log"),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, kNoPathText),
            TypeField(IDC_LOG_PATH, "{dir}\\"),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, kBadNameText),
            TypeField(IDC_LOG_PATH, "{dir}\\run?.log"),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, kBadNameText),
            TypeField(IDC_LOG_PATH, "{dir}\\missing\\test.log"),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, kCannotOpenText),
            ClickDialogButton(kOperatorTitle, IDC_APPEND_LOG),
            ExpectDialogCheck(kOperatorTitle, IDC_OVERWRITE_LOG, 0),
            TypeField(IDC_OPERATOR_ID, ""),
            TypeField(IDC_LOG_PATH, std::string("{dir}\\") + kChineseLogName),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, "您必须输入一个操作标识"),
            ClickDialogButton(kOperatorTitle, IDC_OVERWRITE_LOG),
            TypeField(IDC_OPERATOR_ID, kOperatorId),
            PressContinue(),
            ExpectDialogGone(kOperatorTitle)};
}

// The log of the operator case: the batch identifier cut to the characters read.
std::vector<std::string> OperatorCaseHeader() {
    std::vector<std::string> header = LogHeader("Line");
    header[5] = "批量标识: " + kLongBatchId.substr(0, kReadLength);
    return header;
}

// A serial number without a version is refused with a prompt and writes nothing.
std::vector<Step> SerialChecks() {
    return {ExpectDialog(kSerialTitle),
            SetDialogText(kSerialTitle, IDC_SERIAL, "SN1"),
            ClickDialogButton(kSerialTitle, IDC_CONTINUE),
            ExpectDialogText(kSerialTitle, IDC_SERIAL_PROMPT, "请输入序列号和版本号"),
            ExpectLogFile(kChineseLogName, OperatorCaseHeader()),
            SetDialogText(kSerialTitle, IDC_VERSION, "V1"),
            ClickDialogButton(kSerialTitle, IDC_CONTINUE),
            ExpectDialogGone(kSerialTitle),
            ExpectLogFile(kChineseLogName, JoinLines(OperatorCaseHeader(), SerialLines("SN1", "V1"))),
            SetClientSize(800, 560),
            ExpectButtonRow(kProductionSlots),
            CloseMainWindow(),
            ExpectExit(0),
            ExpectLogFile(kChineseLogName, JoinLines(OperatorCaseHeader(), SerialLines("SN1", "V1")))};
}

// `head`, then digits counted from 1 up to `length` characters ("SN1234567890123..."), so that a cut shows
// where it falls.
std::string CountedText(const std::string& head, size_t length) {
    std::string text = head;
    while (text.size() < length) {
        text += static_cast<char>('0' + (text.size() - head.size() + 1) % 10);
    }
    return text;
}

const std::string kLongSerial = CountedText("SN", 50);
const std::string kLongVersion = CountedText("V", 80);

// A log path longer than the dialog reads is refused, not opened cut short, and can be put right; a version
// without a serial number is refused with the prompt and writes nothing; a serial number and a version longer
// than the characters read are logged cut to them.
std::vector<Step> LongEntries() {
    return {ExpectDialog(kOperatorTitle),
            TypeField(IDC_OPERATOR_ID, kOperatorId),
            TypeField(IDC_PRODUCT_ID, kProductId),
            TypeField(IDC_BATCH_ID, kBatchId),
            TypeField(IDC_LOG_PATH, kOverlongLogPath),
            PressContinue(),
            ExpectMessageBox(kErrorCaption, kCannotOpenText),
            ExpectNoFile("cut.log"),
            ExpectDialog(kOperatorTitle),
            TypeField(IDC_LOG_PATH, "{dir}\\test.log"),
            PressContinue(),
            ExpectDialogGone(kOperatorTitle),
            ExpectDialog(kSerialTitle),
            ExpectDialogText(kSerialTitle, IDC_SERIAL_PROMPT, ""),
            SetDialogText(kSerialTitle, IDC_VERSION, kLongVersion),
            ClickDialogButton(kSerialTitle, IDC_CONTINUE),
            ExpectDialogText(kSerialTitle, IDC_SERIAL_PROMPT, "请输入序列号和版本号"),
            ExpectLogFile("test.log", LogHeader("Line")),
            SetDialogText(kSerialTitle, IDC_SERIAL, kLongSerial),
            ClickDialogButton(kSerialTitle, IDC_CONTINUE),
            ExpectDialogGone(kSerialTitle),
            CloseMainWindow(),
            ExpectExit(0),
            ExpectLogFile("test.log",
                          JoinLines(LogHeader("Line"), SerialLines(kLongSerial.substr(0, kReadLength),
                                                                   kLongVersion.substr(0, kReadLength))))};
}

// All required keys: the pass question, which Escape does not answer, while the picture still shows them.
std::vector<Step> AllKeysTested() {
    return {TypeKey({kA.stroke, kS.stroke}),
            PressKey({kSpace.stroke}),
            ExpectKeyOverlay(kSpace.place, kRed),
            ExpectNoDialog(kPassTitle),
            ReleaseKey({kSpace.stroke}),
            ExpectDialog(kPassTitle),
            ExpectDialogCentred(kPassTitle),
            ExpectKeyOverlay(kA.place, kGreen),
            PressDialogKey(kPassTitle, kEscapeStroke),
            Pause(300),
            ExpectDialog(kPassTitle)};
}

// Before the Serial dialog opens the test is reset: readouts, picture and fields are fresh.
std::vector<Step> ResetBeforeSerial() {
    return {ExpectDialog(kSerialTitle),
            ExpectDialogCentred(kSerialTitle),
            ExpectKeyPlain(kA.place),
            ExpectKeyPlain(kSpace.place),
            ExpectControlText(IDC_STATUS_LINE, ""),
            ExpectControlText(IDC_LAST_PRESSED, "N/A"),
            ExpectDialogText(kSerialTitle, IDC_SERIAL, ""),
            ExpectDialogText(kSerialTitle, IDC_VERSION, "")};
}

std::vector<Step> ChooseReason(int reason) {
    return {ExpectDialog(kFailReasonTitle),
            ExpectDialogCentred(kFailReasonTitle),
            ExpectNoDialog(kPassTitle),
            ExpectDialogCheck(kFailReasonTitle, IDC_REASON_KEY, 1),
            ClickDialogButton(kFailReasonTitle, reason),
            ExpectDialogCheck(kFailReasonTitle, reason, 1),
            ClickDialogButton(kFailReasonTitle, IDC_CONTINUE),
            ExpectDialogGone(kFailReasonTitle)};
}

// The LEDs blink on while the pass question is open; the verdict's reset stops them and gives the lock keys
// back their toggles. The LED test is started with the mouse, so that its click comes after the key events
// that set the locks.
std::vector<Step> Verdicts() {
    std::vector<Step> steps = IdentifyRun("test.log", false);
    for (const auto& part : {
             {SetLock(VK_CAPITAL, true), SetLock(VK_NUMLOCK, false), SetLock(VK_SCROLL, false),
              MouseOnControl(IDC_LED_TEST), ExpectLedBlinking()},
             AllKeysTested(),
             {ExpectLedBlinking(), MouseOnDialogButton(kPassTitle, IDYES), ExpectDialogGone(kPassTitle),
              ExpectLocks(true, false, false)},
             ResetBeforeSerial(),
             EnterSerial("SN2", "V2"),
             AllKeysTested(),
             {ClickDialogButton(kPassTitle, IDNO), ExpectDialogGone(kPassTitle),
              PressDialogKey(kFailReasonTitle, kEscapeStroke), Pause(300)},
             ChooseReason(IDC_REASON_BANK),
             ResetBeforeSerial(),
             EnterSerial("SN3", "V3"),
             {PressKey({kAltKey}), TypeKey({Letter('F', 33)})},
             ChooseReason(IDC_REASON_LED),
             EnterSerial("SN4", "V4"),
             {ReleaseKey({kAltKey}), ClickControl(IDC_FAULT_CHECK)},
             ChooseReason(IDC_REASON_OTHER),
             {ExpectDialog(kSerialTitle), PressDialogKey(kSerialTitle, kEscapeStroke), ExpectExit(0)},
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

std::vector<std::string> VerdictsLog() {
    return JoinLines(LogHeader("Line"),
                     {"序列号: SN1", "版本号: V1", "用户验证: 通过", "序列号: SN2", "版本号: V2",
                      "用户验证: 失败", "    失败原因: 整列损坏", "序列号: SN3", "版本号: V3",
                      "User Selection: FAILED", "    失败原因: LED 损坏", "序列号: SN4", "版本号: V4",
                      "User Selection: FAILED", "    失败原因: 其他原因"});
}

// A fail-on-press key fails on its key-down; a fail combination in any order fails and shows blue over the
// green of the key beneath it; killed right after, the tester has left every verdict line on disk.
std::vector<Step> FailKeys() {
    std::vector<Step> steps = IdentifyRun("test.log", false);
    for (const auto& part : {
             std::vector<Step>{PressKey({kX.stroke}), ExpectDialog(kFailReasonTitle),
                               ExpectNoDialog(kPassTitle), ReleaseKey({kX.stroke}),
                               ClickDialogButton(kFailReasonTitle, IDC_CONTINUE)},
             EnterSerial("SN2", "V2"),
             {TypeKey({kFailA.stroke}), ExpectKeyOverlay(kFailA.place, kGreen),
              PressKey({kW.stroke, kQ.stroke}), ExpectDialog(kFailReasonTitle), ExpectNoDialog(kPassTitle),
              RepaintWindow(), ExpectOverlayOnTop(kOverlap, kBlue, kGreen),
              ReleaseKey({kQ.stroke, kW.stroke})},
             ChooseReason(IDC_REASON_ROW),
             {ExpectDialog(kSerialTitle), KillTester()},
         }) {
        steps = JoinSteps(steps, part);
    }
    return JoinSteps(
        steps, {ExpectLogFile("test.log", JoinLines(LogHeader("Fail"),
                                                    {"序列号: SN1", "版本号: V1", "User Selection: FAILED",
                                                     "    失败原因: 按键损坏", "序列号: SN2", "版本号: V2",
                                                     "User Selection: FAILED", "    失败原因: 整行损坏"}))});
}

// A log that can no longer be written (a full disk: Wine's Z:\dev\full) is reported once the serial numbers
// are to be committed; the Operator dialog opens again with the run's identifiers, the lost log's path and
// Append ticked, and then opens a new log, which gets the header, the layout and the numbers asked for
// again, and the run goes on there.
std::vector<Step> LogOnAFullDisk() {
    std::vector<Step> steps = {ExpectDialog(kOperatorTitle),
                               SetDialogText(kOperatorTitle, IDC_OPERATOR_ID, kOperatorId),
                               SetDialogText(kOperatorTitle, IDC_PRODUCT_ID, kProductId),
                               SetDialogText(kOperatorTitle, IDC_BATCH_ID, kBatchId),
                               SetDialogText(kOperatorTitle, IDC_LOG_PATH, "Z:\\dev\\full"),
                               ClickDialogButton(kOperatorTitle, IDC_CONTINUE),
                               ExpectDialogGone(kOperatorTitle)};
    for (const auto& part :
         {EnterSerial("SN1", "V1"),
          {ExpectMessageBox(kErrorCaption,
                            "无法写入测试日志，检测记录已不再保存。\n"
                            "请选择新的日志文件，然后重新输入这块键盘的序列号和版本号。"),
           ExpectDialog(kOperatorTitle), ExpectDialogText(kOperatorTitle, IDC_OPERATOR_ID, kOperatorId),
           ExpectDialogText(kOperatorTitle, IDC_BATCH_ID, kBatchId),
           ExpectDialogText(kOperatorTitle, IDC_LOG_PATH, "Z:\\dev\\full"),
           ExpectDialogCheck(kOperatorTitle, IDC_APPEND_LOG, 1)},
          IdentifyRun("test.log", false),
          {PressKey({kAltKey}), TypeKey({Letter('F', 33)}), ReleaseKey({kAltKey})},
          ChooseReason(IDC_REASON_KEY),
          {ExpectDialog(kSerialTitle), PressDialogKey(kSerialTitle, kEscapeStroke), ExpectExit(0),
           ExpectLogFile("test.log",
                         JoinLines(LogHeader("Line"), {"序列号: SN1", "版本号: V1", "User Selection: FAILED",
                                                       "    失败原因: 按键损坏"}))}}) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

}  // namespace

std::vector<E2eCase> ListProductionCases() {
    return {
        {"production-operator-and-serial-checks",
         {LineLayout(), {kChineseLogName, "old run\r\n", false}},
         "/b",
         JoinSteps(OperatorChecks(), SerialChecks())},
        {"production-operator-escape",
         {LineLayout()},
         "/b",
         {ExpectDialog(kOperatorTitle), PressDialogKey(kOperatorTitle, kEscapeStroke), ExpectExit(0),
          ExpectNoFile("test.log")}},
        {"production-operator-exit-button",
         {LineLayout()},
         "/b",
         {ExpectDialog(kOperatorTitle), TypeField(IDC_LOG_PATH, "{dir}\\test.log"),
          ClickDialogButton(kOperatorTitle, IDC_LEAVE), ExpectExit(0), ExpectNoFile("test.log")}},
        {"production-verdicts",
         {LineLayout()},
         "/b",
         JoinSteps(Verdicts(), {ExpectLogFile("test.log", VerdictsLog())})},
        {"production-fail-keys-and-kill", {FailLayout()}, "/b", FailKeys()},
        {"production-log-on-a-full-disk", {LineLayout()}, "/b", LogOnAFullDisk()},
        {"production-long-entries-and-version-alone", {LineLayout()}, "/b", LongEntries()},
    };
}
