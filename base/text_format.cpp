// printf-style formatting into a string of whatever length the result needs, and whole numbers of settings.
#include "base/text_format.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

std::string FormatText(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    std::string text;
    if (length > 0) {
        text.resize(static_cast<size_t>(length));
        std::vsnprintf(&text[0], text.size() + 1, format, arguments);
    }
    va_end(arguments);
    return text;
}

bool ReadNumberBetween(const std::string& text, long low, long high, long& number) {
    const char* start = text.c_str();
    char* end = nullptr;
    errno = 0;
    number = std::strtol(start, &end, 10);
    if (end == start || errno != 0) {
        return false;
    }
    while (*end == ' ' || *end == '\t') {
        ++end;
    }
    return *end == '\0' && number >= low && number <= high;
}
