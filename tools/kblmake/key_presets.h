// The national keyboard layouts kblmake knows by name: the codes Windows gives each key of such a keyboard,
// found by the character the key types unshifted.
#pragma once

#include <string>

#include "tools/kblmake/key_tables.h"

enum class KeyPreset { US, UK, German, French, Nordic, Japanese };

// The names of the presets, as --keys takes them and --help lists them.
extern const char* const kKeyPresetNames;

// The preset called `name`, in any case; false for a name no preset has.
bool FindKeyPreset(const std::string& name, KeyPreset& preset);

// The codes of the key whose unshifted character is `character` (one code point, UTF-8, a letter in either
// case) on a keyboard of the layout `preset`: the layout's own keys first, then the letters and digits it
// leaves where the US layout has them. The caption is CaptionForCharacter's. False for a character the
// layout does not place.
bool LookupCharacterKey(const std::string& character, KeyPreset preset, KeyCodes& codes);
