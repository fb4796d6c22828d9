// A tool's report on a terminal, a file or a pipe of a native system: the bytes as they are.
#include "tools/common/console_output.h"

void WriteOutput(FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}
