// The record of a keyboard: the CSV row's quoting and encoding, what a verdict puts in it, and its file.
#include "records/keyboard_record.h"

#include <sys/resource.h>

#include <csignal>
#include <cstdio>

#include "base/paths.h"
#include "engine/verdict.h"
#include "engine/verdict_record.h"
#include "tests/unit/engine_fixture.h"

namespace {

class RecordRows : public CoreTest {};

TEST_F(RecordRows, QuotedAsCsvAndInUtf8) {
    KeyboardRecord record;
    record.time = "2026-12-06T05:35:51+08:00";
    record.computer = "BENCH-7";
    record.operatorId = "Li, Wei";
    record.productId = "KB \"104\"";
    record.batchId = "B1\r\nB2";
    record.serial = "SN1";
    record.version = "\xB0\xE6";  // 版, GBK
    record.layoutFile = "US.kbl";
    record.reason = "\xB0\xB4\xBC\xFC\xCB\xF0\xBB\xB5";  // 按键损坏, GBK
    record.reasonCode = "key_broken";
    record.testSeconds = "12.5";
    record.requiredKeys = 104;
    record.testedKeys = 100;
    record.untestedKeys = "A;S";
    record.chatterKeys = "D:3";
    record.mostKeysHeld = 6;
    EXPECT_EQ(RecordHeaderRow(),
              "time,computer,operator,product,batch,serial,version,layout,verdict,reason,reason_code,"
              "test_seconds,required_keys,tested_keys,untested_keys,chatter_keys,max_keys_held\r\n");
    EXPECT_EQ(RecordRow(record),
              "2026-12-06T05:35:51+08:00,BENCH-7,\"Li, Wei\",\"KB \"\"104\"\"\",\"B1\r\nB2\",SN1,"
              "\xE7\x89\x88,US.kbl,FAIL,\xE6\x8C\x89\xE9\x94\xAE\xE6\x8D\x9F\xE5\x9D\x8F,key_broken,12.5,104,"
              "100,A;S,D:3,6\r\n");
}

// The test plan's five columns follow the first files' seventeen; a wrong pair's captions are list items with
// '>' written %3E.
TEST_F(RecordRows, PlanColumnsComeLast) {
    KeyboardRecord record;
    record.wrongKeys = KeyPairItem("W", "Q") + ";" + KeyPairItem(">", ";");
    record.phantomKeys = "A";
    record.ghostKeys = "G;H";
    record.rolloverRequired = 6;
    record.rolloverReached = 4;
    EXPECT_EQ(RecordHeaderRow(kRecordColumnCount),
              RecordHeaderRow().substr(0, RecordHeaderRow().size() - 2) +
                  ",wrong_keys,phantom_keys,ghost_keys,rollover_required,rollover_reached\r\n");
    EXPECT_EQ(RecordRow(record, kRecordColumnCount), ",,,,,,,,FAIL,,,,0,0,,,0,W>Q;%3E>%3B,A,G;H,6,4\r\n");
    EXPECT_EQ(RecordRow(record), ",,,,,,,,FAIL,,,,0,0,,,0\r\n");
}

// Texts that a spreadsheet would run as formulas keep an apostrophe in front; others stay as they are.
TEST_F(RecordRows, FormulasAreDefused) {
    KeyboardRecord record;
    record.operatorId = "=HYPERLINK(\"x\")";
    record.productId = "+1";
    record.batchId = "-B";
    record.serial = "@SUM(A1)";
    record.version = "\tV1";
    record.computer = "'quoted";
    record.layoutFile = "a=b";
    record.untestedKeys = "=;-";
    EXPECT_EQ(RecordRow(record),
              ",''quoted,\"'=HYPERLINK(\"\"x\"\")\",'+1,'-B,'@SUM(A1),'\tV1,a=b,FAIL,,,,0,0,'=;-,,0\r\n");
}

TEST_F(RecordRows, TheirPlaceFollowsTheLogByCharacters) {
    EXPECT_EQ(WithExtension("D:\\logs\\line3.log", ".csv"), "D:\\logs\\line3.csv");
    EXPECT_EQ(WithExtension("D:\\logs.old\\line3", ".csv"), "D:\\logs.old\\line3.csv");
    EXPECT_EQ(WithExtension("D:\\a.b\\c.d.log", ".csv"), "D:\\a.b\\c.d.csv");
    // 運 is DF 5C: its second byte is no separator, so the dot before it still starts the extension.
    EXPECT_EQ(WithExtension("D:\\x.\xDF\x5C", ".csv"), "D:\\x.csv");
}

class VerdictRecords : public EngineTest {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        program.productionMode = 1;
        Load({KeyRow("'A'", 30, "A"), KeyRow("'S'", 31, "S"), KeyRow("'N'", 49, "N", false, "DQSTATUSNOTEST"),
              KeyRow("'X'", 45, "Boom", false, "DQSTATUSNOTESTFAIL")});
        testLog.identity = {"op7", "KB-105", "B2024", "SN1", "V1"};
    }
};

TEST_F(VerdictRecords, TellWhatTheKeyboardShowed) {
    program.chatterMs = 20;
    At(1000);
    fakePlatform.eventTime = 100;
    Down('A', 30);
    Down('N', 49);
    Up('N', 49);
    fakePlatform.eventTime = 200;
    Up('A', 30);
    At(4250);
    fakePlatform.eventTime = 203;
    Down('A', 30);  // chatter: the verdict is asked for at once
    RecordFailReason(kReasonKeyBroken);
    const KeyboardRecord record = RecordOfVerdict(false);
    EXPECT_EQ(record.time, "2026-12-06T05:35:51+08:00");
    EXPECT_EQ(record.computer, "BENCH-7");
    EXPECT_EQ(record.operatorId + record.productId + record.batchId + record.serial + record.version,
              "op7KB-105B2024SN1V1");
    EXPECT_EQ(record.layoutFile, "T.kbl");
    EXPECT_FALSE(record.passed);
    EXPECT_EQ(record.reasonCode, "key_broken");
    EXPECT_EQ(record.testSeconds, "3.2");
    EXPECT_EQ(record.requiredKeys, 2);
    EXPECT_EQ(record.testedKeys, 2);
    EXPECT_EQ(record.untestedKeys, "S");
    EXPECT_EQ(record.chatterKeys, "A:3");
    EXPECT_EQ(record.mostKeysHeld, 2);
}

