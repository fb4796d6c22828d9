// printf-style formatting into a string of whatever length the result needs.
#pragma once

#include <string>

#if defined(__GNUC__)
#define DVQ_PRINTF_FORMAT(formatIndex, firstArgument) \
    __attribute__((format(printf, formatIndex, firstArgument)))
#else
#define DVQ_PRINTF_FORMAT(formatIndex, firstArgument)
#endif

std::string FormatText(const char* format, ...) DVQ_PRINTF_FORMAT(1, 2);
