// Tests of reading record files as the tester writes them and as they come back from the line: which rows are
// read, which are bad, which files are refused, how every format, encoding and key list is read.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/verdict_record.h"
#include "tools/kblreport/report_figures.h"
#include "tools/kblreport/report_page.h"
#include "tools/kblreport/report_test_rows.h"
#include "tools/kblreport/report_text.h"

namespace {

struct ReadCase {
    const char* name;
    std::string text;
    size_t records;
    std::string badRows;  // "line: problem" lines
};

void PrintTo(const ReadCase& row, std::ostream* out) {
    *out << row.name;
}

class RecordFiles : public testing::TestWithParam<ReadCase> {};

TEST_P(RecordFiles, GiveTheirKeyboardsAndListEveryBadRowByLine) {
    const RecordSet set = Read(GetParam().text);
    EXPECT_EQ(set.refusals, std::vector<std::string>());
    EXPECT_EQ(set.records.size(), GetParam().records);
    EXPECT_EQ(BadRowsOf(set), GetParam().badRows);
}

std::string WithoutCarriageReturns(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

const ReadCase kReadCases[] = {
    {"Empty", "", 0, ""},
    {"HeaderOnly", kHeader, 0, ""},
    {"OneRow", kHeader + Row(kTime), 1, ""},
    {"ResavedWithoutMarkWithLineFeedsAndQuotes",
     WithoutCarriageReturns(kHeader.substr(3) + "\r\n" + WithField(Row(kTime), 1, "\"PC, \"\"2\"\"\"") +
                            "\r\n"),
     1, ""},
    {"ShortRow", kHeader + Row(kTime) + "2026-12-07T18:43:18+08:00,BENCH-7\r\n", 1,
     "3: short row: 2 of 17 fields\n"},
    {"CutInsideAQuotedFieldAtTheEnd", kHeader + Row(kTime) + Row(kTime).substr(0, 40) + "\"Li, W", 1,
     "3: torn row: a quoted field is still open at the line's end\n"},
    {"LongRow", kHeader + Row(kTime) + WithField(Row(kTime), 16, "6,1"), 1,
     "3: long row: 18 fields, not 17\n"},
    {"BadDates",
     kHeader + WithField(Row(kTime), 0, "2026-02-29T08:00:00+08:00") +
         WithField(Row(kTime), 0, "2028-02-29T08:00:00+08:00") +
         WithField(Row(kTime), 0, "2026-12-07 18:43:18+08:00") +
         WithField(Row(kTime), 0, "2026-12-07T24:00:00+08:00") +
         WithField(Row(kTime), 0, "2026-12-07T18:43:18") + WithField(Row(kTime), 0, "") +
         WithField(Row(kTime), 0, "2026-12-07T18:43:18+15:00"),
     1,
     "2: bad time \"2026-02-29T08:00:00+08:00\"\n4: bad time \"2026-12-07 18:43:18+08:00\"\n"
     "5: bad time \"2026-12-07T24:00:00+08:00\"\n6: bad time \"2026-12-07T18:43:18\"\n7: bad time \"\"\n"
     "8: bad time \"2026-12-07T18:43:18+15:00\"\n"},
    {"VerdictNeitherPassNorFail", kHeader + WithField(Row(kTime), 8, "pass") + WithField(Row(kTime), 8, ""),
     0, "2: verdict \"pass\" is neither PASS nor FAIL\n3: verdict \"\" is neither PASS nor FAIL\n"},
    {"BadTimesAndGaps",
     kHeader + WithField(Row(kTime), 11, "") + WithField(Row(kTime), 11, "12s") +
         WithField(Row(kTime), 15, "A:3;S") + WithField(Row(kTime), 15, "A:-3"),
     1,
     "3: bad test_seconds \"12s\"\n4: chatter_keys item \"S\" is not label:ms\n"
     "5: chatter_keys item \"A:-3\" is not label:ms\n"},
    {"HeaderAgainInTheMiddle", kHeader + Row(kTime) + RecordHeaderRow() + Row(kTime), 2,
     "3: bad time \"time\"\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RecordFiles, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(RecordFiles, TornRowCostsItsOwnLineAndTheRowGluedToIt) {
    // A power cut inside "Li, Wei" of keyboard 101; the next day's rows are appended right after it.
    std::string text = kHeader;
    for (int i = 0; i < 240; ++i) {
        KeyboardRecord keyboard = Keyboard(kTime);
        keyboard.operatorId = "Li, Wei";
        const std::string row = RecordRow(keyboard);
        text += i == 100 ? row.substr(0, row.find("Li, Wei") + 5) : row;
    }
    const RecordSet set = Read(text);
    EXPECT_EQ(set.records.size(), 238u);
    EXPECT_EQ(BadRowsOf(set), "102: torn row: a quoted field is still open at the line's end\n");
    EXPECT_EQ(set.records.back().operatorId, "Li, Wei");
}

TEST(RecordFiles, ThatAreNoRecordFilesAreRefusedWithFileAndLine) {
    RecordSet set;
    EXPECT_FALSE(ReadRecordText("\r\n" + Row(kTime), "a.csv", set));
    EXPECT_FALSE(ReadRecordText(kHeader.substr(0, kHeader.size() - 29) + "\r\n", "b.csv", set));
    EXPECT_FALSE(ReadRecordText("time,layout,verdict,time\r\n", "d.csv", set));
    EXPECT_TRUE(ReadRecordText(kHeader + Row(kTime), "c.csv", set));
    EXPECT_FALSE(ReadRecordFile("/no/such/records.csv", set));
    EXPECT_EQ(
        set.refusals,
        (std::vector<std::string>{
            "a.csv:2: not a record file: its first row, the header, has no column time, operator, product, "
            "batch, layout, verdict, reason, reason_code, test_seconds, untested_keys, chatter_keys",
            "b.csv:1: not a record file: its first row, the header, has no column chatter_keys",
            "d.csv:1: not a record file: its first row names the column time 2 times",
            "/no/such/records.csv: cannot be read"}));
    EXPECT_EQ(set.files, std::vector<std::string>{"c.csv"});
    EXPECT_EQ(set.records.size(), 1u);
}

// A file of the first record format, 17 columns, kept as the tester wrote it: it stays readable whatever
// columns the record gains.
const std::string kSeventeenColumnFile =
    "\xEF\xBB\xBFtime,computer,operator,product,batch,serial,version,layout,verdict,reason,reason_code,"
    "test_seconds,required_keys,tested_keys,untested_keys,chatter_keys,max_keys_held\r\n"
    "2026-12-07T08:00:05+08:00,BENCH-7,\xE6\x9D\x8E\xE4\xBC\x9F,KB-104,B1,SN1,A2,US.kbl,PASS,,,31.5,104,104,,"
    ","
    "6\r\n"
    "2026-12-07T08:01:10+08:00,BENCH-7,\"Li, Wei\",KB-104,B1,SN2,A2,US.kbl,FAIL,"
    "\xE6\x8C\x89\xE9\x94\xAE\xE6\x8D\x9F\xE5\x9D\x8F,key_broken,12.0,104,101,L;;;',A:3,2\r\n";

TEST(RecordFiles, OfEveryFormatAreReadByTheirColumnsNames) {
    const struct {
        const char* name;
        std::string text;
    } files[] = {
        {"seventeen columns", kSeventeenColumnFile},
        {"columns reordered and newer ones among them",
         "plan,verdict,layout,time,chatter_keys,untested_keys,test_seconds,reason_code,reason,batch,product,"
         "operator,line\n"
         "P1,PASS,US.kbl,2026-12-07T08:00:05+08:00,,,31.5,,,B1,KB-104,\xE6\x9D\x8E\xE4\xBC\x9F,L3\n"
         "P1,FAIL,US.kbl,2026-12-07T08:01:10+08:00,A:3,L;;;',12.0,key_broken,"
         "\xE6\x8C\x89\xE9\x94\xAE\xE6\x8D\x9F\xE5\x9D\x8F,B1,KB-104,\"Li, Wei\",L3\n"
         "P1,PASS,US.kbl,2026-12-07T08:02:00+08:00\n"},
    };
    for (const auto& file : files) {
        const RecordSet set = Read(file.text);
        ASSERT_EQ(set.records.size(), 2u) << file.name;
        const Record& failed = set.records[1];
        EXPECT_EQ(set.records[0].operatorId, u8"李伟") << file.name;
        EXPECT_EQ(failed.operatorId + "|" + failed.reason + "|" + failed.reasonCode + "|" + failed.batchId,
                  u8"Li, Wei|按键损坏|key_broken|B1")
            << file.name;
        EXPECT_EQ(failed.untestedKeys, (std::vector<std::string>{"L", ";", "'"})) << file.name;
        EXPECT_EQ(failed.chatterKeys.size(), 1u) << file.name;
        EXPECT_DOUBLE_EQ(failed.testSeconds, 12.0) << file.name;
    }
    EXPECT_EQ(BadRowsOf(Read(files[1].text)), "4: short row: 4 of 13 fields\n");
}

TEST(RecordFiles, GiveDefusedFieldsBackAsTyped) {
    KeyboardRecord keyboard = Keyboard(kTime, kReasonOther);
    keyboard.operatorId = "=SUM(A1)";
    keyboard.productId = "'KB";
    keyboard.batchId = "+1";
    keyboard.reason = "-\t'";
    keyboard.reasonCode = "'abc";
    keyboard.untestedKeys = "-;=;@";
    keyboard.chatterKeys = "@:5";
    const RecordSet set = Read(kHeader + RecordRow(keyboard));
    ASSERT_EQ(set.records.size(), 1u);
    const Record& record = set.records[0];
    EXPECT_EQ(record.operatorId + "|" + record.productId + "|" + record.batchId + "|" + record.reason + "|" +
                  record.reasonCode,
              "=SUM(A1)|'KB|+1|-\t'|'abc");
    EXPECT_EQ(record.untestedKeys, (std::vector<std::string>{"-", "=", "@"}));
    ASSERT_EQ(record.chatterKeys.size(), 1u);
    EXPECT_EQ(record.chatterKeys[0].label, "@");
}

TEST(RecordFiles, SavedAgainInGbkAreReadAsGbkWithANote) {
    // 李伟 and 按键损坏 in GBK, as a spreadsheet saves them in the ANSI code page of a Chinese Windows.
    const std::string gbkRow = WithField(WithField(Row(kTime, kReasonKeyBroken), 2, "\xC0\xEE\xCE\xB0"), 9,
                                         "\xB0\xB4\xBC\xFC\xCB\xF0\xBB\xB5");
    const RecordSet gbk = Read(kHeader.substr(3) + gbkRow);
    ASSERT_EQ(gbk.records.size(), 1u);
    EXPECT_EQ(gbk.records[0].operatorId + gbk.records[0].reason, u8"李伟按键损坏");
    EXPECT_EQ(gbk.notes,
              std::vector<std::string>{"line3.csv: not UTF-8 but GBK, as a spreadsheet saves it in "
                                       "the ANSI code page: read as GBK"});
    // With its byte-order mark, a file is UTF-8 even where a power cut split a character: only that byte is
    // replaced.
    const RecordSet marked = Read(kHeader +
                                  WithField(Row(kTime), 2,
                                            u8"李伟"
                                            "\xE4") +
                                  WithField(Row(kTime), 2, u8"李伟"));
    ASSERT_EQ(marked.records.size(), 2u);
    EXPECT_EQ(marked.records[0].operatorId, u8"李伟\uFFFD");
    EXPECT_EQ(marked.records[1].operatorId, u8"李伟");
    EXPECT_EQ(marked.notes.size(), 1u);
    const RecordSet neither = Read(kHeader.substr(3) + WithField(Row(kTime), 2, "\xFF\xFF"));
    ASSERT_EQ(neither.records.size(), 1u);
    EXPECT_EQ(neither.records[0].operatorId, u8"\uFFFD\uFFFD");
    EXPECT_EQ(Read(kHeader.substr(3) + Row(kTime)).notes.size(), 0u);
    const ReportFigures figures = ComputeFigures(gbk.records, Grouping::None);
    EXPECT_NE(SummaryText(gbk, figures, Grouping::None).find("\nNote: line3.csv: not UTF-8 but GBK"),
              std::string::npos);
    EXPECT_NE(ReportPage(gbk, figures, Grouping::None, {}).find("<p class=\"note\">line3.csv: not UTF-8"),
              std::string::npos);
}

TEST(RecordFiles, KeepWhatTheReportUsesInUtf8) {
    KeyboardRecord keyboard = Keyboard("2026-12-07T18:43:18-03:30", kReasonKeyBroken);
    keyboard.untestedKeys = "Esc;;;A";
    keyboard.chatterKeys = ";:12;:::3";
    keyboard.testSeconds = "";
    const RecordSet set = Read(kHeader + RecordRow(keyboard));
    ASSERT_EQ(set.records.size(), 1u);
    const Record& record = set.records[0];
    EXPECT_EQ(record.localSeconds, 1796668998);
    EXPECT_FALSE(record.passed);
    EXPECT_EQ(record.reason, u8"按键损坏");
    EXPECT_EQ(record.reasonCode, "key_broken");
    EXPECT_FALSE(record.timed);
    EXPECT_EQ(record.untestedKeys, (std::vector<std::string>{"Esc", ";", "A"}));
    ASSERT_EQ(record.chatterKeys.size(), 2u);
    EXPECT_EQ(record.chatterKeys[0].label + "=" + std::to_string(record.chatterKeys[0].shortestGapMs),
              ";=12");
    EXPECT_EQ(record.chatterKeys[1].label + "=" + std::to_string(record.chatterKeys[1].shortestGapMs),
              "::=3");
}

struct SplitCase {
    const char* list;
    std::vector<std::string> labels;
};

TEST(KeyLists, ASemicolonThatWouldStartALabelIsTheLabel) {
    const SplitCase cases[] = {
        {"", {}},
        {"A", {"A"}},
        {"Esc;A", {"Esc", "A"}},
        {";", {";"}},
        {"A;;;S", {"A", ";", "S"}},
        {";;A", {";", "A"}},
        {"A;;", {"A", ";"}},
        {"A;;;;;S", {"A", ";", ";", "S"}},
        {"L;%3B;';%3A%3B", {"L", ";", "'", ":;"}},
        {"50%;%25;%3b", {"50%", "%", "%3b"}},
    };
    for (const SplitCase& row : cases) {
        EXPECT_EQ(SplitKeyList(row.list), row.labels) << row.list;
    }
}

TEST(KeyLists, GiveBackEveryCaptionTheTesterListed) {
    const std::vector<std::string> labels = {";", ":", "%", "50%;", ":;", ";;", "%3B", "'", "A", "Num ;"};
    std::string untested;
    std::string chatter;
    for (const std::string& label : labels) {
        untested += (untested.empty() ? "" : ";") + KeyListItem(label);
        chatter += (chatter.empty() ? "" : ";") + KeyListItem(label) + ":7";
    }
    KeyboardRecord keyboard = Keyboard(kTime, kReasonKeyBroken);
    keyboard.untestedKeys = untested;
    keyboard.chatterKeys = chatter;
    const RecordSet set = Read(kHeader + RecordRow(keyboard));
    ASSERT_EQ(set.records.size(), 1u);
    EXPECT_EQ(set.records[0].untestedKeys, labels);
    std::vector<std::string> chattered;
    for (const ChatterKey& key : set.records[0].chatterKeys) {
        chattered.push_back(key.label);
    }
    EXPECT_EQ(chattered, labels);
}

}  // namespace
