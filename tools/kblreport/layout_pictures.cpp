// The layouts of the heat map: the tester's layout reader builds the keys, and the message box it would show
// for a file it cannot build becomes the layout's note.
#include "tools/kblreport/layout_pictures.h"

#include <cstdlib>

#include "base/paths.h"
#include "base/platform.h"
#include "layouts/layout_catalogue.h"
#include "tools/common/message_sink.h"
#include "tools/common/output_file.h"
#include "tools/kblreport/gbk_text.h"

namespace {

constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr int64_t kLargestSide = 32767;

// The message the layout reader showed last, on one line. It names the layout's file, whose name and path
// are UTF-8 like the report's own texts.
std::string lastMessage;

void KeepLastMessage(const std::string& text, const char*) {
    lastMessage = text;
    for (char& c : lastMessage) {
        c = c == '\n' ? ' ' : c;
    }
}

uint32_t LittleEndianAt(const std::string& bytes, size_t at, size_t size) {
    uint32_t value = 0;
    for (size_t i = 0; i < size; ++i) {
        value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + i])) << (8 * i);
    }
    return value;
}

void AddNote(LayoutPicture& picture, const std::string& note) {
    picture.note += (picture.note.empty() ? "" : "; ") + note;
}

// A caption of a layout file, GBK as the tester reads it on a Chinese Windows, in UTF-8.
std::string LabelInUtf8(const std::string& label) {
    std::string utf8;
    GbkToUtf8Checked(label, utf8);
    return utf8;
}

void LoadKeys(const std::string& layoutPath, LayoutPicture& picture) {
    if (!FileExists(layoutPath)) {
        AddNote(picture, layoutPath + " not found");
        return;
    }
    KeyboardLayout layout;
    lastMessage.clear();
    messageSink.handler = KeepLastMessage;
    const bool loaded = LoadLayoutFile(nullptr, layoutPath, picture.layoutFile, layout);
    messageSink.handler = nullptr;
    if (!loaded) {
        AddNote(picture, lastMessage);
        return;
    }
    for (const KeyEntry& entry : layout.keys) {
        if (entry.virtualKey != kTerminatorCode) {
            picture.keys.push_back(
                {LabelInUtf8(entry.label), entry.left, entry.top, entry.width, entry.height});
        }
    }
}

}  // namespace

bool ReadBitmapSize(const std::string& bytes, int32_t& width, int32_t& height) {
    if (bytes.size() < 14 + kCoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    const uint32_t headerSize = LittleEndianAt(bytes, 14, 4);
    int64_t columns = 0;
    int64_t rows = 0;
    if (headerSize == kCoreHeaderSize) {
        columns = LittleEndianAt(bytes, 18, 2);
        rows = LittleEndianAt(bytes, 20, 2);
    } else if (headerSize >= kInfoHeaderSize && bytes.size() >= 14 + kInfoHeaderSize) {
        columns = static_cast<int32_t>(LittleEndianAt(bytes, 18, 4));
        rows = std::llabs(static_cast<int32_t>(LittleEndianAt(bytes, 22, 4)));  // negative: rows top down
    }
    if (columns <= 0 || rows <= 0 || columns > kLargestSide || rows > kLargestSide) {
        return false;
    }
    width = static_cast<int32_t>(columns);
    height = static_cast<int32_t>(rows);
    return true;
}

bool IsBareLayoutName(const std::string& name) {
    std::string upper;
    for (const char c : name) {
        if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':') {
            return false;
        }
        upper += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (upper.size() <= 4 || upper.compare(upper.size() - 4, 4, ".KBL") != 0) {
        return false;
    }
    const std::string stem = upper.substr(0, upper.find('.'));
    const bool numbered = stem.size() == 4 && stem[3] >= '0' && stem[3] <= '9';
    const std::string device = numbered ? stem.substr(0, 3) : stem;
    return !(device == "CON" || device == "PRN" || device == "AUX" || device == "NUL" ||
             (numbered && (device == "COM" || device == "LPT")));
}

LayoutPicture LoadLayoutPicture(const std::string& folder, const std::string& layoutFile) {
    LayoutPicture picture;
    picture.layoutFile = layoutFile;
    if (!IsBareLayoutName(layoutFile)) {
        picture.note =
            "\"" + layoutFile + "\" is no layout file name (NAME.kbl without a folder): not opened";
        return picture;
    }
    LoadKeys(JoinPath(folder, layoutFile), picture);
    const std::string bitmapPath = JoinPath(folder, BitmapNameFor(layoutFile));
    if (!ReadWholeFile(bitmapPath, picture.bitmap)) {
        AddNote(picture, bitmapPath + " not found");
        picture.bitmap.clear();
    } else if (!ReadBitmapSize(picture.bitmap, picture.width, picture.height)) {
        AddNote(picture, bitmapPath + " is no bitmap file");
        picture.bitmap.clear();
    }
    return picture;
}
