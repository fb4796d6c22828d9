// The message boxes of a native program without a window, gathered into its message sink.
#include "tools/common/message_sink.h"

#include "base/platform.h"

MessageSink messageSink;

void ShowMessage(WindowHandle, const std::string& text, const char* caption, uint32_t) {
    ++messageSink.messageCount;
    if (messageSink.handler) {
        messageSink.handler(text, caption);
    }
}
