// The soak's events: a reproducible random sequence of presses and releases of a layout's keys and mouse
// buttons, several of them held at once, that ends with every one released. The case table and the player
// build the same sequence from the same seed: the table to know what the trace must hold, the player to send
// it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// At most this many keys and buttons are held at once.
constexpr size_t kSoakMostHeld = 4;

struct SoakEvent {
    size_t key = 0;  // index of the key or mouse button among the soak's keys
    bool up = false;
    int x = 0;  // for a mouse button: where over the picture, in thousandths of its width
    int y = 0;  // and of its height
};

// `events` events (rounded up to an even number) over `keyCount` keys from `seed`: each event presses a key
// that is not held or releases one that is, at random, with never more than kSoakMostHeld held; the last
// events release whatever is still held.
std::vector<SoakEvent> MakeSoakPlan(uint32_t seed, long events, size_t keyCount);

// How many times each of the `keyCount` keys goes down in `plan` (and so goes up).
std::vector<int> CountSoakPresses(const std::vector<SoakEvent>& plan, size_t keyCount);
