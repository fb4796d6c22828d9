// The cases of plug-in mode with the driver as the host: the block as the tester fills it, the operations
// counted, a failed keyboard's message and the end that follows, the run flag ending the tester (also while
// the pass question, the failure reason or the About box is open), the start-up failures of the link, and
// no identification dialog or log in plug-in mode.
#include <cstring>

#include "records/host_link.h"
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/host_block.h"
#include "tests/e2e/host_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr const char* kLinkErrorCaption = "Dorvelquinta: 错误";
constexpr int kFilledBlock = 0xAA;
// A key typed into another program reaches it within this, the tester busy or not (a loaded machine
// included).
constexpr int kPromptKeyMs = 300;
// The tester ends at its next poll of the run flag (each second) and Wine then ends the process: the bound
// leaves a loaded machine room for both.
constexpr long kPollEndMs = 2500;
// After the end state, the tester waits 3 s for the host (thirty sleeps, each of which may run late) and
// ends: the bound leaves a loaded machine room for both.
constexpr long kEndWaitEndMs = 4500;
// A failure's message stays pending for 2 s: the host block is read well within that.
constexpr int kWellWithinWaitMs = 1000;

const LayoutKey kA = LetterKey('A', 30, "DQSTATUSUP", {10, 10, 40, 40});
const LayoutKey kS = LetterKey('S', 31, "DQSTATUSUP", {60, 10, 40, 40});

// Space stays untested, so that no release completes the test.
LayoutFile PluginLayout() {
    return MakeLayoutFile("Plug", {kA, kS, SpaceKey({10, 60, 90, 40})});
}

// A and S alone: the release that tests the second of them completes the test and opens the pass question.
LayoutFile ShortLayout() {
    return MakeLayoutFile("Short", {kA, kS});
}

std::string BlockName(const std::string& caseName) {
    return "CMX_PLUGIN_INT_" + caseName;
}

// A text area as the tester stores it: the text, its terminator, and the area's last written byte zeroed.
void PutArea(std::string& block, size_t area, const std::string& text, size_t width) {
    block.replace(area, text.size() + 1, text + '\0');
    block[area + width - 1] = '\0';
}

void PutNumber(std::string& block, size_t offset, size_t size, int64_t value) {
    for (size_t i = 0; i < size; ++i) {
        block[offset + i] = static_cast<char>(static_cast<uint64_t>(value) >> (8 * i));
    }
}

// The whole block once the tester is ready, when the host filled it with `fill` and set the run flag: every
// byte the tester leaves alone still holds `fill`.
std::string ReadyBlock(int fill) {
    std::string block(kHostMappingSize, static_cast<char>(fill));
    PutNumber(block, kRunFlag, 4, 1);
    PutNumber(block, kLinkWordA, 4, 2);
    PutNumber(block, kLinkWordB, 4, 0);
    PutNumber(block, kMessageCount, 4, 0);
    PutNumber(block, kMessageCode, 4, 0);
    PutNumber(block, kFirstCounterValue, 8, 0);
    PutNumber(block, kPluginState, 4, -1);
    PutNumber(block, kSecondCounterValue, 8, -1);
    PutNumber(block, kThirdCounterValue, 8, -1);
    for (size_t single : {kFirstArea, kSecondArea, kMessagePending, kMessagePending + 1, kMessagePending + 2,
                          kMessagePending + 3, kMessagePending + 4}) {
        block[single] = '\0';
    }
    PutArea(block, kPluginName, "Dorvelquinta", 20);
    PutArea(block, kStatusText, std::string(8, ' '), 20);
    PutArea(block, kMessageText, "", 99);
    PutArea(block, kFirstCounterLabel, "    :", 20);
    PutArea(block, kSecondCounterLabel, "", 20);
    PutArea(block, kThirdCounterLabel, "", 20);
    block[kReady] = '\x01';
    return block;
}

