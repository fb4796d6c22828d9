// Tests of what the yield report makes of a test plan's findings: the record's plan columns read (and a file
// without them read as before), the wrong pairs counted and ranked, phantom and ghost keys on maps of their
// own, the rollover steps against the keys required.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text_format.h"
#include "engine/verdict_record.h"
#include "tools/kblreport/report_charts.h"
#include "tools/kblreport/report_page.h"
#include "tools/kblreport/report_test_rows.h"
#include "tools/kblreport/report_text.h"

namespace {

constexpr const char* kPlanColumns = "wrong_keys,phantom_keys,ghost_keys,rollover_required,rollover_reached";

// The tester's header row up to and with max_keys_held, the columns every record has had.
size_t ClassicColumnCount() {
    const std::string header = RecordHeaderRow();
    const size_t end = header.find("max_keys_held") + std::string("max_keys_held").size();
    size_t count = 1;
    for (size_t at = header.find(','); at < end; at = header.find(',', at + 1)) {
        ++count;
    }
    return count;
}

// The first `count` fields of a row of the tester's, whose fields hold no comma here.
std::string FirstFields(const std::string& row, size_t count) {
    size_t end = 0;
    for (size_t i = 0; i < count; ++i) {
        end = row.find_first_of(",\r", end + (i == 0 ? 0 : 1));
    }
    return row.substr(0, end);
}

const std::string kPlanHeader =
    "\xEF\xBB\xBF" + FirstFields(RecordHeaderRow(), ClassicColumnCount()) + "," + kPlanColumns + "\r\n";

struct PlanFound {
    std::vector<std::pair<std::string, std::string>> wrong;  // expected, got
    std::vector<std::string> phantom;
    std::vector<std::string> ghost;
    int required = 0;
    int reached = 0;
};

// A key list as the tester writes it: KeyListItem's escapes, and '>' as %3E in a wrong pair's labels.
std::string PairItem(const std::string& label) {
    std::string item;
    for (const char c : KeyListItem(label)) {
        item += c == '>' ? std::string("%3E") : std::string(1, c);
    }
    return item;
}

std::string Listed(const std::vector<std::string>& labels) {
    std::string list;
    for (const std::string& label : labels) {
        list += (list.empty() ? "" : ";") + KeyListItem(label);
    }
    return list;
}

// The row of `keyboard` with what its plan found, as the tester writes a record with the plan's columns.
std::string PlanRow(const KeyboardRecord& keyboard, const PlanFound& found) {
    std::string wrong;
    for (const auto& [expected, got] : found.wrong) {
        wrong += (wrong.empty() ? "" : ";") + PairItem(expected) + ">" + PairItem(got);
    }
    return FirstFields(RecordRow(keyboard), ClassicColumnCount()) + "," + wrong + "," +
           Listed(found.phantom) + "," + Listed(found.ghost) + "," + std::to_string(found.required) + "," +
           std::to_string(found.reached) + "\r\n";
}

KeyboardRecord InBatch(const char* batch, int32_t reason = -1, const char* layout = "US.kbl") {
    KeyboardRecord keyboard = Keyboard(kTime, reason);
    keyboard.batchId = batch;
    keyboard.layoutFile = layout;
    return keyboard;
}

TEST(PlanColumns, AreReadWhereAFileHasThemAndCheckedAsTheRestOfARow) {
    const RecordSet set = Read(
        kPlanHeader +
        PlanRow(InBatch("B1", kReasonKeyBroken), {{{"Num ;", ">"}, {"Q", "W"}}, {"F"}, {"N", "50%"}, 6, 5}) +
        PlanRow(InBatch("B1"), {}) + WithField(PlanRow(InBatch("B1"), {}), ClassicColumnCount(), "QW") +
        WithField(PlanRow(InBatch("B1"), {}), ClassicColumnCount(), "Q>W;A>") +
        WithField(PlanRow(InBatch("B1"), {}), ClassicColumnCount(), "Q>W>E") +
        WithField(PlanRow(InBatch("B1"), {}), ClassicColumnCount() + 3, "six") +
        WithField(PlanRow(InBatch("B1"), {}), ClassicColumnCount() + 4, "1234567890"));
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
    const Record& none = set.records[1];
    EXPECT_TRUE(none.wrongKeys.empty() && none.phantomKeys.empty() && none.ghostKeys.empty());
    EXPECT_EQ(none.rolloverRequired + none.rolloverReached, 0);

    // A file of today's columns without the plan's reads as of keyboards tested without a plan.
    const RecordSet classic = Read(kHeader.substr(0, kHeader.find("max_keys_held") + 13) + "\r\n" +
                                   FirstFields(Row(kTime), ClassicColumnCount()) + "\r\n");
    ASSERT_EQ(classic.records.size(), 1u) << BadRowsOf(classic);
    EXPECT_TRUE(classic.records[0].wrongKeys.empty() && classic.records[0].ghostKeys.empty());
    EXPECT_EQ(classic.records[0].rolloverRequired, 0);
}

// A batch of swapped caps: Q and W swapped on four keyboards of B1 and one of B2, A and S on two of B2; Q>W
// twice on one keyboard counts that keyboard once, and the same pair on another layout is a pair of its own.
// The keyboards the plan failed leave untested keys the report does not blame.
ReportFigures SwappedCaps(RecordSet& set) {
    std::string text = kPlanHeader;
    for (int i = 0; i < 4; ++i) {
        KeyboardRecord keyboard = InBatch("B1", kReasonKeyBroken);
        keyboard.untestedKeys = "W;E";
        text += PlanRow(keyboard, {{{"Q", "W"}}, {}, {}, 0, 0});
    }
    text += PlanRow(InBatch("B2", kReasonKeyBroken), {{{"Q", "W"}, {"Q", "W"}}, {}, {}, 0, 0});
    text += PlanRow(InBatch("B2", kReasonKeyBroken), {{{"A", "S"}}, {}, {}, 0, 0});
    text += PlanRow(InBatch("B2"), {{{"A", "S"}}, {}, {}, 6, 6});  // guided: shown, not failed
    text += PlanRow(InBatch("B1", kReasonKeyBroken, "UK.kbl"), {{{"Q", "W"}}, {}, {}, 0, 0});
    text += PlanRow(InBatch("B3", kReasonKeyBroken), {{}, {"F", "G"}, {}, 0, 0});
    text += PlanRow(InBatch("B3", kReasonKeyBroken), {{}, {"F"}, {}, 0, 0});
    text += PlanRow(InBatch("B3", kReasonKeyBroken), {{}, {}, {"N"}, 6, 6});
    text += PlanRow(InBatch("B3"), {{}, {}, {}, 6, 6});
    text += PlanRow(InBatch("B3"), {{}, {}, {}, 6, 4});
    text += PlanRow(InBatch("B3", -1, "UK.kbl"), {{}, {}, {}, 4, 4});
    set = Read(text);
    return ComputeFigures(set.records, Grouping::None);
}

TEST(PlanFigures, RankTheWrongPairsAndCountRolloverAgainstTheKeysRequired) {
    RecordSet set;
    const ReportFigures figures = SwappedCaps(set);
    ASSERT_EQ(set.records.size(), 14u) << BadRowsOf(set);
    std::string pairs;
    for (const WrongPairCount& pair : figures.wrongPairs) {
        pairs +=
            FormatText("%s %s>%s %lld (%s)\n", pair.layoutFile.c_str(), pair.expected.c_str(),
                       pair.got.c_str(), static_cast<long long>(pair.keyboards), BatchesText(pair).c_str());
    }
    EXPECT_EQ(pairs,
              "US.kbl Q>W 5 (batches B1 4, B2 1)\nUS.kbl A>S 2 (batch B2 2)\nUK.kbl Q>W 1 (batch B1 1)\n");
    EXPECT_EQ(figures.failedByPlan, 10);
    EXPECT_EQ(figures.stoppedEarly, 0);
    EXPECT_TRUE(TopKeys(figures.keys, KeyCount::FailedOn).empty());
    const std::vector<KeyTally> phantom = TopKeys(figures.keys, KeyCount::Phantom);
    ASSERT_EQ(phantom.size(), 2u);
    EXPECT_EQ(phantom[0].label + std::to_string(phantom[0].phantom) + phantom[1].label +
                  std::to_string(phantom[1].phantom),
              "F2G1");
    const std::string summary = SummaryText(set, figures, Grouping::None);
    const std::string plans = summary.substr(summary.find("\n10 failed keyboards"));
    EXPECT_EQ(plans,
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
    const std::vector<KeyTally> keys = KeysOfLayout(figures.keys, "US.kbl");
    const std::string phantomMap = HeatMap(picture, keys, KeyCount::Phantom, "picture-0");
    EXPECT_NE(phantomMap.find("data-count=\"phantom\" data-heat-keys=\"2\""), std::string::npos);
    EXPECT_NE(phantomMap.find("<use href=\"#picture-0\"/>"), std::string::npos);
    EXPECT_NE(phantomMap.find("fill=\"rgb(84,39,143)\"><title>F: failed on 0 keyboards, chattered on 0, left "
                              "untested on 0, phantom on 2, ghost on 0</title>"),
              std::string::npos);
    EXPECT_NE(HeatMap(picture, keys, KeyCount::Ghost, "picture-0")
                  .find("data-count=\"ghost\" data-heat-keys=\"1\""),
              std::string::npos);
    const std::string page = ReportPage(set, figures, Grouping::None, {picture});
    EXPECT_NE(page.find("<h4>Phantom keys</h4><svg class=\"heat-map\""), std::string::npos);
    EXPECT_NE(page.find("<h4>Ghost keys</h4><svg class=\"heat-map\""), std::string::npos);
    EXPECT_NE(page.find("<th>phantom</th><th>ghost</th>"), std::string::npos);

    // Records without a plan's findings, in a file with the plan's columns or without: no map, column or
    // section of a plan.
    for (const std::string& text : {kHeader + Row(kTime, kReasonKeyBroken),
                                    kPlanHeader + PlanRow(Keyboard(kTime, kReasonKeyBroken), {})}) {
        const RecordSet plain = Read(text);
        const std::string plainPage =
            ReportPage(plain, ComputeFigures(plain.records, Grouping::None), Grouping::None, {picture});
        for (const char* part : {"Phantom", "phantom", "ghost", "plan-findings", "Rollover"}) {
            EXPECT_EQ(plainPage.find(part), std::string::npos) << part;
        }
    }
}

}  // namespace
