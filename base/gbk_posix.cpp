// GBK text in UTF-8, with the system's iconv.
#include "base/gbk_posix.h"

#include <iconv.h>

std::string GbkToUtf8(const std::string& text) {
    iconv_t converter = iconv_open("UTF-8", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return text;
    }
    std::string input = text;
    std::string utf8(text.size() * 3 / 2 + 4, '\0');
    char* in = &input[0];
    char* out = &utf8[0];
    size_t inLeft = input.size();
    size_t outLeft = utf8.size();
    while (inLeft > 0 && iconv(converter, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) {
        ++in;  // a byte that is no GBK character
        --inLeft;
    }
    iconv_close(converter);
    utf8.resize(utf8.size() - outLeft);
    return utf8;
}
