// Reading a layout's test plan: what each key gives, every value that cannot be taken, and the reading order.
#include "layouts/test_plan.h"

#include <gtest/gtest.h>

#include "engine/core_state.h"
#include "tests/unit/engine_fixture.h"

namespace {

// A layout row at a rectangle of its own.
std::string PlacedRow(const std::string& code, int scan, const std::string& label, const std::string& status,
                      int left, int top, const std::string& tail = "") {
    return code + "," + std::to_string(scan) + ",\"" + label + "\",\"false\",\"" + status + "\",0," +
           std::to_string(left) + "," + std::to_string(top) + ",40,40" + tail;
}

// Two rows whose tops differ a little, a key that needs no test, a fail key and a compound key.
const std::vector<std::string> kRows = {
    PlacedRow("'D'", 32, "D", "DQSTATUSUP", 110, 11),
    PlacedRow("'A'", 30, "A", "DQSTATUSUP", 10, 12),
    PlacedRow("'S'", 31, "S", "DQSTATUSUP", 60, 10),
    PlacedRow("\"VK_RSHIFT\"", 54, "Right Shift", "DQSTATUSUP", 110, 60),
    PlacedRow("\"VK_LSHIFT\"", 42, "Left Shift", "DQSTATUSUP", 10, 62),
    PlacedRow("'N'", 49, "N", "DQSTATUSNOTEST", 60, 60),
    PlacedRow("'X'", 45, "X", "DQSTATUSNOTESTFAIL", 160, 60),
    PlacedRow("\"COMPOUND\"", 0, "Mail", "DQSTATUSUP", 10, 110, ",300,83,65"),
};

class PlanReading : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        folder = MakeScratchFolder();
        Load(kRows);
    }
    void TearDown() override {
        RemoveScratchFolder(folder);
        EngineTest::TearDown();
    }
    // The plan as read: its keys by label.
    std::string Describe(const TestPlan& plan) const {
        const auto labels = [](const std::vector<int32_t>& keys) {
            std::string text;
            for (const int32_t index : keys) {
                text +=
                    (text.empty() ? "" : ",") + (*catalogue.currentKeys)[static_cast<size_t>(index)].label;
            }
            return text;
        };
        const char* orders[] = {"free", "guided", "strict"};
        return std::string(orders[static_cast<int>(plan.order)]) + " [" + labels(plan.sequence) + "] x" +
               std::to_string(plan.repeat) + " idle " + std::to_string(plan.idleSeconds) + " hold " +
               std::to_string(plan.rolloverCount) + " [" + labels(plan.rolloverKeys) + "]";
    }
    std::string folder;
};

