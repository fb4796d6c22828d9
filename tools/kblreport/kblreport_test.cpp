// Tests of the yield report on small record files as the tester writes them: the figures; the summary; the
// page's heat maps; the layouts and pictures; the exit status.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/text_format.h"
#include "engine/verdict_record.h"
#include "tools/common/bitmap_file.h"
#include "tools/kblreport/layout_pictures.h"
#include "tools/kblreport/report_charts.h"
#include "tools/kblreport/report_page.h"
#include "tools/kblreport/report_run.h"
#include "tools/kblreport/report_test_rows.h"
#include "tools/kblreport/report_text.h"

namespace {

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The figures of records read from rows.
ReportFigures FiguresOf(const std::vector<KeyboardRecord>& keyboards, Grouping grouping = Grouping::None) {
    std::string text = kHeader;
    for (const KeyboardRecord& keyboard : keyboards) {
        text += RecordRow(keyboard);
    }
    return ComputeFigures(Read(text).records, grouping);
}

KeyboardRecord TimedKeyboard(const std::string& time, const char* seconds, int32_t reason = -1) {
    KeyboardRecord keyboard = Keyboard(time, reason);
    keyboard.testSeconds = seconds;
    return keyboard;
}

TEST(Figures, OfNoKeyboardAreEmpty) {
    const ReportFigures figures = FiguresOf({});
    EXPECT_EQ(figures.total.tested, 0);
    EXPECT_EQ(figures.total.Percent(), 0.0);
    EXPECT_TRUE(figures.periods.empty());
}

TEST(Figures, CountYieldReasonsAndTestTimes) {
    const ReportFigures figures = FiguresOf({
        TimedKeyboard("2026-12-07T08:10:00+08:00", "40.0"),
        TimedKeyboard("2026-12-07T08:20:00+08:00", "10.0", kReasonOther),
        TimedKeyboard("2026-12-07T09:59:59+08:00", "30.0", kReasonKeyBroken),
        TimedKeyboard("2026-12-07T07:00:00+08:00", "20.0", kReasonKeyBroken),
        TimedKeyboard("2026-12-08T07:00:00+08:00", ""),
    });
    EXPECT_EQ(figures.total.tested, 5);
    EXPECT_EQ(figures.total.passed, 2);
    EXPECT_DOUBLE_EQ(figures.total.Percent(), 40.0);
    ASSERT_EQ(figures.reasons.size(), 2u);
    EXPECT_EQ(figures.reasons[0].code + " " + std::to_string(figures.reasons[0].count), "key_broken 2");
    EXPECT_EQ(figures.reasons[0].text, u8"按键损坏");
    EXPECT_EQ(figures.reasons[1].code + " " + std::to_string(figures.reasons[1].count), "other 1");
    EXPECT_EQ(figures.timedCount, 4);
    EXPECT_DOUBLE_EQ(figures.medianSeconds, 25.0);
    EXPECT_DOUBLE_EQ(figures.percentile95Seconds, 40.0);
    EXPECT_EQ(figures.firstTime, "2026-12-07T07:00:00+08:00");
    EXPECT_EQ(figures.lastTime, "2026-12-08T07:00:00+08:00");
    EXPECT_EQ(figures.periodSeconds, 3600);
    std::string periods;
    for (const Period& period : figures.periods) {
        periods += period.label + " " + std::to_string(period.count.passed) + "/" +
                   std::to_string(period.count.tested) + "\n";
    }
    EXPECT_EQ(periods,
              "2026-12-07 07:00 0/1\n2026-12-07 08:00 1/2\n2026-12-07 09:00 0/1\n2026-12-08 07:00 1/1\n");
}

TEST(Figures, SpanningMoreThanTwoDaysArePerDayAndGroupedByDay) {
    const ReportFigures figures =
        FiguresOf({Keyboard("2026-12-07T23:59:59+08:00"), Keyboard("2026-12-01T00:00:00+08:00"),
                   Keyboard("2026-12-07T00:00:00+08:00", kReasonOther)},
                  Grouping::Day);
    EXPECT_EQ(figures.periodSeconds, 86400);
    ASSERT_EQ(figures.periods.size(), 2u);
    EXPECT_EQ(figures.periods[1].label, "2026-12-07");
    EXPECT_EQ(figures.periods[1].count.tested, 2);
    ASSERT_EQ(figures.groups.size(), 2u);
    EXPECT_EQ(figures.groups[0].name + " " + std::to_string(figures.groups[0].count.tested), "2026-12-01 1");
    EXPECT_DOUBLE_EQ(figures.groups[1].count.Percent(), 50.0);
}

TEST(Figures, TallyKeysPerLayoutSoThatMixedLayoutsStayApart) {
    std::vector<KeyboardRecord> keyboards(5, Keyboard(kTime, kReasonKeyBroken));
    keyboards[0].untestedKeys = "A;Esc";
    keyboards[1].untestedKeys = "A";
    keyboards[1].chatterKeys = "Esc:7";
    keyboards[2].layoutFile = "UK.kbl";
    keyboards[2].untestedKeys = "A";
    keyboards[3].chatterKeys = "Esc:4";
    keyboards[3].batchId = "B2";
    keyboards[4].untestedKeys = "A;S;D;F";  // stopped early: names no key
    const ReportFigures figures = FiguresOf(keyboards, Grouping::Batch);
    std::string keys;
    for (const KeyTally& key : figures.keys) {
        keys += FormatText("%s %s %lld %lld %lld %d\n", key.layoutFile.c_str(), key.label.c_str(),
                           static_cast<long long>(key.failedOn), static_cast<long long>(key.chattered),
                           static_cast<long long>(key.untested), key.shortestGapMs);
    }
    EXPECT_EQ(keys,
              "UK.kbl A 1 0 1 -1\nUS.kbl A 2 0 3 -1\nUS.kbl Esc 1 2 1 4\nUS.kbl D 0 0 1 -1\n"
              "US.kbl F 0 0 1 -1\nUS.kbl S 0 0 1 -1\n");
    EXPECT_EQ(figures.stoppedEarly, 1);
    ASSERT_EQ(figures.layouts.size(), 2u);
    EXPECT_EQ(figures.layouts[0].name + " " + std::to_string(figures.layouts[0].count.tested), "UK.kbl 1");
    ASSERT_EQ(figures.groups.size(), 2u);
    EXPECT_EQ(figures.groups[1].name + " " + std::to_string(figures.groups[1].count.tested), "B2 1");
    EXPECT_EQ(TopKeys(figures.keys, KeyCount::Chattered).size(), 1u);
    EXPECT_EQ(TopKeys(figures.keys, KeyCount::FailedOn)[0].label, "A");
}

// The keys of a 104-key layout in the order an operator tests them.
std::vector<std::string> TestOrder() {
    std::vector<std::string> labels = {"Esc", "F", "Enter", "Space"};
    for (int i = labels.size(); i < 104; ++i) {
        labels.push_back(FormatText("K%d", i));
    }
    return labels;
}

// A month of a line: 2,000 keyboards passed, 20 failed on F and 20 on Enter with nothing else left, 200
// failed early with 4 to 100 keys not yet reached, and 30 on which Space chattered.
std::vector<KeyboardRecord> GeneratedMonth() {
    const std::vector<std::string> order = TestOrder();
    std::vector<KeyboardRecord> month;
    uint32_t random = 12345;
    for (int i = 0; i < 2270; ++i) {
        KeyboardRecord keyboard =
            Keyboard(FormatText("2026-11-%02dT%02d:%02d:00+08:00", 1 + i % 30, 8 + i / 30 % 10, i % 60),
                     i < 2000 ? -1 : kReasonKeyBroken);
        if (i >= 2000 && i < 2040) {
            keyboard.untestedKeys = i < 2020 ? "F" : "Enter";
        } else if (i >= 2040 && i < 2240) {
            random = random * 1103515245 + 12345;
            for (size_t key = random / 65536 % 101; key < order.size(); ++key) {
                keyboard.untestedKeys += (keyboard.untestedKeys.empty() ? "" : ";") + KeyListItem(order[key]);
            }
        } else if (i >= 2240) {
            keyboard.passed = true;
            keyboard.chatterKeys = "Space:3";
        }
        month.push_back(keyboard);
    }
    return month;
}

TEST(Figures, AMonthShowsTheKeysThatFailedAboveTheKeyboardsStoppedEarly) {
    const ReportFigures figures = FiguresOf(GeneratedMonth());
    EXPECT_EQ(figures.total.Failed(), 240);
    EXPECT_EQ(figures.stoppedEarly, 200);
    const std::vector<KeyTally> failedOn = TopKeys(figures.keys, KeyCount::FailedOn);
    ASSERT_EQ(failedOn.size(), 2u);  // no key that early stops left untested is blamed
    EXPECT_EQ(failedOn[0].label + " " + std::to_string(failedOn[0].failedOn), "Enter 20");
    EXPECT_EQ(failedOn[1].label + " " + std::to_string(failedOn[1].failedOn), "F 20");
    int64_t mostLeftUntested = 0;  // what counting every key left untested would have shown
    for (const KeyTally& key : figures.keys) {
        mostLeftUntested = std::max(mostLeftUntested, key.untested);
    }
    EXPECT_GT(mostLeftUntested, 150);
    const std::vector<KeyTally> chattered = TopKeys(figures.keys, KeyCount::Chattered);
    ASSERT_EQ(chattered.size(), 1u);
    EXPECT_EQ(chattered[0].label + " " + std::to_string(chattered[0].chattered), "Space 30");

    LayoutPicture picture;
    picture.layoutFile = "US.kbl";
    for (const std::string& label : TestOrder()) {
        picture.keys.push_back({label, static_cast<int32_t>(picture.keys.size() % 15 * 40), 10, 30, 30});
    }
    const std::vector<KeyTally> keys = KeysOfLayout(figures.keys, "US.kbl");
    const std::string failedMap = HeatMap(picture, keys, KeyCount::FailedOn, "p");
    EXPECT_NE(failedMap.find("data-count=\"failed-on\" data-heat-keys=\"2\""), std::string::npos);
    EXPECT_EQ(Occurrences(failedMap, "fill=\"rgb(192,0,0)\""), 2u);  // both the darkest red
    const std::string chatterMap = HeatMap(picture, keys, KeyCount::Chattered, "p");
    EXPECT_NE(chatterMap.find("data-count=\"chattered\" data-heat-keys=\"1\""), std::string::npos);
    const RecordSet none;
    EXPECT_NE(
        SummaryText(none, figures, Grouping::None)
            .find("\n200 failed keyboards stopped early, with more than 3 keys untested: they name no key\n"),
        std::string::npos);
}

TEST(Summary, GivesFiguresThenNamesAndEveryBadRow) {
    RecordSet set = Read(kHeader + Row("2026-12-07T08:10:00+08:00") +
                         Row("2026-12-07T08:20:00+08:00", kReasonKeyBroken) + "x\r\n");
    const ReportFigures figures = ComputeFigures(set.records, Grouping::Operator);
    EXPECT_EQ(SummaryText(set, figures, Grouping::Operator),
              "Keyboards: 2 tested, 1 passed, 1 failed, yield 50.0 %\n"
              "Record files: 1, from 2026-12-07T08:10:00+08:00 to 2026-12-07T08:20:00+08:00\n"
              "Test time: median 30.0 s, 95th percentile 30.0 s (2 keyboards timed)\n"
              "\nBy operator:\n  tested   passed   failed    yield\n"
              "       2        1        1    50.0 %  op7\n"
              "\nBy layout:\n  tested   passed   failed    yield\n"
              "       2        1        1    50.0 %  US.kbl\n"
              "\nFail reasons:\n   count    share  cumulative\n"
              "       1   100.0 %    100.0 %    key_broken " +
                  std::string(u8"按键损坏") +
                  "\n"
                  "\nBad rows: 1\n  line3.csv:4: short row: 1 of 17 fields\n");
}

class Folder : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "kblreport_XXXXXX";
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& content) const {
        std::ofstream(folder + "/" + name, std::ios::binary) << content;
        return folder + "/" + name;
    }

    std::string folder;
};

