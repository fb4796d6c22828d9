// kblcheck's output in the encoding of the terminal it runs in. The texts it prints are the tester's own, in
// its ANSI code page (GBK): captions, messages, key captions. The paths in them come from the command line or
// the file system, on Linux mostly UTF-8.
#pragma once

#include <string>

// `text` in the character set `charset` (as the locale names it: "UTF-8", "GB18030"...). Each run of bytes
// between ASCII digits, punctuation and blanks that holds a byte above 0x7F is read as UTF-8 when it is valid
// UTF-8 (a name of the file system) and as GBK otherwise, then converted; a character the terminal lacks
// becomes '?'. For an ASCII terminal (the C locale) or a GBK one, `text` is left as it is.
std::string TerminalText(const std::string& text, const std::string& charset);
