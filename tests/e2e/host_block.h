// The shared block the driver creates when it plays the host of plug-in mode, and the hook library a case
// lays beside the tester or in its current folder.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

struct HostBlock {
    HANDLE mapping = nullptr;
    uint8_t* view = nullptr;
};

// The size of the block the driver creates: larger than the tester's part of it, as a host's may be.
constexpr DWORD kHostMappingSize = 4096;

// Creates the named block, fills it with `fill` and sets its run flag to 1. Fills `problem` and returns false
// when it cannot.
bool CreateHostBlock(const std::string& name, uint8_t fill, HostBlock& block, std::string& problem);

// Unmaps and closes the block, if there is one.
void CloseHostBlock(HostBlock& block);

// The hook library that the build puts beside `testerPath`.
std::string FilterLibraryBeside(const std::string& testerPath);
