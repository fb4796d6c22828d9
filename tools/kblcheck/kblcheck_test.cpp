// Tests of the layout checker on layout files and folders written to a temporary folder: what it prints
// and the exit code a layout author's script sees.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tools/kblcheck/layout_check.h"
#include "tools/kblcheck/terminal_text.h"

namespace {

const char* const kSpaceRow = "\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,200,300,250,30\n";
const char* const kLetterRow = "'A',30,\"A\",\"TRUE\",\"DQSTATUSNOTEST\",0,1,2,3,4\n";
const char* const kShortRow = "65,30,\"A\",\"false\",\"DQSTATUSUP\",0,1,2,3\n";

using FileList = std::vector<std::pair<std::string, std::string>>;

class KblcheckTest : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "kblcheck_XXXXXX";
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        folder = pattern;
    }

    void TearDown() override {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }

    std::string PathOf(const std::string& name) const { return folder + "/" + name; }

    void WriteFiles(const FileList& files) const {
        for (const auto& [name, content] : files) {
            std::ofstream(PathOf(name), std::ios::binary) << content;
        }
    }

    static CheckResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "kblcheck");
        std::vector<const char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(argument.c_str());
        }
        return RunLayoutChecker(static_cast<int>(argv.size()), argv.data());
    }

    // The output lines that begin with `prefix`, each followed by a line feed.
    static std::string LinesStartingWith(const std::string& output, const std::string& prefix) {
        std::istringstream lines(output);
        std::string line;
        std::string found;
        while (std::getline(lines, line)) {
            if (line.compare(0, prefix.size(), prefix) == 0) {
                found += line + "\n";
            }
        }
        return found;
    }

    // `text` with every "{dir}" replaced by the temporary folder.
    std::string WithFolder(std::string text) const {
        for (size_t at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}", at)) {
            text.replace(at, 5, folder);
        }
        return text;
    }

    std::string folder;
};

TEST_F(KblcheckTest, GoodFileIsCleanAndDumpsEveryField) {
    WriteFiles({{"Good.kbl", std::string("# a comment\n") + kSpaceRow + kLetterRow +
                                 "\"LMOUSE\",0,\"L\",\"true\",\"DQSTATUSUP\",99999999999,1,2,3,4\r\n"
                                 "\"COMPOUND\",0,\"Mail\",\"false\",\"DQSTATUSUP\",0,1,2,3,4,300,17,65\n"}});

    const CheckResult result = Run({"--dump", PathOf("Good.kbl")});

    EXPECT_EQ(result.exitCode, kCheckClean);
    EXPECT_EQ(result.errors, "");
    EXPECT_EQ(
        result.output,
        "== " + PathOf("Good.kbl") +
            "\n"
            "layout Good (4 keys)\n"
            "  virtualKey=32 scanCode=57 label=\"Space\" extended=0 status=0 downTime=0 left=200 top=300 "
            "width=250 height=30 compoundTime=-1 components=- duplicateRole=0\n"
            "  virtualKey=65 scanCode=30 label=\"A\" extended=1 status=3 downTime=0 left=1 top=2 width=3 "
            "height=4 compoundTime=-1 components=- duplicateRole=0\n"
            "  virtualKey=-5 scanCode=-5 label=\"L\" extended=1 status=0 downTime=2147483647 left=1 top=2 "
            "width=3 height=4 compoundTime=-1 components=- duplicateRole=0\n"
            "  virtualKey=-2 scanCode=-2 label=\"Mail\" extended=0 status=0 downTime=0 left=1 top=2 "
            "width=3 height=4 compoundTime=300 components=65,17,-1 duplicateRole=0\n"
            "-- 1 layout loaded, 0 messages\n");
}

