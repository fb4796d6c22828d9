// Reading keyboard-layout-editor JSON as the editor itself reads it: each row is an array whose strings are
// keys and whose objects change the keys after them. Position and size (x, y, w, h) and the second rectangle
// of two-part keys (x2, y2, w2, h2) apply to the next key only; the legend alignment (a) and the rotation
// (r, rx, ry) stay until changed. A row starts at the rotation's x, one unit below the row before; setting rx
// or ry moves the next key to the rotation's origin. A key turned by other than a right angle keeps its
// turned cap for the picture and gets the largest upright rectangle inside it for the layout file.
#include <cctype>
#include <cmath>
#include <nlohmann/json.hpp>
#include <sstream>

#include "tools/kblmake/kle_board.h"
#include "tools/kblmake/legend_html.h"

namespace {

using Json = nlohmann::json;

// Farther out than this a file describes no keyboard, and the picture arithmetic would lose its precision.
constexpr double kFarthestUnits = 1000;

// Where a legend written at serial place i lands for each alignment (the property `a`); -1 drops it.
constexpr int kLegendPlaces[8][kLegendPositions] = {
    {0, 6, 2, 8, 9, 11, 3, 5, 1, 4, 7, 10},        {1, 7, -1, -1, 9, 11, 4, -1, -1, -1, -1, 10},
    {3, -1, 5, -1, 9, 11, -1, -1, 4, -1, -1, 10},  {4, -1, -1, -1, 9, 11, -1, -1, -1, -1, -1, 10},
    {0, 6, 2, 8, 10, -1, 3, 5, 1, 4, 7, -1},       {1, 7, -1, -1, 10, -1, 4, -1, -1, -1, -1, -1},
    {3, -1, 5, -1, 10, -1, -1, -1, 4, -1, -1, -1}, {4, -1, -1, -1, 10, -1, -1, -1, -1, -1, -1, -1},
};

// What the properties objects have set so far.
struct ReadState {
    double x = 0;
    double y = 0;
    double width = 1;
    double height = 1;
    double x2 = 0;
    double y2 = 0;
    double width2 = 0;  // 0: as `width`
    double height2 = 0;
    bool decal = false;
    int alignment = 4;
    double angle = 0;
    double rotationX = 0;
    double rotationY = 0;
};

std::string Where(int row, int item) {
    return "row " + std::to_string(row) + ", item " + std::to_string(item);
}

// The message of a JSON syntax error, without the library's bracketed prefix.
std::string SyntaxErrorOf(const std::string& text) {
    struct ErrorCatcher : nlohmann::json_sax<Json> {
        std::string message;
        bool null() override { return true; }
        bool boolean(bool) override { return true; }
        bool number_integer(number_integer_t) override { return true; }
        bool number_unsigned(number_unsigned_t) override { return true; }
        bool number_float(number_float_t, const string_t&) override { return true; }
        bool string(string_t&) override { return true; }
        bool binary(binary_t&) override { return true; }
        bool start_object(std::size_t) override { return true; }
        bool key(string_t&) override { return true; }
        bool end_object() override { return true; }
        bool start_array(std::size_t) override { return true; }
        bool end_array() override { return true; }
        bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override {
            message = error.what();
            return false;
        }
    } catcher;
    Json::sax_parse(text, &catcher);
    const size_t bracket = catcher.message.find("] ");
    return bracket == std::string::npos ? catcher.message : catcher.message.substr(bracket + 2);
}

// Reads a number property into `value`; false, with `error` set, when it is there but no number.
bool ReadNumber(const Json& properties, const char* name, double& value, const std::string& where,
                std::string& error) {
    const auto found = properties.find(name);
    if (found == properties.end()) {
        return true;
    }
    if (!found->is_number()) {
        error = where + ": \"" + name + "\" must be a number";
        return false;
    }
    value = found->get<double>();
    return true;
}

bool ApplyProperties(const Json& properties, ReadState& state, bool firstInRow, const std::string& where,
                     std::string& error) {
    const bool turns = properties.contains("r") || properties.contains("rx") || properties.contains("ry");
    if (turns && !firstInRow) {
        error = where + ": r, rx and ry may only begin a row";
        return false;
    }
    // As in the editor, a property of value 0 changes nothing, but for the alignment and the rotation.
    double alignment = state.alignment;
    double shift[8] = {};
    static const char* const kShiftNames[8] = {"x", "y", "w", "h", "x2", "y2", "w2", "h2"};
    bool read = ReadNumber(properties, "r", state.angle, where, error) &&
                ReadNumber(properties, "rx", state.rotationX, where, error) &&
                ReadNumber(properties, "ry", state.rotationY, where, error) &&
                ReadNumber(properties, "a", alignment, where, error);
    for (int i = 0; read && i < 8; ++i) {
        read = ReadNumber(properties, kShiftNames[i], shift[i], where, error);
    }
    if (!read) {
        return false;
    }
    if (alignment < 0 || alignment > 7 || alignment != std::floor(alignment)) {
        error = where + ": \"a\" must be a whole number from 0 to 7";
        return false;
    }
    state.alignment = static_cast<int>(alignment);
    if (properties.contains("rx") || properties.contains("ry")) {
        state.x = state.rotationX;
        state.y = state.rotationY;
    }
    state.x += shift[0];
    state.y += shift[1];
    double* const sizes[6] = {&state.width, &state.height, &state.x2,
                              &state.y2,    &state.width2, &state.height2};
    for (int i = 2; i < 8; ++i) {
        if (shift[i] != 0) {
            *sizes[i - 2] = shift[i];
        }
    }
    if (shift[2] != 0 && shift[6] == 0) {
        state.width2 = shift[2];
    }
    if (shift[3] != 0 && shift[7] == 0) {
        state.height2 = shift[3];
    }
    const auto decal = properties.find("d");
    state.decal = decal != properties.end() && decal->is_boolean() && decal->get<bool>();
    return true;
}

void SplitLegend(KleKey& key, int alignment) {
    size_t start = 0;
    for (int place = 0; place < kLegendPositions && start <= key.legend.size(); ++place) {
        size_t end = key.legend.find('\n', start);
        if (end == std::string::npos) {
            end = key.legend.size();
        }
        const int position = kLegendPlaces[alignment][place];
        if (position >= 0) {
            key.labels[static_cast<size_t>(position)] = LegendFromHtml(key.legend.substr(start, end - start));
        }
        start = end + 1;
    }
}

// `rect` turned by a multiple of 90 degrees about (`centreX`, `centreY`), clockwise on the screen.
UnitRect TurnRect(const UnitRect& rect, int quarterTurns, double centreX, double centreY) {
    UnitRect turned = rect;
    for (int turn = 0; turn < quarterTurns; ++turn) {
        const UnitRect before = turned;
        turned.x = centreX - (before.y + before.height - centreY);
        turned.y = centreY + (before.x - centreX);
        turned.width = before.height;
        turned.height = before.width;
    }
    return turned;
}

bool WithinReach(const UnitRect& rect) {
    return std::fabs(rect.x) <= kFarthestUnits && std::fabs(rect.y) <= kFarthestUnits &&
           rect.width <= kFarthestUnits && rect.height <= kFarthestUnits;
}

// `point` turned by `degrees` clockwise on the screen about (`centreX`, `centreY`).
UnitPoint TurnPoint(UnitPoint point, double degrees, double centreX, double centreY) {
    const double radians = degrees * 3.14159265358979323846 / 180;
    const double dx = point.x - centreX;
    const double dy = point.y - centreY;
    return UnitPoint{centreX + dx * std::cos(radians) - dy * std::sin(radians),
                     centreY + dx * std::sin(radians) + dy * std::cos(radians)};
}

// The largest upright rectangle, centred, inside a `width` x `height` rectangle turned by `degrees`.
UnitRect UprightInside(double width, double height, double degrees, UnitPoint centre) {
    const double radians = degrees * 3.14159265358979323846 / 180;
    const double sine = std::fabs(std::sin(radians));
    const double cosine = std::fabs(std::cos(radians));
    const bool wide = width >= height;
    const double longSide = wide ? width : height;
    const double shortSide = wide ? height : width;
    double insideWidth = 0;
    double insideHeight = 0;
    if (shortSide <= 2 * sine * cosine * longSide || std::fabs(sine - cosine) < 1e-10) {
        // Two corners of the upright rectangle touch the turned one's long sides.
        const double half = shortSide / 2;
        insideWidth = wide ? half / sine : half / cosine;
        insideHeight = wide ? half / cosine : half / sine;
    } else {
        const double cosineOfTwice = cosine * cosine - sine * sine;
        insideWidth = (width * cosine - height * sine) / cosineOfTwice;
        insideHeight = (height * cosine - width * sine) / cosineOfTwice;
    }
    return UnitRect{centre.x - insideWidth / 2, centre.y - insideHeight / 2, insideWidth, insideHeight};
}

bool SameRect(const UnitRect& a, const UnitRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// Places the key the state describes; false, with `error` set, when it cannot stand on the picture.
bool PlaceKey(const ReadState& state, KleKey& key, std::string& error) {
    key.main = UnitRect{state.x, state.y, state.width, state.height};
    key.second =
        UnitRect{state.x + state.x2, state.y + state.y2, state.width2 == 0 ? state.width : state.width2,
                 state.height2 == 0 ? state.height : state.height2};
    if (key.main.width <= 0 || key.main.height <= 0 || key.second.width <= 0 || key.second.height <= 0) {
        error = DescribeKey(key) + ": the key has no size";
        return false;
    }
    const double turn = std::fmod(std::fmod(state.angle, 360.0) + 360.0, 360.0);
    const double quarters = turn / 90.0;
    if (quarters != std::floor(quarters)) {
        if (!SameRect(key.main, key.second)) {
            std::ostringstream angle;
            angle << state.angle;
            error =
                DescribeKey(key) + ": a key of two parts is turned by " + angle.str() +
                " degrees; turn it by a multiple of 90 degrees in the editor, or draw it as one rectangle";
            return false;
        }
        const UnitRect& flat = key.main;
        const UnitPoint corners[4] = {{flat.x, flat.y},
                                      {flat.x + flat.width, flat.y},
                                      {flat.x + flat.width, flat.y + flat.height},
                                      {flat.x, flat.y + flat.height}};
        for (int i = 0; i < 4; ++i) {
            key.cap[static_cast<size_t>(i)] = TurnPoint(corners[i], turn, state.rotationX, state.rotationY);
        }
        const UnitPoint centre = TurnPoint(UnitPoint{flat.x + flat.width / 2, flat.y + flat.height / 2}, turn,
                                           state.rotationX, state.rotationY);
        key.turn = turn;
        key.main = UprightInside(flat.width, flat.height, turn, centre);
        key.second = key.main;
    } else {
        const int quarterTurns = static_cast<int>(quarters) % 4;
        key.main = TurnRect(key.main, quarterTurns, state.rotationX, state.rotationY);
        key.second = TurnRect(key.second, quarterTurns, state.rotationX, state.rotationY);
    }
    for (const UnitPoint& corner : key.cap) {
        if (std::fabs(corner.x) > kFarthestUnits || std::fabs(corner.y) > kFarthestUnits) {
            error = DescribeKey(key) + ": the key lies more than 1000 key units out";
            return false;
        }
    }
    if (!WithinReach(key.main) || !WithinReach(key.second)) {
        error = DescribeKey(key) + ": the key lies more than 1000 key units out";
        return false;
    }
    return true;
}

bool ReadRow(const Json& row, int rowNumber, ReadState& state, KleBoard& board, std::string& error) {
    int column = 0;
    for (size_t i = 0; i < row.size(); ++i) {
        const Json& item = row[i];
        const std::string where = Where(rowNumber, static_cast<int>(i) + 1);
        if (item.is_object()) {
            if (!ApplyProperties(item, state, i == 0, where, error)) {
                return false;
            }
            continue;
        }
        if (!item.is_string()) {
            error = where + ": expected a key's legend (a string) or its properties (an object)";
            return false;
        }
        KleKey key;
        key.row = rowNumber;
        key.column = ++column;
        key.legend = item.get<std::string>();
        SplitLegend(key, state.alignment);
        if (!PlaceKey(state, key, error)) {
            return false;
        }
        if (!state.decal) {
            board.keys.push_back(key);
        }
        state.x += state.width;
        state.width = state.height = 1;
        state.x2 = state.y2 = state.width2 = state.height2 = 0;
        state.decal = false;
    }
    return true;
}

// True for an array of keys, which the raw data of a one-row keyboard is: a string among its elements.
bool IsOneRow(const Json& rows) {
    if (!rows.is_array()) {
        return false;
    }
    for (const Json& row : rows) {
        if (row.is_string()) {
            return true;
        }
    }
    return false;
}

// The editor's raw data as JSON: each bare property name outside a string ({x:0.25,w:1.25}) quoted, and
// the rows put between brackets when `bracketed`.
std::string JsonOfRawData(const std::string& text, bool bracketed) {
    std::string json = bracketed ? "[" : "";
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            json += c;
            if (c == '\\' && i + 1 < text.size()) {
                json += text[++i];
            } else if (c == '"') {
                inString = false;
            }
            continue;
        }
        const bool nameStart = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        const char before = json.find_last_not_of(" \t\r\n") == std::string::npos
                                ? '\0'
                                : json[json.find_last_not_of(" \t\r\n")];
        if (nameStart && (before == '{' || before == ',')) {
            size_t end = i;
            while (end < text.size() &&
                   (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) {
                ++end;
            }
            const size_t colon = text.find_first_not_of(" \t", end);
            if (colon != std::string::npos && text[colon] == ':') {
                json += "\"" + text.substr(i, end - i) + "\"";
                i = end - 1;
                continue;
            }
        }
        inString = c == '"';
        json += c;
    }
    return bracketed ? json + "]" : json;
}

std::string TextProperty(const Json& metadata, const char* name) {
    const auto found = metadata.find(name);
    return found != metadata.end() && found->is_string() ? found->get<std::string>() : std::string();
}

}  // namespace

