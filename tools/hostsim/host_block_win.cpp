// The stand-in host's shared block: reading it, and holding the run flag.
#include "tools/hostsim/host_block_win.h"

#include "records/host_link.h"

BlockSnapshot ReadHostBlock(const HostBlock& block) {
    const volatile uint8_t* view = block.view;
    uint8_t copy[kHostBlockSize];
    for (size_t offset = 0; offset < kHostBlockSize; ++offset) {
        copy[offset] = view[offset];
    }
    return DecodeBlock(copy);
}

void SetRunFlag(const HostBlock& block, uint32_t value) {
    *reinterpret_cast<volatile uint32_t*>(block.view + kRunFlag) = value;
}