TEST_F(KblcheckTest, FolderDumpsEveryLayoutUnderItsName) {
    WriteFiles({{"B.kbl", kLetterRow}, {"B.bmp", ""}, {"A.kbl", kSpaceRow}, {"A.bmp", ""}});

    const CheckResult result = Run({"--dump", folder});

    EXPECT_EQ(result.exitCode, kCheckClean);
    EXPECT_EQ(LinesStartingWith(result.output, "layout "), "layout A (1 keys)\nlayout B (1 keys)\n");
    EXPECT_EQ(LinesStartingWith(result.output, "--"), "-- 2 layouts loaded, 0 messages\n");
}

const std::string kNoLayoutMessage =
    "[Dorvelquinta - Error] No valid keyboard layout (.kbl) files have been\\nfound in the Dorvelquinta "
    "directory.\\n\\nAt least one .kbl file is required to run Dorvelquinta.\n";

struct MessageCase {
    const char* name;
    FileList files;
    const char* checkedPath;  // a file of the folder, or "" for the folder itself
    int exitCode;
    std::string messages;  // the printed message lines, "{dir}" standing for the folder
    const char* summary;
};

class KblcheckMessageTest : public KblcheckTest, public testing::WithParamInterface<MessageCase> {};

TEST_P(KblcheckMessageTest, PrintsTheTestersMessages) {
    const MessageCase& row = GetParam();
    WriteFiles(row.files);
    const std::string path = *row.checkedPath == '\0' ? folder : PathOf(row.checkedPath);

    const CheckResult result = Run({path});

    EXPECT_EQ(result.exitCode, row.exitCode);
    EXPECT_EQ(LinesStartingWith(result.output, "["), WithFolder(row.messages));
    EXPECT_EQ(LinesStartingWith(result.output, "--"), std::string(row.summary) + "\n");
}

