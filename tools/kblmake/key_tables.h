// What kblmake knows of keys: the codes Windows sends for the usual legends and for the numeric keypad by
// position, and the captions of characters. The national layouts' characters are in key_presets.h.
#pragma once

#include <cstdint>
#include <string>

struct KeyCodes {
    int32_t virtualKey = 0;
    int32_t scanCode = 0;
    bool extended = false;
    std::string caption;        // what the tester shows and logs; ASCII
    bool sendsNothing = false;  // a key the tester shows but neither tests nor waits for
};

// A legend as the name tables spell it: small letters, without blanks, hyphens, underscores and line breaks.
std::string NormalizeLegend(const std::string& legend);

enum class KeySide { Left, Right };

// True for a legend that names a key the keyboard handles itself and never sends (Fn, Raise, Lower, ⇑, ⇓).
bool IsLayerKey(const std::string& legend);

// The codes of a key whose legend names it: an English or German key name in any case and spacing (Esc,
// Backspace, Pos1, Page Up, F5, Num Lock, Muhenkan, ...), an arrow, or a key name of the layout files,
// spelled exactly (VK_F13). Shift, Ctrl, Alt and Win differ by `side`. False for any other legend.
bool LookupNamedKey(const std::string& legend, KeySide side, KeyCodes& codes);

// The codes of the numeric keypad's key `column` units right of Num Lock and `row` units below it; the
// decimal key is captioned for a comma when `comma`. False for a place where no keypad key lies.
bool LookupKeypadKey(int column, int row, bool comma, KeyCodes& codes);

// An ASCII caption for the character `character` (one code point, UTF-8): itself, a capital for a small
// letter, or a spelled-out name for the few others keyboards print (Ae for Ä, ss for ß, Yen for ¥). Empty
// when there is none.
std::string CaptionForCharacter(const std::string& character);

// The layout file's column 1 for `virtualKey`: a quoted letter or digit, a quoted key name, or the number.
std::string LayoutCodeOf(int32_t virtualKey);
