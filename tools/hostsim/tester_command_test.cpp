// The tester's command line: where the tester is looked for, and arguments that reach it unchanged.
#include "tools/hostsim/tester_command.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    std::string hostPath;
    std::string testerPath;
};

class Beside : public ::testing::TestWithParam<PathCase> {};

TEST_P(Beside, TesterIsLookedForBesideTheHost) {
    EXPECT_EQ(TesterBeside(GetParam().hostPath), GetParam().testerPath);
}

INSTANTIATE_TEST_SUITE_P(Rows, Beside,
                         ::testing::Values(PathCase{"C:\\tools\\hostsim.exe", "C:\\tools\\dorvelquinta.exe"},
                                           PathCase{"Z:\\a b\\c\\hostsim.exe",
                                                    "Z:\\a b\\c\\dorvelquinta.exe"},
                                           PathCase{"/opt/t/hostsim.exe", "/opt/t/dorvelquinta.exe"},
                                           PathCase{"hostsim.exe", "dorvelquinta.exe"}));

struct QuoteCase {
    std::string argument;
    std::string written;
};

class Quoting : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(Quoting, ArgumentIsWrittenSoThatItArrivesUnchanged) {
    EXPECT_EQ(QuoteArgument(GetParam().argument), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Quoting,
    ::testing::Values(QuoteCase{"/f", "/f"}, QuoteCase{"CMX_PLUGIN_INT_9", "CMX_PLUGIN_INT_9"},
                      QuoteCase{"C:\\x\\", "C:\\x\\"}, QuoteCase{"", "\"\""},
                      QuoteCase{"My Layout", "\"My Layout\""}, QuoteCase{"tab\there", "\"tab\there\""},
                      QuoteCase{"say \"hi\"", "\"say \\\"hi\\\"\""}, QuoteCase{"a\\\"b", "\"a\\\\\\\"b\""},
                      QuoteCase{"dir with space\\", "\"dir with space\\\\\""},
                      QuoteCase{"a\\b c", "\"a\\b c\""}));

TEST(TesterCommand, PluginOptionAndNameComeFirstThenTheOptions) {
    EXPECT_EQ(
        BuildTesterCommandLine("C:\\Program Files\\dvq\\dorvelquinta.exe", "CMX_PLUGIN_INT_12", {"/k", "UK"}),
        "\"C:\\Program Files\\dvq\\dorvelquinta.exe\" /p CMX_PLUGIN_INT_12 /k UK");
    EXPECT_EQ(BuildTesterCommandLine("dorvelquinta.exe", "CMX_PLUGIN_INT run 2", {}),
              "\"dorvelquinta.exe\" /p \"CMX_PLUGIN_INT run 2\"");
}

}  // namespace
