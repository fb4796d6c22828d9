// The fixture base of every unit test that touches the program's state: each test starts, and leaves, the
// whole program-wide state and the fake platform as start-up finds them, whatever ran before it.
#pragma once

#include <gtest/gtest.h>

#include "engine/core_state.h"
#include "tests/unit/platform_fake.h"

class CoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetCoreState();
        ResetFakePlatform();
    }
    void TearDown() override {
        ResetCoreState();
        ResetFakePlatform();
    }
};

// The same for a table of rows, each a test of its own.
template <typename Row>
class CoreTestWithParam : public CoreTest, public ::testing::WithParamInterface<Row> {};