Step ExpectOperations(int64_t count, SourcePlace writtenAt = {}) {
    return ExpectHostNumber(kFirstCounterValue, 8, count, writtenAt);
}

Step ExpectState(int32_t state, SourcePlace writtenAt = {}) {
    return ExpectHostNumber(kPluginState, 4, state, writtenAt);
}

// "操作失败 -" and the reason line "    失败原因: 按键损坏\n" as the host reads them: each GBK byte and the
// line feed a space.
std::string FailureMessage() {
    return std::string(8, ' ') + " -" + std::string(4 + 8, ' ') + ": " + std::string(8 + 1, ' ') + '\0';
}

// The block ready with every byte in place; a press counts nothing, each release one.
std::vector<Step> ReadyAndCounting(int fill) {
    return {ExpectMainWindowShown(),
            ExpectHostBytes(0, ReadyBlock(fill)),
            ExpectNoDialog(kOperatorTitle),
            PressKey({kA.stroke}),
            ExpectControlText(IDC_LAST_PRESSED, "A"),
            ExpectOperations(0),
            ReleaseKey({kA.stroke}),
            ExpectOperations(1),
            TypeKey({kS.stroke}),
            ExpectOperations(2)};
}

// The host drops its run flag to `value`: the tester ends at its next poll and writes no state.
std::vector<Step> StoppedByHost(uint32_t value) {
    return {SetRunFlag(value), ExpectEndWithin(0, kPollEndMs), ExpectState(-1),
            ExpectHostNumber(kMessageCount, 4, 0)};
}

// Alt+F opens the failure reason, with its first reason checked.
std::vector<Step> FailureAsked() {
    return {ExpectMainWindowShown(),
            ExpectHostNumber(kReady, 1, 1),
            PressKey({kAltKey}),
            TypeKey({Letter('F', 33)}),
            ExpectDialog(kFailReasonTitle),
            ReleaseKey({kAltKey}),
            ExpectDialogCheck(kFailReasonTitle, IDC_REASON_KEY, 1)};
}

// Alt+F fails the keyboard; the message stays pending 2 s, then the state 9 and 3 s later the end. The Fail
// command sent to the window during either wait starts no second verdict: one message, one end.
std::vector<Step> FailedKeyboard() {
    return JoinSteps(
        FailureAsked(),
        {ClickDialogButton(kFailReasonTitle, IDC_CONTINUE), ExpectHostNumber(kMessagePending, 1, 1),
         ExpectHostBytes(kMessageText, FailureMessage()), ExpectHostNumber(kMessageCount, 4, 1),
         ExpectHostNumber(kMessageCode, 4, 3), SendCommand(IDC_FAULT_CHECK), Pause(kWellWithinWaitMs),
         ExpectState(-1), ExpectState(9), SendCommand(IDC_FAULT_CHECK), ExpectEndWithin(2500, kEndWaitEndMs),
         ExpectNoDialog(kFailReasonTitle), ExpectHostNumber(kMessageCount, 4, 1),
         ExpectHostNumber(kMessagePending, 1, 1), ExpectHostNumber(kRunFlag, 4, 1),
         ExpectNoFile("test.log")});
}

// A failed keyboard's reset shows while the tester waits for the host after the end state: the key tested
// before the failure is no longer hatched.
std::vector<Step> ResetShownDuringTheEndWait() {
    return {ExpectMainWindowShown(),
            ExpectHostNumber(kReady, 1, 1),
            TypeKey({kA.stroke}),
            ExpectKeyOverlay(kA.place, kGreen),
            PressKey({kAltKey}),
            TypeKey({Letter('F', 33)}),
            ExpectDialog(kFailReasonTitle),
            ReleaseKey({kAltKey}),
            ClickDialogButton(kFailReasonTitle, IDC_CONTINUE),
            ExpectState(9),
            ExpectKeyPlain(kA.place),
            ExpectEndWithin(1500, kEndWaitEndMs)};
}

