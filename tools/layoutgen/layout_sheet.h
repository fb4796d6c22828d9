// A shipped layout as the generator holds it: every key with its file columns and its place on the picture,
// and the pieces of the picture that are not keys. Keys are placed on a grid of quarter key units.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// The picture every layout is drawn on, in pixels; the file's rectangles are in this space.
constexpr int kPictureWidth = 700;
constexpr int kPictureHeight = 340;

// One key unit on the picture: 23 units (main block, navigation block, keypad) fit across it.
constexpr int kKeyPitchX = 29;
constexpr int kKeyPitchY = 35;
// Free pixels between neighbouring keys.
constexpr int kKeyGap = 2;

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class KeyShape {
    Cap,          // an ordinary key cap
    IsoEnter,     // an L-shaped Enter key: the rectangle is its stem, `reach` its wider upper part
    MouseButton,  // a button or the wheel of the drawn mouse
    FailArea,     // a key combination that fails the unit, drawn as a warning plate
};

struct LayoutKey {
    std::string code;  // column 1 as the file holds it: a quoted virtual-key name or a quoted character
    int32_t scanCode = 0;
    std::string label;  // the caption the tester shows; ASCII only
    bool extended = false;
    std::string status = "DQSTATUSUP";
    Box box;             // the key's rectangle in the picture
    std::string legend;  // what the picture prints on the key, lines split by '\n' (UTF-8)
    KeyShape shape = KeyShape::Cap;
    Box reach;                        // IsoEnter only
    int32_t compoundTime = -1;        // compound entries: longest gap between component presses (ms)
    std::vector<int32_t> components;  // compound entries: virtual-key codes in pressing order
};

enum class DecorKind {
    KeyboardBody,  // the dark case the keys sit in
    MouseBody,     // the shell of the drawn mouse
    LockLights,    // the Num Lock, Caps Lock and Scroll Lock lights
    Caption,       // small text on the picture's background
};

struct Decor {
    DecorKind kind;
    Box box;
    std::string text;  // Caption only
};

struct LayoutSheet {
    std::string name;                // file name without extension
    std::string title;               // printed at the top of the picture
    std::vector<std::string> notes;  // the comment lines at the head of the file
    std::vector<LayoutKey> keys;     // in file order
    std::vector<Decor> decor;        // drawn before the keys, in order
};

// A sheet with its name, title and file notes, and no keys yet.
LayoutSheet NewLayoutSheet(const char* name, const char* title, std::vector<std::string> notes);

// The pixel origin of a block of keys; positions inside it are in quarter units.
struct KeyGrid {
    int left = 0;
    int top = 0;
};

// The rectangle of a key whose top-left corner lies `quarterX`, `quarterY` quarter units into the grid.
Box GridBox(const KeyGrid& grid, int quarterX, int quarterY, int quarterWidth, int quarterHeight);

// One key of a row as the tables give it.
struct KeyDef {
    const char* code;  // a virtual-key name, one character for letters and digits; nullptr for a gap
    int32_t scanCode;
    bool extended;
    const char* label;
    const char* legend;  // nullptr: the label
    int width = 4;       // quarter units
    int height = 4;
};

// A gap of `width` quarter units in a row.
KeyDef RowGap(int width);

// Places `keys` side by side from `quarterX`, with their tops at `quarterY`.
void PlaceRow(LayoutSheet& sheet, const KeyGrid& grid, int quarterX, int quarterY,
              std::initializer_list<KeyDef> keys);

// The key whose label is `label`; nullptr when there is none.
LayoutKey* FindKeyByLabel(LayoutSheet& sheet, const std::string& label);
