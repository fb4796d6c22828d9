// The layout catalogue: every layout file of a folder built or skipped with its message, up to 100 layouts.
#include "layouts/layout_catalogue.h"

#include <gtest/gtest.h>

#include <string>

#include "base/paths.h"
#include "engine/core_state.h"
#include "tests/unit/core_fixture.h"
#include "tests/unit/platform_fake.h"

namespace {

const std::string kGoodLayout =
    "# two keys\n"
    "'A',30,\"A\",\"false\",\"DQSTATUSUP\",0,1,2,3,4\n"
    "\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,1,2,3,4\n";

class LayoutCatalogueLoading : public CoreTest {
  protected:
    void SetUp() override {
        CoreTest::SetUp();
        folder = MakeScratchFolder();
    }
    void TearDown() override {
        RemoveScratchFolder(folder);
        CoreTest::TearDown();
    }

    // A layout file in the folder, listed by the directory search, with or without its bitmap.
    void AddLayout(const std::string& fileName, const std::string& content, bool withBitmap = true) {
        WriteFile(folder, fileName, content);
        if (withBitmap) {
            WriteFile(folder, BitmapNameFor(fileName), "BM");
        }
        fakePlatform.layoutListing.push_back(fileName);
    }
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const ShownMessage& message : fakePlatform.messages) {
            captions.push_back(message.caption);
        }
        return captions;
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const KeyboardLayout& layout : catalogue.layouts) {
            names.push_back(layout.name);
        }
        return names;
    }

    WindowHandle owner = reinterpret_cast<WindowHandle>(0x77);
    std::string folder;
};

TEST_F(LayoutCatalogueLoading, LayoutsInSearchOrder) {
    AddLayout("B.kbl", kGoodLayout);
    AddLayout("A.kbl", kGoodLayout);
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 2);
    EXPECT_EQ(Names(), (std::vector<std::string>{"B", "A"}));
    EXPECT_TRUE(fakePlatform.messages.empty());
    MakeLayoutCurrent(1);
    EXPECT_EQ(catalogue.currentLayout, 1);
    EXPECT_EQ(catalogue.currentKeys, &catalogue.layouts[1].keys);
}

TEST_F(LayoutCatalogueLoading, MissingBitmapSkipsTheFile) {
    AddLayout("A.kbl", kGoodLayout);
    AddLayout("B.kbl", kGoodLayout, false);
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 1);
    ASSERT_EQ(fakePlatform.messages.size(), 1u);
    const ShownMessage& message = fakePlatform.messages[0];
    EXPECT_EQ(message.text,
              "Cannot find the bitmap file\nB.bmp\ncorresponding to the keyboard layout file\n" + folder +
                  "/B.kbl.\nSkipping file.");
    EXPECT_EQ(message.caption, "警告");
    EXPECT_EQ(message.style, kMessageOk | kMessageIconWarning);
    EXPECT_EQ(message.owner, owner);
}

TEST_F(LayoutCatalogueLoading, SeveralDotsKeepAllButTheLastPart) {
    AddLayout("Swiss.intl.kbl", kGoodLayout);
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Swiss.intl"}));
}

TEST_F(LayoutCatalogueLoading, FileWithoutDataIsSkipped) {
    AddLayout("Notes.kbl", "# only comments\n");
    AddLayout("A.kbl", kGoodLayout);
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 1);
    ASSERT_EQ(fakePlatform.messages.size(), 1u);
    EXPECT_EQ(fakePlatform.messages[0].text,
              "Skipping the file \n" + folder + "/Notes.kbl\nas it contains no data.");
    EXPECT_EQ(fakePlatform.messages[0].caption, "警告");
}

TEST_F(LayoutCatalogueLoading, UnreadableFileCountsAsWithoutData) {
    WriteFile(folder, "Gone.bmp", "BM");
    fakePlatform.layoutListing.push_back("Gone.kbl");
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 0);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"警告", "Dorvelquinta - Error"}));
}

TEST_F(LayoutCatalogueLoading, BadLineKeepsTheFileBadRowSkipsIt) {
    AddLayout("Line.kbl", kGoodLayout + "1, 2\n");
    AddLayout("Row.kbl", kGoodLayout + "'B',48,\"B\"\n");
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Line"}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Dorvelquinta 错误", "Dorvelquinta - Error"}));
    EXPECT_EQ(fakePlatform.messages[1].text,
              "Syntax error in line 3 (excluding comment lines) of file\nRow.kbl\nSkipping file.");
}

TEST_F(LayoutCatalogueLoading, NoLayoutAtAllIsReported) {
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 0);
    ASSERT_EQ(fakePlatform.messages.size(), 1u);
    EXPECT_EQ(fakePlatform.messages[0].text,
              "No valid keyboard layout (.kbl) files have been\nfound in the Dorvelquinta directory.\n\n"
              "At least one .kbl file is required to run Dorvelquinta.");
    EXPECT_EQ(fakePlatform.messages[0].caption, "Dorvelquinta - Error");
    EXPECT_EQ(fakePlatform.messages[0].style, kMessageOk | kMessageIconWarning);
}

TEST_F(LayoutCatalogueLoading, AtMostOneHundredLayouts) {
    for (int i = 0; i < 105; ++i) {
        AddLayout("L" + std::to_string(1000 + i) + ".kbl", kGoodLayout);
    }
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 100);
    EXPECT_EQ(catalogue.layouts.size(), 100u);
    EXPECT_EQ(catalogue.layouts[99].name, "L1099");
    ASSERT_EQ(fakePlatform.messages.size(), 1u);
    EXPECT_EQ(fakePlatform.messages[0].text,
              "More than 100 valid .kbl files have been found.\nOnly the first one hundred will be taken.");
    EXPECT_EQ(fakePlatform.messages[0].caption, "Alert");
    EXPECT_EQ(fakePlatform.messages[0].style, kMessageOk | kMessageIconInformation);
}

TEST_F(LayoutCatalogueLoading, LimitCountsLayoutsBuiltNotFilesFound) {
    for (int i = 0; i < 100; ++i) {
        AddLayout("L" + std::to_string(1000 + i) + ".kbl", kGoodLayout);
    }
    AddLayout("NoBitmap.kbl", kGoodLayout, false);
    AddLayout("Broken.kbl", "'B',48\n");
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 100);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"警告", "Alert"}));
}

TEST_F(LayoutCatalogueLoading, ReloadStartsFromAnEmptyCatalogue) {
    AddLayout("A.kbl", kGoodLayout);
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 1);
    EXPECT_EQ(LoadLayoutCatalogue(owner, folder), 1);
    FreeLayoutCatalogue();
    EXPECT_EQ(catalogue.layoutCount, 0);
    EXPECT_TRUE(catalogue.layouts.empty());
    EXPECT_EQ(catalogue.currentKeys, nullptr);
}

}  // namespace
