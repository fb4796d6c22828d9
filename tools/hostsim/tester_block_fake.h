// A shared block in memory that the tester's own link code fills, for the stand-in host's tests: the link
// maps the recording platform's host block, and its waits for the host pass at once. Also the fixture of the
// tests that use it.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "records/host_link.h"
#include "tests/unit/platform_fake.h"
#include "tools/hostsim/block_snapshot.h"

// The block the tester writes and the host reads: its first kHostBlockSize bytes.
inline uint8_t* const testerBlock = fakePlatform.hostBlock;

// Zero-fills the block as a host creates it, sets the run flag to 1 and closes the tester's link.
void ResetTesterBlock();

// Opens the tester's link on the block, as the tester does at start-up; false when it refuses.
bool OpenTesterLink();

// The block as the host reads it now.
BlockSnapshot ReadTesterBlock();

// Tests that start from a freshly created block.
class TesterBlockTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetTesterBlock(); }
    void TearDown() override { ResetTesterBlock(); }
};