const char* const kLayout =
    "'A',30,\"A\",\"false\",\"DQSTATUSUP\",0,10,10,30,30\n"
    "'S',31,\"S\",\"false\",\"DQSTATUSUP\",0,50,10,30,30\n"
    "\"VK_OEM_COMMA\",51,\",\",\"false\",\"DQSTATUSUP\",0,90,10,30,30\n"
    "'S',31,\"S\",\"false\",\"DQSTATUSUP\",0,130,10,30,30\n"
    "'\\',43,\"<\\>\",\"false\",\"DQSTATUSUP\",0,170,10,30,30\n"
    "\"VK_SPACE\",57,\"\xBF\xD5\xB8\xF1\",\"false\",\"DQSTATUSUP\",0,10,50,150,30\n";  // 空格 in GBK

std::string BitmapBytes(int width, int height) {
    const std::vector<uint8_t> bytes = EncodeBitmapFile(Picture(width, height, {1, 2, 3}));
    return std::string(bytes.begin(), bytes.end());
}

TEST_F(Folder, HeatMapColoursEveryRectangleOfTheKeysFoundAndTablesTheRest) {
    Write("T.kbl", kLayout);
    Write("T.bmp", BitmapBytes(700, 340));
    const LayoutPicture picture = LoadLayoutPicture(folder, "T.kbl");
    EXPECT_EQ(picture.note, "");
    EXPECT_EQ(picture.keys.size(), 6u);
    EXPECT_EQ(picture.width * 1000 + picture.height, 700340);
    const std::vector<KeyTally> keys = {{"T.kbl", "S", 2, 1, 3, 5},
                                        {"T.kbl", "<\\>", 1, 0, 1},
                                        {"T.kbl", "Q", 1, 0, 1},
                                        {"T.kbl", u8"空格", 1, 0, 1},
                                        {"T.kbl", "A", 0, 0, 9}};
    const std::string map = HeatMap(picture, keys, KeyCount::FailedOn, "picture-0");
    EXPECT_NE(map.find("data-heat-keys=\"3\""), std::string::npos);
    EXPECT_EQ(Occurrences(map, "class=\"heat\""), 4u);
    EXPECT_NE(map.find("<title>&lt;\\&gt;: failed on 1 keyboards, chattered on 0, left untested on 1"),
              std::string::npos);
    EXPECT_NE(map.find("<image id=\"picture-0\" x=\"0\" y=\"0\" width=\"700\" height=\"340\" "
                       "preserveAspectRatio=\"none\" href=\"data:image/bmp;base64,Qk"),
              std::string::npos);
    const std::string chatterMap = HeatMap(picture, keys, KeyCount::Chattered, "picture-0");
    EXPECT_NE(chatterMap.find("<use href=\"#picture-0\"/>"), std::string::npos);
    EXPECT_EQ(chatterMap.find("base64"), std::string::npos);
    EXPECT_EQ(Occurrences(chatterMap, "class=\"heat\""), 2u);
    const std::string page = ReportPage(RecordSet(), ReportFigures(), Grouping::None, {picture});
    EXPECT_EQ(page.find("class=\"heat-map\""), std::string::npos);  // no keyboards, no charts
}