TEST_F(VerdictRecords, APassWithoutPressesHasNoTimeNorReason) {
    fakePlatform.clock.utcOffsetMinutes = -210;
    const KeyboardRecord record = RecordOfVerdict(true);
    EXPECT_EQ(record.time, "2026-12-06T05:35:51-03:30");
    EXPECT_TRUE(record.passed);
    EXPECT_EQ(record.reason + record.reasonCode + record.testSeconds + record.chatterKeys, "");
    EXPECT_EQ(record.untestedKeys, "A;S");
}

TEST(KeyListItems, NoCaptionBreaksTheListsSeparators) {
    const std::pair<const char*, const char*> cases[] = {
        {"A", "A"},   {";", "%3B"},         {":", "%3A"},
        {"%", "%25"}, {"50%;", "50%25%3B"}, {"\xBF\xD5\xB8\xF1", "\xBF\xD5\xB8\xF1"},  // 空格 in GBK
    };
    for (const auto& [label, item] : cases) {
        EXPECT_EQ(KeyListItem(label), item) << label;
    }
}

TEST_F(VerdictRecords, ListCaptionsThatHoldTheSeparatorsEncoded) {
    Load({KeyRow("'L'", 38, "L"), KeyRow("\"VK_OEM_1\"", 39, ";"), KeyRow("'Q'", 16, ""),
          KeyRow("\"VK_OEM_7\"", 40, "'"), KeyRow("\"VK_OEM_2\"", 53, ":;")});
    StateOf(1).chatterGapMs = 4;
    StateOf(4).chatterGapMs = 7;
    const KeyboardRecord record = RecordOfVerdict(false);
    EXPECT_EQ(record.requiredKeys, 5);
    EXPECT_EQ(record.untestedKeys, "L;%3B;';%3A%3B");
    EXPECT_EQ(record.chatterKeys, "%3B:4;%3A%3B:7");
}

TEST_F(VerdictRecords, AppendedWithItsHeaderOnceAndRefusedWhereNoFileCanBe) {
    const std::string folder = MakeScratchFolder();
    const std::string path = folder + "/run.csv";
    ASSERT_TRUE(RecordFileWritable(path));
    ASSERT_TRUE(AppendKeyboardRecord(path, RecordOfVerdict(true)));
    ASSERT_TRUE(AppendKeyboardRecord(path, RecordOfVerdict(false)));
    const std::string text = ReadWholeFile(path);
    const std::string row = RecordRow(RecordOfVerdict(true));
    EXPECT_EQ(text, "\xEF\xBB\xBF" + RecordHeaderRow() + row + RecordRow(RecordOfVerdict(false)));
    // A keyboard tested with a plan starts a file with every column; one without goes on in them.
    KeyboardRecord planned = RecordOfVerdict(false);
    planned.withPlan = true;
    planned.wrongKeys = "S>D";
    ASSERT_TRUE(AppendKeyboardRecord(folder + "/plan.csv", planned));
    ASSERT_TRUE(AppendKeyboardRecord(folder + "/plan.csv", RecordOfVerdict(true)));
    EXPECT_EQ(ReadWholeFile(folder + "/plan.csv"), "\xEF\xBB\xBF" + RecordHeaderRow(kRecordColumnCount) +
                                                       RecordRow(planned, kRecordColumnCount) +
                                                       RecordRow(RecordOfVerdict(true), kRecordColumnCount));
    EXPECT_FALSE(RecordFileWritable(folder + "/none/run.csv"));
    EXPECT_FALSE(AppendKeyboardRecord("/dev/full", RecordOfVerdict(true)));
    RemoveScratchFolder(folder);
}

// A row torn by a power cut keeps its line and the next row starts on its own; a row that fails on the way
// (here the file may grow by a few bytes only) leaves the file as it was, and a retry writes it once.
TEST_F(VerdictRecords, NeverGluedToATornRowNorWrittenTwice) {
    const std::string folder = MakeScratchFolder();
    const std::string header = "\xEF\xBB\xBF" + RecordHeaderRow();
    const std::string torn = header + "2026-12-06T05:35:51+08:00,BENCH,\"Li, W";
    const std::string path = WriteFile(folder, "run.csv", torn);
    const std::string row = RecordRow(RecordOfVerdict(true));
    ASSERT_TRUE(AppendKeyboardRecord(path, RecordOfVerdict(true)));
    EXPECT_EQ(ReadWholeFile(path), torn + "\r\n" + row);

    const std::string whole = torn + "\r\n" + row;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit tight = {static_cast<rlim_t>(whole.size() + 10), limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tight);
    const bool appended = AppendKeyboardRecord(path, RecordOfVerdict(false));
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_FALSE(appended);
    EXPECT_EQ(ReadWholeFile(path), whole);
    ASSERT_TRUE(AppendKeyboardRecord(path, RecordOfVerdict(false)));
    EXPECT_EQ(ReadWholeFile(path), whole + RecordRow(RecordOfVerdict(false)));
    RemoveScratchFolder(folder);
}

}  // namespace
