// The line writer of the test log.
#include "tests/unit/engine_fixture.h"

namespace {

class LogLines : public EngineTest {};

TEST_F(LogLines, WrittenOnlyWhileTheLogIsOpen) {
    LogLine("Loaded keyboard layout %s.kbl\n", "US");
    EXPECT_EQ(LogText(), "Loaded keyboard layout US.kbl\n");
    testLog.stream = nullptr;
    LogLine("lost\n");
    testLog.stream = logFile;
    EXPECT_EQ(LogText(), "Loaded keyboard layout US.kbl\n");
}

TEST_F(LogLines, TraceNeedsTheTraceOption) {
    TraceLine("New status %d\n", 1);
    program.traceOn = 1;
    TraceLine("New status %d\n", 2);
    EXPECT_EQ(LogText(), "New status 2\n");
}

TEST_F(LogLines, LongLinesAreWrittenWholeWithoutOverrunningTheBuffer) {
    const std::string label(300, 'x');
    LogLine("Key matched: %s. Current status %d\n", label.c_str(), 0);
    EXPECT_EQ(LogText(), "Key matched: " + label + ". Current status 0\n");
    LogLine("%s", "");
    EXPECT_EQ(LogText(), "Key matched: " + label + ". Current status 0\n");
}

}  // namespace
