// Timing the tester from the driver: a millisecond clock, and reads of the main window's controls that note
// the longest answer and give up on a window that stops answering.
#pragma once

#include <windows.h>

#include <string>

// The performance counter in milliseconds.
double MillisecondsNow();

struct ControlReader {
    HWND mainWindow = nullptr;
    double longestAnswerMs = 0.0;
    bool answered = true;  // false once a read found the window not answering within a second

    // The text of `control`; empty when the window did not answer.
    std::string Read(int control);

    // Waits until `control` shows `text`, reading it every `periodMs` (0: without a pause); the time waited
    // since `start` in ms, or -1 when it did not come within `timeoutMs`.
    double Await(int control, const std::string& text, double start, double timeoutMs, DWORD periodMs);
};
