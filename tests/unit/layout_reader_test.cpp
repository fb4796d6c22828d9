// Reading layout files: lines, fields, quoted commas, comments and the messages for lines that fail.
#include "layouts/layout_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/core_fixture.h"
#include "tests/unit/platform_fake.h"

namespace {

// A row written as its fields: numbers as they are, texts in double quotes, separated by "|".
std::string Describe(const LayoutRow& row) {
    std::string text;
    for (const LayoutField& field : row.fields) {
        if (!text.empty()) {
            text += "|";
        }
        text += field.kind == FieldKind::Text ? "\"" + field.text + "\"" : std::to_string(field.number);
    }
    return text;
}

struct LineCase {
    const char* line;
    bool parses;
    const char*
        fields;  // the row's fields when it parses; what the buffer shows from its start when it fails
};

const LineCase kLineCases[] = {
    {"65,30\n", true, "65|30"},
    {"'A',30\n", true, "65|30"},
    {"\"A\",30\n", true, "\"A\"|30"},
    {"1,,2\n", true, "1|2"},
    {",1,2,\n", true, "1|2"},
    {"\"LMOUSE\"\n", true, "\"LMOUSE\""},
    {"\",\"\n", true, "\",\""},
    {"','\n", true, "\",\""},
    {"'x'\n", true, "120"},
    {"1,\",\",2\n", true, "1|\",\"|2"},
    {"1,',',2", true, "1|\",\"|2"},
    {"1,\",5\n", true, "1"},
    {"1,',\"\n", true, "1"},
    {"1,\"\n", true, "1"},
    {"99999999999\n", true, "2147483647"},
    {"2147483647,2147483648\n", true, "2147483647|2147483647"},
    {"12abc,3.5,2 \n", true, "12|3|2"},
    {"\"abc\" \n", true, "\"abc\"\""},
    {"\"a\"b\"\n", true, "\"a\"b\""},
    {"\"\",\"abc\n", true, "\"\"|\"ab\""},
    {"'\xE9',1\n", true, "-23|1"},
    {"'\xFB'\n", true, "-5"},
    {"\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,200,300,250,30\n", true,
     "\"VK_SPACE\"|57|\"Space\"|\"false\"|\"DQSTATUSUP\"|0|200|300|250|30"},
    {"1, 2\n", false, "1"},
    {" #1,2\n", false, " #1"},
    {"-5,1\n", false, "-5"},
    {"LMOUSE,1\n", false, "LMOUSE"},
    {",,x,1\n", false, ",,x"},
    {"1,\"a,b\",2\n", false, "1"},
    {"\",x\n", false, "\""},
    {"'\n", false, "'"},
    {"\xEF\xBB\xBF#1,2\n", false, "\xEF\xBB\xBF#1"},
};

class LayoutLineParsing : public ::testing::TestWithParam<LineCase> {};

TEST_P(LayoutLineParsing, GivesTheFieldsOrFails) {
    const LineCase& row = GetParam();
    char buffer[kLayoutLineBufferSize] = {};
    std::snprintf(buffer, sizeof buffer, "%s", row.line);
    LayoutRow parsed;
    ASSERT_EQ(ParseLayoutLine(buffer, parsed), row.parses) << row.line;
    if (row.parses) {
        EXPECT_EQ(Describe(parsed), row.fields);
    } else {
        EXPECT_STREQ(buffer, row.fields);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LayoutLineParsing, ::testing::ValuesIn(kLineCases));

TEST(LayoutFieldMaking, RejectsWhatIsNoField) {
    LayoutField field;
    EXPECT_FALSE(MakeLayoutField("", field));
    EXPECT_FALSE(MakeLayoutField("x", field));
    EXPECT_FALSE(MakeLayoutField(" 1", field));
    EXPECT_TRUE(MakeLayoutField("\"", field));
    EXPECT_EQ(field.kind, FieldKind::Text);
    EXPECT_EQ(field.text, "");
}

class LayoutFileReading : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        folder = MakeScratchFolder();
    }
    void TearDown() override {
        RemoveScratchFolder(folder);
        CoreTest::TearDown();
    }

