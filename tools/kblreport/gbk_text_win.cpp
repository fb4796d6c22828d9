// GBK text in UTF-8 with Windows' own code page 936, also when the program runs with UTF-8 as its ANSI code
// page.
#include <windows.h>

#include "tools/kblreport/gbk_text.h"

namespace {

constexpr UINT kGbkCodePage = 936;

}  // namespace

bool GbkToUtf8Checked(const std::string& gbk, std::string& utf8) {
    utf8.clear();
    if (gbk.empty()) {
        return true;
    }
    const int size = static_cast<int>(gbk.size());
    const bool whole =
        MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(), size, nullptr, 0) > 0;
    const int wideLength = MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(kGbkCodePage, 0, gbk.data(), size, &wide[0], wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    utf8.assign(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, nullptr, nullptr);
    return whole;
}
