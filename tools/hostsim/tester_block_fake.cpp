// The in-memory shared block of the stand-in host's tests, and the platform services of the tester's link.
#include "tools/hostsim/tester_block_fake.h"

#include <cstring>

#include "app/platform.h"

uint8_t testerBlock[kHostBlockSize];

uint8_t* MapHostBlock(const char*, size_t, int32_t&) {
    return testerBlock;
}

// The link's waits for the host pass at once.
void SleepMilliseconds(int32_t) {}

void ResetTesterBlock() {
    std::memset(testerBlock, 0, sizeof testerBlock);
    testerBlock[kRunFlag] = 1;
    hostLink = HostLink();
}

bool OpenTesterLink() {
    return OpenLink("CMX_PLUGIN_INT_1") == 0;
}

BlockSnapshot ReadTesterBlock() {
    return DecodeBlock(testerBlock);
}