std::string EscapeLegend(const std::string& legend) {
    std::string text;
    for (const char c : legend) {
        text += c == '\n' ? "\\n" : c == '\\' ? "\\\\" : std::string(1, c);
    }
    return text;
}

std::string DescribeKey(const KleKey& key) {
    return "row " + std::to_string(key.row) + ", column " + std::to_string(key.column) + " (legend \"" +
           EscapeLegend(key.legend) + "\")";
}

bool ReadKleBoard(const std::string& text, KleBoard& board, std::string& error) {
    board = KleBoard();
    Json rows = Json::parse(text, nullptr, false);
    if (rows.is_discarded() || IsOneRow(rows)) {
        Json raw = Json::parse(JsonOfRawData(text, false), nullptr, false);
        if (!raw.is_array() || raw.empty() || !raw[0].is_array()) {
            raw = Json::parse(JsonOfRawData(text, true), nullptr, false);
        }
        if (raw.is_discarded() || !raw.is_array()) {
            error = "not a JSON file: " + SyntaxErrorOf(text) +
                    " (nor the editor's raw data: copy it whole, or use the editor's Download JSON)";
            return false;
        }
        rows = raw;
        board.rawData = true;
    }
    if (!rows.is_array()) {
        error = "not a keyboard-layout-editor file: expected an array of rows";
        return false;
    }
    ReadState state;
    int rowNumber = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].is_object() && r == 0) {
            board.name = TextProperty(rows[r], "name");
            board.notes = TextProperty(rows[r], "notes");
            continue;
        }
        ++rowNumber;
        if (!rows[r].is_array()) {
            error = "row " + std::to_string(rowNumber) +
                    ": expected an array of keys (only the first element may be an object, the metadata)";
            return false;
        }
        if (!ReadRow(rows[r], rowNumber, state, board, error)) {
            return false;
        }
        state.y += 1;
        state.x = state.rotationX;
    }
    if (board.keys.empty()) {
        error = "the file holds no keys";
        return false;
    }
    return true;
}
