// Making a layout from a board. The keyboard is drawn as large as fits between the title and the bottom of
// the picture, in whole pixels per key unit, with keys 6/5 as tall as wide as on the shipped pictures; key
// places are rounded to the pixel from their unit positions, so keys a unit apart stay evenly spaced.
#include "tools/kblmake/layout_making.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "tools/common/keyboard_art.h"
#include "tools/common/layout_text.h"
#include "tools/common/pixel_font.h"
#include "tools/kblmake/key_mapping.h"
#include "tools/kblmake/key_overlaps.h"

namespace {

// Where the keyboard's case may lie: below the title and subtitle, a margin from the picture's sides.
constexpr int kCaseTopLimit = 86;
constexpr int kCaseBottomLimit = kPictureHeight - 8;
constexpr int kCaseSideMargin = 7;
constexpr int kCasePadding = 10;
// Pixels per key unit across: the largest drawn, and the smallest that leaves a key room for its legend.
constexpr int kLargestPitch = 40;
constexpr int kSmallestPitch = 14;
constexpr int kSubtitleLeft = 10;
constexpr int kSubtitleTop = 48;
constexpr double kSameUnits = 0.01;
// The smallest cap the picture can draw: its outline, rim and skirt, and one pixel of face.
constexpr int kSmallestCapPixels = 8;

struct Geometry {
    double left = 0;  // the board's extent in key units
    double top = 0;
    double width = 0;
    double height = 0;
    int pitchX = 0;
    int pitchY = 0;
    int originX = 0;  // where the board's top-left corner lands on the picture
    int originY = 0;
};

int ToPixels(double units, int pitch) {
    return static_cast<int>(std::floor(units * pitch + 0.5));
}

Box PixelBox(const Geometry& geometry, const UnitRect& rect) {
    Box box;
    box.left = geometry.originX + ToPixels(rect.x - geometry.left, geometry.pitchX);
    box.top = geometry.originY + ToPixels(rect.y - geometry.top, geometry.pitchY);
    box.width = geometry.originX + ToPixels(rect.x + rect.width - geometry.left, geometry.pitchX) - kKeyGap -
                box.left;
    box.height =
        geometry.originY + ToPixels(rect.y + rect.height - geometry.top, geometry.pitchY) - kKeyGap - box.top;
    return box;
}

// The largest pitch at which the board's case fits; false when even the smallest does not.
bool FitBoard(const KleBoard& board, Geometry& geometry, std::string& error) {
    double right = board.keys.front().main.x;
    double bottom = board.keys.front().main.y;
    geometry.left = right;
    geometry.top = bottom;
    for (const KleKey& key : board.keys) {
        for (const UnitRect& rect : {key.main, key.second}) {
            geometry.left = std::min(geometry.left, rect.x);
            geometry.top = std::min(geometry.top, rect.y);
            right = std::max(right, rect.x + rect.width);
            bottom = std::max(bottom, rect.y + rect.height);
        }
        for (const UnitPoint& corner : key.cap) {
            if (key.turn != 0) {
                geometry.left = std::min(geometry.left, corner.x);
                geometry.top = std::min(geometry.top, corner.y);
                right = std::max(right, corner.x);
                bottom = std::max(bottom, corner.y);
            }
        }
    }
    geometry.width = right - geometry.left;
    geometry.height = bottom - geometry.top;
    for (int pitch = kLargestPitch; pitch >= kSmallestPitch; --pitch) {
        const int pitchY = (pitch * 6 + 2) / 5;
        const int caseWidth = ToPixels(geometry.width, pitch) - kKeyGap + 2 * kCasePadding;
        const int caseHeight = ToPixels(geometry.height, pitchY) - kKeyGap + 2 * kCasePadding;
        if (caseWidth <= kPictureWidth - 2 * kCaseSideMargin &&
            caseHeight <= kCaseBottomLimit - kCaseTopLimit) {
            geometry.pitchX = pitch;
            geometry.pitchY = pitchY;
            geometry.originX = (kPictureWidth - caseWidth + 1) / 2 + kCasePadding;
            geometry.originY =
                kCaseTopLimit + (kCaseBottomLimit - kCaseTopLimit - caseHeight) / 2 + kCasePadding;
            return true;
        }
    }
    error = "the keyboard, " + std::to_string(static_cast<int>(std::ceil(geometry.width))) + " x " +
            std::to_string(static_cast<int>(std::ceil(geometry.height))) +
            " key units, is too large for the 700 x 340 picture: its keys would be narrower than " +
            std::to_string(kSmallestPitch) + " pixels";
    return false;
}

// The three lock lights sit where a full-size keyboard has them: above the keypad, in the top row, when
// that space is free.
void AddLockLights(const KleBoard& board, const Geometry& geometry, LayoutSheet& sheet) {
    const KleKey* numLock = FindNumLockKey(board);
    if (numLock == nullptr || numLock->main.y < geometry.top + 1) {
        return;
    }
    const UnitRect lights{numLock->main.x, geometry.top, 4, 1};
    for (const KleKey& key : board.keys) {
        if (RectsOverlap(key.main, lights) || RectsOverlap(key.second, lights)) {
            return;
        }
    }
    sheet.decor.push_back(Decor{DecorKind::LockLights, PixelBox(geometry, lights), ""});
}

std::vector<std::string> SplitCodePoints(const std::string& text) {
    std::vector<std::string> codePoints;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) == 0x80 && !codePoints.empty()) {
            codePoints.back() += c;
        } else {
            codePoints.emplace_back(1, c);
        }
    }
    return codePoints;
}

