// Fuzz target: arbitrary bytes as a layout's plan file, read for a small layout of every kind of key. Besides
// the sanitizers, every plan read is checked against the rules a plan always keeps: its keys are keys of the
// layout, each once, the sequence only keys that need a test, the counts within their bounds.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/key_codes.h"
#include "base/platform.h"
#include "layouts/layout_reader.h"
#include "layouts/test_plan.h"

void ShowMessage(WindowHandle, const std::string&, const char*, uint32_t) {}

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

const char* const kRows[] = {
    "'A',30,\"A\",\"false\",\"DQSTATUSUP\",0,10,10,40,40",
    "'S',31,\"S\",\"false\",\"DQSTATUSUP\",0,60,12,40,40",
    "'A',30,\"A\",\"false\",\"DQSTATUSUP\",0,110,10,40,40",
    "\"VK_LSHIFT\",42,\"Left Shift\",\"false\",\"DQSTATUSUP\",0,10,60,90,40",
    "'N',49,\"N\",\"false\",\"DQSTATUSNOTEST\",0,110,60,40,40",
    "'X',45,\"X\",\"false\",\"DQSTATUSNOTESTFAIL\",0,160,60,40,40",
    "\"COMPOUND\",0,\"Mail\",\"false\",\"DQSTATUSUP\",0,10,110,40,40,300,83,65",
};

KeyboardLayout BuildLayout() {
    LayoutRowList rows;
    for (const char* text : kRows) {
        char line[kLayoutLineBufferSize];
        std::snprintf(line, sizeof line, "%s", text);
        LayoutRow row;
        Require(ParseLayoutLine(line, row));
        rows.rows.push_back(row);
    }
    KeyboardLayout layout;
    Require(BuildKeyboardLayout(nullptr, rows, layout, static_cast<int>(rows.rows.size()), "fuzz.kbl"));
    return layout;
}

bool Unique(std::vector<int32_t> keys) {
    std::sort(keys.begin(), keys.end());
    return std::adjacent_find(keys.begin(), keys.end()) == keys.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static KeyboardLayout layout = BuildLayout();
    static const std::string path = "/tmp/fuzz_plan_" + std::to_string(getpid()) + ".plan";
    FILE* file = std::fopen(path.c_str(), "wb");
    Require(file != nullptr);
    Require(std::fwrite(data, 1, size, file) == size);
    Require(std::fclose(file) == 0);
    ReadTestPlan(nullptr, path, layout);
    std::remove(path.c_str());

    const TestPlan& plan = layout.plan;
    const int32_t keyCount = static_cast<int32_t>(layout.keys.size()) - 1;
    Require(plan.inUse);
    Require(plan.repeat >= 1 && plan.repeat <= kMostRepeat);
    Require(plan.idleSeconds >= 0 && plan.idleSeconds <= kMostIdleSeconds);
    Require(!plan.sequence.empty() && Unique(plan.sequence));
    for (const int32_t index : plan.sequence) {
        Require(index >= 0 && index < keyCount && layout.keys[static_cast<size_t>(index)].status == Untested);
    }
    Require(Unique(plan.rolloverKeys));
    for (const int32_t index : plan.rolloverKeys) {
        Require(index >= 0 && index < keyCount &&
                layout.keys[static_cast<size_t>(index)].virtualKey != kCompoundKey);
    }
    const int32_t held = static_cast<int32_t>(plan.rolloverKeys.size());
    Require(plan.rolloverCount == 0 || (plan.rolloverCount >= 2 && plan.rolloverCount <= held));
    return 0;
}
