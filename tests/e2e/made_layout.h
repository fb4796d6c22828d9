// A layout made by kblmake's own code from a keyboard-layout-editor text, for the cases that meet a made
// layout in the tester. Kept apart from the cases' own layout types, whose names kblmake's share.
#pragma once

#include <string>

// Makes the layout `name` of `json` as kblmake makes it: the layout file's text and the picture file's bytes.
// False, with both empty, when kblmake would refuse it.
bool MakeLayoutFromEditorFile(const char* json, const std::string& name, std::string& text,
                              std::string& picture);
