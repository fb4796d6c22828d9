// Layout files from keys, and the shared keys.
#include "tests/e2e/case_layouts.h"

std::string LayoutText(const std::vector<LayoutKey>& keys) {
    std::string text = "# A layout of the end-to-end cases.\n";
    for (const LayoutKey& key : keys) {
        text += key.code + "," + std::to_string(key.stroke.scanCode) + ",\"" + key.stroke.label + "\",\"" +
                (key.stroke.extended ? "true" : "false") + "\",\"" + key.status + "\",0," +
                std::to_string(key.place.left) + "," + std::to_string(key.place.top) + "," +
                std::to_string(key.place.width) + "," + std::to_string(key.place.height) +
                (key.compound.empty() ? "" : "," + key.compound) + "\n";
    }
    return text;
}

LayoutFile MakeLayoutFile(const std::string& name, const std::vector<LayoutKey>& keys) {
    return {name + ".kbl", LayoutText(keys), true};
}

KeyStroke Letter(char letter, int scanCode) {
    return {letter, scanCode, false, std::string(1, letter)};
}

LayoutKey MakeKey(const std::string& code, const KeyStroke& stroke, const std::string& status,
                  const PictureRect& place) {
    return {code, stroke, status, place, ""};
}

LayoutKey CompoundKey(const std::string& label, const std::string& status, const PictureRect& place,
                      const std::string& compound) {
    return {"\"COMPOUND\"", {0, 0, false, label}, status, place, compound};
}

LayoutKey EscKey(const PictureRect& place) {
    return MakeKey("\"VK_ESCAPE\"", kEscapeStroke, "DQSTATUSUP", place);
}

LayoutKey LetterKey(char letter, int scanCode, const std::string& status, const PictureRect& place) {
    return MakeKey(std::string("'") + letter + "'", Letter(letter, scanCode), status, place);
}

LayoutKey SpaceKey(const PictureRect& place) {
    return MakeKey("\"VK_SPACE\"", {VK_SPACE, 57, false, "Space"}, "DQSTATUSUP", place);
}

LayoutKey LeftMouseKey(const PictureRect& place) {
    return MakeKey("\"LMOUSE\"", {0, 0, true, "L"}, "DQSTATUSUP", place);
}
