// The cases of the log file: appending to an old log, and with /t the exact trace of a short sequence of
// keys, layout changes and an LED test, up to the verdict.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/production_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {10, 10, 40, 40});
const LayoutKey kS = LetterKey('S', 31, "DQSTATUSUP", {60, 10, 40, 40});
const LayoutKey kN = LetterKey('N', 49, "DQSTATUSNOTEST", {110, 10, 30, 30});
// A compound key made of N alone, passed as soon as N has been pressed.
const LayoutKey kNn = CompoundKey("NN", "DQSTATUSUP", {10, 60, 40, 40}, "500,78");
const KeyStroke kG = Letter('G', 34);

LayoutFile TraceLayout() {
    return MakeLayoutFile("Trace", {kA, kS, kN, kNn});
}

LayoutFile SpareLayout() {
    return MakeLayoutFile("Spare", {LetterKey('Z', 44, "DQSTATUSUP", {10, 10, 40, 40})});
}

const char* const kRule = "=============================================";

// The trace of a key-down, up to its match.
std::vector<std::string> KeyDownStart(int code, int scan) {
    return {kRule, "Key Down: Windows - " + std::to_string(code) + ", BIOS - " + std::to_string(scan),
            "Attempting key match of type 0"};
}

std::vector<std::string> KeyUpStart(int code, int scan) {
    return {kRule, "Key Up: Windows - " + std::to_string(code) + ", BIOS - " + std::to_string(scan),
            "Attempting key match of type 0"};
}

// A layout key going down from `status` to `newStatus`.
std::vector<std::string> MatchedKeyDown(const KeyStroke& key, int status, int newStatus) {
    return JoinLines(KeyDownStart(key.virtualKey, key.scanCode),
                     {"Key matched: " + key.label + ". Current status " + std::to_string(status),
                      "Recorded time key depressed", "New status " + std::to_string(newStatus),
                      "Completed Key down processing"});
}

// A layout key going up from `status` to `newStatus`, up to the compound pass.
std::vector<std::string> MatchedKeyUp(const KeyStroke& key, int status, int newStatus) {
    return JoinLines(KeyUpStart(key.virtualKey, key.scanCode),
                     {"Key matched: " + key.label + ". Current status " + std::to_string(status),
                      "New status " + std::to_string(newStatus)});
}

// The compound key NN tried against the newest press, the key `code`.
std::vector<std::string> CompoundTry(int code, bool matched) {
    return {
        "Attempting to match compound key NN",
        "History scancode " + std::to_string(code) + ". Compound key scancode 78. Time diff 0 (reqd: 500) ",
        std::string("Compound key match status ") + (matched ? "1" : "0")};
}

std::vector<std::string> TraceLog() {
    std::vector<std::string> lines = JoinLines(LogHeader("Trace"), SerialLines("SN1", "V1"));
    for (const auto& part : {
             std::vector<std::string>{"用户已更改键盘布局为 Spare.kbl", "用户已更改键盘布局为 Trace.kbl"},
             MatchedKeyDown(kN.stroke, 3, 7),
             MatchedKeyUp(kN.stroke, 7, 8),
             CompoundTry('N', true),
             {"Completed Key up processing"},
             KeyDownStart('G', 34),
             {"Completed Key down processing"},
             KeyUpStart('G', 34),
             MatchedKeyDown(kA.stroke, 0, 1),
             MatchedKeyUp(kA.stroke, 1, 2),
             CompoundTry('A', false),
             {"Completed Key up processing"},
             MatchedKeyDown(kS.stroke, 0, 1),
             MatchedKeyUp(kS.stroke, 1, 2),
             CompoundTry('S', false),
             {"Checking whether the test has passed. User verifiaction required: 1", "用户验证: 通过"},
         }) {
        lines = JoinLines(lines, part);
    }
    return lines;
}

std::vector<Step> TraceRun() {
    return JoinSteps(
        IdentifyRun("test.log", false),
        {ChooseLayout("Spare"), ExpectSelectedLayout("Spare"), ChooseLayout("Trace"),
         ExpectSelectedLayout("Trace"), TypeKey({kN.stroke}), ExpectControlText(IDC_LAST_RELEASED, "N"),
         TypeKey({kG}), ExpectControlText(IDC_WINDOWS_CODE, "71 (0x47)"), ClickControl(IDC_LED_TEST),
         ExpectLedBlinking(), MouseOnControl(IDC_LED_TEST), TypeKey({kA.stroke, kS.stroke}),
         ExpectDialog(kPassTitle), ClickDialogButton(kPassTitle, IDYES), ExpectDialog(kSerialTitle),
         ClickDialogButton(kSerialTitle, IDC_LEAVE), ExpectExit(0), ExpectLogFile("test.log", TraceLog())});
}

}  // namespace

std::vector<E2eCase> ListRecordCases() {
    return {
        {"log-append",
         {TraceLayout(), {"test.log", "old run\r\n", false}},
         "/b",
         JoinSteps(IdentifyRun("test.log", true),
                   {CloseMainWindow(), ExpectExit(0),
                    ExpectLogFile("test.log", JoinLines(JoinLines({"old run"}, LogHeader("Trace")),
                                                        SerialLines("SN1", "V1")))})},
        {"log-trace", {TraceLayout(), SpareLayout()}, "/t /k Trace", TraceRun()},
    };
}
