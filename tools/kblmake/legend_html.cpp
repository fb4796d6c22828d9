// Turning the editor's HTML legends into text: tags, entities and the blanks of &nbsp; padding.
#include "tools/kblmake/legend_html.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct NamedEntity {
    const char* name;
    const char* text;
};

// The entities keyboard legends use: markup characters, blanks, arrows and a few symbols.
const NamedEntity kEntities[] = {
    {"amp", "&"},          {"lt", "<"},          {"gt", ">"},           {"quot", "\""},
    {"apos", "'"},         {"nbsp", " "},        {"ensp", " "},         {"emsp", " "},
    {"larr", u8"\u2190"},  {"uarr", u8"\u2191"}, {"rarr", u8"\u2192"},  {"darr", u8"\u2193"},
    {"lArr", u8"\u21D0"},  {"uArr", u8"\u21D1"}, {"rArr", u8"\u21D2"},  {"dArr", u8"\u21D3"},
    {"crarr", u8"\u21B5"}, {"harr", u8"\u2194"}, {"hArr", u8"\u21D4"},  {"middot", u8"\u00B7"},
    {"deg", u8"\u00B0"},   {"sect", u8"\u00A7"}, {"pound", u8"\u00A3"}, {"euro", u8"\u20AC"},
    {"yen", u8"\u00A5"},   {"not", u8"\u00AC"},  {"acute", u8"\u00B4"}, {"uml", u8"\u00A8"},
    {"micro", u8"\u00B5"}, {"sup2", u8"\u00B2"}, {"times", u8"\u00D7"}, {"divide", u8"\u00F7"},
};

std::string Utf8Of(uint32_t codePoint) {
    std::string text;
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return text;
}

// The text of the entity whose name (between '&' and ';') is `name`; empty for one not known.
std::string EntityText(const std::string& name) {
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        char* end = nullptr;
        const unsigned long codePoint = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
        const bool number = !digits.empty() && *end == '\0' && digits.size() <= 8;
        const bool character =
            codePoint >= 0x20 && codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
        return number && character ? Utf8Of(static_cast<uint32_t>(codePoint)) : "";
    }
    for (const NamedEntity& entity : kEntities) {
        if (name == entity.name) {
            return entity.text;
        }
    }
    return "";
}

bool IsLineBreakTag(const std::string& tag) {
    std::string name;
    for (const char c : tag) {
        if (c == ' ' || c == '/') {
            if (!name.empty()) {
                break;
            }
            continue;
        }
        name += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return name == "br";
}

std::string TrimLines(const std::string& text) {
    std::string trimmed;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end;
        size_t first = start;
        size_t last = end;
        while (first < last && text[first] == ' ') {
            ++first;
        }
        while (last > first && text[last - 1] == ' ') {
            --last;
        }
        trimmed += (start == 0 ? "" : "\n") + text.substr(first, last - first);
        start = end + 1;
    }
    return trimmed;
}

}  // namespace

std::string LegendFromHtml(const std::string& html) {
    if (html.find_first_of("<&") == std::string::npos) {
        return html;
    }
    std::string text;
    for (size_t i = 0; i < html.size(); ++i) {
        const size_t close = html.find(html[i] == '<' ? '>' : ';', i);
        const char next = i + 1 < html.size() ? html[i + 1] : '\0';
        const bool tagStart = next == '/' || (next >= 'a' && next <= 'z') || (next >= 'A' && next <= 'Z');
        if (html[i] == '<' && tagStart && close != std::string::npos && html.find('\n', i) > close) {
            text += IsLineBreakTag(html.substr(i + 1, close - i - 1)) ? "\n" : "";
            i = close;
        } else if (html[i] == '&' && close != std::string::npos && close - i <= 10 &&
                   !EntityText(html.substr(i + 1, close - i - 1)).empty()) {
            text += EntityText(html.substr(i + 1, close - i - 1));
            i = close;
        } else {
            text += html[i];
        }
    }
    return TrimLines(text);
}