int LineWidth(const std::string& line) {
    return MeasureText(line, 1).width;
}

// Breaks `line` at blanks and after hyphens so that each piece fits `width` where it can.
void WrapLine(const std::string& line, int width, std::vector<std::string>& lines) {
    std::vector<std::string> words(1);
    for (const char c : line) {
        if (c == ' ') {
            words.emplace_back();
            continue;
        }
        words.back() += c;
        if (c == '-') {
            words.emplace_back();
        }
    }
    std::string current;
    for (const std::string& word : words) {
        if (word.empty()) {
            continue;
        }
        const bool afterHyphen = !current.empty() && current.back() == '-';
        const std::string joined = current.empty() ? word : current + (afterHyphen ? "" : " ") + word;
        if (current.empty() || LineWidth(joined) <= width) {
            current = joined;
        } else {
            lines.push_back(current);
            current = word;
        }
    }
    lines.push_back(current);
}

// The outline of a turned cap on the picture, drawn a gap's width smaller than the cap as upright caps are.
void TurnedOutline(const Geometry& geometry, const KleKey& key, double* corners) {
    const UnitPoint centre{(key.cap[0].x + key.cap[2].x) / 2, (key.cap[0].y + key.cap[2].y) / 2};
    for (size_t i = 0; i < 4; ++i) {
        const double dx = key.cap[i].x - centre.x;
        const double dy = key.cap[i].y - centre.y;
        const double length = std::hypot(dx * geometry.pitchX, dy * geometry.pitchY);
        const double inset = length <= kKeyGap ? 0 : (length - kKeyGap) / length;
        corners[2 * i] = geometry.originX + ((centre.x - geometry.left) + dx * inset) * geometry.pitchX - 1;
        corners[2 * i + 1] =
            geometry.originY + ((centre.y - geometry.top) + dy * inset) * geometry.pitchY - 1;
    }
}

