// The command-line scan: modes, options, the layout name and the host's block name.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

struct ScanCase {
    const char* title;
    std::vector<std::string> arguments;  // after the program path
    int32_t filterOn;
    int32_t productionMode;
    uint8_t traceOn;
    uint8_t pluginMode;
    std::string layoutName;
    std::string sharedMemoryName;
};

CommandLineOptions Scan(const std::vector<std::string>& arguments,
                        const char* programPath = "C:\\t\\dq.exe") {
    std::vector<const char*> argv{programPath};
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    return ScanCommandLine(static_cast<int>(argv.size()), argv.data());
}

const std::string kBlockName = "CMX_PLUGIN_INT_7";

const ScanCase kScanCases[] = {
    {"no arguments: stand-alone", {}, 0, 0, 0, 0, "", ""},
    {"filter", {"/f"}, 1, 0, 0, 0, "", ""},
    {"batch", {"/b"}, 0, 1, 0, 0, "", ""},
    {"trace is production with trace", {"/t"}, 0, 1, 1, 0, "", ""},
    {"plug-in is production", {"/p"}, 0, 1, 0, 1, "", ""},
    {"batch and plug-in", {"/b", "/p"}, 0, 1, 0, 1, "", ""},
    {"only the second character counts", {"/filter", "/batch"}, 1, 1, 0, 0, "", ""},
    {"letters are case-sensitive", {"/F", "/B"}, 0, 0, 0, 0, "", ""},
    {"a dash is no option", {"-f", "-b"}, 0, 0, 0, 0, "", ""},
    {"a lone slash is no option", {"/"}, 0, 0, 0, 0, "", ""},
    {"unknown letters are ignored", {"/x", "/z", "hello"}, 0, 0, 0, 0, "", ""},
    {"repeated options act once", {"/b", "/b", "/b", "/b"}, 0, 1, 0, 0, "", ""},
    {"layout name", {"/k", "US"}, 0, 0, 0, 0, "US", ""},
    {"/keyboard acts as /k", {"/keyboard", "German"}, 0, 0, 0, 0, "German", ""},
    {"/k as the last argument is ignored", {"/b", "/k"}, 0, 1, 0, 0, "", ""},
    {"/k /f names a layout /f and sets no filter", {"/k", "/f"}, 0, 0, 0, 0, "/f", ""},
    {"options after the layout name still count", {"/k", "UK", "/t"}, 0, 1, 1, 0, "UK", ""},
    {"block name", {"/p", kBlockName}, 0, 1, 0, 1, "", kBlockName},
    {"block name anywhere in the argument",
     {"Global\\xCMX_PLUGIN_INTy"},
     0,
     0,
     0,
     0,
     "",
     "Global\\xCMX_PLUGIN_INTy"},
    {"marker is case-sensitive", {"cmx_plugin_int"}, 0, 0, 0, 0, "", ""},
    {"a later block name replaces an earlier one",
     {"/p", "CMX_PLUGIN_INT_1", "CMX_PLUGIN_INT_2"},
     0,
     1,
     0,
     1,
     "",
     "CMX_PLUGIN_INT_2"},
    {"a layout name holding the marker is also the block name",
     {"/k", "CMX_PLUGIN_INT_9"},
     0,
     0,
     0,
     0,
     "CMX_PLUGIN_INT_9",
     "CMX_PLUGIN_INT_9"},
    {"four user arguments are scanned", {"/f", "/b", "/k", "US"}, 1, 1, 0, 0, "US", ""},
    {"five user arguments are all ignored", {"/f", "/b", "/k", "US", "/t"}, 0, 0, 0, 0, "", ""},
};

class CommandLineScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(CommandLineScan, SetsModesAndNames) {
    const ScanCase& row = GetParam();
    const CommandLineOptions options = Scan(row.arguments);
    EXPECT_EQ(options.filterOn, row.filterOn);
    EXPECT_EQ(options.productionMode, row.productionMode);
    EXPECT_EQ(options.traceOn, row.traceOn);
    EXPECT_EQ(options.pluginMode, row.pluginMode);
    EXPECT_EQ(options.layoutName, row.layoutName);
    EXPECT_EQ(options.sharedMemoryName, row.sharedMemoryName);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommandLineScan, ::testing::ValuesIn(kScanCases),
                         [](const ::testing::TestParamInfo<ScanCase>& info) {
                             std::string name;
                             for (const char* c = info.param.title; *c != '\0'; ++c) {
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             }
                             return name;
                         });

TEST(CommandLineScanLimits, ProgramPathIsScannedToo) {
    const CommandLineOptions options = Scan({"x"}, "/b");
    EXPECT_EQ(options.productionMode, 1);
}

TEST(CommandLineScanLimits, LayoutNameFillsItsFieldOrIsRefused) {
    const std::string longest(kLayoutNameCapacity - 1, 'L');
    EXPECT_EQ(Scan({"/k", longest}).layoutName, longest);
    EXPECT_EQ(Scan({"/k", longest + "L"}).layoutName, "");
}

TEST(CommandLineScanLimits, BlockNameFillsItsFieldOrIsRefused) {
    const std::string longest =
        kBlockName + std::string(kSharedMemoryNameCapacity - 1 - kBlockName.size(), 'n');
    EXPECT_EQ(Scan({"/p", longest}).sharedMemoryName, longest);
    EXPECT_EQ(Scan({"/p", longest + "n"}).sharedMemoryName, "");
    // A refused name also replaces an earlier good one: the host gets no name rather than a wrong one.
    EXPECT_EQ(Scan({"/p", kBlockName, longest + "n"}).sharedMemoryName, "");
}

}  // namespace
