// The cases of start-up: the layout catalogue and its messages, the command line, the main window after
// start, the time to it with a full catalogue, and layouts whose pictures are no whole bitmap. Add a case as
// one more row.
#include <cstdio>

#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/tester_controls.h"
#include "tools/common/bitmap_file.h"

namespace {

constexpr int kButtonChecked = 1;
constexpr int kButtonUnchecked = 0;
constexpr int kFullCatalogue = 100;
constexpr int kPlainKeys = 100;
constexpr int kCompoundKeys = 10;
// The window should come within 300 ms once Wine runs; a busy shared machine can take three times that. The
// bound leaves room for it and still fails a start-up that reads every picture or slows with the catalogue.
constexpr long kStartBoundMs = 3000;

const char* const kGoodLayout =
    "# A small keyboard: three keys and the left mouse button.\n"
    "\"VK_ESCAPE\",1,\"Esc\",\"false\",\"DQSTATUSUP\",0,10,10,40,40\n"
    "'A',30,\"A\",\"false\",\"DQSTATUSUP\",0,60,10,40,40\n"
    "\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,110,10,200,40\n"
    "\"LMOUSE\",0,\"L\",\"true\",\"DQSTATUSUP\",0,320,10,40,40\n";

const char* const kNoLayoutText =
    "No valid keyboard layout (.kbl) files have been\nfound in the Dorvelquinta directory.\n\n"
    "At least one .kbl file is required to run Dorvelquinta.";
const char* const kLimitText =
    "More than 100 valid .kbl files have been found.\nOnly the first one hundred will be taken.";

std::string MissingBitmapText(const std::string& layout) {
    return "Cannot find the bitmap file\n" + layout +
           ".bmp\ncorresponding to the keyboard layout file\n{dir}\\" + layout + ".kbl.\nSkipping file.";
}

std::string NoDataText(const std::string& fileName) {
    return "Skipping the file \n{dir}\\" + fileName + "\nas it contains no data.";
}

std::string ParseErrorText(const std::string& lineBeginning) {
    return "Error parsing line beginning\n" + lineBeginning +
           "\nPossible cause - non digit value outside quotes.";
}

std::string SyntaxErrorText(int row, const std::string& fileName) {
    return "Syntax error in line " + std::to_string(row) + " (excluding comment lines) of file\n" + fileName +
           "\nSkipping file.";
}

LayoutFile GoodLayout(const std::string& name) {
    return {name + ".kbl", kGoodLayout, true};
}

// A layout of 110 keys in eleven columns: 100 keys, then 10 compound keys of two of them.
LayoutFile FullLayout(const std::string& name) {
    std::vector<LayoutKey> keys;
    for (int i = 0; i < kPlainKeys + kCompoundKeys; ++i) {
        const PictureRect place = {5 + i % 11 * 63, 5 + i / 11 * 33, 60, 30};
        const std::string label = "K" + std::to_string(i);
        const int code = 0x30 + i % kPlainKeys;
        keys.push_back(i < kPlainKeys
                           ? MakeKey(std::to_string(code), {code, i + 1, false, label}, "DQSTATUSUP", place)
                           : CompoundKey(label, "DQSTATUSUP", place,
                                         "300," + std::to_string(code) + "," + std::to_string(code + 1)));
    }
    return MakeLayoutFile(name, keys);
}

// `count` layouts made by `make`, named L000, L001 and so on.
std::vector<LayoutFile> ManyLayouts(int count, LayoutFile (*make)(const std::string&)) {
    std::vector<LayoutFile> files;
    for (int i = 0; i < count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "L%03d", i);
        files.push_back(make(name));
    }
    return files;
}

// Layouts whose pictures exist but are no whole bitmap. A picture that does not load leaves the keys and the
// test of the layout used before; one that the system still loads makes its layout current as any other.
const LayoutKey kGoodA = LetterKey('A', 30, "DQSTATUSUP", {10, 10, 40, 40});
const LayoutKey kGoodS = LetterKey('S', 31, "DQSTATUSUP", {60, 10, 40, 40});
const LayoutKey kBadZ = LetterKey('Z', 44, "DQSTATUSUP", {10, 60, 40, 40});
constexpr const char* kZCode = "90 (0x5a)";
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kHeadersSize = 54;

// The first `kept` bytes of a black 700 x 340 bitmap file: the file header, the bitmap header, the pixels.
std::string CutBitmap(size_t kept) {
    const std::vector<uint8_t> bytes = EncodeBitmapFile(Picture(kPictureWidth, kPictureHeight, {0, 0, 0}));
    return std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(kept));
}

