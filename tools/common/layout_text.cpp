// The text of a layout file as the tools write it.
#include "tools/common/layout_text.h"

std::string FormatLayoutRow(const LayoutKey& key) {
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

std::string FormatLayoutText(const std::vector<std::string>& comments, const std::vector<LayoutKey>& keys) {
    std::string text;
    for (const std::string& comment : comments) {
        text += "# " + comment + "\r\n";
    }
    for (const LayoutKey& key : keys) {
        text += FormatLayoutRow(key) + "\r\n";
    }
    return text;
}
