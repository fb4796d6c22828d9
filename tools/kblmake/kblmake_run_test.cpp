// Tests of kblmake's whole run on files in a folder of their own: what it writes, what it refuses with its
// exit status, how it replaces an earlier pair, and what reaches the layout file from the JSON file's texts.
#include "tools/kblmake/kblmake_run.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/key_codes.h"
#include "base/text_format.h"
#include "layouts/test_plan.h"
#include "tools/common/output_file.h"
#include "tools/kblcheck/layout_check.h"
#include "tools/kblmake/plan_file.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

class KblmakeRun : public testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = testing::TempDir() + "kblmake_XXXXXX";
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(folder + "/" + name, std::ios::binary) << text;
        return folder + "/" + name;
    }

    static MakeResult Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "kblmake");
        std::vector<const char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(argument.c_str());
        }
        return RunKblmake(static_cast<int>(argv.size()), argv.data());
    }

    // The names in the test's folder, or in its `subfolder` ("/out"), sorted.
    std::vector<std::string> Files(const std::string& subfolder = "") const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder + subfolder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string folder;
};

TEST_F(KblmakeRun, WritesAPairThatLoadsAndMarksKeysNotRequired) {
    const std::string json = Write("pad.json", R"([{"name":"Pad"},["Fn","A","Win"]])");
    const MakeResult result = Run(
        {"--map", "Fn=7,99,E", "--not-required", "Win", "--title", "My pad", json, folder + "/out/Pad.kbl"});
    EXPECT_EQ(result.exitCode, kMakeRefused) << "the output folder does not exist yet";
    std::filesystem::create_directory(folder + "/out");
    const MakeResult made = Run(
        {"--map", "Fn=7,99,E", "--not-required", "Win", "--title", "My pad", json, folder + "/out/Pad.kbl"});
    ASSERT_EQ(made.exitCode, kMakeDone) << made.errors;
    EXPECT_NE(made.output.find("Pad.kbl and "), std::string::npos);
    const std::string text = ReadFile(folder + "/out/Pad.kbl");
    EXPECT_EQ(text.substr(0, 10), "# My pad\r\n");
    EXPECT_NE(text.find("Made by kblmake from pad.json"), std::string::npos);
    EXPECT_NE(text.find("7,99,\"Fn\",\"true\",\"DQSTATUSUP\""), std::string::npos);
    EXPECT_NE(text.find("\"VK_RWIN\",92,\"Right Win\",\"true\",\"DQSTATUSNOTEST\""), std::string::npos);
    EXPECT_EQ(ReadFile(folder + "/out/Pad.bmp").size(), 54u + 700u * 3u * 340u);
    const std::vector<std::string> written = Files("/out");
    EXPECT_EQ(written, (std::vector<std::string>{"Pad.bmp", "Pad.kbl"}));
    CheckOptions check;
    check.paths.push_back(folder + "/out");
    EXPECT_EQ(CheckLayouts(check).exitCode, kCheckClean);
}

TEST_F(KblmakeRun, BadInputWritesNothingAndSaysWhy) {
    Write("Old.kbl", "old");
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        const char* message;
    } rows[] = {
        {{"{dir}/missing.json", "{dir}/Old"}, kMakeRefused, "missing.json: cannot read the file"},
        {{"{dir}/bad.json", "{dir}/Old"}, kMakeRefused, "bad.json: not a JSON file"},
        {{"{dir}/fn.json", "{dir}/Old"}, kMakeRefused, "(legend \"MACRO\"): kblmake does not know"},
        {{"--map-file", "{dir}/missing.map", "{dir}/fn.json", "{dir}/Old"},
         kMakeRefused,
         "missing.map: cannot read the mapping file"},
        {{"--map", "Fn", "{dir}/fn.json", "{dir}/Old"}, kMakeUsageError, "--map \"Fn\" is no mapping"},
        {{"--map", "@0,2=A,30", "{dir}/fn.json", "{dir}/Old"},
         kMakeUsageError,
         "a key's place is @ROW,COLUMN, both counted from 1"},
        {{"--frobnicate", "{dir}/fn.json", "{dir}/Old"}, kMakeUsageError, "unknown option --frobnicate"},
        {{"--keys", "Spanish", "{dir}/fn.json", "{dir}/Old"},
         kMakeUsageError,
         "--keys Spanish is no layout kblmake knows: give one of US, UK, German, French, Nordic, Japanese"},
        {{"{dir}/fn.json"}, kMakeUsageError, "give the JSON file and the output's name"},
        {{"--plan", "free", "{dir}/fn.json", "{dir}/Old"},
         kMakeUsageError,
         "--plan free is no order a plan is made for: give guided or strict"},
        {{"--plan", "strict", "{dir}/lone-fn.json", "{dir}/Old"},
         kMakeRefused,
         "the layout requires no key, so a plan has nothing to ask for"},
    };
    Write("bad.json", "[[\"A\"");
    Write("fn.json", R"([["MACRO"]])");
    Write("lone-fn.json", R"([["Fn"]])");
    for (const auto& row : rows) {
        std::vector<std::string> arguments;
        for (std::string argument : row.arguments) {
            if (argument.compare(0, 5, "{dir}") == 0) {
                argument = folder + argument.substr(5);
            }
            arguments.push_back(argument);
        }
        const MakeResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, row.exitCode) << row.message;
        EXPECT_NE(result.errors.find(row.message), std::string::npos) << result.errors;
        EXPECT_EQ(Files(), (std::vector<std::string>{"Old.kbl", "bad.json", "fn.json", "lone-fn.json"}));
    }
    EXPECT_EQ(ReadFile(folder + "/Old.kbl"), "old");
}

