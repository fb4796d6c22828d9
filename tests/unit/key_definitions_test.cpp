// Key definitions: rows of a layout file turned into key entries, and whole layouts built or refused.
#include "layouts/key_definitions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/program.h"
#include "engine/core_state.h"
#include "layouts/key_names.h"
#include "tests/unit/core_fixture.h"
#include "tests/unit/platform_fake.h"

namespace {

LayoutRow Row(const std::string& line) {
    char buffer[kLayoutLineBufferSize] = {};
    std::snprintf(buffer, sizeof buffer, "%s", line.c_str());
    LayoutRow row;
    EXPECT_TRUE(ParseLayoutLine(buffer, row)) << line;
    return row;
}

// Every field of an entry read from a file, in order.
std::string Describe(const KeyEntry& entry) {
    std::string text = std::to_string(entry.virtualKey) + " " + std::to_string(entry.scanCode) + " [" +
                       entry.label + "] " + std::to_string(entry.extended) + " " +
                       std::to_string(entry.status) + " " + std::to_string(entry.downTime) + " " +
                       std::to_string(entry.left) + "," + std::to_string(entry.top) + "," +
                       std::to_string(entry.width) + "," + std::to_string(entry.height) + " " +
                       std::to_string(entry.compoundTime);
    for (int32_t component : entry.components) {
        text += " " + std::to_string(component);
    }
    return text;
}

struct EntryCase {
    const char* line;
    int32_t productionMode;
    const char* entry;  // nullptr when the row must be refused
};

const EntryCase kEntryCases[] = {
    {"\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,200,300,250,30", 0,
     "32 57 [Space] 0 0 0 200,300,250,30 -1"},
    {"'A',30,\"A\",\"TRUE\",\"DQSTATUSNOTEST\",0,1,2,3,4", 0, "65 30 [A] 1 3 0 1,2,3,4 -1"},
    {"65,30,\"A\",\"FaLsE\",\"DQSTATUSNOTESTFAIL\",7,1,2,3,4", 0, "65 30 [A] 0 9 7 1,2,3,4 -1"},
    {"\"LMOUSE\",0,\"L\",\"true\",\"DQSTATUSUP\",0,1,2,3,4", 0, "-5 -5 [L] 1 0 0 1,2,3,4 -1"},
    {"\"RMOUSE\",99,\"R\",\"true\",\"DQSTATUSUP\",0,1,2,3,4", 0, "-3 -3 [R] 1 0 0 1,2,3,4 -1"},
    {"'\xFC',5,\"M\",\"true\",\"DQSTATUSUP\",0,1,2,3,4", 0, "-4 -4 [M] 1 0 0 1,2,3,4 -1"},
    {"\"VK_OEM_CLEAR\",0,\"Clr\",\"false\",\"DQSTATUSUP\",0,1,2,3,4", 0, "254 0 [Clr] 0 0 0 1,2,3,4 -1"},
    {"\"VK_F1\",59,\"F1\",\"false\",\"DQSTATUSFAIL\",0,1,2,3,4", 0, "112 59 [F1] 0 6 0 1,2,3,4 -1"},
    {"\"VK_F1\",59,\"F1\",\"false\",\"DQSTATUSFAIL\",0,1,2,3,4", 1, "112 59 [F1] 0 4 0 1,2,3,4 -1"},
    {"\"VK_F1\",59,\"F1\",\"false\",5,0,1,2,3,4", 0, "112 59 [F1] 0 0 0 1,2,3,4 -1"},
    {"\"VK_F1\",\"x\",\"F1\",\"false\",\"DQSTATUSUP\",\"y\",1,2,3,4", 0, "112 0 [F1] 0 0 0 1,2,3,4 -1"},
    {"\"COMPOUND\",0,\"Mail\",\"false\",\"DQSTATUSUP\",0,1,2,3,4,300,17,65", 0,
     "-2 -2 [Mail] 0 0 0 1,2,3,4 300 65 17 -1"},
    {"'K',37,\"K\",\"false\",\"DQSTATUSUP\",0,1,2,3,4,300,17", 0, "75 37 [K] 0 0 0 1,2,3,4 300 17 -1"},
    {"\"COMPOUND\",0,\"Ten\",\"false\",\"DQSTATUSUP\",0,1,2,3,4,9,1,2,3,4,5,6,7,8,9,10", 0,
     "-2 -2 [Ten] 0 0 0 1,2,3,4 9 10 9 8 7 6 5 4 3 2 1 -1"},
    {"\"COMPOUND\",0,\"Copy\",\"false\",\"DQSTATUSUP\",0,1,2,3,4,500,\"VK_CONTROL\",'C'", 0,
     "-2 -2 [Copy] 0 0 0 1,2,3,4 500 67 0 -1"},
    {"\"COMPOUND\",0,\"Mail\",\"false\",\"DQSTATUSUP\",0,1,2,3,4", 0, nullptr},
    {"\"COMPOUND\",0,\"Mail\",\"false\",\"DQSTATUSUP\",0,1,2,3,4,300", 0, nullptr},
    {"\"COMPOUND\",0,\"Eleven\",\"false\",\"DQSTATUSUP\",0,1,2,3,4,9,1,2,3,4,5,6,7,8,9,10,11", 0, nullptr},
    {"\"vk_space\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,1,2,3,4", 0, nullptr},
    {"\"VK_SPACE \",57,\"Space\",\"false\",\"DQSTATUSUP\",0,1,2,3,4", 0, nullptr},
    {"'\xE9',57,\"e\",\"false\",\"DQSTATUSUP\",0,1,2,3,4", 0, nullptr},
    {"'\xFF',57,\"e\",\"false\",\"DQSTATUSUP\",0,1,2,3,4", 0, nullptr},
    {"\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,1,2,3", 0, nullptr},
    {"\"VK_SPACE\",57,5,\"false\",\"DQSTATUSUP\",0,1,2,3,4", 0, nullptr},
    {"\"VK_SPACE\",57,\"Space\",0,\"DQSTATUSUP\",0,1,2,3,4", 0, nullptr},
    {"\"VK_SPACE\",57,\"Space\",\"yes\",\"DQSTATUSUP\",0,1,2,3,4", 0, nullptr},
    {"\"VK_SPACE\",57,\"Space\",\"false\",\"dqstatusup\",0,1,2,3,4", 0, nullptr},
};

class KeyEntryBuilding : public CoreTestWithParam<EntryCase> {};

TEST_P(KeyEntryBuilding, FillsEveryFieldOrRefusesTheRow) {
    const EntryCase& row = GetParam();
    program.productionMode = row.productionMode;
    KeyEntry entry;
    int32_t compoundRowCount = 0;
    const bool built = BuildKeyEntry(Row(row.line), entry, compoundRowCount);
    ASSERT_EQ(built, row.entry != nullptr) << row.line;
    if (built) {
        EXPECT_EQ(Describe(entry), row.entry);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, KeyEntryBuilding, ::testing::ValuesIn(kEntryCases));

TEST(VirtualKeyNameTable, NamesAreExactAndSomeCodesHaveSeveral) {
    EXPECT_EQ(LookupVirtualKeyName("LMOUSE"), -5);
    EXPECT_EQ(LookupVirtualKeyName("COMPOUND"), -2);
    EXPECT_EQ(LookupVirtualKeyName("VK_HANGEUL"), 21);
    EXPECT_EQ(LookupVirtualKeyName("VK_KANJI"), 25);
    EXPECT_EQ(LookupVirtualKeyName("VK_OEM_FJ_JISHO"), 146);
    EXPECT_EQ(LookupVirtualKeyName("VK_OEM_CLEAR"), 254);
    EXPECT_EQ(LookupVirtualKeyName("VK_SPAC"), -1);
    EXPECT_EQ(LookupVirtualKeyName("VK_SPACE2"), -1);
    EXPECT_EQ(LookupVirtualKeyName("lmouse"), -1);
    EXPECT_EQ(LookupVirtualKeyName(""), -1);
}

TEST(VirtualKeyNameTable, EveryNameIsShortAndUnique) {
    for (int i = 0; i < kVirtualKeyNameCount; ++i) {
        EXPECT_LE(std::strlen(kVirtualKeyNames[i].name), 27u);
        EXPECT_EQ(LookupVirtualKeyName(kVirtualKeyNames[i].name), kVirtualKeyNames[i].code)
            << kVirtualKeyNames[i].name;
    }
}

class KeyboardLayoutBuilding : public CoreTest {
  protected:
    bool Build(const std::vector<std::string>& lines, const std::string& fileName = "US.kbl") {
        rows.rows.clear();
        for (const std::string& line : lines) {
            rows.rows.push_back(Row(line));
        }
        return BuildKeyboardLayout(owner, rows, layout, static_cast<int>(lines.size()), fileName);
    }

    WindowHandle owner = reinterpret_cast<WindowHandle>(0x1234);
    LayoutRowList rows;
    KeyboardLayout layout;
};

const std::string kKeyRow = "'A',30,\"A\",\"false\",\"DQSTATUSUP\",0,1,2,3,4";

std::string CompoundRow(int number) {
    return "\"COMPOUND\",0,\"C" + std::to_string(number) + "\",\"false\",\"DQSTATUSUP\",0,1,2,3,4,100,17,65";
}

TEST_F(KeyboardLayoutBuilding, KeysInFileOrderThenTheTerminator) {
    ASSERT_TRUE(
        Build({kKeyRow, "\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,1,2,3,4"}, "Swiss.intl.kbl"));
    EXPECT_EQ(layout.name, "Swiss.intl");
    ASSERT_EQ(layout.keys.size(), 3u);
    EXPECT_EQ(layout.keys[0].label, "A");
    EXPECT_EQ(layout.keys[1].label, "Space");
    EXPECT_EQ(Describe(layout.keys[2]), "-1 -1 [] 0 0 0 0,0,0,0 -1");
    EXPECT_TRUE(fakePlatform.messages.empty());
}

TEST_F(KeyboardLayoutBuilding, BadRowSkipsTheFileNamingItsRow) {
    EXPECT_FALSE(Build({kKeyRow, kKeyRow, "'A',30,\"A\",\"false\",\"DQSTATUSUP\",0,1,2,3"}, "Bad.kbl"));
    ASSERT_EQ(fakePlatform.messages.size(), 1u);
    const ShownMessage& message = fakePlatform.messages[0];
    EXPECT_EQ(message.text,
              "Syntax error in line 3 (excluding comment lines) of file\nBad.kbl\nSkipping file.");
    EXPECT_EQ(message.caption, "Dorvelquinta - Error");
    EXPECT_EQ(message.style, kMessageOk | kMessageIconInformation);
    EXPECT_EQ(message.owner, owner);
    EXPECT_TRUE(layout.keys.empty());
    EXPECT_TRUE(layout.name.empty());
}

TEST_F(KeyboardLayoutBuilding, NoRowAtAllNamesLineOne) {
    EXPECT_FALSE(BuildKeyboardLayout(owner, rows, layout, 3, "Empty.kbl"));
    ASSERT_EQ(fakePlatform.messages.size(), 1u);
    EXPECT_EQ(fakePlatform.messages[0].text,
              "Syntax error in line 1 (excluding comment lines) of file\nEmpty.kbl\nSkipping file.");
}

TEST_F(KeyboardLayoutBuilding, ThirtyCompoundRowsPerFileAreAccepted) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 30; ++i) {
        lines.push_back(CompoundRow(i));
    }
    EXPECT_TRUE(Build(lines));
    lines.push_back(kKeyRow);
    lines.push_back(CompoundRow(31));
    EXPECT_FALSE(Build(lines));
    ASSERT_EQ(fakePlatform.messages.size(), 1u);
    EXPECT_EQ(fakePlatform.messages[0].text,
              "Syntax error in line 32 (excluding comment lines) of file\nUS.kbl\nSkipping file.");
    // The count starts again with every file.
    EXPECT_TRUE(Build(std::vector<std::string>(lines.begin(), lines.begin() + 30)));
}

}  // namespace
