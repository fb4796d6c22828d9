// The shipped layouts as the tester will meet them, the demo made from layoutgen's tables and the others by
// kblmake from their keyboard-layout-editor files: every file loads with the tester's own reader and builder,
// every key is reachable and carries the codes Windows sends, every rectangle lies on its drawn cap, and the
// files in keyboards/ are their generators' output byte for byte. Last, the icon is a well-formed two-image
// .ico.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/key_codes.h"
#include "engine/core_state.h"
#include "layouts/key_definitions.h"
#include "layouts/layout_reader.h"
#include "tests/unit/platform_fake.h"
#include "tools/common/keyboard_art.h"
#include "tools/common/output_file.h"
#include "tools/common/pixel_font.h"
#include "tools/kblmake/layout_making.h"
#include "tools/layoutgen/demo_layout.h"
#include "tools/layoutgen/icon_file.h"
#include "tools/layoutgen/layout_file.h"

namespace {

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A 24-bit bottom-up bitmap file read back pixel by pixel.
struct BitmapReader {
    std::string bytes;
    int width = 0;
    int height = 0;

    uint32_t Field(size_t offset, int size) const {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = (value << 8) | static_cast<uint8_t>(bytes[offset + i]);
        }
        return value;
    }

    Rgb At(int x, int y) const {
        const size_t rowSize = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
        const size_t offset = Field(10, 4) + static_cast<size_t>(height - 1 - y) * rowSize + x * 3u;
        return Rgb{static_cast<uint8_t>(bytes[offset + 2]), static_cast<uint8_t>(bytes[offset + 1]),
                   static_cast<uint8_t>(bytes[offset])};
    }
};

bool operator==(Rgb a, Rgb b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

// What lies around the caps: no cap may show one of these colours where its rectangle says it is.
bool IsSurrounding(Rgb colour) {
    return colour == kBackgroundColour || colour == kCaseColour || colour == kMouseColour;
}

const std::string kKeyboards = DVQ_SOURCE_DIR "/keyboards";

struct MadeSheet {
    LayoutSheet sheet;
    std::string text;
};

// Every shipped layout as its generator makes it.
std::vector<MadeSheet> MakeShippedSheets() {
    std::vector<MadeSheet> made = {{DemoLayout(), FormatLayoutFile(DemoLayout())}};
    for (const auto& entry : std::filesystem::directory_iterator(kKeyboards + "/sources")) {
        std::filesystem::path source = entry.path();
        if (source.extension() != ".json") {
            continue;
        }
        MakeOptions options;
        options.sourceName = source.filename().string();
        options.layoutName = source.stem().string();
        options.rules.keysGiven = FindKeyPreset(options.layoutName, options.rules.keys);
        EXPECT_TRUE(options.rules.keysGiven) << options.layoutName << " is made with the layout of its name";
        std::string error;
        KleBoard board;
        MadeLayout layout;
        EXPECT_TRUE(ReadKleBoard(ReadWholeFile(entry.path().string()), board, error) &&
                    MakeLayout(board, options, layout, error))
            << options.sourceName << ": " << error;
        made.push_back({layout.sheet, layout.text});
    }
    return made;
}

struct LoadedLayout {
    LayoutSheet sheet;
    int lineCount = 0;
    KeyboardLayout layout;
    std::string text;
    BitmapReader bitmap;
};

class GeneratedLayouts : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        folder = (std::filesystem::temp_directory_path() / "dvq-layoutgen-XXXXXX").string();
        ASSERT_NE(mkdtemp(&folder[0]), nullptr);
        ResetCoreState();
        ResetFakePlatform();
        for (const MadeSheet& made : MakeShippedSheets()) {
            const LayoutSheet& sheet = made.sheet;
            ASSERT_TRUE(
                WriteWholeFile(folder + "/" + sheet.name + ".kbl", made.text.data(), made.text.size()) &&
                WriteBitmapFile(folder + "/" + sheet.name + ".bmp", DrawLayoutPicture(sheet)))
                << sheet.name;
            LoadedLayout& loaded = layouts[sheet.name];
            loaded.sheet = sheet;
            const std::string path = folder + "/" + sheet.name + ".kbl";
            LayoutRowList rows;
            loaded.lineCount = rows.ReadLayoutFile(path.c_str());
            BuildKeyboardLayout(nullptr, rows, loaded.layout, loaded.lineCount, sheet.name + ".kbl");
            loaded.text = ReadWholeFile(path);
            loaded.bitmap.bytes = ReadWholeFile(folder + "/" + sheet.name + ".bmp");
            loaded.bitmap.width = static_cast<int>(loaded.bitmap.Field(18, 4));
            loaded.bitmap.height = static_cast<int>(loaded.bitmap.Field(22, 4));
        }
    }

    static void TearDownTestSuite() { std::filesystem::remove_all(folder); }

    // The loaded entries before the terminator.
    static std::vector<KeyEntry> Entries(const std::string& name) {
        const std::vector<KeyEntry>& keys = layouts.at(name).layout.keys;
        return keys.empty() ? keys : std::vector<KeyEntry>(keys.begin(), keys.end() - 1);
    }

    static const KeyEntry* EntryByLabel(const std::string& name, const std::string& label) {
        for (const KeyEntry& entry : layouts.at(name).layout.keys) {
            if (entry.label == label) {
                return &entry;
            }
        }
        return nullptr;
    }

    static std::string folder;
    static std::map<std::string, LoadedLayout> layouts;
};