TEST_F(PlanReading, ReadOrReplacedAndReportedOnce) {
    struct Row {
        std::map<std::string, std::string> file;
        std::string plan;
        std::string report;  // the message box's text after the file's name; empty for none
    };
    const std::string held = " [A,S,D,Left Shift,Right Shift,Mail] x1 idle 0 hold ";
    const std::string usual = held + "0 []";
    const Row rows[] = {
        {{}, "free" + usual, ""},
        {{{"Order", "Guided"}, {"Repeat", "10"}, {"Idle", "30 "}},
         "guided [A,S,D,Left Shift,Right Shift,Mail] x10 idle 30 hold 0 []",
         ""},
        {{{"Order", "strict"}, {"Sequence", "D \"Left Shift\" A Mail"}},
         "strict [D,Left Shift,A,Mail] x1 idle 0 hold 0 []",
         ""},
        // The profile functions take the quotes round a text that starts and ends with one away.
        {{{"Sequence", "\"Left Shift\" A \"Right Shift\""}},
         "free [Left Shift,A,Right Shift] x1 idle 0 hold 0 []",
         ""},
        {{{"Order", "random"}, {"Repeat", "0"}, {"Idle", "31"}},
         "free" + usual,
         "Order=random is none of free, guided and strict: free is used instead.\n"
         "Repeat=0 is not a whole number from 1 to 10: 1 is used instead.\n"
         "Idle=31 is not a whole number from 0 to 30: 0 is used instead.\n"},
        {{{"Repeat", "11"}, {"Idle", "-1"}},
         "free" + usual,
         "Repeat=11 is not a whole number from 1 to 10: 1 is used instead.\n"
         "Idle=-1 is not a whole number from 0 to 30: 0 is used instead.\n"},
        {{{"Sequence", "A Q A N X"}},
         "free [A] x1 idle 0 hold 0 []",
         "Sequence: Q is no key of the layout: it is left out.\n"
         "Sequence: A is named twice: its second place is left out.\n"
         "Sequence: N needs no test: it is left out.\n"
         "Sequence: X needs no test: it is left out.\n"},
        {{{"Sequence", "\"Num Lock\" Q"}},
         "free" + usual,
         "Sequence: \"Num Lock\" is no key of the layout: it is left out.\n"
         "Sequence: Q is no key of the layout: it is left out.\n"
         "Sequence names no key to test: the reading order is used instead.\n"},
        {{{"Sequence", "A \"S D"}},
         "free" + usual,
         "Sequence has a quote that does not close a label: the reading order is used instead.\n"},
        {{{"RolloverKeys", "A S \"Left Shift\""}}, "free" + held + "3 [A,S,Left Shift]", ""},
        {{{"RolloverKeys", "A S D"}, {"Rollover", "2"}}, "free" + held + "2 [A,S,D]", ""},
        {{{"RolloverKeys", "A S D"}, {"Rollover", "4"}},
         "free" + held + "3 [A,S,D]",
         "Rollover=4 is neither 0 nor a whole number from 2 to 3, the keys RolloverKeys names: 3 is used "
         "instead.\n"},
        {{{"RolloverKeys", "A S"}, {"Rollover", "0"}}, "free" + usual, ""},
        {{{"Rollover", "3"}},
         "free" + usual,
         "RolloverKeys names fewer than 2 keys to hold: no rollover step is taken.\n"},
        {{{"RolloverKeys", "A Mail N"}},
         "free" + held + "2 [A,N]",
         "RolloverKeys: Mail cannot be held: it is left out.\n"},
        {{{"RolloverKeys", "A \"S"}},
         "free" + usual,
         "RolloverKeys has a quote that does not close a label: no rollover step is taken.\n"},
    };
    const std::string path = WriteFile(folder, "T.plan", "[Plan]\r\n");
    for (const Row& row : rows) {
        ResetFakePlatform();
        for (const auto& [key, value] : row.file) {
            fakePlatform.profile["Plan/" + key] = value;
        }
        KeyboardLayout& layout = catalogue.layouts[0];
        ReadTestPlan(nullptr, path, layout);
        EXPECT_TRUE(layout.plan.inUse);
        EXPECT_EQ(Describe(layout.plan), row.plan) << row.plan;
        if (row.report.empty()) {
            EXPECT_TRUE(fakePlatform.messages.empty()) << row.plan;
        } else {
            ASSERT_EQ(fakePlatform.messages.size(), 1u) << row.plan;
            EXPECT_EQ(fakePlatform.messages[0].text, "Test plan\n" + path + "\n\n" + row.report);
            EXPECT_EQ(fakePlatform.messages[0].caption, "Dorvelquinta - Plan");
        }
    }
}

TEST_F(PlanReading, WithoutAFileNothingIsInUse) {
    fakePlatform.profile["Plan/Order"] = "strict";
    KeyboardLayout& layout = catalogue.layouts[0];
    ReadTestPlan(nullptr, folder + "/T.plan", layout);
    EXPECT_FALSE(layout.plan.inUse);
    EXPECT_EQ(Describe(layout.plan), "free [] x1 idle 0 hold 0 []");
    EXPECT_TRUE(fakePlatform.messages.empty());
}

TEST(PlanLabels, SplitAtBlanksAndQuotedWhole) {
    const std::pair<const char*, const char*> cases[] = {
        {"A  S\tD", "A|S|D|"},
        {"\"Left Shift\" ;", "Left Shift|;|"},
        {"  ", ""},
        {"\"\" A", "|A|"},
        {"A\"B", nullptr},
        {"\"A B", nullptr},
        {"\"A\"B", nullptr},
    };
    for (const auto& [text, split] : cases) {
        std::vector<std::string> labels;
        const bool splits = SplitPlanLabels(text, labels);
        EXPECT_EQ(splits, split != nullptr) << text;
        std::string joined;
        for (const std::string& label : labels) {
            joined += label + "|";
        }
        if (splits) {
            EXPECT_EQ(joined, split) << text;
        }
    }
    EXPECT_EQ(PlanLabelText("Left Shift"), "\"Left Shift\"");
    EXPECT_EQ(PlanLabelText(";"), ";");
}

}  // namespace
