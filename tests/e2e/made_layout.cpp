// Making a layout in the driver with kblmake's reading, mapping and drawing.
#include "tests/e2e/made_layout.h"

#include <cstdint>
#include <vector>

#include "tools/common/keyboard_art.h"
#include "tools/kblmake/layout_making.h"

bool MakeLayoutFromEditorFile(const char* json, const std::string& name, std::string& text,
                              std::string& picture) {
    KleBoard board;
    MakeOptions options;
    options.layoutName = name;
    options.sourceName = name + ".json";
    MadeLayout made;
    std::string error;
    text.clear();
    picture.clear();
    if (!ReadKleBoard(json, board, error) || !MakeLayout(board, options, made, error)) {
        return false;
    }
    text = made.text;
    const std::vector<uint8_t> bytes = EncodeBitmapFile(DrawLayoutPicture(made.sheet));
    picture.assign(bytes.begin(), bytes.end());
    return true;
}
