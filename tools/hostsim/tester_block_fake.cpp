// The in-memory shared block of the stand-in host's tests.
#include "tools/hostsim/tester_block_fake.h"

#include "engine/core_state.h"

void ResetTesterBlock() {
    ResetCoreState();
    ResetFakePlatform();
    testerBlock[kRunFlag] = 1;
}

bool OpenTesterLink() {
    return OpenLink("CMX_PLUGIN_INT_1") == 0;
}

BlockSnapshot ReadTesterBlock() {
    return DecodeBlock(testerBlock);
}