TEST_F(Folder, LayoutThatCannotBeLoadedLeavesANoteAndOutlinesWhatIsKnown) {
    Write("T.kbl", kLayout);
    Write("Bad.kbl", "'A',30,\"A\"\n");
    Write("Bad.bmp", "BM");
    const LayoutPicture noPicture = LoadLayoutPicture(folder, "T.kbl");
    EXPECT_EQ(noPicture.note, folder + "/T.bmp not found");
    EXPECT_EQ(Occurrences(HeatMap(noPicture, {}, KeyCount::Chattered, "p"), "class=\"key\""), 6u);
    const LayoutPicture badLayout = LoadLayoutPicture(folder, "Bad.kbl");
    EXPECT_EQ(badLayout.note,
              "Syntax error in line 1 (excluding comment lines) of file Bad.kbl Skipping file.; " + folder +
                  "/Bad.bmp is no bitmap file");
    EXPECT_EQ(LoadLayoutPicture(folder, "None.kbl").note,
              folder + "/None.kbl not found; " + folder + "/None.bmp not found");
    const std::string chineseFolder = folder + u8"/记录";
    std::filesystem::create_directory(chineseFolder);
    std::ofstream(chineseFolder + "/Empty.kbl") << "# nothing\n";
    const std::string skipped = "Skipping the file  " + chineseFolder + "/Empty.kbl as it contains no data.";
    EXPECT_EQ(LoadLayoutPicture(chineseFolder, "Empty.kbl").note.substr(0, skipped.size()), skipped);
}