std::string GeneratedLayouts::folder;
std::map<std::string, LoadedLayout> GeneratedLayouts::layouts;

TEST_F(GeneratedLayouts, EveryRowLoadsWithTheTestersReaderAndBuilder) {
    std::vector<std::string> shownMessages;
    for (const ShownMessage& message : fakePlatform.messages) {
        shownMessages.push_back(message.text);
    }
    EXPECT_EQ(shownMessages, std::vector<std::string>());
    ASSERT_EQ(layouts.size(), 5u);
    for (const auto& [name, loaded] : layouts) {
        EXPECT_EQ(loaded.lineCount, static_cast<int>(loaded.sheet.keys.size())) << name;
        ASSERT_EQ(loaded.layout.keys.size(), loaded.sheet.keys.size() + 1) << name;
        EXPECT_EQ(loaded.layout.name, name);
        for (size_t i = 0; i < loaded.sheet.keys.size(); ++i) {
            EXPECT_EQ(loaded.layout.keys[i].label, loaded.sheet.keys[i].label) << name << " row " << i + 1;
        }
    }
}

TEST_F(GeneratedLayouts, KeyboardsHaveTheirKeyCounts) {
    const std::pair<const char*, int> cases[] = {
        {"US", 104}, {"UK", 105}, {"German", 105}, {"Japanese", 109}};
    for (const auto& [name, count] : cases) {
        int keys = 0;
        for (const KeyEntry& entry : Entries(name)) {
            keys += entry.virtualKey >= 0 && entry.status == Untested ? 1 : 0;
        }
        EXPECT_EQ(keys, count) << name;
        EXPECT_EQ(static_cast<int>(Entries(name).size()), count) << name;
    }
}

TEST_F(GeneratedLayouts, DemoShowsEveryKindOfEntry) {
    std::map<int32_t, int> byStatus;
    int mouseButtons = 0;
    int compounds = 0;
    for (const KeyEntry& entry : Entries("Demo")) {
        ++byStatus[entry.status];
        mouseButtons += entry.virtualKey >= kLeftMouse && entry.virtualKey <= kRightMouse ? 1 : 0;
        compounds += entry.virtualKey == kCompoundKey ? 1 : 0;
    }
    EXPECT_EQ(mouseButtons, 3);
    EXPECT_EQ(compounds, 2);
    EXPECT_EQ(byStatus[NotRequired], 4);
    EXPECT_EQ(byStatus[FailOnPress], 1);
    EXPECT_EQ(byStatus[FailInactive], 1);
}

struct KnownKey {
    const char* layout;
    const char* label;
    int32_t virtualKey;
    int32_t scanCode;
    int32_t extended;
};

