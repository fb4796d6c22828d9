// The layouts kblmake makes, met by the tester: the shipped layouts made from keyboard-layout-editor files,
// and a split board with turned thumb clusters made here by kblmake's own code, are laid beside it with their
// own pictures, each is chosen in turn, and a few of its keys, those that tell the keyboards apart among them
// and the turned ones, paint their hatch over the caps the picture draws where the file puts them.
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/made_layout.h"

namespace {

// The shipped layouts as the source tree holds them, read through Wine's drive of the host's files.
std::string ReadShippedFile(const std::string& name) {
    std::ifstream file("Z:" DVQ_SOURCE_DIR "/keyboards/" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The rectangle of the key captioned `caption` in the layout file `text`; no size when there is none.
PictureRect PlaceOf(const std::string& text, const std::string& caption) {
    const size_t at = text.find(",\"" + caption + "\",");
    PictureRect place;
    if (at == std::string::npos) {
        return place;
    }
    std::istringstream row(text.substr(at + caption.size() + 4, text.find('\r', at) - at));
    std::string field;
    int values[7] = {};
    for (int& value : values) {
        std::getline(row, field, ',');
        value = std::atoi(field.c_str());
    }
    return PictureRect{values[3], values[4], values[5], values[6]};
}

struct RoundTrip {
    const char* name;
    KeyStroke special;  // a key the other layouts lack or send differently
};

// A split board whose thumb clusters are turned by 20 degrees, as ergonomic boards have them.
const char kSplitBoard[] = R"([{"name":"Split"},["Q","W","E","R","T",{"x":4},"Y","U","I","O","P"],
    ["A","S","D","F","G",{"x":4},"H","J","K","L",";"],
    [{"r":20,"rx":3,"ry":2.2},"Ctrl",{"h":1.5},"Space"],
    [{"r":-20,"rx":12,"ry":2.2,"x":-2,"h":1.5},"Enter","Shift"]])";

// The split board's layout file and picture as kblmake makes them; an empty file if it cannot.
LayoutFile MakeSplitLayout() {
    LayoutFile file{"Split.kbl", ""};
    MakeLayoutFromEditorFile(kSplitBoard, "Split", file.text, file.picture);
    return file;
}

void AddRoundTrip(E2eCase& made, const LayoutFile& file, const std::vector<KeyStroke>& keys) {
    const std::string name = file.name.substr(0, file.name.size() - 4);
    made.files.push_back(file);
    made.steps.push_back(ChooseLayout(name));
    made.steps.push_back(ExpectSelectedLayout(name));
    for (const KeyStroke& key : keys) {
        made.steps.push_back(TypeKey({key}));
        made.steps.push_back(ExpectKeyOverlay(PlaceOf(file.text, key.label), kGreen));
    }
}

}  // namespace

std::vector<E2eCase> ListMadeLayoutCases() {
    const RoundTrip layouts[] = {
        {"US", {220, 43, false, "\\"}},
        {"UK", {220, 86, false, "\\"}},
        {"German", {90, 21, false, "Z"}},
        {"Japanese", {220, 125, false, "Yen"}},
    };
    const KeyStroke common[] = {
        {27, 1, false, "Esc"},        {80, 25, false, "P"},   {32, 57, false, "Space"},
        {17, 29, true, "Right Ctrl"}, {37, 75, true, "Left"},
    };
    E2eCase made{"kblmake-layouts-round-trip", {}, "", {ExpectMainWindowShown()}};
    for (const RoundTrip& layout : layouts) {
        LayoutFile file{std::string(layout.name) + ".kbl",
                        ReadShippedFile(std::string(layout.name) + ".kbl")};
        file.picture = ReadShippedFile(std::string(layout.name) + ".bmp");
        std::vector<KeyStroke> keys(std::begin(common), std::end(common));
        keys.push_back(layout.special);
        AddRoundTrip(made, file, keys);
    }
    AddRoundTrip(made, MakeSplitLayout(),
                 {{81, 16, false, "Q"},
                  {17, 29, false, "Left Ctrl"},
                  {32, 57, false, "Space"},
                  {13, 28, false, "Enter"},
                  {16, 54, false, "Right Shift"}});
    made.steps.push_back(CloseMainWindow());
    made.steps.push_back(ExpectExit(0));
    return {made};
}
