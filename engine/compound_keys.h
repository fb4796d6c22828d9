// Compound keys and fail combinations: matching a compound entry against the newest recorded key-downs.
#pragma once

#include <cstdint>

// True when the newest key-downs of the history form compound entry `index` of the current keys: its
// components in order (in any order for a FailArmed entry), no two consecutive presses further apart than its
// compound time. Writes trace lines; changes nothing else.
bool MatchCompound(int32_t index);