    int Read(const std::string& content) {
        return rows.ReadLayoutFile(WriteFile(folder, "x.kbl", content).c_str());
    }
    std::string RowsDescribed() const {
        std::string text;
        for (const LayoutRow& row : rows.rows) {
            text += Describe(row) + "\n";
        }
        return text;
    }

    std::string folder;
    LayoutRowList rows;
};

TEST_F(LayoutFileReading, CommentsAreNotCounted) {
    EXPECT_EQ(Read("# a layout\n#1,2\n#\n"), 0);
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_TRUE(fakePlatform.messages.empty());
}

TEST_F(LayoutFileReading, MissingFileReadsNothing) {
    EXPECT_EQ(rows.ReadLayoutFile((folder + "/none.kbl").c_str()), 0);
    EXPECT_TRUE(fakePlatform.messages.empty());
}

TEST_F(LayoutFileReading, FailedLineIsReportedCountedAndLeftOut) {
    EXPECT_EQ(Read("#head\n1, 2,3\n4,5\n6\n"), 3);
    EXPECT_EQ(RowsDescribed(), "4|5\n6\n");
    ASSERT_EQ(fakePlatform.messages.size(), 1u);
    const ShownMessage& message = fakePlatform.messages[0];
    EXPECT_EQ(message.text,
              "Error parsing line beginning\n1\nPossible cause - non digit value outside quotes.");
    EXPECT_EQ(message.caption, "Dorvelquinta 错误");
    EXPECT_EQ(message.style, kMessageOk | kMessageIconWarning);
    EXPECT_EQ(message.owner, nullptr);
}

TEST_F(LayoutFileReading, CarriageReturnsBeforeLineFeedsAreDropped) {
    EXPECT_EQ(Read("\"A\",1\r\n\"B\",2\r\n"), 2);
    EXPECT_EQ(RowsDescribed(), "\"A\"|1\n\"B\"|2\n");
}

TEST_F(LayoutFileReading, LongLineIsReadInPiecesOf149) {
    const std::string first = "1," + std::string(147, '7');  // 149 characters
    const std::string rest = std::string(49, '8') + ",9";    // 51 characters
    EXPECT_EQ(Read(first + rest + "\n"), 2);
    EXPECT_EQ(RowsDescribed(), "1|2147483647\n2147483647|9\n");
}

TEST_F(LayoutFileReading, LineFeedAfterExactly149CharactersIsNoLine) {
    EXPECT_EQ(Read("1," + std::string(147, '5') + "\n2\n"), 2);
    EXPECT_EQ(RowsDescribed(), "1|2147483647\n2\n");
    EXPECT_TRUE(fakePlatform.messages.empty());
}

TEST_F(LayoutFileReading, LinesWithoutAnyFieldAreSkipped) {
    EXPECT_EQ(Read("\n1\n,,,\n\r\n2"), 2);
    EXPECT_EQ(RowsDescribed(), "1\n2\n");
    EXPECT_TRUE(fakePlatform.messages.empty());
}

TEST_F(LayoutFileReading, PieceStartingWithHashIsAComment) {
    EXPECT_EQ(Read(std::string(149, '1') + "#comment,x\n3\n"), 2);
    EXPECT_EQ(RowsDescribed(), "2147483647\n3\n");
}

TEST_F(LayoutFileReading, ByteOrderMarkMakesTheFirstLineFail) {
    EXPECT_EQ(Read("\xEF\xBB\xBF#comment\n1\n"), 2);
    EXPECT_EQ(RowsDescribed(), "1\n");
    EXPECT_EQ(fakePlatform.messages.size(), 1u);
}

TEST_F(LayoutFileReading, ControlZEndsTheFile) {
    EXPECT_EQ(Read("1\n2\x1A\n3\n"), 2);
    EXPECT_EQ(RowsDescribed(), "1\n2\n");
}

TEST_F(LayoutFileReading, ZeroByteEndsTheLineText) {
    EXPECT_EQ(Read(std::string("1,2", 3) + std::string(1, '\0') + ",x\n5\n"), 2);
    EXPECT_EQ(RowsDescribed(), "1|2\n5\n");
}

}  // namespace
