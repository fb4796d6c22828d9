// The soak: a long random sequence of key and mouse-button events against the running tester. The events go
// out in rounds; after each round the driver waits until the readouts show every press and release of it
// (the status line's newest presses and the last released key), so no event can be lost unnoticed and the
// tester never falls far behind, and then samples the tester's working set. Prints the seed, the rate and
// the working set:
//   soak: seed S, N events (D key-downs) over K keys and mouse buttons
//   soak: N events in T ms, R events/s; the tester used P ms of processor time
//   soak: working set first F KB, last L KB, largest M KB; grew G KB after the warm-up (bound B KB)
#include <algorithm>
#include <cstdio>
#include <deque>

#include "tests/e2e/input_sender.h"
#include "tests/e2e/picture_view.h"
#include "tests/e2e/shown_text.h"
#include "tests/e2e/soak_plan.h"
#include "tests/e2e/step_players.h"
#include "tests/e2e/tester_controls.h"
#include "tests/e2e/timed_reader.h"

namespace {

constexpr size_t kRoundEvents = 100;
constexpr double kRoundTimeoutMs = 10000.0;
constexpr DWORD kRoundPollMs = 2;
constexpr size_t kShownPresses = 100;  // the status line shows the newest hundred presses
// The working set may grow by this much from the first quarter of the run, the warm-up, to the last. Runs of
// the tester as it should be grow by 12 KB at most; one GDI brush leaked per key event grows it by about
// 160 KB over the 2,000 events, and by 1.7 MB over 20,000.
constexpr size_t kGrowthBoundBytes = 128 * 1024;

bool IsMouseButton(const KeyStroke& key) {
    return key.virtualKey < 0;
}

// What the readouts must show once the events sent so far are taken.
struct ExpectedReadouts {
    std::deque<std::string> presses;  // labels, newest first
    std::string lastReleased = "N/A";

