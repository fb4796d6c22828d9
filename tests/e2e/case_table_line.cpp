// The cases of the line link, against the real line server (kblline of the native tree, on 127.0.0.1, with
// SQLite in the case folder): the serial gate refuses a keyboard that passed already, with the line's reason;
// an outage is told once and its records reach the line when it is back; records left waiting by a killed
// tester reach it from the next run. Each time the line's records.csv must be byte for byte the tester's own
// record file: every field arrived, every record once, in order.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/line_server.h"
#include "tests/e2e/production_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr const char* kLineCaption = "Dorvelquinta: 线路";

const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {10, 10, 40, 40});
const LayoutKey kS = LetterKey('S', 31, "DQSTATUSUP", {60, 10, 40, 40});

std::vector<LayoutFile> LineFiles(bool gate) {
    return {
        MakeLayoutFile("Line", {kA, kS}),
        {"dorvelquinta.ini",
         std::string("[Dorvelquinta]\r\nRecord=1\r\nLineUrl=http://127.0.0.1:{port}\r\nLineToken=") +
             kLineToken + "\r\nLineStation=" + kLineStation + "\r\nLineGate=" + (gate ? "1" : "0") + "\r\n",
         false},
        {kLineTokensFile, std::string(kLineStation) + " " + kLineToken + "\n", false}};
}

// A keyboard whose every key is tested and that the operator passes, up to the next Serial dialog.
std::vector<Step> PassKeyboard(SourcePlace writtenAt = {}) {
    return MarkWritten({TypeKey({kA.stroke, kS.stroke}), ExpectDialog(kPassTitle),
                        ClickDialogButton(kPassTitle, IDYES), ExpectDialog(kSerialTitle)},
                       writtenAt);
}

// A keyboard failed with the Fail button, up to the next Serial dialog.
std::vector<Step> FailKeyboard(SourcePlace writtenAt = {}) {
    return MarkWritten({ClickControl(IDC_FAULT_CHECK), ExpectDialog(kFailReasonTitle),
                        ClickDialogButton(kFailReasonTitle, IDC_CONTINUE), ExpectDialog(kSerialTitle)},
                       writtenAt);
}

// The serial and version typed and confirmed; the dialog's end is the caller's to expect.
std::vector<Step> TypeSerial(const std::string& serial, SourcePlace writtenAt = {}) {
    return MarkWritten(
        {ExpectDialog(kSerialTitle), SetDialogText(kSerialTitle, IDC_SERIAL, serial),
         SetDialogText(kSerialTitle, IDC_VERSION, "V1"), ClickDialogButton(kSerialTitle, IDC_CONTINUE)},
        writtenAt);
}

std::vector<Step> JoinAll(std::initializer_list<std::vector<Step>> parts) {
    std::vector<Step> steps;
    for (const std::vector<Step>& part : parts) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

// A pass and a fail reach the line at once; the passed serial is refused with the line's reason and the
// dialog waits for the next; with the line stopped the operator is told once and testing goes on; started
// again, the line takes the two records that waited.
std::vector<Step> GateAndOutage() {
    return JoinAll({
        {StartLine()},
        IdentifyRun("test.log", false),
        PassKeyboard(),
        {ExpectLineRecords("test.csv"), ExpectControlText(IDC_PICTURE, "线路: 已连接")},
        TypeSerial("SN1"),
        {ExpectMessageBoxHolding(kLineCaption, "serial SN1 passed already at station bench-01"),
         ExpectDialogText(kSerialTitle, IDC_SERIAL_PROMPT, "线路不允许检测，请输入下一个序列号"),
         ExpectDialogText(kSerialTitle, IDC_SERIAL, "")},
        EnterSerial("SN2", "V1"),
        FailKeyboard(),
        {ExpectLineRecords("test.csv"), StopLine()},
        TypeSerial("SN3"),
        {ExpectMessageBoxHolding(kLineCaption, "无法连接线路服务器 http://127.0.0.1:"),
         ExpectDialogGone(kSerialTitle)},
        PassKeyboard(),
        {ExpectControlText(IDC_PICTURE, "线路: 无法连接，待发送 1 条")},
        EnterSerial("SN4", "V1"),
        FailKeyboard(),
        {ExpectControlText(IDC_PICTURE, "线路: 无法连接，待发送 2 条"), StartLine()},
        EnterSerial("SN5", "V1"),
        {ExpectLineRecords("test.csv"), ExpectControlText(IDC_PICTURE, "线路: 已连接"),
         ClickControl(IDC_EXIT), ExpectExit(0)},
    });
}

// Records that wait for a line that is down outlive the tester killed; the next run sends them once, after
// its back-off, with no gate to hurry it. Odd texts (Chinese, a comma, a quote) arrive as written.
std::vector<Step> KilledWithRecordsWaiting() {
    const std::vector<Step> identify = {ExpectDialog(kOperatorTitle),
                                        SetDialogText(kOperatorTitle, IDC_OPERATOR_ID, "张三"),
                                        SetDialogText(kOperatorTitle, IDC_PRODUCT_ID, "KB,105"),
                                        SetDialogText(kOperatorTitle, IDC_BATCH_ID, "B\"7"),
                                        SetDialogText(kOperatorTitle, IDC_LOG_PATH, "{dir}\\test.log"),
                                        ClickDialogButton(kOperatorTitle, IDC_APPEND_LOG),
                                        ClickDialogButton(kOperatorTitle, IDC_CONTINUE),
                                        ExpectDialogGone(kOperatorTitle)};
    return JoinAll({
        identify,
        EnterSerial("SN1", "V1"),
        PassKeyboard(),
        {ExpectControlText(IDC_PICTURE, "线路: 无法连接，待发送 1 条")},
        EnterSerial("SN2", "V1"),
        FailKeyboard(),
        {ExpectControlText(IDC_PICTURE, "线路: 无法连接，待发送 2 条"), KillTester(), RestartTester()},
        identify,
        EnterSerial("SN3", "V1"),
        {StartLine(), ExpectLineRecords("test.csv"), ExpectControlText(IDC_PICTURE, "线路: 已连接")},
        PassKeyboard(),
        {ExpectLineRecords("test.csv"), ClickDialogButton(kSerialTitle, IDC_LEAVE), ExpectExit(0)},
    });
}

E2eCase WithLineServer(E2eCase e2eCase) {
    e2eCase.lineServer = true;
    return e2eCase;
}

}  // namespace

std::vector<E2eCase> ListLineCases() {
    return {
        WithLineServer(
            {"line-gate-refuses-and-an-outage-loses-nothing", LineFiles(true), "/b", GateAndOutage()}),
        WithLineServer(
            {"line-records-outlive-a-killed-tester", LineFiles(false), "/b", KilledWithRecordsWaiting()}),
    };
}
