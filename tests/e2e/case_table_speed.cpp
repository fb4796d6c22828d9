// The speed case: with the trace on, single keys are timed to their readouts and a thousand presses come as
// fast as Wine takes them; the trace must then hold every one of their key-downs and key-ups.
#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/production_steps.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr int kBurstPresses = 1000;

// Keys that need no test, so that no verdict interrupts the presses; Z stays untested.
const LayoutKey kA = LetterKey('A', 30, "DQSTATUSNOTEST", {10, 10, 40, 40});
const LayoutKey kB = LetterKey('B', 48, "DQSTATUSNOTEST", {60, 10, 40, 40});
const LayoutKey kC = LetterKey('C', 46, "DQSTATUSNOTEST", {110, 10, 40, 40});
const LayoutKey kZ = LetterKey('Z', 44, "DQSTATUSUP", {160, 10, 40, 40});

// The trace lines that count the events of `key`, `presses` of each direction.
std::vector<Step> CountEvents(const KeyStroke& key, int presses) {
    const std::string codes = std::to_string(key.virtualKey) + ", BIOS - " + std::to_string(key.scanCode);
    return {ExpectLogLineCount("test.log", "Key Down: Windows - " + codes, presses),
            ExpectLogLineCount("test.log", "Key Up: Windows - " + codes, presses)};
}

std::vector<Step> SpeedRun() {
    const int eachKey = (kLatencyPresses + kBurstPresses) / 2;
    std::vector<Step> steps = IdentifyRun("test.log", false);
    for (const auto& part : {
             std::vector<Step>{MeasureSpeed(kBurstPresses, kA.stroke, kB.stroke, kC.stroke),
                               ClickControl(IDC_EXIT), ExpectExit(0)},
             CountEvents(kA.stroke, eachKey),
             CountEvents(kB.stroke, eachKey),
             CountEvents(kC.stroke, 1),
         }) {
        steps = JoinSteps(steps, part);
    }
    return steps;
}

}  // namespace

std::vector<E2eCase> ListSpeedCases() {
    return {
        {"speed-thousand-presses", {MakeLayoutFile("Speed", {kA, kB, kC, kZ})}, "/t", SpeedRun()},
    };
}
