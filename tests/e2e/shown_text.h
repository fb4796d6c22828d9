// Texts as the driver's report shows them: quoted, in UTF-8, with line feeds and other control characters
// escaped, so that every case stays on one line.
#pragma once

#include <string>

// `text` (in the ANSI code page 936) quoted and escaped for the report.
std::string QuoteText(const std::string& text);

// `text` (in the ANSI code page 936) converted to UTF-8 and escaped, unquoted.
std::string EscapeText(const std::string& text);
