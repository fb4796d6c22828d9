// The layout files the generator writes: a commented .kbl and the picture its rectangles refer to.
#include "tools/layoutgen/layout_file.h"

#include "tools/common/bitmap_file.h"
#include "tools/layoutgen/keyboard_art.h"
#include "tools/layoutgen/output_file.h"

namespace {

const char* const kHeadLines[] = {
    "Made by layoutgen together with the picture of the same name: change its tables and run it again",
    "rather than editing this file.",
    "Columns: virtual-key code, BIOS scan code (set 1 make code), caption, extended-key bit, status,",
    "key-down time, then left, top, width and height of the key on the 700 x 340 picture.",
    "Compound rows add the longest time in ms between presses and the codes of their keys in pressing order.",
    "Both Shift keys send VK_SHIFT without the extended bit: only matching by BIOS code tells them apart.",
};

std::string FormatRow(const LayoutKey& key) {
    std::string row = key.code + "," + std::to_string(key.scanCode) + ",\"" + key.label + "\",\"" +
                      (key.extended ? "true" : "false") + "\",\"" + key.status + "\",0," +
                      std::to_string(key.box.left) + "," + std::to_string(key.box.top) + "," +
                      std::to_string(key.box.width) + "," + std::to_string(key.box.height);
    if (key.compoundTime >= 0) {
        row += "," + std::to_string(key.compoundTime);
        for (int32_t component : key.components) {
            row += "," + std::to_string(component);
        }
    }
    return row;
}

}  // namespace

std::string FormatLayoutFile(const LayoutSheet& sheet) {
    std::string text;
    for (const std::string& note : sheet.notes) {
        text += "# " + note + "\r\n";
    }
    for (const char* line : kHeadLines) {
        text += std::string("# ") + line + "\r\n";
    }
    for (const LayoutKey& key : sheet.keys) {
        text += FormatRow(key) + "\r\n";
    }
    return text;
}

bool WriteLayoutFiles(const std::string& folder, const LayoutSheet& sheet) {
    const std::string base = folder + "/" + sheet.name;
    const std::string text = FormatLayoutFile(sheet);
    return WriteWholeFile(base + ".kbl", text.data(), text.size()) &&
           WriteBitmapFile(base + ".bmp", DrawLayoutPicture(sheet));
}
