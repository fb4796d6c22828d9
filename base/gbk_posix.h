// GBK text in UTF-8 on a system without the Windows code pages: the native tools and the unit tests take
// their text as GBK, the code page of the Windows the tester runs on.
#pragma once

#include <string>

// `text` in GBK converted to UTF-8; a byte that is no GBK character is left out.
std::string GbkToUtf8(const std::string& text);