// A layout of Z alone named as what its picture holds.
struct BadPicture {
    std::string name;
    std::string bytes;
};

// A few bytes of text; the file header alone.
std::vector<BadPicture> UnloadablePictures() {
    return {{"Text", "BM not a picture"}, {"Head", CutBitmap(kFileHeaderSize)}};
}

// The bitmap header cut after the width (Wine's loader gives a 1 x 1 bitmap); half the pixels.
std::vector<BadPicture> BrokenLoadablePictures() {
    return {{"Cut", CutBitmap(kFileHeaderSize + 8)},
            {"Half", CutBitmap(kHeadersSize + kPictureWidth * 3 * kPictureHeight / 2)}};
}

std::vector<LayoutFile> BadPictureLayout(const BadPicture& picture) {
    LayoutFile layout = MakeLayoutFile(picture.name, {kBadZ});
    layout.withBitmap = false;
    return {layout, {picture.name + ".bmp", picture.bytes, false}};
}

std::vector<LayoutFile> BadPictureLayouts() {
    std::vector<LayoutFile> files = {MakeLayoutFile("Good", {kGoodA, kGoodS})};
    for (const auto& pictures : {UnloadablePictures(), BrokenLoadablePictures()}) {
        for (const BadPicture& picture : pictures) {
            const std::vector<LayoutFile> layout = BadPictureLayout(picture);
            files.insert(files.end(), layout.begin(), layout.end());
        }
    }
    return files;
}

// From Good, each layout whose picture does not load is chosen in turn: the list goes back to Good, Z, the
// other layout's only key, is read but not tested, and the keys of Good go on into the same history. Each
// broken picture that loads makes its layout current with a fresh test, in which Z is tested and painted.
// Back on Good its picture shows, tested afresh.
std::vector<Step> SwitchesToBadPictures() {
    std::vector<Step> steps = {ExpectMainWindowShown(),
                               ExpectNoMessageBox(),
                               ExpectLayoutNames({"Good", "Text", "Head", "Cut", "Half"}),
                               ExpectSelectedLayout("Good"),
                               ExpectPictureColour(kPictureColour),
                               TypeKey({kGoodA.stroke}),
                               ExpectKeyOverlay(kGoodA.place, kGreen),
                               ExpectControlText(IDC_STATUS_LINE, "A ")};
    std::string history = "A ";
    for (const BadPicture& picture : UnloadablePictures()) {
        const LayoutKey& good = history[0] == 'A' ? kGoodS : kGoodA;
        steps = JoinSteps(
            steps, {ChooseLayout(picture.name), ExpectSelectedLayout("Good"), TypeKey({kBadZ.stroke}),
                    ExpectControlText(IDC_WINDOWS_CODE, kZCode), ExpectControlText(IDC_STATUS_LINE, history),
                    TypeKey({good.stroke}), ExpectControlText(IDC_LAST_RELEASED, good.stroke.label)});
        history = good.stroke.label + " " + history;
        steps.push_back(ExpectControlText(IDC_STATUS_LINE, history));
    }
    steps.push_back(ExpectKeyOverlay(kGoodS.place, kGreen));
    for (const BadPicture& picture : BrokenLoadablePictures()) {
        steps = JoinSteps(
            steps, {ChooseLayout(picture.name), ExpectSelectedLayout(picture.name),
                    ExpectControlText(IDC_STATUS_LINE, ""), TypeKey({kBadZ.stroke}),
                    ExpectControlText(IDC_STATUS_LINE, "Z "), ExpectControlText(IDC_LAST_RELEASED, "Z"),
                    ExpectKeyOverlay(kBadZ.place, kGreen)});
    }
    return JoinSteps(steps, {ChooseLayout("Good"), ExpectControlText(IDC_STATUS_LINE, ""),
                             ExpectPictureColour(kPictureColour), ExpectKeyPlain(kGoodA.place),
                             ExpectKeyPlain(kGoodS.place), CloseMainWindow(), ExpectExit(0)});
}

// A layout alone whose picture does not load is current from the start: its key is tested and painted.
std::vector<Step> TestsWithUnloadablePicture(const std::string& name) {
    return {ExpectMainWindowShown(),
            ExpectNoMessageBox(),
            ExpectLayoutNames({name}),
            TypeKey({kBadZ.stroke}),
            ExpectControlText(IDC_STATUS_LINE, "Z "),
            ExpectControlText(IDC_LAST_RELEASED, "Z"),
            ExpectKeyOverlay(kBadZ.place, kGreen),
            CloseMainWindow(),
            ExpectExit(0)};
}

