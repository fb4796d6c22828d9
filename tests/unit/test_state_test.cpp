// The reset of a test and the turn rule for duplicated keys.
#include "tests/unit/engine_fixture.h"

namespace {

class TestReset : public EngineTest {};

TEST_F(TestReset, MapsEveryStatusBack) {
    std::vector<std::string> lines;
    for (int i = 0; i < 10; ++i) {
        lines.push_back(KeyRow(std::to_string(65 + i), 30 + i, std::string(1, static_cast<char>('A' + i))));
    }
    Load(lines);
    for (int32_t status = 0; status < 10; ++status) {
        StateOf(status).status = status;
    }
    ResetTest();
    EXPECT_EQ(Statuses(), "0 0 0 3 4 4 6 3 3 9");
}

TEST_F(TestReset, ClearsCodesTimesAndHistoryAndStopsTheLedTest) {
    Load({KeyRow("'A'", 30, "A"), KeyRow("'S'", 31, "S")});
    At(10);
    Down('A', 30);
    At(40);
    Up('A', 30);
    Down('S', 31);
    testState.altPending = true;
    testState.matchByKeyCode = 1;
    ClearRecords();
    ResetTest();
    EXPECT_EQ(fakePlatform.ledStops, 1);
    EXPECT_EQ(testState.lastKeyCode, 0);
    EXPECT_EQ(testState.lastScanCode, 0);
    EXPECT_EQ(testState.lastExtended, 0);
    EXPECT_EQ(testState.lastPressed, -1);
    EXPECT_EQ(testState.lastReleased, -1);
    EXPECT_EQ(testState.holdTimeMs, 0);
    EXPECT_EQ(testState.delayTimeMs, 0);
    EXPECT_EQ(testState.lastKeyDownTime, 0);
    EXPECT_EQ(testState.historyPos, 0);
    for (const HistoryEntry& slot : testState.history) {
        EXPECT_EQ(slot.keyIndex, -1);
        EXPECT_EQ(slot.time, -1);
    }
    // Not part of a test: the Alt state, the matching mode and the key-down times.
    EXPECT_TRUE(testState.altPending);
    EXPECT_EQ(testState.matchByKeyCode, 1);
    EXPECT_EQ(StateOf(0).downTime, 10 * kTicksPerMs);
    EXPECT_EQ(Statuses(), "0 0");
    EXPECT_EQ(fakePlatform.controls[1008], "0 (0x0)");
    EXPECT_EQ(fakePlatform.controls[1012], "N/A");
}

TEST_F(TestReset, EmptyLayoutOnlyClearsTheState) {
    catalogue.layouts.push_back(KeyboardLayout{"Empty", {KeyEntry()}});
    catalogue.layoutCount = 1;
    MakeLayoutCurrent(0);
    testState.lastPressed = 0;
    ResetTest();
    EXPECT_EQ(testState.lastPressed, -1);
}

TEST_F(TestReset, WithoutMainWindowNoReadoutIsWritten) {
    program.mainWindow = nullptr;
    Load({KeyRow("'A'", 30, "A")});
    ResetTest();
    EXPECT_TRUE(fakePlatform.controlWrites.empty());
}

class DuplicatedKeys : public EngineTest {};

TEST_F(DuplicatedKeys, FirstOccurrenceHasTheTurnLaterOnesWait) {
    Load({KeyRow("'A'", 30, "A1"), KeyRow("'S'", 31, "S"), KeyRow("'A'", 30, "A2"),
          KeyRow("'A'", 30, "A3", true), KeyRow("\"COMPOUND\"", 0, "C1") + ",100,65",
          KeyRow("\"COMPOUND\"", 0, "C2") + ",100,65"});
    const std::vector<KeyState>& keys = testState.keys;
    EXPECT_EQ(keys[0].duplicateRole, 1);
    EXPECT_EQ(keys[1].duplicateRole, 0);
    EXPECT_EQ(keys[2].duplicateRole, 2);
    EXPECT_EQ(keys[3].duplicateRole, 0);  // the extended flag makes it another key
    EXPECT_EQ(keys[4].duplicateRole, 0);  // compound entries take no turns
    EXPECT_EQ(keys[5].duplicateRole, 0);
}

TEST_F(DuplicatedKeys, OccurrencesLightInTurnWrappingToTheFirst) {
    Load({KeyRow("'A'", 30, "A1"), KeyRow("'A'", 30, "A2"), KeyRow("'S'", 31, "S"), KeyRow("'A'", 30, "A3")});
    Press('A', 30);
    EXPECT_EQ(Statuses(), "2 0 0 0");
    Press('A', 30);
    EXPECT_EQ(Statuses(), "2 2 0 0");
    Press('A', 30);
    EXPECT_EQ(Statuses(), "2 2 0 2");
    Down('A', 30);
    EXPECT_EQ(Statuses(), "1 2 0 2");
    ResetTest();
    EXPECT_EQ(StateOf(0).duplicateRole, 1);
    EXPECT_EQ(StateOf(3).duplicateRole, 2);
}

TEST_F(DuplicatedKeys, ProductionTestNeedsEveryOccurrence) {
    program.productionMode = 1;
    Load({KeyRow("'A'", 30, "A1"), KeyRow("'A'", 30, "A2")});
    Press('A', 30);
    EXPECT_TRUE(fakePlatform.verdicts.empty());
    Press('A', 30);
    EXPECT_EQ(fakePlatform.verdicts, std::vector<bool>{true});
}

}  // namespace
