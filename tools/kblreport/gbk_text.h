// GBK text in UTF-8, whatever the code page of the system the report runs on: the layout files' captions and
// record files saved again in the ANSI code page of a Chinese Windows are GBK.
#pragma once

#include <string>

// `gbk` converted to UTF-8, each byte that starts no GBK character replaced by U+FFFD. False when there was
// such a byte.
bool GbkToUtf8Checked(const std::string& gbk, std::string& utf8);
