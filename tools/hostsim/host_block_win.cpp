// The stand-in host's shared block: creating the mapping, reading it, and holding the run flag.
#include "tools/hostsim/host_block_win.h"

#include "records/host_link.h"

namespace {

// The size a host usually gives the block: one page, more than the tester's fields need.
constexpr DWORD kMappingSize = 4096;

}  // namespace

bool CreateHostBlock(const std::string& name, HostBlock& block, std::string& error) {
    HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kMappingSize, name.c_str());
    const DWORD created = GetLastError();
    if (mapping == nullptr) {
        error = "cannot create the block \"" + name + "\" (error " + std::to_string(created) + ")";
        return false;
    }
    if (created == ERROR_ALREADY_EXISTS) {
        CloseHandle(mapping);
        error = "a block named \"" + name + "\" already exists";
        return false;
    }
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, kMappingSize);
    if (view == nullptr) {
        error = "cannot map the block \"" + name + "\" (error " + std::to_string(GetLastError()) + ")";
        CloseHandle(mapping);
        return false;
    }
    block.mapping = mapping;
    block.view = static_cast<volatile uint8_t*>(view);
    for (DWORD offset = 0; offset < kMappingSize; ++offset) {
        block.view[offset] = 0;
    }
    SetRunFlag(block, 1);
    return true;
}

BlockSnapshot ReadHostBlock(const HostBlock& block) {
    uint8_t copy[kHostBlockSize];
    for (size_t offset = 0; offset < kHostBlockSize; ++offset) {
        copy[offset] = block.view[offset];
    }
    return DecodeBlock(copy);
}

void SetRunFlag(const HostBlock& block, uint32_t value) {
    *reinterpret_cast<volatile uint32_t*>(block.view + kRunFlag) = value;
}