const MessageCase kMessageCases[] = {
    {"MissingBitmap",
     {{"A.kbl", kSpaceRow}, {"A.bmp", ""}, {"B.kbl", kSpaceRow}},
     "",
     kCheckFoundProblems,
     "[警告] Cannot find the bitmap file\\nB.bmp\\ncorresponding to the keyboard layout "
     "file\\n{dir}/B.kbl.\\nSkipping file.\n",
     "-- 1 layout loaded, 1 message"},
    {"BadRowCountsNoCommentLines",
     {{"A.kbl", std::string("# first\n") + kSpaceRow + "#second\n" + kLetterRow + kShortRow}, {"A.bmp", ""}},
     "",
     kCheckFoundProblems,
     "[Dorvelquinta - Error] Syntax error in line 3 (excluding comment lines) of file\\nA.kbl\\nSkipping "
     "file.\n" +
         kNoLayoutMessage,
     "-- 0 layouts loaded, 2 messages"},
    {"BadRowCountsNoLinesThatFailedToParse",
     {{"A.kbl", std::string(" #1,2\n") + kSpaceRow + kShortRow}, {"A.bmp", ""}},
     "",
     kCheckFoundProblems,
     "[Dorvelquinta 错误] Error parsing line beginning\\n #1\\nPossible cause - non digit value outside "
     "quotes.\n"
     "[Dorvelquinta - Error] Syntax error in line 2 (excluding comment lines) of file\\nA.kbl\\nSkipping "
     "file.\n" +
         kNoLayoutMessage,
     "-- 0 layouts loaded, 3 messages"},
    {"EmptyFolder", {}, "", kCheckFoundProblems, kNoLayoutMessage, "-- 0 layouts loaded, 1 message"},
    {"CommentsOnlyInFolder",
     {{"A.kbl", "# nothing\n# here\n"}, {"A.bmp", ""}},
     "",
     kCheckFoundProblems,
     "[警告] Skipping the file \\n{dir}/A.kbl\\nas it contains no data.\n" + kNoLayoutMessage,
     "-- 0 layouts loaded, 2 messages"},
    {"CommentsOnlyFileAlone",
     {{"A.kbl", "# nothing\n"}},
     "A.kbl",
     kCheckFoundProblems,
     "[警告] Skipping the file \\n{dir}/A.kbl\\nas it contains no data.\n",
     "-- 0 layouts loaded, 1 message"},
    {"MissingFileAlone",
     {},
     "Missing.kbl",
     kCheckFoundProblems,
     "[警告] Skipping the file \\n{dir}/Missing.kbl\\nas it contains no data.\n",
     "-- 0 layouts loaded, 1 message"},
    {"BadRowInFileAloneNamesTheFileOnly",
     {{"A.kbl", std::string(kShortRow) + kSpaceRow}},
     "A.kbl",
     kCheckFoundProblems,
     "[Dorvelquinta - Error] Syntax error in line 1 (excluding comment lines) of file\\nA.kbl\\nSkipping "
     "file.\n",
     "-- 0 layouts loaded, 1 message"},
    {"LineThatFailsToParseStillLoadsButIsAProblem",
     {{"A.kbl", std::string(kSpaceRow) + "1, 2\n" + kLetterRow}},
     "A.kbl",
     kCheckFoundProblems,
     "[Dorvelquinta 错误] Error parsing line beginning\\n1\\nPossible cause - non digit value outside "
     "quotes.\n",
     "-- 1 layout loaded, 1 message"},
    // A plan beside a layout is read as the tester reads it: its section's name in any case, comments and
    // other sections left aside, the quotes round a whole value taken away.
    {"PlanBesideALayoutIsChecked",
     {{"A.kbl", std::string(kSpaceRow) + kLetterRow},
      {"A.plan",
       "; Order=guided\r\n[plan]\r\n order = Strikt \r\nSequence=\"Space\" Q\r\nRepeat=2\r\n"
       "[Other]\r\nIdle=99\r\n"}},
     "A.kbl",
     kCheckFoundProblems,
     "[Dorvelquinta - Plan] Test plan\\n{dir}/A.plan\\n\\nOrder=Strikt is none of free, guided and strict: "
     "free "
     "is used instead.\\nSequence: Q is no key of the layout: it is left out.\\n\n",
     "-- 1 layout loaded, 1 message"},
    {"CleanPlanInAFolder",
     {{"A.kbl", std::string(kSpaceRow) + kLetterRow},
      {"A.bmp", ""},
      {"A.plan", "[Plan]\n; Sequence=Q\nSequence=\"Space\"\nRolloverKeys=Space A\nOrder=strict\n"}},
     "",
     kCheckClean,
     "",
     "-- 1 layout loaded, 0 messages"},
};

INSTANTIATE_TEST_SUITE_P(Cases, KblcheckMessageTest, testing::ValuesIn(kMessageCases),
                         [](const testing::TestParamInfo<MessageCase>& info) { return info.param.name; });

TEST_F(KblcheckTest, HundredAndFirstLayoutIsRefusedOnce) {
    for (int i = 0; i < 102; ++i) {
        const std::string name = "L" + std::to_string(1000 + i);
        WriteFiles({{name + ".kbl", kSpaceRow}, {name + ".bmp", ""}});
    }

    const CheckResult result = Run({folder});

    EXPECT_EQ(result.exitCode, kCheckFoundProblems);
    EXPECT_EQ(LinesStartingWith(result.output, "["),
              "[Alert] More than 100 valid .kbl files have been found.\\nOnly the first one hundred will be "
              "taken.\n");
    EXPECT_EQ(LinesStartingWith(result.output, "--"), "-- 100 layouts loaded, 1 message\n");
}

struct ProductionCase {
    bool production;
    const char* status;
};

class KblcheckProductionTest : public KblcheckTest, public testing::WithParamInterface<ProductionCase> {};