TEST(LayoutNames, OnlyBareLayoutFileNamesAreOpened) {
    const std::pair<const char*, bool> cases[] = {
        {"US.kbl", true},      {"uk.KBL", true},      {"A.b.kbl", true},
        {"COMX.kbl", true},    {"CONSOLE.kbl", true}, {"../../etc/passwd", false},
        {"../T.kbl", false},   {"..\\T.kbl", false},  {"C:T.kbl", false},
        {"/US.kbl", false},    {"US.kbl\n", false},   {"U\x1BS.kbl", false},
        {"CON.kbl", false},    {"nul.kbl", false},    {"com1.kbl", false},
        {"LPT9.x.kbl", false}, {".kbl", false},       {"US.bmp", false},
        {"", false},
    };
    for (const auto& [name, bare] : cases) {
        EXPECT_EQ(IsBareLayoutName(name), bare) << name;
    }
}

TEST(Bitmaps, SizeIsReadFromEitherHeaderAndNonsenseRefused) {
    int32_t width = 0;
    int32_t height = 0;
    std::string topDown = BitmapBytes(3, 2);
    topDown[22] = '\xFE';  // height -2
    topDown[23] = topDown[24] = topDown[25] = '\xFF';
    const std::string core =
        "BM" + std::string(12, '\0') + std::string("\x0C\0\0\0\x20\x03\x54\x01\x01\0\x18\0", 12);
    const struct {
        std::string bytes;
        bool read;
        int32_t width;
        int32_t height;
    } cases[] = {
        {BitmapBytes(700, 340), true, 700, 340},
        {topDown, true, 3, 2},
        {core, true, 800, 340},
        {"BM" + std::string(40, '\0'), false, 0, 0},
        {BitmapBytes(7, 3).substr(0, 30), false, 0, 0},
        {"PK" + BitmapBytes(7, 3).substr(2), false, 0, 0},
    };
    for (const auto& row : cases) {
        width = height = 0;
        EXPECT_EQ(ReadBitmapSize(row.bytes, width, height), row.read);
        EXPECT_EQ(width * 10000 + height, row.width * 10000 + row.height);
    }
}

TEST(Base64, EncodesAsDataAddressesNeedIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="}, {"\xFF\xFE", "//4="},
    };
    for (const auto& [bytes, encoded] : cases) {
        EXPECT_EQ(Base64(bytes), encoded);
    }
}

ReportResult RunWith(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "kblreport");
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    return RunReport(static_cast<int>(argv.size()), argv.data());
}

TEST_F(Folder, RunReportsWhatItCouldAndSaysWhatItRefused) {
    const std::string good = Write("good.csv", kHeader + Row(kTime, kReasonOther));
    const std::string other = Write("other.csv", "a,b\r\n");
    const ReportResult result = RunWith({"--html", folder + "/r.html", "--by", "batch", good, other});
    EXPECT_EQ(result.exitCode, kReportIncomplete);
    EXPECT_EQ(result.errors,
              "kblreport: " + other +
                  ":1: not a record file: its first row, the header, has no column time, "
                  "operator, product, batch, layout, verdict, reason, reason_code, test_seconds, "
                  "untested_keys, chatter_keys\n");
    EXPECT_EQ(result.output.substr(0, result.output.find('\n')),
              "Keyboards: 1 tested, 0 passed, 1 failed, yield 0.0 %");
    EXPECT_NE(result.output.find("\nPage: " + folder + "/r.html\n"), std::string::npos);
    std::ifstream page(folder + "/r.html");
    const std::string html((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<p class=\"note\">" + folder + "/US.kbl not found"), std::string::npos);
    EXPECT_NE(html.find("<h2>By batch</h2>"), std::string::npos);
}