// A drawn part of `key` narrower or lower than a cap can be drawn.
bool FindTooSmallKey(const KleBoard& board, const Geometry& geometry, std::string& error) {
    for (const KleKey& key : board.keys) {
        for (const UnitRect& rect : {key.main, key.second}) {
            const Box box = PixelBox(geometry, rect);
            if (box.width < kSmallestCapPixels || box.height < kSmallestCapPixels) {
                const double units = static_cast<double>(kSmallestCapPixels + kKeyGap) /
                                     std::min(geometry.pitchX, geometry.pitchY);
                std::ostringstream smallest;
                smallest << std::ceil(units * 100) / 100;
                error = DescribeKey(key) + ": the key would be drawn " + std::to_string(box.width) + " x " +
                        std::to_string(box.height) + " pixels, and a cap needs at least " +
                        std::to_string(kSmallestCapPixels) + " x " + std::to_string(kSmallestCapPixels) +
                        ": make it at least " + smallest.str() + " key units wide and high in the editor";
                return true;
            }
        }
    }
    return false;
}

// `text` with every control character (a line break, a tab, an end-of-file mark) replaced by a blank, so
// that it stays one line of the layout file; `replaced` is set when there was one.
std::string OnOneLine(const std::string& text, bool& replaced) {
    std::string line = text;
    for (char& c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = ' ';
            replaced = true;
        }
    }
    return line;
}

bool CheckLineLengths(const std::string& text, std::string& error) {
    size_t start = 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        const size_t end = text.find("\r\n", start);
        const size_t length = end - start;
        if (length > kLongestFileLine) {
            error = "line " + std::to_string(lineNumber) + " of the layout file would be " +
                    std::to_string(length) + " characters long, and the tester reads at most " +
                    std::to_string(kLongestFileLine) +
                    ": shorten the caption, the title or the file name it holds (\"" +
                    text.substr(start, 40) + "...\")";
            return false;
        }
        start = end + 2;
    }
    return true;
}

bool MarkNotRequired(const KleBoard& board, const std::vector<std::string>& legends, LayoutSheet& sheet,
                     std::string& error) {
    for (const std::string& legend : legends) {
        bool found = false;
        for (size_t i = 0; i < board.keys.size(); ++i) {
            if (board.keys[i].legend == legend || sheet.keys[i].label == legend) {
                sheet.keys[i].status = "DQSTATUSNOTEST";
                found = true;
            }
        }
        if (!found) {
            error = "--not-required \"" + EscapeLegend(legend) +
                    "\" names no key: give a key's legend or caption";
            return false;
        }
    }
    return true;
}

}  // namespace

std::string FitLegend(const std::string& legend, const Box& area, std::string& undrawable) {
    const int width = area.width + 2;
    const int lineCount =
        area.height < kFontCapHeight ? 0 : 1 + (area.height - kFontCapHeight) / kFontLinePitch;
    std::string drawable;
    for (const std::string& codePoint : SplitCodePoints(legend)) {
        if (codePoint == "\n" || CanDrawText(codePoint)) {
            drawable += codePoint;
        } else if (undrawable.find(codePoint) == std::string::npos) {
            undrawable += codePoint;
        }
    }
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= drawable.size()) {
        size_t end = drawable.find('\n', start);
        end = end == std::string::npos ? drawable.size() : end;
        WrapLine(drawable.substr(start, end - start), width, lines);
        start = end + 1;
    }
    lines.resize(std::min(lines.size(), static_cast<size_t>(lineCount)));
    std::string fitted;
    for (std::string& line : lines) {
        std::vector<std::string> codePoints = SplitCodePoints(line);
        while (!codePoints.empty() && LineWidth(line) > width) {
            codePoints.pop_back();
            line.clear();
            for (const std::string& codePoint : codePoints) {
                line += codePoint;
            }
        }
        fitted += (fitted.empty() ? "" : "\n") + line;
    }
    while (!fitted.empty() && fitted.back() == '\n') {
        fitted.pop_back();
    }
    return fitted;
}

