// Text from one character set to another with the system's iconv, for the native tools.
#pragma once

#include <string>

// `text` converted from `from` to `to` (iconv's names), each byte that starts no character of `from` or has
// no character in `to` replaced by `replacement`. False when a byte was replaced or iconv knows no such
// conversion (then `converted` is `text` as it is).
bool ConvertText(const std::string& text, const char* from, const std::string& to, const char* replacement,
                 std::string& converted);
