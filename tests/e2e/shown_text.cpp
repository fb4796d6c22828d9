// Escaping and converting texts for the report.
#include "tests/e2e/shown_text.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr UINT kChineseCodePage = 936;

std::string ConvertToUtf8(const std::string& text) {
    if (text.empty()) {
        return text;
    }
    const int wideSize =
        MultiByteToWideChar(kChineseCodePage, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideSize), L'\0');
    MultiByteToWideChar(kChineseCodePage, 0, text.c_str(), static_cast<int>(text.size()), &wide[0], wideSize);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), wideSize, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), wideSize, &converted[0], size, nullptr, nullptr);
    return converted;
}

}  // namespace

std::string EscapeText(const std::string& text) {
    std::string escaped;
    for (const char character : ConvertToUtf8(text)) {
        const unsigned char code = static_cast<unsigned char>(character);
        if (character == '\n') {
            escaped += "\\n";
        } else if (character == '\r') {
            escaped += "\\r";
        } else if (character == '\t') {
            escaped += "\\t";
        } else if (character == '"') {
            escaped += "\\\"";
        } else if (code < 0x20 || code == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", code);
            escaped += hex;
        } else {
            escaped += character;
        }
    }
    return escaped;
}

std::string QuoteText(const std::string& text) {
    return "\"" + EscapeText(text) + "\"";
}
