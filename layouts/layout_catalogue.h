// The catalogue of layouts found beside the executable, and the current layout that the engine and the
// picture work on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/platform.h"
#include "layouts/key_definitions.h"

constexpr int kMaxLayouts = 100;

struct LayoutCatalogue {
    std::vector<KeyboardLayout> layouts;  // slots 0 to layoutCount - 1, in directory-search order
    int32_t layoutCount = 0;
    int32_t currentLayout = 0;
    std::vector<KeyEntry>* currentKeys = nullptr;  // keys of the current layout
    uint32_t currentStamp = 0;  // another value each time a layout is made current, never 0 after it
};

extern LayoutCatalogue catalogue;

// Searches `directory` for .kbl files, builds every layout it can and reports every file it skips, with
// message boxes owned by `owner`. Returns the number of layouts built.
int LoadLayoutCatalogue(WindowHandle owner, const std::string& directory);

// Reads and builds one layout file into `layout`, as the catalogue does for each file it finds: a file
// without data, or whose rows do not build, is reported in a message box owned by `owner` and gives false.
bool LoadLayoutFile(WindowHandle owner, const std::string& layoutPath, const std::string& fileName,
                    KeyboardLayout& layout);

// Makes layout `index` the current one: `currentLayout` and `currentKeys` follow it.
void MakeLayoutCurrent(int32_t index);

// Frees every layout; the catalogue is empty afterwards.
void FreeLayoutCatalogue();