// What Windows puts in the key messages of these keys (or, for the pseudo entries, what the tester uses).
const KnownKey kKnownKeys[] = {
    {"US", "Esc", 27, 1, 0},
    {"US", "`", 192, 41, 0},
    {"US", "Backspace", 8, 14, 0},
    {"US", "\\", 220, 43, 0},
    {"US", "'", 222, 40, 0},
    {"US", ",", 188, 51, 0},
    {"US", "Right Shift", 16, 54, 0},
    {"US", "Right Ctrl", 17, 29, 1},
    {"US", "Right Alt", 18, 56, 1},
    {"US", "Left Win", 91, 91, 1},
    {"US", "Menu", 93, 93, 1},
    {"US", "PrtSc", 44, 55, 1},
    {"US", "Scroll Lock", 145, 70, 0},
    {"US", "Pause", 19, 69, 0},
    {"US", "Insert", 45, 82, 1},
    {"US", "Page Down", 34, 81, 1},
    {"US", "Left", 37, 75, 1},
    {"US", "Num Lock", 144, 69, 1},
    {"US", "Num /", 111, 53, 1},
    {"US", "Num *", 106, 55, 0},
    {"US", "Num 7", 103, 71, 0},
    {"US", "Num Enter", 13, 28, 1},
    {"US", "Num .", 110, 83, 0},
    {"US", "F11", 122, 87, 0},
    {"UK", "`", 223, 41, 0},
    {"UK", "'", 192, 40, 0},
    {"UK", "#", 222, 43, 0},
    {"UK", "\\", 220, 86, 0},
    {"UK", "AltGr", 18, 56, 1},
    {"German", "^", 220, 41, 0},
    {"German", "ss", 219, 12, 0},
    {"German", "Acute", 221, 13, 0},
    {"German", "Z", 90, 21, 0},
    {"German", "Y", 89, 44, 0},
    {"German", "Ue", 186, 26, 0},
    {"German", "+", 187, 27, 0},
    {"German", "Oe", 192, 39, 0},
    {"German", "Ae", 222, 40, 0},
    {"German", "#", 191, 43, 0},
    {"German", "<", 226, 86, 0},
    {"German", "-", 189, 53, 0},
    {"German", "Num Comma", 110, 83, 0},
    {"Japanese", "Hankaku", 243, 41, 0},
    {"Japanese", "^", 222, 13, 0},
    {"Japanese", "Yen", 220, 125, 0},
    {"Japanese", "@", 192, 26, 0},
    {"Japanese", "[", 219, 27, 0},
    {"Japanese", ";", 187, 39, 0},
    {"Japanese", ":", 186, 40, 0},
    {"Japanese", "]", 221, 43, 0},
    {"Japanese", "Caps/Eisu", 240, 58, 0},
    {"Japanese", "Ro", 226, 115, 0},
    {"Japanese", "Muhenkan", 29, 123, 0},
    {"Japanese", "Henkan", 28, 121, 0},
    {"Japanese", "Kana", 242, 112, 0},
    {"Demo", "Sleep", 95, 95, 1},
    {"Demo", "Mouse Left", -5, -5, 1},
    {"Demo", "Mouse Middle", -4, -4, 1},
    {"Demo", "Mouse Right", -3, -3, 1},
    {"Demo", "Copy", -2, -2, 0},
};

TEST_F(GeneratedLayouts, KeysCarryTheCodesWindowsSends) {
    for (const KnownKey& known : kKnownKeys) {
        const KeyEntry* entry = EntryByLabel(known.layout, known.label);
        ASSERT_NE(entry, nullptr) << known.layout << " " << known.label;
        EXPECT_EQ(entry->virtualKey, known.virtualKey) << known.layout << " " << known.label;
        EXPECT_EQ(entry->scanCode, known.scanCode) << known.layout << " " << known.label;
        EXPECT_EQ(entry->extended, known.extended) << known.layout << " " << known.label;
    }
}

TEST_F(GeneratedLayouts, EveryKeyIsReachableByItsBiosCode) {
    for (const auto& [name, loaded] : layouts) {
        std::set<std::pair<int32_t, int32_t>> seen;
        const std::vector<KeyEntry>& keys = loaded.layout.keys;
        for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
            const KeyEntry& entry = keys[i];
            if (entry.virtualKey >= 0) {
                EXPECT_TRUE(seen.insert({entry.scanCode, entry.extended}).second)
                    << name << " " << entry.label << " shares its scan code with an earlier key";
                EXPECT_EQ(FirstTurnOf(keys, static_cast<int32_t>(i)), 0) << name << " " << entry.label;
            }
        }
    }
}

