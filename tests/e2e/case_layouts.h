// Building the case tables' layouts from their keys, so that a key's line in the file, the key the driver
// sends and the place where its overlay shows are written once.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/e2e_case.h"

// The overlay colours of the picture.
constexpr long kRed = 0xFF0000;
constexpr long kGreen = 0x00FF00;
constexpr long kAmber = 0xFFBF35;
constexpr long kBlue = 0x0000FF;

struct LayoutKey {
    std::string code;      // the first column as the file writes it
    KeyStroke stroke;      // the key as the driver sends it; its label is the layout's label
    std::string status;    // the status keyword
    PictureRect place;     // the key's rectangle on the picture
    std::string compound;  // for a compound key: its time and components, as "500,78"
};

// The text of a layout file holding `keys`, one line each.
std::string LayoutText(const std::vector<LayoutKey>& keys);

// A layout file named `name`.kbl with its picture.
LayoutFile MakeLayoutFile(const std::string& name, const std::vector<LayoutKey>& keys);

// A key of code `code` in the file, sent as `stroke`.
LayoutKey MakeKey(const std::string& code, const KeyStroke& stroke, const std::string& status,
                  const PictureRect& place);

// A compound key `label` with its time and components, as "500,78".
LayoutKey CompoundKey(const std::string& label, const std::string& status, const PictureRect& place,
                      const std::string& compound);

// Keys the layouts of the cases share, and keys no layout holds.
LayoutKey EscKey(const PictureRect& place);
LayoutKey LetterKey(char letter, int scanCode, const std::string& status, const PictureRect& place);
LayoutKey SpaceKey(const PictureRect& place);
LayoutKey LeftMouseKey(const PictureRect& place);

// Inline, so that they are made before any table that includes this header uses them.
inline const KeyStroke kAltKey = {VK_MENU, 56, false, "Alt"};
inline const KeyStroke kF4Key = {VK_F4, 62, false, ""};
inline const KeyStroke kF10Key = {VK_F10, 68, false, ""};
inline const KeyStroke kEscapeStroke = {VK_ESCAPE, 1, false, "Esc"};

// A letter key as the driver sends it, labelled as the letter.
KeyStroke Letter(char letter, int scanCode);
