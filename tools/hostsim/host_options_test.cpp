// The stand-in host's command line: accepted rows with what they set, refused rows with their reason, and
// the seconds it reads.
#include "tools/hostsim/host_options.h"

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

struct OptionsCase {
    const char* name;
    Strings arguments;
    std::string blockName;
    int64_t stopAfterMs;
    int64_t timeoutMs;
    std::string testerPath;
    Strings testerOptions;
};

bool Parse(const Strings& arguments, HostOptions& options, std::string& error) {
    std::vector<const char*> argv = {"hostsim.exe"};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    return ParseHostOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

class AcceptedOptions : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(AcceptedOptions, SetWhatTheyName) {
    const OptionsCase& row = GetParam();
    HostOptions options;
    std::string error;
    ASSERT_TRUE(Parse(row.arguments, options, error)) << error;
    EXPECT_FALSE(options.help);
    EXPECT_EQ(options.blockName, row.blockName);
    EXPECT_EQ(options.stopAfterMs, row.stopAfterMs);
    EXPECT_EQ(options.timeoutMs, row.timeoutMs);
    EXPECT_EQ(options.testerPath, row.testerPath);
    EXPECT_EQ(options.testerOptions, row.testerOptions);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AcceptedOptions,
    ::testing::Values(
        OptionsCase{"None", {}, "", -1, 600000, "", {}},
        OptionsCase{"Name", {"--name", "CMX_PLUGIN_INT_7"}, "CMX_PLUGIN_INT_7", -1, 600000, "", {}},
        OptionsCase{
            "NameWithMarkerInside", {"--name", "xCMX_PLUGIN_INT"}, "xCMX_PLUGIN_INT", -1, 600000, "", {}},
        OptionsCase{"StopAfter", {"--stop-after", "3"}, "", 3000, 600000, "", {}},
        OptionsCase{"StopAtOnce", {"--stop-after", "0"}, "", 0, 600000, "", {}},
        OptionsCase{"Timeout", {"--timeout", "12.5"}, "", -1, 12500, "", {}},
        OptionsCase{
            "Exe", {"--exe", "C:\\t\\dorvelquinta.exe"}, "", -1, 600000, "C:\\t\\dorvelquinta.exe", {}},
        OptionsCase{
            "TesterOptions", {"--stop-after", "1", "--", "/k", "US"}, "", 1000, 600000, "", {"/k", "US"}},
        OptionsCase{"HostOptionsAfterTheSeparatorGoToTheTester",
                    {"--", "--name", "x"},
                    "",
                    -1,
                    600000,
                    "",
                    {"--name", "x"}},
        OptionsCase{"EmptySeparator", {"--"}, "", -1, 600000, "", {}}),
    [](const ::testing::TestParamInfo<OptionsCase>& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    Strings arguments;
    std::string error;
};

class RefusedOptions : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedOptions, SayWhy) {
    HostOptions options;
    std::string error;
    EXPECT_FALSE(Parse(GetParam().arguments, options, error));
    EXPECT_EQ(error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedOptions,
    ::testing::Values(RefusedCase{"NameWithoutMarker",
                                  {"--name", "HOST_7"},
                                  "the block name \"HOST_7\" does not contain \"CMX_PLUGIN_INT\""},
                      RefusedCase{"MarkerInOtherCase",
                                  {"--name", "cmx_plugin_int"},
                                  "the block name \"cmx_plugin_int\" does not contain \"CMX_PLUGIN_INT\""},
                      RefusedCase{"NameWithoutValue", {"--name"}, "--name needs a value"},
                      RefusedCase{"ExeWithoutValue", {"--exe"}, "--exe needs a value"},
                      RefusedCase{"BadSeconds",
                                  {"--stop-after", "3s"},
                                  "--stop-after takes a number of seconds, not \"3s\""},
                      RefusedCase{"NegativeSeconds",
                                  {"--timeout", "-1"},
                                  "--timeout takes a number of seconds, not \"-1\""},
                      RefusedCase{"ZeroTimeout", {"--timeout", "0"}, "--timeout must be above 0"},
                      RefusedCase{"UnknownOption", {"/p"}, "unknown option \"/p\""},
                      RefusedCase{"TooManyTesterOptions",
                                  {"--", "/f", "/k", "US"},
                                  "the tester takes at most 2 options besides /p and the block name"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(HostOptionsHelp, HelpIsTakenWithOtherOptions) {
    HostOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--stop-after", "2", "--help"}, options, error));
    EXPECT_TRUE(options.help);
}

TEST(HostOptionsHelp, UsageNamesEveryOptionAndExitCode) {
    const std::string usage = kHostUsage;
    for (const char* word :
         {"--name", "--stop-after", "--timeout", "--exe", "--help", "CMX_PLUGIN_INT", "  0  pass",
          "  1  fail", "  2  stopped", "  3  start-up failed", "  4  usage"}) {
        EXPECT_NE(usage.find(word), std::string::npos) << word;
    }
}

TEST(HostOptionsName, DefaultNameCarriesTheProcessId) {
    EXPECT_EQ(DefaultBlockName(4242), "CMX_PLUGIN_INT_4242");
}

struct SecondsCase {
    std::string text;
    bool ok;
    int64_t milliseconds;
};

class Seconds : public ::testing::TestWithParam<SecondsCase> {};

TEST_P(Seconds, ReadAsMilliseconds) {
    int64_t milliseconds = -7;
    EXPECT_EQ(ParseSeconds(GetParam().text, milliseconds), GetParam().ok);
    EXPECT_EQ(milliseconds, GetParam().ok ? GetParam().milliseconds : -7);
}

INSTANTIATE_TEST_SUITE_P(Rows, Seconds,
                         ::testing::Values(SecondsCase{"0", true, 0}, SecondsCase{"3", true, 3000},
                                           SecondsCase{"600", true, 600000}, SecondsCase{"2.5", true, 2500},
                                           SecondsCase{"0.125", true, 125}, SecondsCase{".5", true, 500},
                                           SecondsCase{"7.", true, 7000},
                                           SecondsCase{"1000000", true, 1000000000},
                                           SecondsCase{"1000001", false, 0}, SecondsCase{"0.1234", false, 0},
                                           SecondsCase{"", false, 0}, SecondsCase{".", false, 0},
                                           SecondsCase{"1.2.3", false, 0}, SecondsCase{"+1", false, 0},
                                           SecondsCase{"1e3", false, 0}, SecondsCase{" 1", false, 0}));

}  // namespace
