// Creating and releasing a host's shared block.
#include "tools/common/named_block_win.h"

#include <cstring>

#include "records/host_link.h"

bool CreateHostBlock(const std::string& name, uint8_t fill, HostBlock& block, std::string& problem) {
    HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHostMappingSize, name.c_str());
    const DWORD created = GetLastError();
    if (mapping == nullptr) {
        problem = "cannot create the block \"" + name + "\" (error " + std::to_string(created) + ")";
        return false;
    }
    if (created == ERROR_ALREADY_EXISTS) {
        CloseHandle(mapping);
        problem = "a block named \"" + name + "\" already exists";
        return false;
    }
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, kHostMappingSize);
    if (view == nullptr) {
        problem = "cannot map the block \"" + name + "\" (error " + std::to_string(GetLastError()) + ")";
        CloseHandle(mapping);
        return false;
    }
    block.mapping = mapping;
    block.view = static_cast<uint8_t*>(view);
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
