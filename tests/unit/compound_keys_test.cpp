// Compound keys and fail combinations matched from the history of recent key-downs.
#include "engine/compound_keys.h"

#include "tests/unit/engine_fixture.h"

namespace {

const std::string kCtrl = KeyRow("\"VK_CONTROL\"", 29, "Ctrl");
const std::string kAlt = KeyRow("\"VK_MENU\"", 56, "Alt");
const std::string kDel = KeyRow("\"VK_DELETE\"", 83, "Del", true);
const std::string kQ = KeyRow("'Q'", 16, "Q");

std::string Compound(const std::string& status, int gap, const std::string& components) {
    return KeyRow("\"COMPOUND\"", 0, "CAD", false, status) + "," + std::to_string(gap) + "," + components;
}

class CompoundKeys : public EngineTest {
  protected:
    // Presses the keys down at the given times (ms); the key-up of the last one runs the full compound pass.
    void Sequence(const std::vector<std::pair<char, int>>& presses) {
        for (const auto& [key, time] : presses) {
            At(time);
            KeyDown(key);
        }
        KeyUp(presses.back().first);
    }
    void KeyDown(char key) {
        switch (key) {
            case 'c':
                Down(17, 29);
                break;
            case 'a':
                Down(18, 56);
                break;
            case 'd':
                Down(46, 83, true);
                break;
            case 'q':
                Down('Q', 16);
                break;
            default:
                Down('Z', 44);
                break;
        }
    }
    void KeyUp(char key) {
        switch (key) {
            case 'c':
                Up(17, 29);
                break;
            case 'a':
                Up(18, 56);
                break;
            case 'd':
                Up(46, 83, true);
                break;
            case 'q':
                Up('Q', 16);
                break;
            default:
                Up('Z', 44);
                break;
        }
    }
};

struct SequenceCase {
    const char* title;
    const char* status;
    std::vector<std::pair<char, int>> presses;  // key and time of each key-down; r: the same key again
    bool matched;
};

class CompoundSequences : public CompoundKeys, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(CompoundSequences, MatchOrNot) {
    const SequenceCase& row = GetParam();
    program.productionMode = 1;
    Load({kCtrl, kAlt, kDel, kQ, Compound(row.status, 500, "17,18,46")});
    const int32_t before = Status(4);
    Sequence(row.presses);
    const bool changed = Status(4) != before;
    EXPECT_EQ(changed, row.matched) << row.title;
}

const SequenceCase kSequenceCases[] = {
    {"in order within the gap", "DQSTATUSUP", {{'c', 0}, {'a', 100}, {'d', 200}}, true},
    {"gap of exactly the limit", "DQSTATUSUP", {{'c', 0}, {'a', 500}, {'d', 1000}}, true},
    {"gap one millisecond too long", "DQSTATUSUP", {{'c', 0}, {'a', 100}, {'d', 601}}, false},
    {"out of order", "DQSTATUSUP", {{'a', 0}, {'c', 100}, {'d', 200}}, false},
    {"repeat of the first component", "DQSTATUSUP", {{'c', 0}, {'c', 50}, {'a', 100}, {'d', 200}}, true},
    {"repeat inside the sequence", "DQSTATUSUP", {{'c', 0}, {'a', 100}, {'a', 150}, {'d', 200}}, false},
    {"key outside the layout between components",
     "DQSTATUSUP",
     {{'c', 0}, {'z', 50}, {'a', 100}, {'d', 200}},
     true},
    {"layout key between components", "DQSTATUSUP", {{'c', 0}, {'q', 50}, {'a', 100}, {'d', 200}}, false},
    {"too few presses", "DQSTATUSUP", {{'a', 0}, {'d', 100}}, false},
    {"fail combination in order", "DQSTATUSFAIL", {{'c', 0}, {'a', 100}, {'d', 200}}, true},
    {"fail combination in any order", "DQSTATUSFAIL", {{'d', 0}, {'a', 100}, {'c', 200}}, true},
    {"fail combination gap too long", "DQSTATUSFAIL", {{'d', 0}, {'a', 100}, {'c', 601}}, false},
    {"not-required compound", "DQSTATUSNOTEST", {{'c', 0}, {'a', 100}, {'d', 200}}, true},
};

INSTANTIATE_TEST_SUITE_P(Rows, CompoundSequences, ::testing::ValuesIn(kSequenceCases));

TEST_F(CompoundKeys, FailCombinationFiresOnKeyDownAndAsksForTheVerdict) {
    program.productionMode = 1;
    Load({kCtrl, kAlt, kDel, Compound("DQSTATUSFAIL", 500, "17,18,46")});
    At(0);
    KeyDown('a');
    At(10);
    KeyDown('c');
    EXPECT_TRUE(fakePlatform.verdicts.empty());
    At(20);
    KeyDown('d');
    EXPECT_EQ(Status(3), FailTriggered);
    EXPECT_EQ(fakePlatform.verdicts, std::vector<bool>{false});
    EXPECT_EQ(fakePlatform.paintedKeys.back(), 3);
}

TEST_F(CompoundKeys, AnyOrderKeepsTheTimesOfTheKeyDownsInPlace) {
    program.productionMode = 1;
    // Gaps are taken between the chronologically consecutive presses (200 and 200 here), not between the
    // presses in code order.
    Load({kCtrl, kAlt, kDel, Compound("DQSTATUSFAIL", 300, "17,18,46")});
    At(600);
    KeyDown('d');
    At(800);
    KeyDown('c');
    At(1000);
    KeyDown('a');
    EXPECT_EQ(Status(3), FailTriggered);
}

TEST_F(CompoundKeys, InactiveFailCombinationIsNeverTried) {
    Load({kCtrl, kAlt, kDel, Compound("DQSTATUSFAIL", 500, "17,18,46")});
    Sequence({{'c', 0}, {'a', 100}, {'d', 200}});
    EXPECT_EQ(Status(3), FailInactive);
}

TEST_F(CompoundKeys, SingleComponentMatchesRightAfterAReset) {
    Load({kQ, Compound("DQSTATUSUP", 100, "81")});
    Sequence({{'q', 0}});
    EXPECT_EQ(Status(1), Passed);
}

TEST_F(CompoundKeys, KeyRowWithComponentsIsACompoundEntryToo) {
    Load({kCtrl, kQ, KeyRow("'X'", 45, "X") + ",200,17,81"});
    Sequence({{'c', 0}, {'q', 100}});
    EXPECT_EQ(Status(2), Passed);
}

TEST_F(CompoundKeys, TraceLinesOfAnAttempt) {
    program.traceOn = 1;
    program.productionMode = 1;
    Load({kCtrl, kAlt, Compound("DQSTATUSFAIL", 500, "17,18")});
    At(100);
    KeyDown('a');
    ClearLog();
    At(350);
    KeyDown('c');
    EXPECT_EQ(LogText(),
              "=============================================\nKey Down: Windows - 17, BIOS - 29\n"
              "Attempting key match of type 0\n"
              "Key matched: Ctrl. Current status 0\n"
              "Recorded time key depressed\n"
              "New status 1\n"
              "Attempting to match compound key CAD\n"
              "Sorted compound characters and History\n"
              "History scancode 17. Compound key scancode 17. Time diff 0 (reqd: 500) \n"
              "History scancode 18. Compound key scancode 18. Time diff 250 (reqd: 500) \n"
              "Compound key match status 1\n");
}

TEST_F(CompoundKeys, EmptyHistoryGivesNoMatch) {
    program.traceOn = 1;
    Load({kQ, Compound("DQSTATUSUP", 100, "81")});
    EXPECT_FALSE(MatchCompound(1));
    EXPECT_EQ(LogText(), "Attempting to match compound key CAD\nCompound key match status 0\n");
}

}  // namespace
