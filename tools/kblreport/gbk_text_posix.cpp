// GBK text in UTF-8 with the system's iconv.
#include <iconv.h>

#include <cerrno>

#include "tools/kblreport/gbk_text.h"

bool GbkToUtf8Checked(const std::string& gbk, std::string& utf8) {
    utf8.clear();
    iconv_t converter = iconv_open("UTF-8", "GBK");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    std::string input = gbk;
    char* in = &input[0];
    size_t inLeft = input.size();
    bool whole = true;
    char buffer[4096];
    while (inLeft > 0) {
        char* out = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
        utf8.append(buffer, static_cast<size_t>(out - buffer));
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            utf8 += "\xEF\xBF\xBD";  // U+FFFD for the byte that starts no character
            ++in;
            --inLeft;
            whole = false;
        }
    }
    iconv_close(converter);
    return whole;
}
