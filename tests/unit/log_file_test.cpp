// The test log file: the typed path check, the open modes, the header block and the Windows version names.
#include "records/log_file.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "engine/core_state.h"
#include "records/test_log.h"
#include "tests/unit/core_fixture.h"
#include "tests/unit/platform_fake.h"

namespace {

struct PathCase {
    const char* path;
    LogNameCheck check;
};

class LogNameChecking : public CoreTestWithParam<PathCase> {};

TEST_P(LogNameChecking, RefusesWhatCannotBeALogFile) {
    EXPECT_EQ(ValidateLogName(GetParam().path), GetParam().check) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LogNameChecking,
    ::testing::Values(
        PathCase{"", LogNameCheck::Empty}, PathCase{"test.log", LogNameCheck::NoPath},
        PathCase{"C:/logs/test.log", LogNameCheck::NoPath}, PathCase{"C:\\logs\\", LogNameCheck::BadFileName},
        PathCase{"C:\\logs\\a?.log", LogNameCheck::BadFileName},
        PathCase{"C:\\logs\\a/b.log", LogNameCheck::BadFileName},
        PathCase{"C:\\logs\\a:b", LogNameCheck::BadFileName},
        PathCase{"C:\\logs\\a*b", LogNameCheck::BadFileName},
        PathCase{"C:\\logs\\<a>", LogNameCheck::BadFileName},
        PathCase{"C:\\logs\\a|b", LogNameCheck::BadFileName},
        PathCase{"C:\\no such dir\\test.log", LogNameCheck::Valid},
        PathCase{"C:\\logs\\\xE5\x5C.log", LogNameCheck::Valid},  // a Chinese name, second byte 0x5C
        PathCase{"C:\\\xE5\x5C\\x.log", LogNameCheck::Valid}, PathCase{"\xE5\x5Cx.log", LogNameCheck::NoPath},
        PathCase{"C:\\logs\\a\xE5\x5C", LogNameCheck::Valid},
        PathCase{"C:\\lo?gs\\a.log", LogNameCheck::Valid}, PathCase{"C:\\logs\\a\xE5", LogNameCheck::Valid},
        PathCase{"C:\\logs\\\xE5\x7C.log", LogNameCheck::Valid},
        PathCase{"C:\\test.log", LogNameCheck::Valid}));

TEST(LogNameMessages, AreTheProgramsOwn) {
    EXPECT_STREQ(LogNameMessage(LogNameCheck::Empty), "Log Filename invalid: NULL not allowed");
    EXPECT_STREQ(LogNameMessage(LogNameCheck::NoPath), "Log Filename invalid: No path specified");
    EXPECT_STREQ(LogNameMessage(LogNameCheck::BadFileName),
                 "Log Filename invalid: NULL \\ / : * ? < > | not allowed");
}

struct OsCase {
    uint32_t platform;
    uint32_t major;
    uint32_t minor;
    const char* name;
};

class OsNames : public ::testing::TestWithParam<OsCase> {};

TEST_P(OsNames, FollowThePlatformAndVersion) {
    const OsCase& row = GetParam();
    EXPECT_STREQ(OsNameText(row.platform, row.major, row.minor), row.name);
}

INSTANTIATE_TEST_SUITE_P(Rows, OsNames,
                         ::testing::Values(OsCase{1, 4, 0, "Windows 95"}, OsCase{1, 4, 10, "Windows 98"},
                                           OsCase{1, 4, 89, "Windows 98"}, OsCase{1, 4, 90, "Windows ME"},
                                           OsCase{2, 3, 51, "NT3"}, OsCase{2, 4, 0, "NT4"},
                                           OsCase{2, 5, 0, "Windows 2000"}, OsCase{2, 5, 1, "Windows XP"},
                                           OsCase{2, 6, 1, "Windows XP"}, OsCase{2, 10, 0, "Windows XP"},
                                           OsCase{0, 3, 1, "未知"}, OsCase{3, 10, 0, "未知"}));

class LogFileWriting : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        folder = MakeScratchFolder();
    }
    void TearDown() override {
        CloseLog();
        RemoveScratchFolder(folder);
        CoreTest::TearDown();
    }
    std::string Content() const {
        std::string text;
        FILE* file = std::fopen((folder + "/t.log").c_str(), "rb");
        char chunk[256];
        size_t read;
        while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
            text.append(chunk, read);
        }
        std::fclose(file);
        return text;
    }
    std::string folder;
};

