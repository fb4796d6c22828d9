// Key-down and key-up processing: matching, statuses, timings, history, Alt shortcuts and the verdict.
#include <cstring>

#include "records/host_link.h"
#include "resources/resource_ids.h"
#include "tests/unit/engine_fixture.h"

namespace {

int64_t HostCounter() {
    int64_t value;
    std::memcpy(&value, fakePlatform.hostBlock + kFirstCounterValue, sizeof value);
    return value;
}

class KeyEvents : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        Load({KeyRow("'A'", 30, "A"), KeyRow("'S'", 31, "S"), KeyRow("\"VK_CONTROL\"", 29, "LCtrl"),
              KeyRow("\"VK_CONTROL\"", 29, "RCtrl", true), KeyRow("'F'", 33, "F"),
              KeyRow("\"VK_SCROLL\"", 70, "Scroll", false, "DQSTATUSNOTEST"),
              KeyRow("\"VK_CAPITAL\"", 58, "Caps"), KeyRow("\"LMOUSE\"", 0, "Left", true),
              KeyRow("\"RMOUSE\"", 0, "Right", false)});
    }
    int HistoryCount() const {
        int count = 0;
        for (const HistoryEntry& slot : testState.history) {
            count += slot.keyIndex >= 0 ? 1 : 0;
        }
        return count;
    }
};

TEST_F(KeyEvents, PressAndReleaseAreTimedInWholeMilliseconds) {
    fakePlatform.counter = 100 * kTicksPerMs + 999;
    Down('A', 30);
    EXPECT_EQ(Status(0), Pressed);
    EXPECT_EQ(testState.lastPressed, 0);
    EXPECT_EQ(testState.delayTimeMs, 0);
    fakePlatform.counter = 350 * kTicksPerMs + 998;
    Up('A', 30);
    EXPECT_EQ(Status(0), Passed);
    EXPECT_EQ(testState.lastReleased, 0);
    EXPECT_EQ(testState.holdTimeMs, 249);
    At(400);
    Down('S', 31);
    EXPECT_EQ(testState.delayTimeMs, 299);
    EXPECT_EQ(fakePlatform.paintedKeys, (std::vector<int32_t>{0, 0, 1}));
}

TEST_F(KeyEvents, AutoRepeatAddsHistoryButNoNewTime) {
    At(100);
    Down('A', 30);
    At(200);
    Down('S', 31);
    At(700);
    Down('S', 31);
    Down('S', 31, false, 3);
    EXPECT_EQ(testState.delayTimeMs, 100);
    EXPECT_EQ(StateOf(1).downTime, 200 * kTicksPerMs);
    EXPECT_EQ(HistoryCount(), 6);
    Down('S', 31, false, 0);
    EXPECT_EQ(HistoryCount(), 6);
    At(900);
    Up('S', 31);
    EXPECT_EQ(testState.holdTimeMs, 700);
}

TEST_F(KeyEvents, LedTestLockKeysAreDroppedRealOnesTested) {
    program.traceOn = 1;
    Down(20, 0xFF);
    Up(20, 0xFF);
    Down(144, 0xFF);
    Down(145, 0xFF);
    EXPECT_EQ(LogText(), "");
    EXPECT_EQ(Statuses(), "0 0 0 0 0 3 0 0 0");
    EXPECT_TRUE(fakePlatform.controlWrites.empty());
    Press(20, 58);
    EXPECT_EQ(Status(6), Passed);
}

struct ShortcutCase {
    int32_t code;
    int32_t productionMode;
    int32_t command;  // 0: no shortcut, the key is tested
};

