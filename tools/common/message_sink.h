// What becomes of the message boxes the core would show, in a native program without a window: each is
// counted, and handed to the program's own handler when it set one (kblcheck prints it, kblreport notes it in
// its report); a program that sets none (a benchmark, a fuzz target) only counts them.
#pragma once

#include <functional>
#include <string>

struct MessageSink {
    int messageCount = 0;
    std::function<void(const std::string& text, const char* caption)> handler;
};

extern MessageSink messageSink;