std::vector<LayoutFile> LettersAToF() {
    return {GoodLayout("A"), GoodLayout("B"), GoodLayout("C"),
            GoodLayout("D"), GoodLayout("E"), GoodLayout("F")};
}

// The main window comes up with exactly `names` in its list and no further message; then the operator closes
// it.
std::vector<Step> ShowsLayoutsThenCloses(const std::vector<std::string>& names) {
    return {ExpectMainWindowShown(), ExpectNoMessageBox(), ExpectLayoutNames(names), CloseMainWindow(),
            ExpectExit(0)};
}

std::vector<Step> ClosesNormally() {
    return {ExpectNoMessageBox(), CloseMainWindow(), ExpectExit(0)};
}

}  // namespace

std::vector<LayoutFile> ListDecoyFiles() {
    return {GoodLayout("Decoy")};
}

std::vector<E2eCase> ListStartupCases() {
    return {
        {"no-layout",
         {},
         "",
         {ExpectMessageBox("Dorvelquinta - Error", kNoLayoutText), ExpectExit(0),
          ExpectMainWindowNeverShown()}},
        {"only-broken-layouts",
         {{"X.kbl", "1, 2\n", true}},
         "",
         {ExpectMessageBox("Dorvelquinta 错误", ParseErrorText("1")),
          ExpectMessageBox("Dorvelquinta - Error", SyntaxErrorText(1, "X.kbl")),
          ExpectMessageBox("Dorvelquinta - Error", kNoLayoutText), ExpectExit(0),
          ExpectMainWindowNeverShown()}},
        {"missing-bitmap",
         {GoodLayout("A"), {"B.kbl", kGoodLayout, false}},
         "",
         JoinSteps({ExpectMessageBox("警告", MissingBitmapText("B"))}, ShowsLayoutsThenCloses({"A"}))},
        {"comments-only",
         {GoodLayout("A"), {"C.kbl", "# only\n#comments\n", true}},
         "",
         JoinSteps({ExpectMessageBox("警告", NoDataText("C.kbl"))}, ShowsLayoutsThenCloses({"A"}))},
        {"empty-file",
         {GoodLayout("A"), {"E.kbl", "", true}},
         "",
         JoinSteps({ExpectMessageBox("警告", NoDataText("E.kbl"))}, ShowsLayoutsThenCloses({"A"}))},
        {"unparsable-lines",
         {{"A.kbl",
           "\"VK_ESCAPE\",1,\"Esc\",\"false\",\"DQSTATUSUP\",0,10,10,40,40\n"
           "1, 2\n"
           " 65,30,\"A\",\"false\",\"DQSTATUSUP\",0,60,10,40,40\n"
           "\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,110,10,200,40\n",
           true}},
         "",
         JoinSteps({ExpectMessageBox("Dorvelquinta 错误", ParseErrorText("1")),
                    ExpectMessageBox("Dorvelquinta 错误", ParseErrorText(" 65"))},
                   ShowsLayoutsThenCloses({"A"}))},
        {"bad-row",
         {GoodLayout("A"),
          {"X.kbl",
           "# comment lines do not count\n"
           "\"VK_ESCAPE\",1,\"Esc\",\"false\",\"DQSTATUSUP\",0,10,10,40,40\n"
           "# nor does this one\n"
           "'A',30,\"A\",\"false\",\"DQSTATUSUP\",0,60,10,40,40\n"
           "\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,110,10,200\n",
           true}},
         "",
         JoinSteps({ExpectMessageBox("Dorvelquinta - Error", SyntaxErrorText(3, "X.kbl"))},
                   ShowsLayoutsThenCloses({"A"}))},
        {"bad-row-after-unparsable-line",
         {GoodLayout("A"),
          {"X.kbl",
           "\"VK_ESCAPE\",1,\"Esc\",\"false\",\"DQSTATUSUP\",0,10,10,40,40\n"
           "1, 2\n"
           "'A',30,\"A\",\"false\",\"DQSTATUSUP\",0,60,10,40,40\n"
           "\"VK_SPACE\",57,\"Space\",\"false\",\"DQSTATUSUP\",0,110,10,200\n",
           true}},
         "",
         JoinSteps({ExpectMessageBox("Dorvelquinta 错误", ParseErrorText("1")),
                    ExpectMessageBox("Dorvelquinta - Error", SyntaxErrorText(3, "X.kbl"))},
                   ShowsLayoutsThenCloses({"A"}))},
        {"dotted-name", {GoodLayout("Swiss.intl")}, "", ShowsLayoutsThenCloses({"Swiss.intl"})},
        {"hundred-limit", ManyLayouts(105, GoodLayout), "",
         JoinSteps({ExpectMessageBox("Alert", kLimitText), ExpectMainWindowShown(), ExpectLayoutCount(100)},
                   ClosesNormally())},
        {"select-by-name",
         {GoodLayout("A"), GoodLayout("B"), GoodLayout("C"), GoodLayout("D"), GoodLayout("E"),
          GoodLayout("F")},
         "/k E",
         JoinSteps({ExpectMainWindowShown(), ExpectSelectedLayout("E")}, ClosesNormally())},
        {"select-by-long-option", LettersAToF(), "/keyboard E",
         JoinSteps({ExpectMainWindowShown(), ExpectSelectedLayout("E")}, ClosesNormally())},
        {"four-arguments-scanned", LettersAToF(), "/k E x y",
         JoinSteps({ExpectMainWindowShown(), ExpectSelectedLayout("E")}, ClosesNormally())},
        {"more-than-four-arguments-ignored", LettersAToF(), "/k E x y z",
         JoinSteps({ExpectMainWindowShown(), ExpectSelectedIndex(0)}, ClosesNormally())},
        {"select-by-name-other-case",
         {GoodLayout("A"), GoodLayout("B"), GoodLayout("C"), GoodLayout("D"), GoodLayout("E"),
          GoodLayout("F")},
         "/k e",
         JoinSteps({ExpectMainWindowShown(), ExpectSelectedIndex(0)}, ClosesNormally())},
        {"main-window-after-start",
         {GoodLayout("A")},
         "",
         JoinSteps({ExpectMainWindowShown(), ExpectTitle("Dorvelquinta 2.8"),
                    ExpectCheckState(IDC_MATCH_BIOS, kButtonChecked),
                    ExpectCheckState(IDC_MATCH_WINDOWS, kButtonUnchecked),
                    ExpectHexControlText(IDC_LANGUAGE_CODE, 8)},
                   ClosesNormally())},
        {"readouts-after-start",
         {GoodLayout("A")},
         "",
         JoinSteps({ExpectMainWindowShown(), ExpectControlText(IDC_WINDOWS_CODE, "0 (0x0)"),
                    ExpectControlText(IDC_BIOS_CODE, "0 (0x0)"), ExpectControlText(IDC_HOLD_TIME, "0ms"),
                    ExpectControlText(IDC_DELAY_TIME, "0ms"), ExpectControlText(IDC_WINDOWS_EXTENDED, ""),
                    ExpectControlText(IDC_BIOS_EXTENDED, ""), ExpectControlText(IDC_LAST_PRESSED, "N/A"),
                    ExpectControlText(IDC_LAST_RELEASED, "N/A"), ExpectControlText(IDC_STATUS_LINE, ""),
                    ExpectControlText(IDC_TYPING_RATE, "0.0")},
                   ClosesNormally())},
        {"start-with-hundred-full-layouts", ManyLayouts(kFullCatalogue, FullLayout), "",
         JoinSteps({ExpectShownWithin(kStartBoundMs), ExpectLayoutCount(kFullCatalogue)}, ClosesNormally())},
        {"bad-pictures-switched-to", BadPictureLayouts(), "/k Good", SwitchesToBadPictures()},
        {"named-layout-with-unloadable-picture",
         {MakeLayoutFile("Good", {kGoodA, kGoodS}), BadPictureLayout(UnloadablePictures()[0])[0],
          BadPictureLayout(UnloadablePictures()[0])[1]},
         "/k Text",
         {ExpectMainWindowShown(), ExpectNoMessageBox(), ExpectSelectedLayout("Good"),
          ExpectPictureColour(kPictureColour), TypeKey({kGoodA.stroke}),
          ExpectKeyOverlay(kGoodA.place, kGreen), CloseMainWindow(), ExpectExit(0)}},
        {"unloadable-picture-only-layout", BadPictureLayout(UnloadablePictures()[0]), "",
         TestsWithUnloadablePicture("Text")},
        {"picture-from-program-folder",
         {GoodLayout("A")},
         "",
         JoinSteps({ExpectMainWindowShown(), ExpectPictureColour(kPictureColour)}, ClosesNormally())},
    };
}
