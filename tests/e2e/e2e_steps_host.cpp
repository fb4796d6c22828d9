// The makers of the shared block's steps, timed ends and moves of the main window.
#include "tests/e2e/host_steps.h"
#include "tests/e2e/step_maker.h"

Step ExpectHostBytes(size_t offset, const std::string& bytes, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectHostBytes, 0, static_cast<long>(offset), bytes, writtenAt);
}

Step ExpectHostNumber(size_t offset, int size, int64_t value, SourcePlace writtenAt) {
    std::string bytes;
    for (int i = 0; i < size; ++i) {
        bytes += static_cast<char>(static_cast<uint64_t>(value) >> (8 * i));
    }
    return ExpectHostBytes(offset, bytes, writtenAt);
}

Step SetRunFlag(uint32_t value, SourcePlace writtenAt) {
    return MakeStep(StepKind::SetRunFlag, 0, static_cast<long>(value), "", writtenAt);
}

Step ExpectEndWithin(int lowMs, int highMs, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectEndWithin, 0, lowMs, "", writtenAt);
    step.extra = highMs;
    return step;
}

Step MoveMainWindow(int x, int y, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::MoveMainWindow, 0, x, "", writtenAt);
    step.extra = y;
    return step;
}
