// The cost of one key press and release in the engine: a 110-key layout with 30 compound entries, with the
// trace off and with the trace on into a discarded stream, and with a strict test plan asking for the keys in
// the order they are pressed. Heap allocations are counted per event. Prints "engine: <ns> ns per press and
// release, <n> allocations per event" after the benchmarks.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/key_codes.h"
#include "base/platform.h"
#include "base/program.h"
#include "base/text_format.h"
#include "engine/core_state.h"
#include "engine/key_events.h"
#include "engine/plan_run.h"
#include "engine/test_state.h"
#include "layouts/layout_catalogue.h"
#include "records/test_log.h"

namespace {

size_t allocations = 0;

constexpr int kPlainKeys = 80;
constexpr int kCompoundKeys = 30;

}  // namespace

void* operator new(size_t size) {
    ++allocations;
    void* memory = std::malloc(size > 0 ? size : 1);
    if (memory == nullptr) {
        std::abort();
    }
    return memory;
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, size_t) noexcept {
    std::free(memory);
}

namespace {

// A layout of 110 entries: 80 keys, then 30 compound keys made of two of them.
void LoadBenchLayout() {
    LayoutRowList rows;
    std::vector<std::string> lines;
    for (int key = 0; key < kPlainKeys; ++key) {
        lines.push_back(FormatText("%d,%d,\"Key%d\",\"false\",\"DQSTATUSUP\",0,%d,%d,30,30", 0x30 + key,
                                   key + 1, key, (key % 20) * 32, (key / 20) * 32));
    }
    for (int compound = 0; compound < kCompoundKeys; ++compound) {
        lines.push_back(FormatText("\"COMPOUND\",0,\"C%d\",\"false\",\"DQSTATUSUP\",0,0,200,30,30,300,%d,%d",
                                   compound, 0x30 + compound, 0x31 + compound));
    }
    for (std::string& line : lines) {
        LayoutRow row;
        ParseLayoutLine(&line[0], row);
        rows.rows.push_back(row);
    }
    FreeLayoutCatalogue();
    catalogue.layouts.emplace_back();
    BuildKeyboardLayout(nullptr, rows, catalogue.layouts[0], static_cast<int>(lines.size()), "Bench.kbl");
    catalogue.layoutCount = 1;
    MakeLayoutCurrent(0);
    ResetTest();
}

// A strict plan over the layout's 110 entries: the 80 keys in the order the benchmark presses them, then the
// compound keys.
void PlanBenchLayout() {
    TestPlan& plan = catalogue.layouts[0].plan;
    plan.inUse = true;
    plan.order = PlanOrder::Strict;
    for (int32_t entry = 0; entry < kPlainKeys + kCompoundKeys; ++entry) {
        plan.sequence.push_back(entry);
    }
    ResetTest();
}

void PressAndRelease(int key) {
    const int32_t lParam = ((key + 1) << 16) | 1;
    OnKeyDown(program.mainWindow, 0x30 + key, lParam);
    OnKeyUp(program.mainWindow, 0x30 + key, lParam);
    // With a plan, the keys are asked for again from the first: each press stays one in turn.
    if (key == kPlainKeys - 1 && ActivePlan() != nullptr) {
        testState.nextInSequence = 0;
        testState.planPhase = PlanPressTest;
        for (int i = 0; i < kPlainKeys + kCompoundKeys; ++i) {
            StateOf(i).status = Untested;
        }
    }
}

void SetUpEngine(bool trace, bool chatter = false, bool plan = false) {
    CloseLog();
    ResetCoreState();
    program.ticksPerMs = 1000000;
    program.mainWindow = reinterpret_cast<WindowHandle>(1);
    program.traceOn = trace ? 1 : 0;
    program.chatterMs = chatter ? 20 : 0;
    LoadBenchLayout();
    if (plan) {
        PlanBenchLayout();
    }
    if (trace) {
        testLog.stream = std::fopen("/dev/null", "w");
    }
}

void BM_PressAndRelease(benchmark::State& state) {
    SetUpEngine(state.range(0) != 0, state.range(1) != 0, state.range(2) != 0);
    int key = 0;
    for (auto _ : state) {
        PressAndRelease(key);
        key = (key + 1) % kPlainKeys;
    }
    CloseLog();
}
BENCHMARK(BM_PressAndRelease)
    ->Args({0, 0, 0})
    ->Args({1, 0, 0})
    ->Args({0, 1, 0})
    ->Args({0, 1, 1})
    ->ArgNames({"trace", "chatter", "plan"});

// The summary line: time and allocations per press and release with the trace off, chatter detection on or
// off, with or without the strict plan.
void PrintSummary(bool chatter, bool plan = false) {
    SetUpEngine(false, chatter, plan);
    constexpr int kRounds = 200000;
    for (int i = 0; i < kPlainKeys; ++i) {
        PressAndRelease(i);
    }
    const size_t allocationsBefore = allocations;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        PressAndRelease(i % kPlainKeys);
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double nanoseconds = std::chrono::duration<double, std::nano>(elapsed).count() / kRounds;
    const double perEvent = static_cast<double>(allocations - allocationsBefore) / (2.0 * kRounds);
    std::printf("engine%s%s: %.0f ns per press and release, %g allocations per event\n",
                chatter ? " with chatter detection" : "", plan ? " and a strict plan" : "", nanoseconds,
                perEvent);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary(false);
    PrintSummary(true);
    PrintSummary(true, true);
    return 0;
}
