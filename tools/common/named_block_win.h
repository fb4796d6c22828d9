// The named shared block a host creates for the tester of plug-in mode, made the same way by the stand-in
// host and by the end-to-end driver: a fresh mapping in the paging file, filled, with its run flag set to 1.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct HostBlock {
    HANDLE mapping = nullptr;
    uint8_t* view = nullptr;
};

// The size of the block a host creates: one page, more than the tester's part of it.
constexpr DWORD kHostMappingSize = 4096;

// Creates the mapping `name`, fills it with `fill` and sets the run flag to 1. False, with `problem` set,
// when the mapping cannot be made or mapped, or when a block of that name already exists: a block left by
// an earlier run is never taken over.
bool CreateHostBlock(const std::string& name, uint8_t fill, HostBlock& block, std::string& problem);

// Unmaps and closes the block, if there is one.
void CloseHostBlock(HostBlock& block);