class AltShortcuts : public KeyEvents, public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(AltShortcuts, PostTheButtonCommandInsteadOfTestingTheKey) {
    const ShortcutCase& row = GetParam();
    program.productionMode = row.productionMode;
    Down(18, 56);
    ClearRecords();
    Down(row.code, 40);
    if (row.command != 0) {
        EXPECT_EQ(fakePlatform.postedCommands, std::vector<int32_t>{row.command});
        EXPECT_TRUE(testState.altPending);
        EXPECT_TRUE(fakePlatform.controlWrites.empty());
        EXPECT_NE(testState.lastKeyCode, row.code);
    } else {
        EXPECT_TRUE(fakePlatform.postedCommands.empty());
        EXPECT_FALSE(testState.altPending);
        EXPECT_EQ(testState.lastKeyCode, row.code);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, AltShortcuts,
                         ::testing::Values(ShortcutCase{'A', 0, 1016}, ShortcutCase{'C', 0, 1005},
                                           ShortcutCase{'E', 0, 1003}, ShortcutCase{115, 0, 1003},
                                           ShortcutCase{'H', 0, 1000}, ShortcutCase{'L', 0, 1023},
                                           ShortcutCase{'F', 1, 1007}, ShortcutCase{'F', 0, 0},
                                           ShortcutCase{'B', 0, 0}, ShortcutCase{'A', 1, 1016}));

TEST_F(KeyEvents, AltThenLetterIsAShortcutAltReleasedFirstIsNot) {
    Down(164, 56);
    Down('A', 30);
    EXPECT_EQ(Status(0), Untested);
    Down('A', 30);
    Down('L', 38);
    EXPECT_EQ(fakePlatform.postedCommands, (std::vector<int32_t>{1016, 1016, 1023}));
    Up(164, 56);
    Down('A', 30);
    EXPECT_EQ(Status(0), Pressed);
    EXPECT_EQ(fakePlatform.postedCommands.size(), 3u);
}

TEST_F(KeyEvents, AltFOutsideProductionTestsF) {
    Down(165, 56, true);
    Down('F', 33);
    EXPECT_EQ(Status(4), Pressed);
    EXPECT_FALSE(testState.altPending);
    Down('A', 30);
    EXPECT_EQ(Status(0), Pressed);
}

TEST_F(KeyEvents, MouseButtonsNeitherSetNorClearAlt) {
    Down(18, 56);
    OnKeyDown(window, kLeftMouse, 0);
    Down('A', 30);
    EXPECT_EQ(fakePlatform.postedCommands, std::vector<int32_t>{1016});
}

TEST_F(KeyEvents, BiosMatchingTellsRightCtrlFromLeftByTheExtendedFlag) {
    Down(17, 29, true);
    EXPECT_EQ(Statuses(), "0 0 0 1 0 3 0 0 0");
    Down(17, 29, false);
    EXPECT_EQ(Statuses(), "0 0 1 1 0 3 0 0 0");
    EXPECT_EQ(testState.lastExtended, 0);
}

TEST_F(KeyEvents, WindowsMatchingComparesVirtualKeys) {
    testState.matchByKeyCode = 1;
    Down('S', 99);
    EXPECT_EQ(Status(1), Pressed);
    Down('A', 31);
    EXPECT_EQ(Status(0), Pressed);
}

TEST_F(KeyEvents, MouseButtonsMatchOnlyExtendedEntries) {
    OnKeyDown(window, kLeftMouse, 0x12345678);
    EXPECT_EQ(Status(7), Pressed);
    EXPECT_EQ(fakePlatform.controls[1009], "LMOUSE");
    EXPECT_EQ(fakePlatform.controls[1008], "LMOUSE");
    EXPECT_EQ(fakePlatform.controls[1014], "E");
    EXPECT_EQ(fakePlatform.controls[1015], "E");
    OnKeyUp(window, kLeftMouse, 0);
    EXPECT_EQ(Status(7), Passed);
    OnKeyDown(window, kRightMouse, 0);
    EXPECT_EQ(Status(8), Untested);
    EXPECT_EQ(fakePlatform.controls[1009], "RMOUSE");
}

TEST_F(KeyEvents, KeyOutsideTheLayoutShowsItsCodesOnly) {
    At(5);
    Press('A', 30);
    ClearRecords();
    Down(0x5B, 0x5B, true);
    EXPECT_EQ(fakePlatform.controls[1008], "91 (0x5b)");
    EXPECT_EQ(fakePlatform.controls[1009], "91 (0x5b)");
    EXPECT_EQ(fakePlatform.controls[1014], "E");
    EXPECT_EQ(fakePlatform.controls[1012], "A");
    EXPECT_EQ(fakePlatform.controls[1011], "A");
    EXPECT_EQ(fakePlatform.controls[1013], "A ");
    ClearRecords();
    Up(0x5B, 0x5B, true);
    EXPECT_TRUE(fakePlatform.controlWrites.empty());
}

TEST_F(KeyEvents, StatusesMoveByTheTransitionTable) {
    Load({KeyRow("'A'", 30, "NoTest", false, "DQSTATUSNOTEST"),
          KeyRow("'B'", 48, "Fail", false, "DQSTATUSFAIL"),
          KeyRow("'C'", 46, "FailPress", false, "DQSTATUSNOTESTFAIL")});
    EXPECT_EQ(Statuses(), "3 6 9");
    Down('A', 30);
    Down('B', 48);
    Down('C', 46);
    EXPECT_EQ(Statuses(), "7 1 1");
    Up('A', 30);
    Up('B', 48);
    Up('C', 46);
    EXPECT_EQ(Statuses(), "8 2 2");
    Down('A', 30);
    EXPECT_EQ(Status(0), NotRequiredPressed);
    ResetTest();
    EXPECT_EQ(Statuses(), "3 0 0");
    EXPECT_TRUE(fakePlatform.verdicts.empty());
}

TEST_F(KeyEvents, KeyUpOfAKeyNotHeldChangesNothing) {
    Down('A', 30);
    ResetTest();
    ClearRecords();
    Up('A', 30);
    EXPECT_EQ(Status(0), Untested);
    EXPECT_TRUE(fakePlatform.paintedKeys.empty());
    EXPECT_TRUE(fakePlatform.controlWrites.empty());
}

class ProductionKeyEvents : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        program.productionMode = 1;
        Load({KeyRow("'A'", 30, "A"), KeyRow("'S'", 31, "S"),
              KeyRow("'X'", 45, "Boom", false, "DQSTATUSNOTESTFAIL"),
              KeyRow("'N'", 49, "N", false, "DQSTATUSNOTEST")});
    }
};

