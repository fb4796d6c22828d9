// kblcheck's output in the terminal's encoding, converted by the system's iconv.
#include <strings.h>

#include "tools/common/text_conversion.h"
#include "tools/kblcheck/terminal_text.h"

namespace {

// True for a byte that ends a run: ASCII below 0x40 (digits, punctuation, blanks, line ends). Every byte of a
// GBK or UTF-8 character is 0x40 or above, so no character is ever cut.
bool EndsRun(char c) {
    return static_cast<unsigned char>(c) < 0x40;
}

bool IsValidUtf8(const std::string& text) {
    std::string same;
    return ConvertText(text, "UTF-8", "UTF-8", "", same);
}

bool LeavesTextAsItIs(const std::string& charset) {
    for (const char* kept : {"ANSI_X3.4-1968", "ASCII", "US-ASCII", "GBK", "CP936", "GB2312", "GB18030"}) {
        if (strcasecmp(charset.c_str(), kept) == 0) {
            return true;
        }
    }
    return charset.empty();
}

}  // namespace

std::string TerminalText(const std::string& text, const std::string& charset) {
    if (LeavesTextAsItIs(charset)) {
        return text;
    }
    std::string shown;
    for (size_t at = 0; at < text.size();) {
        size_t end = at;
        bool plain = true;
        while (end < text.size() && !EndsRun(text[end])) {
            plain = plain && static_cast<unsigned char>(text[end]) < 0x80;
            ++end;
        }
        const std::string run = text.substr(at, end - at);
        std::string converted = run;
        if (!plain) {
            ConvertText(run, IsValidUtf8(run) ? "UTF-8" : "GBK", charset + "//TRANSLIT", "?", converted);
        }
        shown += converted;
        for (at = end; at < text.size() && EndsRun(text[at]); ++at) {
            shown += text[at];
        }
    }
    return shown;
}
