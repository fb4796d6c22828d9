// The link to the host application: the block's stores in their fixed order, and the waits for the host.
#include "records/host_link.h"

#include <cstring>

#include "base/platform.h"

HostLink hostLink;

namespace {

constexpr int32_t kWaitStepMs = 100;
constexpr int32_t kMessageWaitMs = 2000;
constexpr int32_t kStateWaitMs = 1000;
constexpr int32_t kEndStateWaitMs = 2000;
constexpr int32_t kNameTextWidth = 20;
constexpr int32_t kMessageTextWidth = 100;
constexpr size_t kMessageBufferSize = 100;

// Plain stores into the shared block, kept in program order: the host reads the block while it is written.
void Store32(size_t offset, uint32_t value) {
    *reinterpret_cast<volatile uint32_t*>(hostLink.block + offset) = value;
}
void Store64(size_t offset, int64_t value) {
    *reinterpret_cast<volatile int64_t*>(hostLink.block + offset) = value;
}
void StoreByte(size_t offset, uint8_t value) {
    *reinterpret_cast<volatile uint8_t*>(hostLink.block + offset) = value;
}
uint32_t Load32(size_t offset) {
    return *reinterpret_cast<volatile uint32_t*>(hostLink.block + offset);
}
int64_t Load64(size_t offset) {
    return *reinterpret_cast<volatile int64_t*>(hostLink.block + offset);
}

bool NameRefused(const char* name) {
    const size_t length = std::strlen(name);
    return length == 0 || length >= kMappingNameCapacity || (name[0] != 'C' && name[1] != 'M');
}

void InitialiseBlock() {
    Store32(kLinkWordA, 2);
    Store32(kLinkWordB, 0);
    Store32(kMessageCount, 0);
    Store32(kMessageCode, 0);
    Store64(kFirstCounterValue, 0);
    Store32(kPluginState, static_cast<uint32_t>(-1));
    Store64(kSecondCounterValue, -1);
    Store64(kThirdCounterValue, -1);
    for (size_t offset : {kFirstArea, size_t{0x15D}, kSecondArea, size_t{0x15E}, kMessagePending,
                          size_t{0x15C}, size_t{0x15F}}) {
        StoreByte(offset, 0);
    }
    PutText(hostLink.block + kPluginName, "Dorvelquinta", kNameTextWidth);
    PutText(hostLink.block + kStatusText, "正在启动", kNameTextWidth);
    PutText(hostLink.block + kMessageText, "", kMessageTextWidth);
    PutText(hostLink.block + kFirstCounterLabel, "操作:", kNameTextWidth);
    PutText(hostLink.block + kSecondCounterLabel, "", kNameTextWidth);
    PutText(hostLink.block + kThirdCounterLabel, "", kNameTextWidth);
    StoreByte(kReady, 1);
}

}  // namespace

int32_t OpenLink(const char* name) {
    hostLink.mappingName = std::string(name).substr(0, kMappingNameCapacity - 1);
    if (NameRefused(name)) {
        return kLinkNameRefused;
    }
    int32_t errorCode = kLinkOpened;
    uint8_t* view = MapHostBlock(name, kHostBlockSize, errorCode);
    if (view == nullptr) {
        return errorCode;
    }
    hostLink.block = view;
    InitialiseBlock();
    return kLinkOpened;
}

bool RunRequested() {
    return hostLink.block != nullptr && Load32(kRunFlag) == 1;
}

void AddOperations(int32_t count) {
    if (hostLink.block != nullptr) {
        Store64(kFirstCounterValue, Load64(kFirstCounterValue) + static_cast<int64_t>(count));
    }
}

std::string ExpandMessageText(const char* text) {
    std::string expanded;
    for (const char* p = text; *p != '\0' && expanded.size() < kMessageBufferSize - 1; ++p) {
        expanded += *p;
        if (p[0] == '%' && p[1] == '%') {
            ++p;
        }
    }
    return expanded;
}

void ReportMessage(const char* text, int32_t code) {
    if (hostLink.block == nullptr) {
        return;
    }
    Store32(kMessageCount, Load32(kMessageCount) + 1);
    Store32(kMessageCode, static_cast<uint32_t>(code));
    PutText(hostLink.block + kMessageText, ExpandMessageText(text).c_str(), kMessageTextWidth);
    StoreByte(kMessagePending, 1);
    WaitForHost(kMessageWaitMs);
}

void ReportState(int32_t state) {
    if (hostLink.block == nullptr) {
        return;
    }
    Store32(kPluginState, static_cast<uint32_t>(state));
    WaitForHost(kStateWaitMs);
    if (state == kTestEndedState) {
        WaitForHost(kEndStateWaitMs);
    }
}

void WaitForHost(int32_t boundMs) {
    for (int32_t remaining = boundMs; remaining > 0; remaining -= kWaitStepMs) {
        SleepMilliseconds(kWaitStepMs);
        if (Load32(kRunFlag) == 0) {
            return;
        }
    }
}

void PutText(uint8_t* area, const char* text, int32_t width) {
    const int32_t room = width >= kMessageTextWidth ? 99 : width;
    int32_t length = 0;
    volatile uint8_t* target = area;
    for (; length < room - 1 && text[length] != '\0'; ++length) {
        const signed char byte = static_cast<signed char>(text[length]);
        target[length] = (byte < 32 || byte == '%' || byte == '\\') ? ' ' : static_cast<uint8_t>(byte);
    }
    target[length] = 0;
    target[room - 1] = 0;
}