// While the tester waits for the host after a failure, with the system-key filter on, keys typed into another
// program reach it at once: the filter's hook, which runs on the tester's thread, is still answered.
std::vector<Step> KeysElsewhereDuringTheWaits() {
    const std::vector<KeyStroke> keys = {Letter('Q', 16), Letter('W', 17), Letter('E', 18)};
    return {ExpectMainWindowShown(),
            ExpectHostNumber(kReady, 1, 1),
            ExpectCheckState(IDC_FILTER_SYSTEM_KEYS, 1),
            PressKey({kAltKey}),
            TypeKey({Letter('F', 33)}),
            ExpectDialog(kFailReasonTitle),
            ReleaseKey({kAltKey}),
            ClickDialogButton(kFailReasonTitle, IDC_CONTINUE),
            ExpectHostNumber(kMessagePending, 1, 1),
            ExpectKeysElsewhere(keys, kPromptKeyMs),
            ExpectState(9),
            ExpectKeysElsewhere(keys, kPromptKeyMs),
            ExpectEndWithin(0, kEndWaitEndMs)};
}

// The host drops its run flag while a modal dialog of the tester is open: the poll that the dialog's own loop
// delivers ends the tester within 2 s, with exit code 0. Nothing reaches the block on that way out: it keeps
// the ready state and the `operations` counted before the dialog opened, beside the flag the host cleared.
std::vector<Step> StoppedWithDialogOpen(int fill, int64_t operations) {
    std::string block = ReadyBlock(fill);
    PutNumber(block, kRunFlag, 4, 0);
    PutNumber(block, kFirstCounterValue, 8, operations);
    return {SetRunFlag(0), ExpectEndWithin(0, kPollEndMs), ExpectHostBytes(0, block),
            ExpectNoFile("test.log")};
}

// The pass question open while the LED test runs: no answer, no state 9, no message and not the completing
// release reach the block, and the lock keys get their toggles back. The LED test is started with the mouse,
// so that its click comes after the key events that set the locks.
std::vector<Step> StoppedDuringPassQuestion(int fill) {
    return JoinSteps({ExpectMainWindowShown(), ExpectHostNumber(kReady, 1, 1), SetLock(VK_CAPITAL, true),
                      SetLock(VK_NUMLOCK, false), SetLock(VK_SCROLL, false), MouseOnControl(IDC_LED_TEST),
                      ExpectLedBlinking(), TypeKey({kA.stroke}), ExpectOperations(1), TypeKey({kS.stroke}),
                      ExpectDialog(kPassTitle), ExpectLedBlinking()},
                     JoinSteps(StoppedWithDialogOpen(fill, 1), {ExpectLocks(true, false, false)}));
}

// The failure reason asked for by the fault button: no reason, no message and no state 9 reach the block.
std::vector<Step> StoppedDuringFailReason(int fill) {
    return JoinSteps({ExpectMainWindowShown(), ExpectHostNumber(kReady, 1, 1), TypeKey({kA.stroke}),
                      ExpectOperations(1), ClickControl(IDC_FAULT_CHECK), ExpectDialog(kFailReasonTitle),
                      ExpectDialogCheck(kFailReasonTitle, IDC_REASON_KEY, 1)},
                     StoppedWithDialogOpen(fill, 1));
}

// The About box, after two counted operations.
std::vector<Step> StoppedDuringAboutBox(int fill) {
    return JoinSteps(
        {ExpectMainWindowShown(), ExpectHostNumber(kReady, 1, 1), TypeKey({kA.stroke}), TypeKey({kS.stroke}),
         ExpectOperations(2), ClickControl(IDC_ABOUT), ExpectDialog(kAboutTitle)},
        StoppedWithDialogOpen(fill, 2));
}

