// The link to the host application of plug-in mode: a shared block the host creates, through which the
// tester tells its name and status, counts key operations, reports a failure and announces the end of its
// test, and through whose run flag the host keeps it running.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Offsets and sizes of the shared block.
constexpr size_t kHostBlockSize = 0x160;
constexpr size_t kRunFlag = 0x000;
constexpr size_t kLinkWordA = 0x008;
constexpr size_t kPluginName = 0x00C;
constexpr size_t kLinkWordB = 0x020;
constexpr size_t kPluginState = 0x024;
constexpr size_t kStatusText = 0x028;
constexpr size_t kMessageCount = 0x03C;
constexpr size_t kMessageText = 0x040;
constexpr size_t kMessageCode = 0x0A4;
constexpr size_t kFirstCounterLabel = 0x0A8;
constexpr size_t kFirstCounterValue = 0x0C0;
constexpr size_t kSecondCounterLabel = 0x0C8;
constexpr size_t kSecondCounterValue = 0x0E0;
constexpr size_t kThirdCounterLabel = 0x0E8;
constexpr size_t kThirdCounterValue = 0x100;
constexpr size_t kFirstArea = 0x108;
constexpr size_t kSecondArea = 0x131;
constexpr size_t kReady = 0x15A;
constexpr size_t kMessagePending = 0x15B;

constexpr size_t kMappingNameCapacity = 512;

// The plug-in state that ends a test, passed or failed.
constexpr int32_t kTestEndedState = 9;

struct HostLink {
    uint8_t* block = nullptr;  // the mapped view; none until the link is open
    std::string mappingName;
};

extern HostLink hostLink;

// What OpenLink gives, the number the start-up message shows: the block opened, its name refused, no block
// of that name, or the block found but not mapped.
constexpr int32_t kLinkOpened = 0;
constexpr int32_t kLinkNameRefused = 1;
constexpr int32_t kLinkNoBlock = 2;
constexpr int32_t kLinkNotMapped = 3;

// Opens the block named `name` and fills it: kLinkOpened, or why not. Nothing is written into the block on
// failure.
int32_t OpenLink(const char* name);

// What the link asks of the system, defined once by the Windows shell (records/host_link_win.cpp) and once
// more by every native program that links the core.
// Opens the host's named shared block and maps `length` bytes of it. Null on failure, with `errorCode`
// kLinkNoBlock or kLinkNotMapped.
uint8_t* MapHostBlock(const char* name, size_t length, int32_t& errorCode);

// Waits `milliseconds` without handling the program's own window messages; the window is painted first and
// the thread's hooks stay serviced meanwhile.
void SleepMilliseconds(int32_t milliseconds);

// True while the host's run flag holds exactly 1.
bool RunRequested();

// Adds `count`, sign-extended, to the first counter (the key operations).
void AddOperations(int32_t count);

// Publishes a message with its code and waits up to 2 s for the host.
void ReportMessage(const char* text, int32_t code);

// Publishes the plug-in state and waits up to 1 s for the host, and for the state 9 up to 2 s more.
void ReportState(int32_t state);

// Sleeps in steps of 100 ms up to `boundMs`, ending early once the run flag reads 0.
void WaitForHost(int32_t boundMs);

// Stores `text` into the text area at `area` of width `width` as the host reads it: at most width - 1 bytes
// (98 for widths of 100 and more), control bytes, bytes above 0x7F, "%" and "\" turned into spaces.
void PutText(uint8_t* area, const char* text, int32_t width);

// Expands a message text used as a format without arguments: "%%" gives one "%", every other byte is copied;
// the result is cut to 99 bytes.
std::string ExpandMessageText(const char* text);
