// The lines the stand-in host prints: one for every field of the block whose value changed between two
// polls, each stamped with the milliseconds since the host started.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/hostsim/block_snapshot.h"

struct BlockField {
    std::string name;   // the field's name as the host-link guide writes it
    std::string value;  // numbers in decimal, texts quoted and printable
};

// Every field of `snapshot` in the order of their offsets in the block.
std::vector<BlockField> DescribeBlock(const BlockSnapshot& snapshot);

// One line "<ms> ms  <name> <value>" for each field that differs between `before` and `after`, in the order
// of the block.
std::vector<std::string> ReportChanges(const BlockSnapshot& before, const BlockSnapshot& after,
                                       int64_t elapsedMs);

// `text` behind the time stamp of `elapsedMs`, the stamp right-aligned so that the texts line up.
std::string StampLine(int64_t elapsedMs, const std::string& text);
