// Decoding the shared block, with the offsets the tester writes at.
#include "tools/hostsim/block_snapshot.h"

#include "records/host_link.h"

namespace {

constexpr size_t kNameWidth = kLinkWordB - kPluginName;
constexpr size_t kStatusWidth = kMessageCount - kStatusText;
constexpr size_t kMessageWidth = kMessageCode - kMessageText;
constexpr size_t kLabelWidth = kFirstCounterValue - kFirstCounterLabel;

constexpr size_t kCounterLabels[3] = {kFirstCounterLabel, kSecondCounterLabel, kThirdCounterLabel};
constexpr size_t kCounterValues[3] = {kFirstCounterValue, kSecondCounterValue, kThirdCounterValue};

uint64_t ReadLittleEndian(const uint8_t* block, size_t offset, size_t size) {
    uint64_t value = 0;
    for (size_t i = size; i > 0; --i) {
        value = (value << 8) | block[offset + i - 1];
    }
    return value;
}

uint32_t ReadWord(const uint8_t* block, size_t offset) {
    return static_cast<uint32_t>(ReadLittleEndian(block, offset, 4));
}

std::string ReadText(const uint8_t* block, size_t offset, size_t width) {
    size_t length = 0;
    while (length < width && block[offset + length] != 0) {
        ++length;
    }
    return std::string(reinterpret_cast<const char*>(block + offset), length);
}

}  // namespace

BlockSnapshot DecodeBlock(const uint8_t* block) {
    BlockSnapshot snapshot;
    snapshot.runFlag = ReadWord(block, kRunFlag);
    snapshot.pluginName = ReadText(block, kPluginName, kNameWidth);
    snapshot.pluginState = static_cast<int32_t>(ReadWord(block, kPluginState));
    snapshot.statusText = ReadText(block, kStatusText, kStatusWidth);
    snapshot.messageCount = ReadWord(block, kMessageCount);
    snapshot.messageText = ReadText(block, kMessageText, kMessageWidth);
    snapshot.messageCode = ReadWord(block, kMessageCode);
    for (size_t i = 0; i < 3; ++i) {
        snapshot.counterLabels[i] = ReadText(block, kCounterLabels[i], kLabelWidth);
        snapshot.counterValues[i] = static_cast<int64_t>(ReadLittleEndian(block, kCounterValues[i], 8));
    }
    snapshot.ready = block[kReady];
    snapshot.messagePending = block[kMessagePending];
    return snapshot;
}

std::string PrintableText(const std::string& text) {
    static const char kHexDigits[] = "0123456789ABCDEF";
    std::string printable;
    for (char c : text) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte == '"' || byte == '\\') {
            printable += '\\';
            printable += c;
        } else if (byte >= 0x20 && byte <= 0x7E) {
            printable += c;
        } else {
            printable += "\\x";
            printable += kHexDigits[byte >> 4];
            printable += kHexDigits[byte & 0x0F];
        }
    }
    return printable;
}
