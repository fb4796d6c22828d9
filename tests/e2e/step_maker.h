// The one general step maker that the named makers build on.
#pragma once

#include <string>

#include "tests/e2e/e2e_case.h"

inline Step MakeStep(StepKind kind, int control, long number, const std::string& text,
                     SourcePlace writtenAt) {
    Step step{};
    step.kind = kind;
    step.control = control;
    step.number = number;
    step.text = text;
    step.writtenAt = writtenAt;
    return step;
}