TEST_F(GeneratedLayouts, OnlyTheShiftKeysShareAWindowsCode) {
    for (const auto& [name, loaded] : layouts) {
        std::map<std::pair<int32_t, int32_t>, std::vector<std::string>> byCode;
        for (const KeyEntry& entry : Entries(name)) {
            if (entry.virtualKey >= 0) {
                byCode[{entry.virtualKey, entry.extended}].push_back(entry.label);
            }
        }
        for (const auto& [code, labels] : byCode) {
            const std::vector<std::string> shifts = {"Left Shift", "Right Shift"};
            EXPECT_TRUE(labels.size() == 1 || labels == shifts) << name << " code " << code.first;
        }
    }
}

TEST_F(GeneratedLayouts, CompoundEntriesAreMadeOfKeysOfTheirLayout) {
    for (const auto& [name, loaded] : layouts) {
        std::set<int32_t> codes;
        for (const KeyEntry& entry : Entries(name)) {
            codes.insert(entry.virtualKey);
        }
        for (const KeyEntry& entry : Entries(name)) {
            for (size_t i = 0; entry.compoundTime != kNoCompoundTime && entry.components[i] != -1; ++i) {
                EXPECT_EQ(codes.count(entry.components[i]), 1u) << name << " " << entry.label;
            }
        }
    }
}

TEST_F(GeneratedLayouts, LinesAndCaptionsStayWithinTheFileRules) {
    for (const auto& [name, loaded] : layouts) {
        std::istringstream lines(loaded.text);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_LT(line.size(), 149u) << name << ": " << line;
        }
        for (const LayoutKey& key : loaded.sheet.keys) {
            EXPECT_LE(key.label.size(), 12u) << name << " " << key.label;
            for (char c : key.label) {
                EXPECT_TRUE(c >= 0x20 && c < 0x7F) << name << " " << key.label;
            }
        }
    }
}

TEST_F(GeneratedLayouts, RectanglesLieInsideThePictureWithoutOverlapping) {
    for (const auto& [name, loaded] : layouts) {
        const std::vector<KeyEntry> entries = Entries(name);
        for (size_t i = 0; i < entries.size(); ++i) {
            const KeyEntry& a = entries[i];
            EXPECT_TRUE(a.left >= 0 && a.top >= 0 && a.width > 0 && a.height > 0 && a.left + a.width <= 700 &&
                        a.top + a.height <= 340)
                << name << " " << a.label;
            for (size_t j = i + 1; j < entries.size(); ++j) {
                const KeyEntry& b = entries[j];
                const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                                   a.top + a.height <= b.top || b.top + b.height <= a.top;
                EXPECT_TRUE(apart) << name << ": " << a.label << " overlaps " << b.label;
            }
        }
    }
}

TEST_F(GeneratedLayouts, EveryRectangleLiesExactlyOnItsDrawnCap) {
    for (const auto& [name, loaded] : layouts) {
        const BitmapReader& bitmap = loaded.bitmap;
        ASSERT_EQ(bitmap.bytes.substr(0, 2), "BM");
        ASSERT_EQ(bitmap.width, 700);
        ASSERT_EQ(bitmap.height, 340);
        ASSERT_EQ(bitmap.Field(28, 2), 24u);
        for (size_t i = 0; i < loaded.sheet.keys.size(); ++i) {
            const KeyEntry& key = loaded.layout.keys[i];
            const int right = key.left + key.width;
            const int bottom = key.top + key.height;
            const int midX = key.left + key.width / 2;
            const int midY = key.top + key.height / 2;
            const Rgb centre = bitmap.At(midX, midY);
            EXPECT_TRUE(centre == kCapFaceColour || centre == kLegendColour) << name << " " << key.label;
            EXPECT_TRUE(bitmap.At(key.left + 2, key.top + 2) == kCapFaceColour) << name << " " << key.label;
            EXPECT_FALSE(IsSurrounding(bitmap.At(right - 1, midY))) << name << " " << key.label;
            EXPECT_FALSE(IsSurrounding(bitmap.At(midX, bottom - 1))) << name << " " << key.label;
            EXPECT_TRUE(IsSurrounding(bitmap.At(right, midY))) << name << " " << key.label;
            EXPECT_TRUE(IsSurrounding(bitmap.At(midX, bottom))) << name << " " << key.label;
            if (loaded.sheet.keys[i].shape != KeyShape::IsoEnter) {
                EXPECT_FALSE(IsSurrounding(bitmap.At(key.left, midY))) << name << " " << key.label;
                EXPECT_FALSE(IsSurrounding(bitmap.At(midX, key.top))) << name << " " << key.label;
                EXPECT_TRUE(IsSurrounding(bitmap.At(key.left - 1, midY))) << name << " " << key.label;
                EXPECT_TRUE(IsSurrounding(bitmap.At(midX, key.top - 1))) << name << " " << key.label;
            }
        }
    }
}