    void Take(const KeyStroke& key, bool up) {
        if (up) {
            lastReleased = key.label;
            return;
        }
        presses.push_front(key.label);
        if (presses.size() > kShownPresses) {
            presses.pop_back();
        }
    }
    std::string StatusLine() const {
        std::string line;
        for (const std::string& label : presses) {
            line += label + " ";
        }
        return line;
    }
};

void SendEvent(const PictureView& view, const KeyStroke& key, const SoakEvent& event) {
    if (!IsMouseButton(key)) {
        SendKey(key, event.up);
        return;
    }
    const POINT point = {view.origin.x + view.clientWidth * event.x / 1000,
                         view.origin.y + view.clientHeight * event.y / 1000};
    SendMouseButton(point, key.virtualKey, event.up);
}

size_t Median(std::vector<size_t> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// The growth of the working set from the first quarter of the samples to the last, each taken as its median
// so that a passing peak does not count.
long long GrowthAfterWarmUp(const std::vector<size_t>& samples) {
    const size_t quarter = std::max<size_t>(1, samples.size() / 4);
    const std::vector<size_t> first(samples.begin(), samples.begin() + static_cast<long>(quarter));
    const std::vector<size_t> last(samples.end() - static_cast<long>(quarter), samples.end());
    return static_cast<long long>(Median(last)) - static_cast<long long>(Median(first));
}

// Waits until the readouts show what `expected` holds; false when they do not within kRoundTimeoutMs, with
// what they showed last.
bool AwaitRound(ControlReader& reader, const ExpectedReadouts& expected, std::string& seenLine,
                std::string& seenReleased) {
    const std::string line = expected.StatusLine();
    const double start = MillisecondsNow();
    for (;;) {
        seenLine = reader.Read(IDC_STATUS_LINE);
        seenReleased = reader.Read(IDC_LAST_RELEASED);
        if (seenLine == line && seenReleased == expected.lastReleased) {
            return true;
        }
        if (!reader.answered || MillisecondsNow() - start >= kRoundTimeoutMs) {
            return false;
        }
        Sleep(kRoundPollMs);
    }
}

std::string DescribeLoss(const Session& session, const ControlReader& reader, size_t sent, size_t total,
                         const std::string& seenLine, const std::string& seenReleased,
                         const ExpectedReadouts& expected) {
    const std::string where = "after " + std::to_string(sent) + " of " + std::to_string(total) + " events, ";
    DWORD exitCode = 0;
    if (HasTargetEnded(session.target, exitCode)) {
        return where + "expected the tester to go on; it ended with exit code " + std::to_string(exitCode);
    }
    if (!reader.answered) {
        return where + "the main window stopped answering for 1 s";
    }
    return where + "expected the status line " + QuoteText(expected.StatusLine()) +
           " and the last released " + QuoteText(expected.lastReleased) + " within 10 s; saw " +
           QuoteText(seenLine) + " and " + QuoteText(seenReleased);
}

}  // namespace

std::string PlaySoakStep(Session& session, HWND mainWindow, const Step& step) {
    const std::vector<SoakEvent> plan =
        MakeSoakPlan(static_cast<uint32_t>(step.extra), step.number, step.keys.size());
    PictureView view;
    if (!ReadPictureView(mainWindow, view)) {
        return "expected the picture control; it does not exist";
    }
    if (!BringToFront(mainWindow)) {
        return "expected the main window in front for the soak; it did not come";
    }
    std::printf("soak: seed %ld, %zu events (%d key-downs) over %zu keys and mouse buttons\n", step.extra,
                plan.size(), static_cast<int>(plan.size() / 2), step.keys.size());
    std::fflush(stdout);

    ControlReader reader{mainWindow};
    ExpectedReadouts expected;
    std::vector<size_t> workingSets;
    const double processorBefore = ReadProcessorMs(session.target);
    const double start = MillisecondsNow();
    for (size_t sent = 0; sent < plan.size();) {
        if (GetForegroundWindow() != mainWindow) {
            return "after " + std::to_string(sent) + " events, expected the main window in front; it is not";
        }
        for (const size_t end = std::min(sent + kRoundEvents, plan.size()); sent < end; ++sent) {
            const KeyStroke& key = step.keys[plan[sent].key];
            SendEvent(view, key, plan[sent]);
            expected.Take(key, plan[sent].up);
        }
        std::string seenLine;
        std::string seenReleased;
        if (!AwaitRound(reader, expected, seenLine, seenReleased)) {
            return DescribeLoss(session, reader, sent, plan.size(), seenLine, seenReleased, expected);
        }
        workingSets.push_back(ReadWorkingSet(session.target));
    }
    const double elapsedMs = MillisecondsNow() - start;
    const double processorMs = ReadProcessorMs(session.target) - processorBefore;
    DWORD exitCode = 0;
    if (HasTargetEnded(session.target, exitCode)) {
        return "expected the tester to survive the soak; it ended with exit code " + std::to_string(exitCode);
    }

    const long long growth = GrowthAfterWarmUp(workingSets);
    std::printf("soak: %zu events in %.0f ms, %.0f events/s; the tester used %.0f ms of processor time\n",
                plan.size(), elapsedMs, static_cast<double>(plan.size()) * 1000.0 / elapsedMs, processorMs);
    std::printf(
        "soak: working set first %zu KB, last %zu KB, largest %zu KB; grew %lld KB after the warm-up "
        "(bound %zu KB)\n",
        workingSets.front() / 1024, workingSets.back() / 1024,
        *std::max_element(workingSets.begin(), workingSets.end()) / 1024, growth / 1024,
        kGrowthBoundBytes / 1024);
    std::fflush(stdout);
    if (workingSets.front() == 0) {
        return "expected to read the tester's working set; GetProcessMemoryInfo failed";
    }
    return growth <= static_cast<long long>(kGrowthBoundBytes)
               ? ""
               : "expected the working set to grow by at most " + std::to_string(kGrowthBoundBytes / 1024) +
                     " KB after the warm-up; it grew by " + std::to_string(growth / 1024) + " KB";
}
