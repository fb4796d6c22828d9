// Tests of what the yield report makes of a test plan's findings: the record's plan columns read (and a file
// without them read as before), the wrong pairs counted and ranked, phantom and ghost keys on maps of their
// own, the rollover steps against the keys required.
#include <gtest/gtest.h>

#include <string>

#include "tools/kblreport/report_charts.h"
#include "tools/kblreport/report_page.h"
#include "tools/kblreport/report_test_rows.h"
#include "tools/kblreport/report_text.h"

namespace {

// Every record has had these columns, up to max_keys_held; the plan's five follow them.
constexpr size_t kClassicColumns = 17;

// The first `count` fields of a row of the tester's, whose fields hold no comma here.
std::string FirstFields(const std::string& row, size_t count = kClassicColumns) {
    size_t end = 0;
    for (size_t i = 0; i < count; ++i) {
        end = row.find_first_of(",\r", end + (i == 0 ? 0 : 1));
    }
    return row.substr(0, end);
}

const std::string kPlanHeader = "\xEF\xBB\xBF" + FirstFields(RecordHeaderRow()) +
                                ",wrong_keys,phantom_keys,ghost_keys,rollover_required,rollover_reached\r\n";

// The row of a keyboard of batch `batch` on `layout`, passed or failed for `reason`, with the plan's five
// fields as the tester writes them (`plan`).
std::string PlanRow(const char* batch, int32_t reason, const char* layout, const std::string& plan) {
    KeyboardRecord keyboard = Keyboard(kTime, reason);
    keyboard.batchId = batch;
    keyboard.layoutFile = layout;
    keyboard.untestedKeys = reason < 0 ? "" : "W;E";
    return FirstFields(RecordRow(keyboard)) + "," + plan + "\r\n";
}

TEST(PlanColumns, AreReadWhereAFileHasThemAndCheckedAsTheRestOfARow) {
    const RecordSet set =
        Read(kPlanHeader + PlanRow("B1", kReasonKeyBroken, "US.kbl", "Num %3B>%3E;Q>W,F,N;50%25,6,5") +
             PlanRow("B1", -1, "US.kbl", ",,,0,0") + PlanRow("B1", -1, "US.kbl", "QW,,,0,0") +
             PlanRow("B1", -1, "US.kbl", "Q>W;A>,,,0,0") + PlanRow("B1", -1, "US.kbl", "Q>W>E,,,0,0") +
             PlanRow("B1", -1, "US.kbl", ",,,six,0") + PlanRow("B1", -1, "US.kbl", ",,,0,1234567890"));
    EXPECT_EQ(BadRowsOf(set),
              "4: wrong_keys item \"QW\" is not expected>got\n5: wrong_keys item \"A>\" is not expected>got\n"
              "6: wrong_keys item \"Q>W>E\" is not expected>got\n7: bad rollover_required \"six\"\n"
              "8: bad rollover_reached \"1234567890\"\n");
    ASSERT_EQ(set.records.size(), 2u);
    const Record& found = set.records[0];
    ASSERT_EQ(found.wrongKeys.size(), 2u);
    EXPECT_EQ(found.wrongKeys[0].expected + "|" + found.wrongKeys[0].got + "|" + found.wrongKeys[1].expected +
                  "|" + found.wrongKeys[1].got,
              "Num ;|>|Q|W");
    EXPECT_EQ(found.phantomKeys, std::vector<std::string>{"F"});
    EXPECT_EQ(found.ghostKeys, (std::vector<std::string>{"N", "50%"}));
    EXPECT_EQ(found.rolloverRequired * 10 + found.rolloverReached, 65);
    EXPECT_TRUE(set.records[1].wrongKeys.empty() && set.records[1].rolloverRequired == 0);
}

// A batch of swapped caps: Q and W swapped on four keyboards of B1 and one of B2 (where Q>W came twice, one
// keyboard), A and S on two of B2 (one in a guided test, passed), Q>W on a UK keyboard, a pair of its own;
// phantoms and a ghost; rollover steps of 6 and 4 keys. The failed keyboards leave W and E untested.
ReportFigures SwappedCaps(RecordSet& set) {
    std::string text = kPlanHeader;
    for (int i = 0; i < 4; ++i) {
        text += PlanRow("B1", kReasonKeyBroken, "US.kbl", "Q>W,,,0,0");
    }
    text += PlanRow("B2", kReasonKeyBroken, "US.kbl", "Q>W;Q>W,,,0,0") +
            PlanRow("B2", kReasonKeyBroken, "US.kbl", "A>S,,,0,0") +
            PlanRow("B2", -1, "US.kbl", "A>S,,,6,6") +
            PlanRow("B1", kReasonKeyBroken, "UK.kbl", "Q>W,,,0,0") +
            PlanRow("B3", kReasonKeyBroken, "US.kbl", ",F;G,,0,0") +
            PlanRow("B3", kReasonKeyBroken, "US.kbl", ",F,,0,0") +
            PlanRow("B3", kReasonKeyBroken, "US.kbl", ",,N,6,6") + PlanRow("B3", -1, "US.kbl", ",,,6,6") +
            PlanRow("B3", -1, "US.kbl", ",,,6,4") + PlanRow("B3", -1, "UK.kbl", ",,,4,4");
    set = Read(text);
    return ComputeFigures(set.records, Grouping::None);
}

TEST(PlanFigures, RankTheWrongPairsAndCountRolloverAgainstTheKeysRequired) {
    RecordSet set;
    const ReportFigures figures = SwappedCaps(set);
    ASSERT_EQ(set.records.size(), 14u) << BadRowsOf(set);
    EXPECT_EQ(figures.failedByPlan * 10 + figures.stoppedEarly, 100);
    EXPECT_TRUE(TopKeys(figures.keys, KeyCount::FailedOn).empty());  // W and E are not blamed
    const std::string summary = SummaryText(set, figures, Grouping::None);
    EXPECT_EQ(summary.substr(summary.find("\n10 failed keyboards")),
              "\n10 failed keyboards named a wrong key, a phantom or a ghost: they name no untested key\n"
              "\nWrong keys most often (keyboards on which the second key came for the first):\n"
              "       5  US.kbl Q>W (batches B1 4, B2 1)\n"
              "       2  US.kbl A>S (batch B2 2)\n"
              "       1  UK.kbl Q>W (batch B1 1)\n"
              "\nPhantom keys (keyboards on which the key came while nobody was to touch them):\n"
              "       2  US.kbl F\n"
              "       1  US.kbl G\n"
              "\nGhost keys (keyboards on which the key came while the rollover step's keys were held):\n"
              "       1  US.kbl N\n"
              "\nRollover steps (keyboards, those that held fewer keys at once than required):\n"
              "  tested    short  layout, keys required: keys held at once x keyboards\n"
              "       1        0  UK.kbl, 4: 4 x1\n"
              "       4        1  US.kbl, 6: 6 x3, 4 x1\n"
              "\nBad rows: 0\n");
    const std::string page = ReportPage(set, figures, Grouping::None, {});
    EXPECT_NE(page.find("<tr><td>US.kbl</td><td>Q</td><td>W</td><td>5</td><td>batches B1 4, B2 1</td></tr>"),
              std::string::npos);
    EXPECT_NE(page.find("<tr><td>US.kbl</td><td>6</td><td>4</td><td>1</td><td>6 x3, 4 x1</td></tr>"),
              std::string::npos);
}

TEST(PlanFigures, PutPhantomAndGhostKeysOnMapsOfTheirOwnAndLeaveOtherPagesAsTheyWere) {
    RecordSet set;
    const ReportFigures figures = SwappedCaps(set);
    LayoutPicture picture;
    picture.layoutFile = "US.kbl";
    picture.bitmap = "BM";
    for (const char* label : {"F", "G", "N", "Q", "W"}) {
        picture.keys.push_back({label, static_cast<int32_t>(picture.keys.size() * 40), 10, 30, 30});
    }
    const std::string phantomMap =
        HeatMap(picture, KeysOfLayout(figures.keys, "US.kbl"), KeyCount::Phantom, "picture-0");
    EXPECT_NE(phantomMap.find("data-count=\"phantom\" data-heat-keys=\"2\""), std::string::npos);
    EXPECT_NE(phantomMap.find("<use href=\"#picture-0\"/>"), std::string::npos);
    EXPECT_NE(phantomMap.find("fill=\"rgb(84,39,143)\"><title>F: failed on 0 keyboards, chattered on 0, left "
                              "untested on 0, phantom on 2, ghost on 0</title>"),
              std::string::npos);
    const std::string page = ReportPage(set, figures, Grouping::None, {picture});
    EXPECT_NE(page.find("<h4>Phantom keys</h4><svg class=\"heat-map\""), std::string::npos);
    EXPECT_NE(
        page.find("<h4>Ghost keys</h4><svg class=\"heat-map\" viewBox=\"0 0 700 340\" data-layout=\"US.kbl\" "
                  "data-count=\"ghost\" data-heat-keys=\"1\""),
        std::string::npos);
    EXPECT_NE(page.find("<th>phantom</th><th>ghost</th>"), std::string::npos);

    // Keyboards without a plan's findings, in a file with the plan's columns or without: no map, column or
    // section of a plan.
    for (const std::string& text : {kHeader + Row(kTime, kReasonKeyBroken),
                                    kPlanHeader + PlanRow("B1", kReasonKeyBroken, "US.kbl", ",,,0,0")}) {
        const RecordSet plain = Read(text);
        const std::string plainPage =
            ReportPage(plain, ComputeFigures(plain.records, Grouping::None), Grouping::None, {picture});
        for (const char* part : {"Phantom", "phantom", "ghost", "plan-findings", "Rollover"}) {
            EXPECT_EQ(plainPage.find(part), std::string::npos) << part;
        }
    }
}

}  // namespace
