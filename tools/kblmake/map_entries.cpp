// Reading the mappings of --map and of mapping files.
#include "tools/kblmake/map_entries.h"

#include "layouts/key_names.h"

namespace {

// A whole decimal number from 0 to `largest`, or -1.
int32_t ReadWholeNumber(const std::string& text, int32_t largest) {
    if (text.empty() || text.size() > 9) {
        return -1;
    }
    int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return -1;
        }
        value = value * 10 + (c - '0');
    }
    return value <= largest ? value : -1;
}

int32_t ReadVirtualKey(const std::string& text) {
    if (text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z') {
        return text[0];
    }
    const int32_t named = LookupVirtualKeyName(text.c_str());
    const int32_t code = named > 0 ? named : ReadWholeNumber(text, 254);
    return code > 0 ? code : -1;
}

// A caption the layout file can hold in its quotes: printable ASCII without a quote, and a comma only as
// the whole caption.
bool IsFileCaption(const std::string& caption) {
    for (const char c : caption) {
        if (c < ' ' || c > '~' || c == '"' || (c == ',' && caption.size() > 1)) {
            return false;
        }
    }
    return !caption.empty();
}

}  // namespace

bool ParseMapEntry(const std::string& text, MapEntry& entry, std::string& error) {
    entry = MapEntry();
    const size_t equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0) {
        error = "\"" + text + "\" is no mapping: write LEGEND=VK,SCAN[,E[,CAPTION]]";
        return false;
    }
    entry.legend = UnescapeLegend(text.substr(0, equals));
    const size_t comma = entry.legend.find(',');
    if (entry.legend[0] == '@' && comma != std::string::npos) {
        entry.row = ReadWholeNumber(entry.legend.substr(1, comma - 1), 9999);
        entry.column = ReadWholeNumber(entry.legend.substr(comma + 1), 9999);
        if (entry.row <= 0 || entry.column <= 0) {
            error = "\"" + text + "\": a key's place is @ROW,COLUMN, both counted from 1";
            return false;
        }
    }
    // VK, SCAN and E end at a comma; the caption, last, may hold anything but a line break.
    std::vector<std::string> fields;
    size_t start = equals + 1;
    while (fields.size() < 3) {
        const size_t comma = text.find(',', start);
        if (comma == std::string::npos) {
            fields.push_back(text.substr(start));
            break;
        }
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
        if (fields.size() == 3) {
            entry.codes.caption = text.substr(start);
        }
    }
    entry.codes.virtualKey = ReadVirtualKey(fields[0]);
    entry.codes.scanCode = fields.size() > 1 ? ReadWholeNumber(fields[1], 255) : -1;
    if (entry.codes.virtualKey < 0 || entry.codes.scanCode < 0) {
        error = "\"" + text + "\": VK must be a key name (VK_OEM_5), a number from 1 to 254 or a capital " +
                "letter, and SCAN a number from 0 to 255";
        return false;
    }
    const std::string flag = fields.size() > 2 ? fields[2] : "";
    if (flag != "" && flag != "E" && flag != "e") {
        error = "\"" + text + "\": the field after SCAN must be E (extended) or empty";
        return false;
    }
    entry.codes.extended = flag != "";
    if (!entry.codes.caption.empty() && !IsFileCaption(entry.codes.caption)) {
        error = "\"" + text + "\": a caption must be plain ASCII, without commas or quotes";
        return false;
    }
    return true;
}

bool ParseMapFile(const std::string& text, std::vector<MapEntry>& entries, std::string& error) {
    const std::string byteOrderMark = "\xEF\xBB\xBF";  // as editors on Windows save UTF-8
    size_t start = text.compare(0, 3, byteOrderMark) == 0 ? 3 : 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        MapEntry entry;
        if (!ParseMapEntry(line, entry, error)) {
            error = "line " + std::to_string(lineNumber) + ": " + error;
            return false;
        }
        entries.push_back(entry);
    }
    return true;
}

std::string UnescapeLegend(const std::string& text) {
    std::string legend;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'n' || text[i + 1] == '\\')) {
            legend += text[i + 1] == 'n' ? '\n' : '\\';
            ++i;
        } else {
            legend += text[i];
        }
    }
    return legend;
}
