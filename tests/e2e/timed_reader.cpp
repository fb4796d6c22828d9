// The driver's clock and timed reads of the main window's controls.
#include "tests/e2e/timed_reader.h"

#include <algorithm>

namespace {

constexpr UINT kAnswerTimeoutMs = 1000;  // a window that takes longer to answer is not responsive
constexpr size_t kTextCapacity = 2048;   // more than the longest readout, the 1,500-byte status line

}  // namespace

double MillisecondsNow() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER value;
        QueryPerformanceFrequency(&value);
        return value;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string ControlReader::Read(int control) {
    char text[kTextCapacity] = "";
    DWORD_PTR length = 0;
    const double start = MillisecondsNow();
    if (!SendMessageTimeoutA(GetDlgItem(mainWindow, control), WM_GETTEXT, sizeof text,
                             reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length)) {
        answered = false;
        return "";
    }
    longestAnswerMs = std::max(longestAnswerMs, MillisecondsNow() - start);
    return std::string(text, length < sizeof text ? length : 0);
}

double ControlReader::Await(int control, const std::string& text, double start, double timeoutMs,
                            DWORD periodMs) {
    while (answered && MillisecondsNow() - start < timeoutMs) {
        if (Read(control) == text) {
            return MillisecondsNow() - start;
        }
        Sleep(periodMs);
    }
    return -1.0;
}
