// A layout as the tools that draw layouts hold it: every key with its file columns and its place on the
// picture, and the pieces of the picture that are not keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/window_geometry.h"

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
    IsoEnter,     // a key of two rectangles, such as an L-shaped Enter key: `box` is its main part (the stem
                  // of the Enter key), `reach` the other (the Enter key's wider upper part)
    Turned,       // a cap turned by other than a right angle: `corners` is its outline, `box` the largest
                  // upright rectangle inside it
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
    double corners[8] = {};           // Turned only: x, y of the cap's four corners in turn, in pixels
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