bool MakeLayout(const KleBoard& fileBoard, const MakeOptions& options, MadeLayout& made, std::string& error) {
    made = MadeLayout();
    KleBoard board = fileBoard;
    TouchBarelyOverlappingKeys(board, made.notes);
    if (board.rawData) {
        made.notes.push_back("read as the editor's raw data");
    }
    if (board.keys.size() > kMaxLayoutKeys) {
        error = "the keyboard has " + std::to_string(board.keys.size()) +
                " keys, and a layout holds at most " + std::to_string(kMaxLayoutKeys);
        return false;
    }
    std::vector<KeyCodes> codes;
    Geometry geometry;
    if (FindOverlap(board, error) || !MapBoardKeys(board, options.rules, codes, made.notes, error) ||
        !FitBoard(board, geometry, error) || FindTooSmallKey(board, geometry, error)) {
        return false;
    }
    LayoutSheet& sheet = made.sheet;
    sheet.name = options.layoutName;
    bool replaced = false;
    sheet.title = OnOneLine(options.title.empty() ? board.name : options.title, replaced);
    const std::string subtitle = OnOneLine(board.notes.substr(0, board.notes.find('\n')), replaced);
    const std::string sourceName = OnOneLine(options.sourceName, replaced);
    if (replaced) {
        made.notes.push_back(
            "control characters (line breaks, tabs) of the title, the notes or the file's name "
            "are written as blanks");
    }
    if (!subtitle.empty()) {
        sheet.decor.push_back(Decor{DecorKind::Caption, Box{kSubtitleLeft, kSubtitleTop, 0, 0}, subtitle});
    }
    const Box keys =
        PixelBox(geometry, UnitRect{geometry.left, geometry.top, geometry.width, geometry.height});
    sheet.decor.push_back(Decor{DecorKind::KeyboardBody,
                                Box{keys.left - kCasePadding, keys.top - kCasePadding,
                                    keys.width + 2 * kCasePadding, keys.height + 2 * kCasePadding},
                                ""});
    AddLockLights(board, geometry, sheet);
    std::string undrawable;
    for (size_t i = 0; i < board.keys.size(); ++i) {
        const KleKey& source = board.keys[i];
        LayoutKey key;
        key.code = LayoutCodeOf(codes[i].virtualKey);
        key.scanCode = codes[i].scanCode;
        key.label = codes[i].caption;
        key.extended = codes[i].extended;
        key.box = PixelBox(geometry, source.main);
        key.reach = PixelBox(geometry, source.second);
        const bool twoPart = source.second.x < source.main.x || source.second.y < source.main.y ||
                             source.second.x + source.second.width > source.main.x + source.main.width ||
                             source.second.y + source.second.height > source.main.y + source.main.height;
        key.shape = twoPart ? KeyShape::IsoEnter : KeyShape::Cap;
        if (source.turn != 0) {
            key.shape = KeyShape::Turned;
            TurnedOutline(geometry, source, key.corners);
        }
        key.status = codes[i].sendsNothing ? "DQSTATUSNOTEST" : key.status;
        key.legend = FitLegend(LegendInReadingOrder(source), LegendArea(key), undrawable);
        sheet.keys.push_back(key);
    }
    if (!undrawable.empty()) {
        made.notes.push_back("the picture leaves out legend characters its font has no glyph for: " +
                             undrawable);
    }
    if (!MarkNotRequired(board, options.rules.notRequired, sheet, error)) {
        return false;
    }
    std::vector<std::string> comments;
    if (!sheet.title.empty()) {
        comments.push_back(sheet.title);
    }
    comments.push_back("Made by kblmake from " + sourceName + " with the picture of the same name:");
    comments.push_back("change the source and run kblmake again rather than editing this file.");
    comments.push_back(
        "Columns: virtual-key code, BIOS scan code (set 1 make code), caption, extended-key bit,");
    comments.push_back(
        "status, key-down time, then left, top, width and height of the key on the 700 x 340 picture.");
    made.text = FormatLayoutText(comments, sheet.keys);
    return CheckLineLengths(made.text, error);
}