TEST_P(KblcheckProductionTest, FailKeywordFollowsTheMode) {
    WriteFiles({{"F.kbl", "'F',33,\"F\",\"false\",\"DQSTATUSFAIL\",0,1,2,3,4\n"}});
    std::vector<std::string> arguments = {"--dump", PathOf("F.kbl")};
    if (GetParam().production) {
        arguments.insert(arguments.begin(), "--production");
    }

    const CheckResult result = Run(arguments);

    EXPECT_EQ(result.exitCode, kCheckClean);
    EXPECT_NE(LinesStartingWith(result.output, "  ").find(GetParam().status), std::string::npos)
        << result.output;
}

INSTANTIATE_TEST_SUITE_P(Modes, KblcheckProductionTest,
                         testing::Values(ProductionCase{true, " status=4 "},
                                         ProductionCase{false, " status=6 "}));

TEST_F(KblcheckTest, OneFaultyPathMakesTheWholeRunFail) {
    WriteFiles({{"Good.kbl", kSpaceRow}});
    std::filesystem::create_directory(PathOf("empty"));

    const CheckResult result = Run({PathOf("Good.kbl"), PathOf("empty")});

    EXPECT_EQ(result.exitCode, kCheckFoundProblems);
    EXPECT_EQ(LinesStartingWith(result.output, "--"),
              "-- 1 layout loaded, 0 messages\n-- 0 layouts loaded, 1 message\n");
}

struct ArgumentCase {
    std::vector<std::string> arguments;
    int exitCode;
    const char* outputStart;
    const char* errorStart;
};

class KblcheckArgumentTest : public testing::TestWithParam<ArgumentCase> {};

TEST_P(KblcheckArgumentTest, CommandLine) {
    const ArgumentCase& row = GetParam();
    std::vector<const char*> argv = {"kblcheck"};
    for (const std::string& argument : row.arguments) {
        argv.push_back(argument.c_str());
    }

    const CheckResult result = RunLayoutChecker(static_cast<int>(argv.size()), argv.data());

    EXPECT_EQ(result.exitCode, row.exitCode);
    EXPECT_EQ(result.output.substr(0, std::string(row.outputStart).size()), row.outputStart);
    EXPECT_EQ(result.errors.substr(0, std::string(row.errorStart).size()), row.errorStart);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KblcheckArgumentTest,
    testing::Values(
        ArgumentCase{{"--help"}, kCheckClean, "Usage: kblcheck [--dump] [--production] PATH...", ""},
        ArgumentCase{{"--dump", "--help"}, kCheckClean, "Usage: kblcheck", ""},
        ArgumentCase{{}, kCheckUsageError, "", "kblcheck: no file or folder to check\nUsage:"},
        ArgumentCase{{"--dump", "--production"}, kCheckUsageError, "", "kblcheck: no file"},
        ArgumentCase{{"--bogus", "x.kbl"}, kCheckUsageError, "", "kblcheck: unknown option --bogus\n"},
        ArgumentCase{{"--", "--dump.kbl"}, kCheckFoundProblems, "== --dump.kbl\n[", ""}));

TEST(TerminalText, ShowsTheTestersGbkTextsAndLeavesUtf8NamesAsTheyAre) {
    // 警告 and 空格 in GBK, 運 with a second byte of '\\', and a folder 记录 named in UTF-8.
    const std::string message =
        "[\xBE\xAF\xB8\xE6] Cannot find the bitmap file /x/\xE8\xAE\xB0\xE5\xBD\x95/US.bmp";
    const struct {
        std::string text;
        const char* charset;
        std::string shown;
    } cases[] = {
        {message, "UTF-8", u8"[警告] Cannot find the bitmap file /x/记录/US.bmp"},
        {"label=\"\xBF\xD5\xB8\xF1\" Num \xDF\x5C\n", "utf8", u8"label=\"空格\" Num 運\n"},
        {message, "ANSI_X3.4-1968", message},
        {message, "GB18030", message},
        {"\xBE\xAF Esc", "ISO-8859-1", "? Esc"},
        {"\xFF\xBE\xAF", "UTF-8", u8"?警"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(TerminalText(row.text, row.charset), row.shown) << row.charset << " " << row.shown;
    }
}

}  // namespace