// An earlier pair of the same name is replaced whole or not at all.
TEST_F(KblmakeRun, ReplacesAnEarlierPairWholeOrLeavesIt) {
    const std::string json = Write("pad.json", R"([{"name":"Pad"},["A","B"]])");
    ASSERT_EQ(Run({json, folder + "/Pad"}).exitCode, kMakeDone);
    const std::string firstPicture = ReadFile(folder + "/Pad.bmp");
    ASSERT_EQ(Run({"--title", "Second", json, folder + "/Pad"}).exitCode, kMakeDone);
    EXPECT_EQ(ReadFile(folder + "/Pad.kbl").substr(0, 10), "# Second\r\n");
    EXPECT_NE(ReadFile(folder + "/Pad.bmp"), firstPicture);

    // A layout file that cannot be replaced (here a folder of that name) leaves the earlier picture.
    Write("Odd.bmp", "earlier picture");
    std::filesystem::create_directories(folder + "/Odd.kbl/inside");
    const MakeResult result = Run({json, folder + "/Odd"});
    EXPECT_EQ(result.exitCode, kMakeRefused);
    EXPECT_NE(result.errors.find("cannot put " + folder + "/Odd.kbl in place"), std::string::npos)
        << result.errors;
    EXPECT_EQ(ReadFile(folder + "/Odd.bmp"), "earlier picture");
    EXPECT_TRUE(std::filesystem::is_directory(folder + "/Odd.kbl/inside"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"Odd.bmp", "Odd.kbl", "Pad.bmp", "Pad.kbl", "pad.json"}));
}

// A plan names the required keys in the reading order of the picture, whatever the file's order: F1 comes
// from a later row of the file, Caps Lock sits a quarter key lower than A but in A's row, and Win needs no
// test. A layout made again without --plan leaves the earlier plan as it was.
TEST_F(KblmakeRun, WritesAPlanOfTheRequiredKeysInReadingOrder) {
    const std::string json =
        Write("pad.json", R"([{"name":"Pad"},["Esc",{"x":1},"F2"],[{"y":-1,"x":1},"F1"],)"
                          R"([{"y":0.25},"Caps Lock"],[{"y":-1.25,"x":1},"A","Win"],)"
                          R"([{"y":0.25},"B"]])");
    const MakeResult made = Run({"--plan", "strict", "--not-required", "Win", json, folder + "/Pad"});
    ASSERT_EQ(made.exitCode, kMakeDone) << made.errors;
    EXPECT_NE(made.output.find("Pad.plan, a strict test of 6 keys in the reading order"), std::string::npos)
        << made.output;
    const std::string plan =
        "; The test plan of the layout of the same name, made by kblmake: its required keys in the "
        "reading\r\n"
        "; order of the picture.\r\n"
        "; Repeat, Idle, Rollover and RolloverKeys may be added to [Plan] (see the guide).\r\n"
        "[Plan]\r\n"
        "Order=strict\r\n"
        "Sequence=Esc F1 F2 \"Caps Lock\" A B\r\n";
    EXPECT_EQ(ReadFile(folder + "/Pad.plan"), plan);
    EXPECT_EQ(Files(), (std::vector<std::string>{"Pad.bmp", "Pad.kbl", "Pad.plan", "pad.json"}));

    const MakeResult again = Run({json, folder + "/Pad"});
    ASSERT_EQ(again.exitCode, kMakeDone) << again.errors;
    EXPECT_NE(again.output.find("note: the earlier " + folder + "/Pad.plan stays as it was"),
              std::string::npos)
        << again.output;
    EXPECT_EQ(ReadFile(folder + "/Pad.plan"), plan);
}

KeyEntry Key(const std::string& label, int32_t status, int32_t left, int32_t top, int32_t height) {
    KeyEntry entry;
    entry.virtualKey = 'A';
    entry.label = label;
    entry.status = status;
    entry.left = left;
    entry.top = top;
    entry.height = height;
    return entry;
}

