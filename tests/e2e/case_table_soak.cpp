// The soak: random presses and releases of a layout's keys, several held at once, and clicks of the three
// mouse buttons over the picture, against a production run with the trace on (/t). The tester must take every
// event (the readouts are checked after every hundred), stay up, keep its working set flat, and write one
// "Key Down" and one "Key Up" trace line per event sent.
//
// The run is 2,000 events; DORVELQUINTA_SOAK_EVENTS sets another count, for example the full soak:
//   DORVELQUINTA_SOAK_EVENTS=20000 bash tests/e2e/run.sh build/win64 build/e2e-scratch soak
// The seed is fixed, so a failing run fails again the same way; the driver prints it with the figures.
//
// No key ends the tester or opens a dialog: no Alt (whose letters are shortcuts), no Escape, F1, F4 or F10,
// no lock key; Z is required and never pressed, so the test never completes into the pass question.
#include <cstdlib>

#include "tests/e2e/case_layouts.h"
#include "tests/e2e/case_tables.h"
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/production_steps.h"
#include "tests/e2e/soak_plan.h"
#include "tests/e2e/tester_controls.h"

namespace {

constexpr long kSoakEvents = 2000;
constexpr uint32_t kSoakSeed = 20250611;

// The keys and buttons in the order the picture places them, ten a row.
std::vector<LayoutKey> SoakKeys() {
    const struct {
        const char* code;
        KeyStroke stroke;
        const char* status;
    } rows[] = {
        {"'A'", Letter('A', 30), "DQSTATUSNOTEST"},
        {"'B'", Letter('B', 48), "DQSTATUSNOTEST"},
        {"'C'", Letter('C', 46), "DQSTATUSNOTEST"},
        {"'D'", Letter('D', 32), "DQSTATUSNOTEST"},
        {"'E'", Letter('E', 18), "DQSTATUSNOTEST"},
        {"'F'", Letter('F', 33), "DQSTATUSUP"},
        {"'G'", Letter('G', 34), "DQSTATUSUP"},
        {"'H'", Letter('H', 35), "DQSTATUSUP"},
        {"'I'", Letter('I', 23), "DQSTATUSUP"},
        {"'J'", Letter('J', 36), "DQSTATUSUP"},
        {"'K'", Letter('K', 37), "DQSTATUSUP"},
        {"'L'", Letter('L', 38), "DQSTATUSUP"},
        {"'M'", Letter('M', 50), "DQSTATUSUP"},
        {"'N'", Letter('N', 49), "DQSTATUSUP"},
        {"'1'", {'1', 2, false, "1"}, "DQSTATUSUP"},
        {"'2'", {'2', 3, false, "2"}, "DQSTATUSUP"},
        {"'3'", {'3', 4, false, "3"}, "DQSTATUSUP"},
        {"\"VK_SPACE\"", {VK_SPACE, 57, false, "Space"}, "DQSTATUSUP"},
        {"\"VK_RETURN\"", {VK_RETURN, 28, false, "Enter"}, "DQSTATUSUP"},
        {"\"VK_TAB\"", {VK_TAB, 15, false, "Tab"}, "DQSTATUSUP"},
        {"\"VK_SHIFT\"", {VK_SHIFT, 42, false, "Shift"}, "DQSTATUSUP"},
        {"\"VK_CONTROL\"", {VK_CONTROL, 29, false, "Ctrl"}, "DQSTATUSUP"},
        {"\"VK_LEFT\"", {VK_LEFT, 75, true, "Left"}, "DQSTATUSUP"},
        {"\"VK_UP\"", {VK_UP, 72, true, "Up"}, "DQSTATUSUP"},
        {"\"VK_RIGHT\"", {VK_RIGHT, 77, true, "Right"}, "DQSTATUSUP"},
        {"\"VK_DOWN\"", {VK_DOWN, 80, true, "Down"}, "DQSTATUSUP"},
        {"\"VK_HOME\"", {VK_HOME, 71, true, "Home"}, "DQSTATUSUP"},
        {"\"LMOUSE\"", {kLeftButton, 0, true, "L"}, "DQSTATUSUP"},
        {"\"MMOUSE\"", {kMiddleButton, 0, true, "M"}, "DQSTATUSUP"},
        {"\"RMOUSE\"", {kRightButton, 0, true, "R"}, "DQSTATUSUP"},
    };
    std::vector<LayoutKey> keys;
    for (const auto& row : rows) {
        const int place = static_cast<int>(keys.size());
        keys.push_back(
            MakeKey(row.code, row.stroke, row.status, {10 + place % 10 * 68, 10 + place / 10 * 64, 60, 56}));
    }
    return keys;
}

std::vector<KeyStroke> StrokesOf(const std::vector<LayoutKey>& keys) {
    std::vector<KeyStroke> strokes;
    for (const LayoutKey& key : keys) {
        strokes.push_back(key.stroke);
    }
    return strokes;
}

LayoutFile SoakLayout(const std::vector<LayoutKey>& keys) {
    std::vector<LayoutKey> all = keys;
    all.push_back(LetterKey('Z', 44, "DQSTATUSUP", {10, 270, 60, 56}));
    all.push_back(CompoundKey("JK", "DQSTATUSUP", {90, 270, 60, 56}, "1000,74,75"));
    return MakeLayoutFile("Soak", all);
}

long SoakEvents() {
    const char* value = std::getenv("DORVELQUINTA_SOAK_EVENTS");
    const long events = value != nullptr ? std::strtol(value, nullptr, 10) : 0;
    return events > 0 ? events : kSoakEvents;
}

// The trace's lines of the events of `key`: a mouse button's code stands in both of its code fields.
std::string TraceCodes(const KeyStroke& key) {
    const int scan = key.virtualKey < 0 ? key.virtualKey : key.scanCode;
    return "Windows - " + std::to_string(key.virtualKey) + ", BIOS - " + std::to_string(scan);
}

std::vector<Step> SoakRun(const std::vector<KeyStroke>& keys, long events) {
    const std::vector<SoakEvent> plan = MakeSoakPlan(kSoakSeed, events, keys.size());
    const std::vector<int> presses = CountSoakPresses(plan, keys.size());
    const int total = static_cast<int>(plan.size() / 2);
    std::vector<Step> steps = JoinSteps(IdentifyRun("test.log", false),
                                        {Soak(events, kSoakSeed, keys), MouseOnControl(IDC_EXIT),
                                         ExpectExit(0), ExpectLogPrefixes("test.log", "Key Down: ", total),
                                         ExpectLogPrefixes("test.log", "Key Up: ", total)});
    for (size_t k = 0; k < keys.size(); ++k) {
        steps.push_back(ExpectLogLineCount("test.log", "Key Down: " + TraceCodes(keys[k]), presses[k]));
        steps.push_back(ExpectLogLineCount("test.log", "Key Up: " + TraceCodes(keys[k]), presses[k]));
    }
    return steps;
}

}  // namespace

std::vector<E2eCase> ListSoakCases() {
    const std::vector<LayoutKey> keys = SoakKeys();
    return {
        {"soak-random-keys-and-mouse", {SoakLayout(keys)}, "/t", SoakRun(StrokesOf(keys), SoakEvents())},
    };
}
