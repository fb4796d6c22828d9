// Making the soak's random sequence. std::mt19937 gives the same numbers on every platform; the numbers are
// reduced with % rather than a distribution, whose results the standard leaves to the library.
#include "tests/e2e/soak_plan.h"

#include <random>

namespace {

constexpr uint32_t kPointRange = 1000;

// Picks the `n`th (counted from 0) key whose held state is `held`.
size_t NthKey(const std::vector<bool>& heldKeys, bool held, size_t n) {
    for (size_t key = 0; key < heldKeys.size(); ++key) {
        if (heldKeys[key] == held && n-- == 0) {
            return key;
        }
    }
    return 0;
}

}  // namespace

std::vector<SoakEvent> MakeSoakPlan(uint32_t seed, long events, size_t keyCount) {
    std::mt19937 random(seed);
    const long total = events + events % 2;
    std::vector<bool> heldKeys(keyCount, false);
    size_t held = 0;
    std::vector<SoakEvent> plan;
    plan.reserve(static_cast<size_t>(total));
    for (long left = total; left > 0; --left) {
        const bool mustRelease = held >= kSoakMostHeld || static_cast<long>(held) >= left;
        const bool release = held > 0 && (mustRelease || random() % 2 == 0);
        SoakEvent event;
        event.up = release;
        event.key = release ? NthKey(heldKeys, true, random() % held)
                            : NthKey(heldKeys, false, random() % (keyCount - held));
        event.x = static_cast<int>(random() % kPointRange);
        event.y = static_cast<int>(random() % kPointRange);
        heldKeys[event.key] = !release;
        held = release ? held - 1 : held + 1;
        plan.push_back(event);
    }
    return plan;
}

std::vector<int> CountSoakPresses(const std::vector<SoakEvent>& plan, size_t keyCount) {
    std::vector<int> presses(keyCount, 0);
    for (const SoakEvent& event : plan) {
        presses[event.key] += event.up ? 0 : 1;
    }
    return presses;
}
