// Fuzz target: arbitrary bytes as a keyboard-layout-editor file, read, mapped and made into a layout as
// kblmake makes it. The first byte chooses the national layout (its low three bits; 6 and 7 leave it to
// kblmake) and, with bit 3, takes the next line as a mapping file's line. Besides the sanitizers, every
// layout made is checked against what the tester relies on: each key is a cap the picture can draw, inside
// it, and the layout file holds one line per comment and per key, none of them too long or broken by a
// control character.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/common/keyboard_art.h"
#include "tools/kblmake/layout_making.h"

namespace {

constexpr int kSmallestCap = 8;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckBox(const Box& box) {
    Require(box.width >= kSmallestCap && box.height >= kSmallestCap);
    Require(box.left >= 0 && box.top >= 0 && box.left + box.width <= kPictureWidth &&
            box.top + box.height <= kPictureHeight);
}

void CheckMade(const KleBoard& board, const MadeLayout& made) {
    Require(made.sheet.keys.size() == board.keys.size());
    for (const LayoutKey& key : made.sheet.keys) {
        CheckBox(key.box);
        if (key.shape == KeyShape::IsoEnter) {
            CheckBox(key.reach);
        }
        Require(!key.label.empty());
        for (const char c : key.label) {
            Require(c >= ' ' && c <= '~' && c != '"');
        }
        Require(key.legend.empty() || LegendFits(key));
    }
    size_t rows = 0;
    size_t start = 0;
    while (start < made.text.size()) {
        const size_t end = made.text.find("\r\n", start);
        Require(end != std::string::npos && end - start <= kLongestFileLine);
        for (size_t i = start; i < end; ++i) {
            Require(static_cast<unsigned char>(made.text[i]) >= 0x20 && made.text[i] != 0x7F);
        }
        rows += made.text[start] == '#' ? 0 : 1;
        start = end + 2;
    }
    Require(rows == board.keys.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    MakeOptions options;
    options.layoutName = "Fuzz";
    options.sourceName = "fuzz.json";
    const int preset = data[0] & 7;
    options.rules.keysGiven = preset <= static_cast<int>(KeyPreset::Japanese);
    options.rules.keys = options.rules.keysGiven ? static_cast<KeyPreset>(preset) : KeyPreset::US;
    std::string error;
    if (data[0] & 8) {
        const size_t lineEnd = text.find('\n');
        const std::string mapLine = text.substr(0, lineEnd);
        text = lineEnd == std::string::npos ? std::string() : text.substr(lineEnd + 1);
        if (!ParseMapFile(mapLine, options.rules.maps, error)) {
            Require(!error.empty());
        }
    }
    KleBoard board;
    if (!ReadKleBoard(text, board, error)) {
        Require(!error.empty());
        return 0;
    }
    Require(!board.keys.empty());
    MadeLayout made;
    if (MakeLayout(board, options, made, error)) {
        CheckMade(board, made);
    } else {
        Require(!error.empty());
    }
    return 0;
}
