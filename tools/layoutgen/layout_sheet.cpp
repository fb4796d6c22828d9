// Placing the keys of a layout's tables on the picture's key grid.
#include "tools/layoutgen/layout_sheet.h"

#include <cstring>
#include <utility>

namespace {

// Pixels from a grid's origin to the start of the quarter unit `quarter`, rounded to the nearest pixel.
int QuarterToPixels(int quarter, int pitch) {
    return (quarter * pitch + 2) / 4;
}

std::string FileCode(const char* code) {
    if (std::strlen(code) == 1) {
        return std::string("'") + code + "'";
    }
    return std::string("\"") + code + "\"";
}

}  // namespace

LayoutSheet NewLayoutSheet(const char* name, const char* title, std::vector<std::string> notes) {
    LayoutSheet sheet;
    sheet.name = name;
    sheet.title = title;
    sheet.notes = std::move(notes);
    return sheet;
}

Box GridBox(const KeyGrid& grid, int quarterX, int quarterY, int quarterWidth, int quarterHeight) {
    Box box;
    box.left = grid.left + QuarterToPixels(quarterX, kKeyPitchX);
    box.top = grid.top + QuarterToPixels(quarterY, kKeyPitchY);
    box.width = grid.left + QuarterToPixels(quarterX + quarterWidth, kKeyPitchX) - kKeyGap - box.left;
    box.height = grid.top + QuarterToPixels(quarterY + quarterHeight, kKeyPitchY) - kKeyGap - box.top;
    return box;
}

KeyDef RowGap(int width) {
    return KeyDef{nullptr, 0, false, nullptr, nullptr, width};
}

void PlaceRow(LayoutSheet& sheet, const KeyGrid& grid, int quarterX, int quarterY,
              std::initializer_list<KeyDef> keys) {
    int x = quarterX;
    for (const KeyDef& def : keys) {
        if (def.code != nullptr) {
            LayoutKey key;
            key.code = FileCode(def.code);
            key.scanCode = def.scanCode;
            key.extended = def.extended;
            key.label = def.label;
            key.legend = def.legend != nullptr ? def.legend : def.label;
            key.box = GridBox(grid, x, quarterY, def.width, def.height);
            sheet.keys.push_back(key);
        }
        x += def.width;
    }
}

LayoutKey* FindKeyByLabel(LayoutSheet& sheet, const std::string& label) {
    for (LayoutKey& key : sheet.keys) {
        if (key.label == label) {
            return &key;
        }
    }
    return nullptr;
}
