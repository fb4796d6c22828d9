// The layouts kblmake makes, met by the tester: the shipped layouts made from keyboard-layout-editor files
// are laid beside it with their own pictures, each is chosen in turn, and a few of its keys, those that tell
// the keyboards apart among them, paint their hatch over the caps the picture draws where the file puts them.
#include <fstream>
#include <sstream>

#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"

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

struct MadeLayout {
    const char* name;
    KeyStroke special;  // a key the other layouts lack or send differently
};

}  // namespace

std::vector<E2eCase> ListMadeLayoutCases() {
    const MadeLayout layouts[] = {
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
    for (const MadeLayout& layout : layouts) {
        LayoutFile file{std::string(layout.name) + ".kbl",
                        ReadShippedFile(std::string(layout.name) + ".kbl")};
        file.picture = ReadShippedFile(std::string(layout.name) + ".bmp");
        made.files.push_back(file);
        made.steps.push_back(ChooseLayout(layout.name));
        made.steps.push_back(ExpectSelectedLayout(layout.name));
        std::vector<KeyStroke> keys(std::begin(common), std::end(common));
        keys.push_back(layout.special);
        for (const KeyStroke& key : keys) {
            made.steps.push_back(TypeKey({key}));
            made.steps.push_back(ExpectKeyOverlay(PlaceOf(file.text, key.label), kGreen));
        }
    }
    made.steps.push_back(CloseMainWindow());
    made.steps.push_back(ExpectExit(0));
    return {made};
}
