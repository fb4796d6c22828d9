// What the layout checker prints: message blocks and the dump of built layouts.
#include "tools/kblcheck/check_output.h"

#include <cinttypes>

#include "base/text_format.h"

std::string ShowLineBreaks(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        if (c == '\n') {
            shown += "\\n";
        } else if (c == '\r') {
            shown += "\\r";
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string FormatMessageBlock(const char* caption, const std::string& text) {
    return std::string("[") + caption + "] " + ShowLineBreaks(text) + "\n";
}

namespace {

std::string FormatComponents(const KeyEntry& entry) {
    if (entry.components.empty()) {
        return "-";
    }
    std::string list;
    for (const int32_t code : entry.components) {
        if (!list.empty()) {
            list += ',';
        }
        list += std::to_string(code);
    }
    return list;
}

}  // namespace

std::string FormatKeyEntry(const std::vector<KeyEntry>& keys, size_t index) {
    const KeyEntry& entry = keys[index];
    return FormatText(
        "virtualKey=%" PRId32 " scanCode=%" PRId32 " label=\"%s\" extended=%" PRId32 " status=%" PRId32
        " downTime=%" PRId64 " left=%" PRId32 " top=%" PRId32 " width=%" PRId32 " height=%" PRId32
        " compoundTime=%" PRId64 " components=%s duplicateRole=%" PRId32,
        entry.virtualKey, entry.scanCode, ShowLineBreaks(entry.label).c_str(), entry.extended, entry.status,
        entry.downTime, entry.left, entry.top, entry.width, entry.height, entry.compoundTime,
        FormatComponents(entry).c_str(), FirstTurnOf(keys, static_cast<int32_t>(index)));
}

void AppendLayoutDump(const KeyboardLayout& layout, std::string& output) {
    size_t keyCount = 0;
    while (keyCount < layout.keys.size() && layout.keys[keyCount].virtualKey != kTerminatorCode) {
        ++keyCount;
    }
    output += "layout " + layout.name + " (" + std::to_string(keyCount) + " keys)\n";
    for (size_t i = 0; i < keyCount; ++i) {
        output += "  " + FormatKeyEntry(layout.keys, i) + "\n";
    }
}