// Rows by the middle of their highest key, each left to right; keys that need no test left out. Keys of no
// height, which no made layout has, still make rows. A Sequence longer than the tester reads is refused.
TEST(PlanSequence, FollowsTheReadingOrderAndFitsWhatTheTesterReads) {
    std::vector<KeyEntry> keys = {
        Key("A", Untested, 50, 10, 30),  Key("B", Untested, 10, 20, 30),  Key("C", Untested, 0, 25, 30),
        Key("D", Untested, 5, 100, 0),   Key("E", Untested, 0, 100, 1),   Key("F", NotRequired, 0, 0, 30),
        Key("G", FailOnPress, 0, 0, 30), Key("H", Untested, 20, 101, -4), KeyEntry()};
    std::string order;
    for (const int32_t index : ReadingOrder(keys)) {
        order += keys[static_cast<size_t>(index)].label;
    }
    EXPECT_EQ(order, "BACEDH");

    // 128 keys "Key0000" to "Key0127" make a Sequence of 1,023 characters, all the tester reads.
    keys.clear();
    for (int i = 0; i < 129; ++i) {
        keys.push_back(Key(FormatText("Key%04d", i), Untested, i, 0, 30));
    }
    keys.push_back(KeyEntry());
    std::string text;
    size_t keyCount = 0;
    std::string error;
    EXPECT_FALSE(FormatPlanText(keys, "strict", text, keyCount, error));
    EXPECT_EQ(
        error,
        "the plan's Sequence of 129 keys would be 1031 characters long, and the tester reads at most 1023: "
        "shorten the captions with --map, or leave keys out with --not-required");
    keys.pop_back();
    keys.back() = KeyEntry();
    EXPECT_TRUE(FormatPlanText(keys, "strict", text, keyCount, error));
}

// Each Sequence reads back, through the private-profile functions, as the labels in order: a label with a
// blank or none at all is quoted, a value quoted whole gets the pair of quotes those functions take off.
TEST(PlanSequence, NamesEveryLabelOnceOrRefusesAQuote) {
    const struct {
        std::vector<std::string> labels;
        const char* value;  // nullptr: refused
    } rows[] = {
        {{"Esc", "Caps Lock", ";", ","}, "Esc \"Caps Lock\" ; ,"},
        {{"a\tb", "", "A"}, "\"a\tb\" \"\" A"},
        {{"Caps Lock", "Num 0"}, "\"\"Caps Lock\" \"Num 0\"\""},
        {{"'", "A", "'"}, "\"' A '\""},
        {{"'", "A", "Num 0"}, "' A \"Num 0\""},
        {{"\xBF\xD5\xB8\xF1", "Num 0"},
         "\xBF\xD5\xB8\xF1 \"Num 0\""},  // 空格 in GBK, as the layout file has it
        {{"A", "Say \"B\""}, nullptr},
    };
    for (const auto& row : rows) {
        std::string value;
        std::string error;
        EXPECT_EQ(FormatPlanSequence(row.labels, value, error), row.value != nullptr) << row.labels.back();
        if (row.value != nullptr) {
            EXPECT_EQ(value, row.value);
        } else {
            EXPECT_EQ(error,
                      "the key \"Say \"B\"\" holds a double quote in its label, and a plan's Sequence "
                      "cannot name such a key");
        }
    }
}

// Texts of the file that reach the layout file stay on their comment line: no row can be planted.
TEST_F(KblmakeRun, ControlCharactersInTextsPlantNoRows) {
    const std::string json =
        Write("evil\tname.json",
              R"([{"name":"Evil\n'Z',44,\"Z\",\"false\",\"DQSTATUSUP\",0,1,1,20,20\r\u001a","notes":"x\ry"},)"
              R"(["A","B","C"]])");
    const MakeResult result = Run({json, folder + "/Evil"});
    ASSERT_EQ(result.exitCode, kMakeDone) << result.errors;
    EXPECT_NE(result.output.find("note: control characters"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find(", 3 keys"), std::string::npos) << result.output;
    const std::string text = ReadFile(folder + "/Evil.kbl");
    EXPECT_EQ(text.substr(0, text.find("\r\n")),
              "# Evil 'Z',44,\"Z\",\"false\",\"DQSTATUSUP\",0,1,1,20,20  ");
    EXPECT_NE(text.find("# Made by kblmake from evil name.json"), std::string::npos);
    int rows = 0;
    for (size_t start = 0; start < text.size(); start = text.find("\r\n", start) + 2) {
        rows += text[start] == '#' ? 0 : 1;
    }
    EXPECT_EQ(rows, 3);
}

}  // namespace
