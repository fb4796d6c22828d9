// The test log's line writer.
#include "records/test_log.h"

#include <cstdarg>
#include <string>

#include "base/disk_file.h"
#include "base/program.h"

TestLogState testLog;

namespace {

char logLineBuffer[kLogLineBufferSize];

void WriteLogLine(const char* format, va_list arguments, bool flush) {
    va_list retry;
    va_copy(retry, arguments);
    const int length = std::vsnprintf(logLineBuffer, kLogLineBufferSize, format, arguments);
    if (length < 0) {
        va_end(retry);
        return;
    }
    size_t written;
    if (static_cast<size_t>(length) < kLogLineBufferSize) {
        written = std::fwrite(logLineBuffer, 1, static_cast<size_t>(length), testLog.stream);
    } else {
        std::string line(static_cast<size_t>(length) + 1, '\0');
        std::vsnprintf(&line[0], line.size(), format, retry);
        written = std::fwrite(line.data(), 1, static_cast<size_t>(length), testLog.stream);
    }
    if (written != static_cast<size_t>(length) || (flush && std::fflush(testLog.stream) != 0)) {
        testLog.writeFailed = true;
    }
    va_end(retry);
}

}  // namespace

void LogLine(const char* format, ...) {
    if (testLog.stream == nullptr) {
        return;
    }
    va_list arguments;
    va_start(arguments, format);
    WriteLogLine(format, arguments, true);
    va_end(arguments);
}

bool TraceActive() {
    return testLog.stream != nullptr && program.traceOn;
}

void WriteTraceLine(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    WriteLogLine(format, arguments, false);
    va_end(arguments);
}

void CloseLog() {
    if (testLog.stream != nullptr) {
        std::fclose(testLog.stream);
        testLog.stream = nullptr;
    }
    testLog.writeFailed = false;
}

bool CommitLog() {
    if (testLog.stream == nullptr) {
        return true;
    }
    if (!CommitToDisk(testLog.stream)) {
        testLog.writeFailed = true;
    }
    return !testLog.writeFailed;
}
