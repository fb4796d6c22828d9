// Chatter: a key pressed again sooner than ChatterMs after its own release, timed by the input's time stamps.
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/unit/engine_fixture.h"

namespace {

struct KeyEvent {
    char key;  // 'A', 'S', 'D' (a key drawn twice) or 'L' (the left mouse button)
    bool down;
    uint32_t time;  // the event's own time stamp, in ms
};

class Chatter : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        Load({KeyRow("'A'", 30, "A"), KeyRow("'S'", 31, "S"), KeyRow("'D'", 32, "D1"),
              KeyRow("'D'", 32, "D2"), KeyRow("\"LMOUSE\"", 0, "Left", true)});
    }
    void Play(const std::vector<KeyEvent>& events) {
        for (const KeyEvent& event : events) {
            fakePlatform.eventTime = event.time;
            const int32_t code = event.key == 'L' ? kLeftMouse : event.key;
            const int32_t scan = event.key == 'A' ? 30 : event.key == 'S' ? 31 : 32;
            if (event.down) {
                Down(code, scan);
            } else {
                Up(code, scan);
            }
        }
    }
    // "label:gap" of every entry that chattered, in file order.
    std::string Chattered() const {
        std::string text;
        const std::vector<KeyEntry>& keys = *catalogue.currentKeys;
        for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
            if (StateOf(i).chatterGapMs >= 0) {
                text += keys[i].label + ":" + std::to_string(StateOf(i).chatterGapMs) + " ";
            }
        }
        return text;
    }
};

TEST_F(Chatter, ReleaseToNextPressBelowTheThreshold) {
    struct Row {
        const char* name;
        int32_t chatterMs;
        std::vector<KeyEvent> events;
        const char* chattered;
    };
    const Row rows[] = {
        {"gap below", 20, {{'A', true, 100}, {'A', false, 150}, {'A', true, 169}}, "A:19 "},
        {"gap at the threshold", 20, {{'A', true, 100}, {'A', false, 150}, {'A', true, 170}}, ""},
        {"gap above", 20, {{'A', true, 100}, {'A', false, 150}, {'A', true, 350}}, ""},
        {"threshold 0 is off", 0, {{'A', true, 100}, {'A', false, 150}, {'A', true, 151}}, ""},
        {"auto-repeat is no chatter", 20, {{'A', true, 100}, {'A', true, 101}, {'A', true, 102}}, ""},
        {"first press of a key", 20, {{'A', true, 5}}, ""},
        {"the shortest gap is kept",
         20,
         {{'A', true, 0},
          {'A', false, 10},
          {'A', true, 15},
          {'A', false, 20},
          {'A', true, 22},
          {'A', false, 30},
          {'A', true, 40}},
         "A:2 "},
        {"two keys interleaved",
         20,
         {{'A', true, 100},
          {'S', true, 105},
          {'A', false, 110},
          {'S', false, 200},
          {'A', true, 115},
          {'S', true, 400}},
         "A:5 "},
        {"a duplicated key's occurrences take turns",
         20,
         {{'D', true, 100}, {'D', false, 150}, {'D', true, 160}, {'D', false, 300}, {'D', true, 500}},
         "D2:10 "},
        {"time stamps that wrap", 20, {{'A', true, 0}, {'A', false, 0xFFFFFFFBu}, {'A', true, 3}}, "A:8 "},
        {"a mouse button", 20, {{'L', true, 100}, {'L', false, 120}, {'L', true, 125}}, "Left:5 "},
    };
    for (const Row& row : rows) {
        ResetTest();
        program.chatterMs = row.chatterMs;
        Play(row.events);
        EXPECT_EQ(Chattered(), row.chattered) << row.name;
    }
}

TEST_F(Chatter, ShownOnTheStatusLineUntilTheReset) {
    program.chatterMs = 20;
    Play({{'A', true, 100}, {'A', false, 150}, {'A', true, 158}, {'A', false, 170}, {'S', true, 300}});
    EXPECT_EQ(fakePlatform.controls[IDC_STATUS_LINE], "按键抖动 A: 8 ms   S A A ");
    EXPECT_EQ(Status(0), Passed);
    fakePlatform.eventTimeTick = 16;
    Play({{'A', true, 400}, {'A', false, 420}, {'A', true, 427}});
    EXPECT_EQ(fakePlatform.controls[IDC_STATUS_LINE], "按键抖动 A: < 16 ms   A A S A A ");
    ResetTest();
    EXPECT_EQ(fakePlatform.controls[IDC_STATUS_LINE], "");
    EXPECT_EQ(Chattered(), "");
}

TEST_F(Chatter, FailsAProductionKeyboardWithItsLine) {
    program.productionMode = 1;
    program.chatterMs = 20;
    Play({{'A', true, 100}, {'A', false, 150}, {'A', true, 153}});
    EXPECT_EQ(fakePlatform.verdicts, std::vector<bool>{false});
    EXPECT_EQ(LogText(), "    按键抖动: A 3 ms\n");
    EXPECT_EQ(Chattered(), "A:3 ");
}

// The release that completes a production test does not conclude it: the pass question waits out ChatterMs,
// and a bounce of the last key in that time fails the keyboard instead; a key held again, or a reset, takes
// the completion back. Without chatter detection the question comes at once, as it always did.
TEST_F(Chatter, TheLastReleaseWaitsOutItsBounce) {
    struct Row {
        const char* name;
        int32_t chatterMs;
        std::vector<KeyEvent> afterCompletion;
        bool resetBeforeDue;
        std::vector<bool> verdicts;  // asked for by the time the conclusion is due
    };
    const std::vector<KeyEvent> allButLast = {{'A', true, 0},    {'A', false, 50},  {'S', true, 100},
                                              {'S', false, 150}, {'D', true, 200},  {'D', false, 250},
                                              {'D', true, 300},  {'D', false, 350}, {'L', true, 400}};
    const Row rows[] = {
        {"settled", 20, {}, false, {true}},
        {"the last key bounces, and its verdict resets the test", 20, {{'L', true, 451}}, true, {false}},
        {"a required key held again", 20, {{'A', true, 600}}, false, {}},
        {"a reset meanwhile", 20, {}, true, {}},
    };
    program.productionMode = 1;
    for (const Row& row : rows) {
        ResetTest();
        fakePlatform.verdicts.clear();
        fakePlatform.scheduledConclusions.clear();
        program.chatterMs = row.chatterMs;
        Play(allButLast);
        Play({{'L', false, 450}});
        EXPECT_TRUE(fakePlatform.verdicts.empty()) << row.name;
        EXPECT_EQ(fakePlatform.scheduledConclusions, std::vector<int32_t>{row.chatterMs}) << row.name;
        Play(row.afterCompletion);
        if (row.resetBeforeDue) {
            ResetTest();
        }
        OnConclusionDue(program.mainWindow);
        EXPECT_EQ(fakePlatform.verdicts, row.verdicts) << row.name;
    }
    ResetTest();
    fakePlatform.verdicts.clear();
    fakePlatform.scheduledConclusions.clear();
    program.chatterMs = 0;
    Play(allButLast);
    Play({{'L', false, 450}});
    EXPECT_EQ(fakePlatform.verdicts, std::vector<bool>{true});
    EXPECT_TRUE(fakePlatform.scheduledConclusions.empty());
}

}  // namespace
