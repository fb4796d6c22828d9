// The shared block the stand-in host creates (tools/common/named_block_win.h), zero-filled, as it reads the
// block and holds its run flag.
#pragma once

#include <cstdint>

#include "tools/common/named_block_win.h"
#include "tools/hostsim/block_snapshot.h"

// The block as it reads now.
BlockSnapshot ReadHostBlock(const HostBlock& block);

// Stores `value` into the run flag.
void SetRunFlag(const HostBlock& block, uint32_t value);
