// The makers of the steps of plug-in mode's shared block, of timed ends and of moving the main window. Each
// step's meaning is given with its kind in e2e_case.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tests/e2e/e2e_case.h"

Step ExpectHostBytes(size_t offset, const std::string& bytes, SourcePlace writtenAt = {});
// The `size` bytes at `offset` hold `value`, little-endian.
Step ExpectHostNumber(size_t offset, int size, int64_t value, SourcePlace writtenAt = {});
Step SetRunFlag(uint32_t value, SourcePlace writtenAt = {});
Step ExpectEndWithin(int lowMs, int highMs, SourcePlace writtenAt = {});
Step MoveMainWindow(int x, int y, SourcePlace writtenAt = {});
