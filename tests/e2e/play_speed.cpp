// The speed measurement: how long single keys take from SendInput to their readout, and how many key events
// per second the tester takes when they come as fast as Wine accepts them. Prints one line
// "speed: N events/s, latency median X ms, p99 Y ms". Whether every event reached the engine is told by the
// trace that the case reads afterwards.
#include <algorithm>
#include <cstdio>

#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/input_sender.h"
#include "tests/e2e/step_players.h"
#include "tests/e2e/tester_controls.h"
#include "tests/e2e/timed_reader.h"

namespace {

constexpr double kKeyTimeoutMs = 2000.0;
constexpr double kBurstTimeoutMs = 60000.0;
constexpr DWORD kBurstPollMs =
    5;  // the burst's end is awaited with pauses, so the reads do not slow the tester

std::string CodeText(int code) {
    char text[32];
    std::snprintf(text, sizeof text, "%d (0x%x)", code, code);
    return text;
}

double Percentile(std::vector<double> samples, double fraction) {
    std::sort(samples.begin(), samples.end());
    const size_t index = static_cast<size_t>(fraction * static_cast<double>(samples.size() - 1) + 0.5);
    return samples[std::min(index, samples.size() - 1)];
}

// One key down and up, each timed until its readout shows it: the code of the key pressed, the label of the
// key released.
std::string TimeOneKey(ControlReader& reader, const KeyStroke& key, std::vector<double>& latencies) {
    double start = MillisecondsNow();
    SendKey(key, false);
    const double down = reader.Await(IDC_WINDOWS_CODE, CodeText(key.virtualKey), start, kKeyTimeoutMs, 0);
    start = MillisecondsNow();
    SendKey(key, true);
    const double up = reader.Await(IDC_LAST_RELEASED, key.label, start, kKeyTimeoutMs, 0);
    if (down < 0 || up < 0) {
        return "expected the readouts of the key " + key.label + " within 2 s; " +
               (reader.answered ? "they did not come" : "the main window stopped answering");
    }
    latencies.push_back(down);
    latencies.push_back(up);
    return "";
}

}  // namespace

std::string PlaySpeedStep(Session& session, HWND mainWindow, const Step& step) {
    if (!BringToFront(mainWindow)) {
        return "expected the main window in front for the keys; it did not come";
    }
    ControlReader reader{mainWindow};
    std::vector<double> latencies;
    for (int i = 0; i < kLatencyPresses; ++i) {
        const std::string failure = TimeOneKey(reader, step.keys[static_cast<size_t>(i % 2)], latencies);
        if (!failure.empty()) {
            return failure;
        }
    }

    reader.longestAnswerMs = 0.0;
    const double processorBefore = ReadProcessorMs(session.target);
    const double start = MillisecondsNow();
    for (long i = 0; i < step.number; ++i) {
        SendKey(step.keys[static_cast<size_t>(i % 2)], false);
        SendKey(step.keys[static_cast<size_t>(i % 2)], true);
    }
    const KeyStroke& last = step.keys[2];
    SendKey(last, false);
    SendKey(last, true);
    const double sendingMs = MillisecondsNow() - start;
    if (reader.Await(IDC_WINDOWS_CODE, CodeText(last.virtualKey), start, kBurstTimeoutMs, kBurstPollMs) < 0) {
        return "expected the last of " + std::to_string(step.number * 2 + 2) +
               " key events to show within 60 s; " +
               (reader.answered ? "it did not" : "the main window stopped answering for 1 s");
    }
    const double elapsedMs = MillisecondsNow() - start;
    const double processorMs = ReadProcessorMs(session.target) - processorBefore;
    const double events = static_cast<double>(step.number * 2 + 2);
    const double eventsPerSecond = events * 1000.0 / elapsedMs;
    std::printf("speed: %.0f events/s, latency median %.2f ms, p99 %.2f ms\n", eventsPerSecond,
                Percentile(latencies, 0.5), Percentile(latencies, 0.99));
    std::printf("speed: sending took %.0f ms of %.0f ms; the longest answer while busy took %.1f ms\n",
                sendingMs, elapsedMs, reader.longestAnswerMs);
    std::printf("speed: the tester used %.0f ms of processor time for them, %.0f us per event\n", processorMs,
                processorMs * 1000.0 / events);
    std::fflush(stdout);
    return "";
}
