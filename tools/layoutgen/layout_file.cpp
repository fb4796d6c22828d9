// The layout files the generator writes: a commented .kbl and the picture its rectangles refer to.
#include "tools/layoutgen/layout_file.h"

#include "tools/common/bitmap_file.h"
#include "tools/common/keyboard_art.h"
#include "tools/common/layout_text.h"
#include "tools/common/output_file.h"

namespace {

const char* const kHeadLines[] = {
    "Made by layoutgen together with the picture of the same name: change its tables and run it again",
    "rather than editing this file.",
    "Columns: virtual-key code, BIOS scan code (set 1 make code), caption, extended-key bit, status,",
    "key-down time, then left, top, width and height of the key on the 700 x 340 picture.",
    "Compound rows add the longest time in ms between presses and the codes of their keys in pressing order.",
    "Both Shift keys send VK_SHIFT without the extended bit: only matching by BIOS code tells them apart.",
};

}  // namespace

std::string FormatLayoutFile(const LayoutSheet& sheet) {
    std::vector<std::string> comments = sheet.notes;
    comments.insert(comments.end(), std::begin(kHeadLines), std::end(kHeadLines));
    return FormatLayoutText(comments, sheet.keys);
}

bool WriteLayoutFiles(const std::string& folder, const LayoutSheet& sheet) {
    const std::string base = folder + "/" + sheet.name;
    const std::string text = FormatLayoutFile(sheet);
    return WriteWholeFile(base + ".kbl", text.data(), text.size()) &&
           WriteBitmapFile(base + ".bmp", DrawLayoutPicture(sheet));
}
