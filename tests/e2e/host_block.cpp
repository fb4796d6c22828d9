// Creating and releasing the driver's shared block, and finding the hook library of the build.
#include "tests/e2e/host_block.h"

#include <cstring>

#include "records/host_link.h"

bool CreateHostBlock(const std::string& name, uint8_t fill, HostBlock& block, std::string& problem) {
    block.mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHostMappingSize, name.c_str());
    if (block.mapping == nullptr) {
        problem = "cannot create the block " + name + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    block.view = static_cast<uint8_t*>(MapViewOfFile(block.mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    if (block.view == nullptr) {
        problem = "cannot map the block " + name + " (error " + std::to_string(GetLastError()) + ")";
        CloseHostBlock(block);
        return false;
    }
    std::memset(block.view, fill, kHostMappingSize);
    const uint32_t running = 1;
    std::memcpy(block.view + kRunFlag, &running, sizeof running);
    return true;
}

void CloseHostBlock(HostBlock& block) {
    if (block.view != nullptr) {
        UnmapViewOfFile(block.view);
        block.view = nullptr;
    }
    if (block.mapping != nullptr) {
        CloseHandle(block.mapping);
        block.mapping = nullptr;
    }
}

std::string FilterLibraryBeside(const std::string& testerPath) {
    return testerPath.substr(0, testerPath.rfind('\\') + 1) + "filter.dll";
}