TEST_F(LogFileWriting, HeaderBlockAndEveryLineOnDiskAtOnce) {
    ASSERT_TRUE(OpenLog((folder + "/t.log").c_str(), false));
    WriteLogHeader("op7", "prod", "batch", "Windows XP");
    LogLine("序列号: %s\n", "SN1");
    const std::string content = Content();  // read while the log is still open
    const std::regex header(
        "======== 开始运行新的检测 ========\n"
        "Dorvelquinta V2.2 build 1011,  Windows XP\n"
        "(Mon|Tue|Wed|Thu|Fri|Sat|Sun) (Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) [0-3][0-9] "
        "[0-2][0-9]:[0-5][0-9]:[0-6][0-9] [0-9]{4}\n"
        "操作标识: op7\n产品标识: prod\n批量标识: batch\n序列号: SN1\n");
    EXPECT_TRUE(std::regex_match(content, header)) << content;
}

// The header's date line comes from the system's clock, which runs on past 2038.
TEST_F(LogFileWriting, DateLineFromTheClockPast2038) {
    struct Row {
        LocalTime clock;
        bool readable;
        const char* line;
    };
    const Row rows[] = {
        {{2038, 1, 19, 2, 3, 14, 8}, true, "Tue Jan 19 03:14:08 2038\n"},
        {{2106, 2, 7, 0, 6, 28, 16}, true, "Sun Feb 07 06:28:16 2106\n"},
        {{9999, 12, 31, 5, 23, 59, 59}, true, "Fri Dec 31 23:59:59 9999\n"},
        {{}, false, "(date unknown)\n"},
    };
    for (const Row& row : rows) {
        ResetFakePlatform();
        fakePlatform.clock = row.clock;
        fakePlatform.clockReadable = row.readable;
        ASSERT_TRUE(OpenLog((folder + "/t.log").c_str(), false));
        WriteLogHeader("op", "prod", "batch", "NT4");
        const std::string content = Content();
        const size_t start = content.find("NT4\n") + 4;
        EXPECT_EQ(content.substr(start, content.find('\n', start) + 1 - start), row.line);
        CloseLog();
    }
}

TEST_F(LogFileWriting, OverwriteEmptiesAppendKeeps) {
    ASSERT_TRUE(OpenLog((folder + "/t.log").c_str(), false));
    LogLine("first\n");
    CloseLog();
    ASSERT_TRUE(OpenLog((folder + "/t.log").c_str(), true));
    LogLine("second\n");
    CloseLog();
    EXPECT_EQ(Content(), "first\nsecond\n");
    ASSERT_TRUE(OpenLog((folder + "/t.log").c_str(), false));
    LogLine("third\n");
    CloseLog();
    EXPECT_EQ(Content(), "third\n");
    LogLine("after the close\n");
    EXPECT_EQ(Content(), "third\n");
}

// A log that can no longer be written (here a full device) is noticed by the line that fails and by the
// commit after a verdict; a good log commits, and a new log starts without the old failure.
TEST_F(LogFileWriting, AFullDiskIsNoticedAndANewLogStartsClean) {
    ASSERT_TRUE(OpenLog((folder + "/t.log").c_str(), false));
    LogLine("用户验证: 通过\n");
    EXPECT_TRUE(CommitLog());
    EXPECT_EQ(Content(), "用户验证: 通过\n");
    CloseLog();
    ASSERT_TRUE(OpenLog("/dev/full", true));
    LogLine("用户验证: 通过\n");
    EXPECT_TRUE(testLog.writeFailed);
    EXPECT_FALSE(CommitLog());
    CloseLog();
    ASSERT_TRUE(OpenLog((folder + "/t.log").c_str(), true));
    EXPECT_TRUE(CommitLog());
}

TEST_F(LogFileWriting, MissingDirectoryCannotBeOpened) {
    EXPECT_FALSE(OpenLog((folder + "/none/t.log").c_str(), false));
    EXPECT_EQ(testLog.stream, nullptr);
}

}  // namespace
