// The names a layout file may use in place of a numeric virtual-key code.
#pragma once

#include <cstdint>

struct VirtualKeyName {
    const char* name;
    int32_t code;
};

constexpr int kVirtualKeyNameCount = 164;
extern const VirtualKeyName kVirtualKeyNames[kVirtualKeyNameCount];

// The code of the name that equals `name` exactly (same characters, same case), or -1.
int32_t LookupVirtualKeyName(const char* name);
