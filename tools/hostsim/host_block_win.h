// The shared block the stand-in host creates: a named mapping in the paging file, zero-filled, whose run
// flag the host holds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "tools/hostsim/block_snapshot.h"

struct HostBlock {
    HANDLE mapping = nullptr;
    volatile uint8_t* view = nullptr;
};

// Creates the mapping `name`, zero-fills it and sets the run flag to 1. False, with `error` set, when the
// name is already taken or the mapping cannot be made.
bool CreateHostBlock(const std::string& name, HostBlock& block, std::string& error);

// The block as it reads now.
BlockSnapshot ReadHostBlock(const HostBlock& block);

// Stores `value` into the run flag.
void SetRunFlag(const HostBlock& block, uint32_t value);
