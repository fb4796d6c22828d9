// A test plan's run over a keyboard: the order (guided and strict, in production and stand-alone), Repeat,
// keys that need no test, duplicated and compound keys, the hands-off phase, the rollover step and ghosts.
#include "engine/plan_run.h"

#include <cctype>
#include <sstream>

#include "engine/verdict_record.h"
#include "tests/unit/engine_fixture.h"

namespace {

struct PlannedKey {
    const char* label;
    int32_t code;
    int32_t scan;
};

// A, S, D, Z, a second A, N (needs no test) and Mail (A then S).
const PlannedKey kKeys[] = {{"A", 'A', 30},  {"S", 'S', 31}, {"D", 'D', 32}, {"Z", 'Z', 44},
                            {"A2", 'A', 30}, {"N", 'N', 49}, {"Mail", 0, 0}};

struct RunRow {
    const char* name;
    PlanOrder order;
    const char* sequence;  // labels, blank-separated
    int32_t repeat;
    int32_t idleSeconds;
    const char* rollover;  // the keys to hold, blank-separated; all of them required
    bool production;
    const char* events;  // "A" pressed and released, "+A" down, "-A" up, "tick" a second of the clock
    const char* statuses;
    const char* verdicts;  // 'P' a pass question, 'F' a failure asked for
    const char* log;
    const char* found;   // the record's wrong, phantom and ghost keys and rollover reached, '|'-separated
    const char* prompt;  // what the status line says of the plan; "-" for nothing
};

const RunRow kRows[] = {
    {"strict in turn passes", PlanOrder::Strict, "Z D S A A2", 1, 0, "", true, "Z D S A A", "2 2 2 2 2 3 2",
     "P", "", "|||0", "-"},
    {"strict out of turn fails", PlanOrder::Strict, "Z D S A A2", 1, 0, "", true, "Z S", "0 0 0 2 0 3 0", "F",
     "    按键顺序错误: 期望 D, 收到 S\n", "D>S|||0", "顺序错误: 期望 D, 收到 S   下一个键: D"},
    {"guided out of turn is not counted", PlanOrder::Guided, "Z D S A A2", 1, 0, "", true, "Z S +A",
     "1 0 0 2 0 3 0", "", "", "D>S;D>A|||0", "顺序错误: 期望 D, 收到 A   下一个键: D"},
    {"guided passes once the order is followed", PlanOrder::Guided, "Z D S A A2", 1, 0, "", true,
     "Z S D S A A", "2 2 2 2 2 3 2", "P", "", "D>S|||0", "-"},
    {"strict outside production only names", PlanOrder::Strict, "Z D S A A2", 1, 0, "", false, "S Z",
     "0 0 0 2 0 3 0", "", "", "Z>S|||0", "下一个键: D"},
    {"repeat asks each key again", PlanOrder::Strict, "Z D S A A2", 2, 0, "", true, "Z", "0 0 0 0 0 3 0", "",
     "", "|||0", "下一个键: Z"},
    {"repeat counts every press", PlanOrder::Strict, "Z D S A A2", 2, 0, "", true, "Z Z D D S S A A A A",
     "2 2 2 2 2 3 2", "P", "", "|||0", "-"},
    {"keys that need no test are outside the order", PlanOrder::Strict, "Z D S A A2", 1, 0, "", true, "Z N D",
     "0 0 2 2 0 8 0", "", "", "|||0", "下一个键: S"},
    {"a compound key in turn takes its components", PlanOrder::Strict, "Mail D Z", 1, 0, "", true, "S A D",
     "2 2 2 0 0 3 2", "", "", "|||0", "下一个键: Z"},
    {"a phantom in the hands-off phase fails", PlanOrder::Free, "", 1, 2, "", true, "tick A", "0 0 0 0 0 3 0",
     "F", "    空闲期按键: 期望 无, 收到 A\n", "|A||0", "空闲期按键: A   请勿触碰键盘: 还剩 1 秒"},
    {"after the hands-off phase the test runs", PlanOrder::Guided, "Z D S", 1, 2, "", false, "tick tick Z +S",
     "0 1 0 2 0 3 0", "", "", "D>S|||0", "顺序错误: 期望 D, 收到 S   下一个键: D"},
    {"the rollover step waits for its keys held together", PlanOrder::Free, "", 1, 0, "A S D", true,
     "A S D Z S A N +A +S -A -S", "2 2 2 2 2 8 2", "", "", "|||2",
     "同时按下的键不够，请再试一次   请同时按住: A S D (0/3)"},
    {"the rollover step passes when they were", PlanOrder::Free, "", 1, 0, "A S D", true,
     "A S D Z S A N +A +S +D -A -S -D", "2 2 2 2 2 8 2", "P", "", "|||3", "同时按键通过: 3/3"},
    {"a ghost fails the rollover step", PlanOrder::Free, "", 1, 0, "A S D", true, "A S D Z S A N +A +S +Z",
     "1 1 2 2 2 8 2", "F", "    鬼键: 期望 A S, 收到 Z\n", "||Z|2", "鬼键: Z   请同时按住: A S D (2/3)"},
};

class PlanRun : public EngineTest, public ::testing::WithParamInterface<RunRow> {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        program.productionMode = GetParam().production ? 1 : 0;
        std::vector<std::string> lines;
        for (const PlannedKey& key : kKeys) {
            const std::string code = key.code == 0 ? "\"COMPOUND\"" : std::to_string(key.code);
            const std::string status = std::string(key.label) == "N" ? "DQSTATUSNOTEST" : "DQSTATUSUP";
            lines.push_back(KeyRow(code, key.scan, key.label, false, status) +
                            (key.code == 0 ? ",300,83,65" : ""));
        }
        Load(lines);
        TestPlan& plan = catalogue.layouts[0].plan;
        plan.inUse = true;
        plan.order = GetParam().order;
        plan.sequence = Indices(GetParam().sequence);
        plan.repeat = GetParam().repeat;
        plan.idleSeconds = GetParam().idleSeconds;
        plan.rolloverKeys = Indices(GetParam().rollover);
        plan.rolloverCount = static_cast<int32_t>(plan.rolloverKeys.size());
        ResetTest();
        ClearRecords();
    }
    static std::vector<int32_t> Indices(const char* labels) {
        std::vector<int32_t> indices;
        std::istringstream words(labels);
        std::string label;
        while (words >> label) {
            for (size_t i = 0; i < std::size(kKeys); ++i) {
                if (label == kKeys[i].label) {
                    indices.push_back(static_cast<int32_t>(i));
                }
            }
        }
        return indices;
    }
    void Play(const char* events) {
        std::istringstream words(events);
        std::string event;
        int64_t now = 1000;
        while (words >> event) {
            At(now += 100);
            if (event == "tick") {
                OnPlanClockTick(window);
                continue;
            }
            const char direction = event[0] == '+' || event[0] == '-' ? event[0] : ' ';
            const std::string label = direction == ' ' ? event : event.substr(1);
            const PlannedKey& key = kKeys[static_cast<size_t>(Indices(label.c_str())[0])];
            if (direction != '-') {
                Down(key.code, key.scan);
            }
            if (direction != '+') {
                Up(key.code, key.scan);
            }
        }
    }
};

