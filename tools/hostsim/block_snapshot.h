// The shared block as the host reads it: every field the tester or the host writes, decoded from a copy of
// the block's bytes.
#pragma once

#include <cstdint>
#include <string>

struct BlockSnapshot {
    uint32_t runFlag = 0;
    std::string pluginName;
    int32_t pluginState = 0;
    std::string statusText;
    uint32_t messageCount = 0;
    std::string messageText;
    uint32_t messageCode = 0;
    std::string counterLabels[3];
    int64_t counterValues[3] = {0, 0, 0};  // the first counts the key operations
    uint8_t ready = 0;
    uint8_t messagePending = 0;
};

// Decodes the kHostBlockSize bytes at `block` (little-endian numbers, zero-terminated texts cut at the end
// of their area).
BlockSnapshot DecodeBlock(const uint8_t* block);

// `text` as one line can show it: bytes 0x20 to 0x7E as they are, except that '"' and '\' are preceded by
// a '\'; every other byte as "\xHH".
std::string PrintableText(const std::string& text);