// A record file that cannot be written (Wine's Z:\dev\full): the row is written, and asked about, before
// the host hears of the failure, and the host's run flag does not close the question; once the operator
// has answered, the failure is reported and the run ends.
std::vector<Step> RecordQuestionOutlivesTheRunFlag() {
    return JoinSteps(FailureAsked(),
                     {ClickDialogButton(kFailReasonTitle, IDC_CONTINUE), ExpectDialog(kLinkErrorCaption),
                      ExpectHostNumber(kMessageCount, 4, 0), SetRunFlag(0), Pause(1600),
                      ExpectDialog(kLinkErrorCaption), ClickDialogButton(kLinkErrorCaption, IDCANCEL),
                      ExpectHostNumber(kMessageCount, 4, 1), ExpectEndWithin(0, kPollEndMs)});
}

std::vector<Step> LinkRefused(int code) {
    return {ExpectMessageBox(kLinkErrorCaption,
                             "Unable to initialize interface with Calderomax (" + std::to_string(code) + ")"),
            ExpectExit(0)};
}

E2eCase HostedCase(const std::string& name, const std::string& options, const std::vector<Step>& steps,
                   int fill = 0, const LayoutFile& layout = PluginLayout()) {
    return {name, {layout}, options + "/p " + BlockName(name), steps, BlockName(name), fill};
}

}  // namespace

std::vector<E2eCase> ListPluginCases() {
    return {
        HostedCase("plugin-ready-block-counts-and-run-flag-zero", "",
                   JoinSteps(ReadyAndCounting(0), StoppedByHost(0))),
        HostedCase("plugin-untouched-bytes-and-run-flag-two", "",
                   JoinSteps({ExpectMainWindowShown(), ExpectHostBytes(0, ReadyBlock(kFilledBlock))},
                             StoppedByHost(2)),
                   kFilledBlock),
        HostedCase("plugin-failed-keyboard", "", FailedKeyboard()),
        HostedCase("plugin-reset-shown-during-the-end-wait", "", ResetShownDuringTheEndWait()),
        {"plugin-keys-elsewhere-during-the-waits",
         {PluginLayout()},
         "/f /p " + BlockName("plugin-keys-elsewhere-during-the-waits"),
         KeysElsewhereDuringTheWaits(),
         BlockName("plugin-keys-elsewhere-during-the-waits"),
         0,
         FilterPlace::BesideTester},
        HostedCase("plugin-run-flag-zero-during-pass-question", "", StoppedDuringPassQuestion(kFilledBlock),
                   kFilledBlock, ShortLayout()),
        HostedCase("plugin-run-flag-zero-during-fail-reason", "", StoppedDuringFailReason(kFilledBlock),
                   kFilledBlock),
        HostedCase("plugin-run-flag-zero-during-about-box", "", StoppedDuringAboutBox(kFilledBlock),
                   kFilledBlock),
        HostedCase("plugin-batch-option-no-dialogs-no-log", "/b ",
                   JoinSteps({ExpectMainWindowShown(), ExpectHostNumber(kReady, 1, 1), Pause(1200),
                              ExpectNoDialog(kOperatorTitle), ExpectNoDialog(kSerialTitle),
                              TypeKey({kA.stroke}), ExpectOperations(1)},
                             JoinSteps(StoppedByHost(0), {ExpectNoFile("test.log")}))),
        {"plugin-record-question-outlives-the-run-flag",
         {PluginLayout(),
          {"dorvelquinta.ini", "[Dorvelquinta]\r\nRecord=1\r\nRecordPath=Z:\\dev\\full\r\n", false}},
         "/p " + BlockName("plugin-record-question-outlives-the-run-flag"),
         RecordQuestionOutlivesTheRunFlag(),
         BlockName("plugin-record-question-outlives-the-run-flag")},
        {"plugin-without-name", {PluginLayout()}, "/p", LinkRefused(1)},
        {"plugin-name-without-block", {PluginLayout()}, "/p " + BlockName("nobody-made-me"), LinkRefused(2)},
    };
}
