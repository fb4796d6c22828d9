// Text from one character set to another with the system's iconv.
#include <iconv.h>

#include <cerrno>

#include "tools/common/text_conversion.h"

bool ConvertText(const std::string& text, const char* from, const std::string& to, const char* replacement,
                 std::string& converted) {
    iconv_t converter = iconv_open(to.c_str(), from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        converted = text;
        return false;
    }
    converted.clear();
    std::string input = text;
    char* in = &input[0];
    size_t inLeft = input.size();
    bool whole = true;
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        converted.append(buffer, static_cast<size_t>(out - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            converted += replacement;
            ++in;
            --inLeft;
            whole = false;
        }
    }
    iconv_close(converter);
    return whole;
}
