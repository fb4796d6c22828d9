// printf-style formatting into a string of whatever length the result needs, and reading a whole number from
// a settings text.
#pragma once

#include <string>

#if defined(__MINGW32__)
// MinGW's C++ library formats with its own C99 printf (__USE_MINGW_ANSI_STDIO), not with the Windows C
// runtime's, so %zu and %lld are checked and printed as on Linux.
#define DVQ_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(gnu_printf, formatIndex, firstArgument)))
#elif defined(__GNUC__)
#define DVQ_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define DVQ_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

std::string FormatText(const char* format, ...) DVQ_PRINTF_FORMAT(1, 2);

// `text` as a whole number from `low` to `high`, blanks after it allowed; false when it is not one.
bool ReadNumberBetween(const std::string& text, long low, long high, long& number);