TEST_F(ProductionKeyEvents, FailOnPressKeyAsksForTheVerdictAtOnce) {
    Down('X', 45);
    EXPECT_EQ(fakePlatform.verdicts, std::vector<bool>{false});
    EXPECT_EQ(Status(2), FailOnPress);
    EXPECT_TRUE(fakePlatform.controlWrites.empty());
    EXPECT_EQ(testState.historyPos, 0);
    Up('X', 45);
    EXPECT_EQ(fakePlatform.verdicts, (std::vector<bool>{false, false}));
}

TEST_F(ProductionKeyEvents, LastRequiredKeyReleasedAsksForTheVerdictWithVerification) {
    program.traceOn = 1;
    Press('A', 30);
    Press('N', 49);
    EXPECT_TRUE(fakePlatform.verdicts.empty());
    ClearLog();
    Press('S', 31);
    EXPECT_EQ(fakePlatform.verdicts, std::vector<bool>{true});
    const std::string log = LogText();
    EXPECT_EQ(log.find("Completed Key up processing"), std::string::npos);
    EXPECT_NE(log.find("Completed Key down processing"), std::string::npos);
}

TEST_F(ProductionKeyEvents, PluginModeCountsEveryProcessedRelease) {
    program.pluginMode = 1;
    ASSERT_EQ(OpenLink("CMX_PLUGIN_INT_1"), 0);
    Press('N', 49);
    Down('A', 30);
    Up('A', 30);
    Up('A', 30);
    Up('Q', 16);
    EXPECT_EQ(HostCounter(), 2);
    Press('S', 31);
    EXPECT_EQ(HostCounter(), 2);  // the verdict ends the handler before the count
}

TEST_F(KeyEvents, TraceLinesOfAPressAndRelease) {
    program.traceOn = 1;
    At(1);
    Press('A', 30);
    Up('Q', 16);
    EXPECT_EQ(LogText(),
              "=============================================\nKey Down: Windows - 65, BIOS - 30\n"
              "Attempting key match of type 0\n"
              "Key matched: A. Current status 0\n"
              "Recorded time key depressed\n"
              "New status 1\n"
              "Completed Key down processing\n"
              "=============================================\nKey Up: Windows - 65, BIOS - 30\n"
              "Attempting key match of type 0\n"
              "Key matched: A. Current status 1\n"
              "New status 2\n"
              "Completed Key up processing\n"
              "=============================================\nKey Up: Windows - 81, BIOS - 16\n"
              "Attempting key match of type 0\n");
}

TEST_F(KeyEvents, NoTraceWithoutTheTraceOption) {
    Press('A', 30);
    EXPECT_EQ(LogText(), "");
}

// A box that took a key's release (the Alt of Alt+A) leaves it shown held: the keys no longer down are
// released as their releases would have, mouse buttons included; the keys still down stay held.
TEST_F(KeyEvents, KeysNoLongerDownAreReleasedAfterABox) {
    Down('A', 30);
    Down('S', 31);
    Down(kLeftMouse, 0);
    Down('F', 33);
    fakePlatform.keysDown = {'S', 'F'};
    ReleaseKeysNoLongerDown(program.mainWindow);
    EXPECT_EQ(Status(0), Passed);
    EXPECT_EQ(Status(1), Pressed);
    EXPECT_EQ(Status(4), Pressed);
    EXPECT_EQ(Status(7), Passed);
    EXPECT_EQ(testState.heldKeys, 2);
}

// With RequireLedTest the completed keyboard waits for its LED test, and says so; starting it asks.
TEST_F(KeyEvents, ThePassQuestionWaitsForTheLedTest) {
    Load({KeyRow("'A'", 30, "A")});
    program.productionMode = 1;
    program.requireLedTest = true;
    Press('A', 30);
    EXPECT_TRUE(fakePlatform.verdicts.empty());
    EXPECT_EQ(fakePlatform.controls[IDC_STATUS_LINE], "所有按键已检测。请检测 LED (Alt+L)，然后判定键盘。");
    testState.ledTestStarted = true;
    ConcludeWhenSettled(program.mainWindow);
    EXPECT_EQ(fakePlatform.verdicts, std::vector<bool>{true});
}

}  // namespace
