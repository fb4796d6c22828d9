// GBK text in UTF-8 with the system's iconv.
#include "tools/common/text_conversion.h"
#include "tools/kblreport/gbk_text.h"

bool GbkToUtf8Checked(const std::string& gbk, std::string& utf8) {
    return ConvertText(gbk, "GBK", "UTF-8", "\xEF\xBF\xBD", utf8);  // U+FFFD for a byte that is no character
}