TEST_F(Folder, RunOpensNoLayoutOutsideItsFolderAndPrintsNoControlCharacter) {
    Write("T.kbl", kLayout);
    Write("T.bmp", BitmapBytes(700, 340));
    std::filesystem::create_directory(folder + "/records");
    KeyboardRecord keyboard = Keyboard(kTime, kReasonOther);
    keyboard.layoutFile = "../T.kbl";
    keyboard.operatorId = "\x1B]0;owned\x07op\x1B[2J";
    const std::string records = Write("records/line3.csv", kHeader + RecordRow(keyboard));
    const ReportResult result = RunWith({"--by", "operator", "--html", folder + "/r.html", records});
    EXPECT_EQ(result.exitCode, kReportMade);
    EXPECT_NE(result.output.find("?]0;owned?op?[2J\n"), std::string::npos);
    EXPECT_EQ(result.output.find('\x1B'), std::string::npos);
    std::ifstream page(folder + "/r.html");
    const std::string html((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
    EXPECT_NE(
        html.find("&quot;../T.kbl&quot; is no layout file name (NAME.kbl without a folder): not opened"),
        std::string::npos);
    EXPECT_EQ(html.find("data:image/bmp"), std::string::npos);
    EXPECT_EQ(PrintableText("a\tb\r\n\x7F\xC2\x9B"
                            "1m\xC2\xA0"),
              "a?b?\n??1m\xC2\xA0");
}

TEST_F(Folder, RunRefusesWrongCommandLinesAndUnwritablePages) {
    const std::string good = Write("good.csv", kHeader);
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string firstError;
    } cases[] = {
        {{}, kReportUsageError, "kblreport: no record file to read"},
        {{"--by", "week", good},
         kReportUsageError,
         "kblreport: --by takes batch, product, operator or day, not week"},
        {{good, "--html"}, kReportUsageError, "kblreport: --html needs a value"},
        {{"-x", good}, kReportUsageError, "kblreport: unknown option -x"},
        {{"--html", folder + "/none/r.html", good},
         kReportIncomplete,
         "kblreport: " + folder + "/none/r.html: cannot be written"},
        {{"--", "--help"}, kReportIncomplete, "kblreport: --help: cannot be read"},
        {{"--help"}, kReportMade, ""},
    };
    for (const auto& row : cases) {
        const ReportResult result = RunWith(row.arguments);
        EXPECT_EQ(result.exitCode, row.exitCode);
        EXPECT_EQ(result.errors.substr(0, result.errors.find('\n')), row.firstError);
    }
}

}  // namespace