TEST_P(PlanRun, FollowsTheOrderAndFindsWhatTheKeyboardDoes) {
    const RunRow& row = GetParam();
    Play(row.events);
    EXPECT_EQ(Statuses(), row.statuses);
    std::string verdicts;
    for (const bool verify : fakePlatform.verdicts) {
        verdicts += verify ? 'P' : 'F';
    }
    EXPECT_EQ(verdicts, row.verdicts);
    EXPECT_EQ(LogText(), row.log);
    const KeyboardRecord record = RecordOfVerdict(false);
    EXPECT_EQ(record.wrongKeys + "|" + record.phantomKeys + "|" + record.ghostKeys + "|" +
                  std::to_string(record.rolloverReached),
              row.found);
    EXPECT_EQ(record.rolloverRequired, static_cast<int>(Indices(row.rollover).size()));
    const char* prompt = PlanPromptText();
    EXPECT_EQ(prompt == nullptr ? "-" : prompt, std::string(row.prompt));
}

INSTANTIATE_TEST_SUITE_P(Rows, PlanRun, ::testing::ValuesIn(kRows), [](const auto& info) {
    std::string name;
    for (const char* c = info.param.name; *c != '\0'; ++c) {
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    }
    return name;
});

class PlanClock : public EngineTest {};

// The hands-off phase's clock starts with each keyboard and stops at its end; the next key is then marked.
TEST_F(PlanClock, RunsThroughTheHandsOffPhaseOnly) {
    Load({KeyRow("'A'", 30, "A"), KeyRow("'S'", 31, "S")});
    TestPlan& plan = catalogue.layouts[0].plan;
    plan = {true, PlanOrder::Guided, {1, 0}, 1, 2, 0, {}};
    ResetTest();
    EXPECT_EQ(fakePlatform.planClock, (std::vector<bool>{false, true}));
    EXPECT_EQ(PlanMarkOf(0), PlanMark::Idle);
    OnPlanClockTick(window);
    EXPECT_EQ(fakePlatform.controls[1013], std::string("请勿触碰键盘: 还剩 1 秒   "));
    OnPlanClockTick(window);
    EXPECT_EQ(fakePlatform.planClock, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(PlanMarkOf(0), PlanMark::None);
    EXPECT_EQ(PlanMarkOf(1), PlanMark::Next);
    EXPECT_EQ(fakePlatform.controls[1013], std::string("下一个键: S   "));
}

// Without a plan file nothing of the plan shows: no clock, no mark, the classic status line.
TEST_F(PlanClock, WithoutAPlanNothingShows) {
    Load({KeyRow("'A'", 30, "A")});
    Press('A', 30);
    EXPECT_TRUE(fakePlatform.planClock.empty());
    EXPECT_EQ(PlanMarkOf(0), PlanMark::None);
    EXPECT_EQ(PlanPromptText(), nullptr);
    EXPECT_EQ(fakePlatform.controls[1013], "A ");
}

}  // namespace