TEST_F(GeneratedLayouts, EveryLegendFitsOnItsCap) {
    for (const auto& [name, loaded] : layouts) {
        for (const LayoutKey& key : loaded.sheet.keys) {
            EXPECT_TRUE(LegendFits(key)) << name << " " << key.label;
        }
    }
}

TEST_F(GeneratedLayouts, ShippedFilesAreWhatTheirGeneratorsMake) {
    for (const auto& [name, loaded] : layouts) {
        EXPECT_TRUE(loaded.text == ReadWholeFile(kKeyboards + "/" + name + ".kbl")) << name;
        EXPECT_TRUE(loaded.bitmap.bytes == ReadWholeFile(kKeyboards + "/" + name + ".bmp")) << name;
    }
}

TEST(PixelFont, EveryPrintableCharacterHasAGlyphWithRowsOfOneWidth) {
    for (char c = 32; c < 127; ++c) {
        EXPECT_TRUE(CanDrawText(std::string(1, c))) << c;
    }
    int count = 0;
    const GlyphArt* glyphs = FontGlyphs(count);
    for (int i = 0; i < count; ++i) {
        std::istringstream rows(glyphs[i].rows);
        std::set<size_t> widths;
        int rowCount = 0;
        for (std::string row; std::getline(rows, row, '|'); ++rowCount) {
            widths.insert(row.size());
        }
        EXPECT_EQ(widths.size(), 1u) << "glyph U+" << std::hex << static_cast<uint32_t>(glyphs[i].codePoint);
        EXPECT_LE(rowCount, kFontCapHeight + 2 + glyphs[i].rise);
    }
}

TEST(ProgramIcon, IsAnIcoOfTwoThirtyTwoBitImagesWithTransparentCorners) {
    const std::vector<uint8_t> bytes = EncodeIconFile(DrawProgramIcon());
    const auto field = [&](size_t offset, int size) {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i) {
            value = (value << 8) | bytes.at(offset + i);
        }
        return value;
    };
    ASSERT_EQ(field(0, 2), 0u);
    ASSERT_EQ(field(2, 2), 1u);
    ASSERT_EQ(field(4, 2), 2u);
    uint32_t expectedOffset = 6 + 2 * 16;
    const uint32_t sizes[] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        const size_t entry = 6 + 16 * i;
        const uint32_t side = sizes[i];
        EXPECT_EQ(bytes[entry], side);
        EXPECT_EQ(bytes[entry + 1], side);
        EXPECT_EQ(field(entry + 6, 2), 32u);
        const uint32_t imageSize = field(entry + 8, 4);
        const uint32_t offset = field(entry + 12, 4);
        EXPECT_EQ(offset, expectedOffset);
        EXPECT_EQ(imageSize, 40 + side * side * 4 + (side + 31) / 32 * 4 * side);
        EXPECT_EQ(field(offset + 4, 4), side);
        EXPECT_EQ(field(offset + 8, 4), side * 2);
        // Bottom-up rows of blue, green, red, alpha: the corner pixel is clear, the middle one opaque.
        const size_t pixels = offset + 40;
        EXPECT_EQ(bytes[pixels + 3], 0u);
        EXPECT_EQ(bytes[pixels + ((side / 2) * side + side / 2) * 4 + 3], 255u);
        // The mask marks the clear bottom-left corner pixel transparent.
        EXPECT_EQ(bytes[pixels + side * side * 4] & 0x80, 0x80);
        expectedOffset += imageSize;
    }
    EXPECT_EQ(bytes.size(), expectedOffset);
}

}  // namespace
