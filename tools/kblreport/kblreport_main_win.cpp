// The yield report's Windows program. Its manifest makes UTF-8 the program's ANSI code page, so the command
// line, the paths and the C library's files are UTF-8 like the report's own texts. Written to a console, the
// report goes through the wide console API, which shows it whatever the console's code page; redirected to a
// file or a pipe, it stays UTF-8.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/kblreport/report_run.h"

namespace {

void Write(FILE* stream, DWORD handleId, const std::string& text) {
    HANDLE console = GetStdHandle(handleId);
    DWORD mode = 0;
    if (text.empty() || !GetConsoleMode(console, &mode)) {
        std::fwrite(text.data(), 1, text.size(), stream);
        return;
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, &wide[0], length);
    DWORD written = 0;
    WriteConsoleW(console, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const ReportResult result = RunReport(argc, argv);
    Write(stdout, STD_OUTPUT_HANDLE, result.output);
    Write(stderr, STD_ERROR_HANDLE, result.errors);
    return result.exitCode;
}
