// Matching compound keys against the history of recent key-downs.
#include "engine/compound_keys.h"

#include <utility>

#include "base/key_codes.h"
#include "base/program.h"
#include "engine/test_state.h"
#include "layouts/layout_catalogue.h"
#include "records/test_log.h"

namespace {

int32_t CodeOf(const HistoryEntry& entry) {
    return (*catalogue.currentKeys)[static_cast<size_t>(entry.keyIndex)].virtualKey;
}

// Sorts the component codes and the history copies ascending by code. The history copies exchange only their
// key index and status: each position keeps the time of its key-down, newest first.
void SortForAnyOrder(int32_t* components, HistoryEntry* presses, int count) {
    for (int pass = 0; pass < count; ++pass) {
        for (int k = 0; k + 1 < count; ++k) {
            if (components[k] > components[k + 1]) {
                std::swap(components[k], components[k + 1]);
            }
        }
    }
    for (int pass = 0; pass < count; ++pass) {
        for (int k = 0; k + 1 < count; ++k) {
            if (CodeOf(presses[k]) > CodeOf(presses[k + 1])) {
                std::swap(presses[k].keyIndex, presses[k + 1].keyIndex);
                std::swap(presses[k].status, presses[k + 1].status);
            }
        }
    }
}

}  // namespace

bool MatchCompound(int32_t index) {
    const KeyEntry& compound = (*catalogue.currentKeys)[static_cast<size_t>(index)];
    const int32_t status = StateOf(index).status;
    const HistoryEntry& newest = testState.history[PreviousHistorySlot(testState.historyPos)];
    if (!TraceActive() && status != FailArmed &&
        (newest.keyIndex < 0 || CodeOf(newest) != compound.components[0])) {
        return false;  // the newest press is not the last component: decided without the full comparison
    }
    TraceLine("Attempting to match compound key %s\n", compound.label.c_str());

    int32_t components[kMaxComponents];
    HistoryEntry presses[kMaxComponents];
    bool ok = true;
    int count = 0;
    int32_t slot = PreviousHistorySlot(testState.historyPos);
    for (size_t c = 0; ok && c < compound.components.size() && compound.components[c] != kTerminatorCode &&
                       count < kMaxComponents;
         ++c) {
        components[count] = compound.components[c];
        if (testState.history[slot].keyIndex < 0) {
            ok = false;
        } else {
            presses[count] = testState.history[slot];
            slot = PreviousHistorySlot(slot);
        }
        ++count;
    }
    if (status == FailArmed && ok) {
        SortForAnyOrder(components, presses, count);
        TraceLine("Sorted compound characters and History\n");
    }
    if (ok && count > 0) {
        int64_t previous = presses[0].time;
        const int32_t allowed = static_cast<int32_t>(compound.compoundTime);
        for (int k = 0; ok && k < count; ++k) {
            const int32_t code = CodeOf(presses[k]);
            const int32_t gap = static_cast<int32_t>((previous - presses[k].time) / program.ticksPerMs);
            previous = presses[k].time;
            TraceLine("History scancode %d. Compound key scancode %d. Time diff %d (reqd: %d) \n", code,
                      components[k], gap, allowed);
            if (code != components[k] || static_cast<int64_t>(gap) > compound.compoundTime) {
                ok = false;
            }
        }
    }
    TraceLine("Compound key match status %d\n", ok ? 1 : 0);
    return ok;
}
