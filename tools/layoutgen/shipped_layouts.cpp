// The list of shipped layouts, each with its keys in reading order: row by row across the keyboard, then
// the entries that are not keyboard keys.
#include "tools/layoutgen/shipped_layouts.h"

#include <algorithm>

namespace {

// Mouse buttons and compound entries come after the keyboard keys, in the order they were placed.
bool IsPseudoKey(const LayoutKey& key) {
    return key.shape == KeyShape::MouseButton || key.code == "\"COMPOUND\"";
}

void SortInReadingOrder(LayoutSheet& sheet) {
    std::stable_sort(sheet.keys.begin(), sheet.keys.end(), [](const LayoutKey& a, const LayoutKey& b) {
        if (IsPseudoKey(a) != IsPseudoKey(b)) {
            return IsPseudoKey(b);
        }
        if (IsPseudoKey(a)) {
            return false;
        }
        return a.box.top != b.box.top ? a.box.top < b.box.top : a.box.left < b.box.left;
    });
}

}  // namespace

std::vector<LayoutSheet> ShippedLayouts() {
    std::vector<LayoutSheet> sheets = {UsLayout(), UkLayout(), GermanLayout(), JapaneseLayout(),
                                       DemoLayout()};
    for (LayoutSheet& sheet : sheets) {
        SortInReadingOrder(sheet);
    }
    return sheets;
}
