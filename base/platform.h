// Services of the operating system that the portable core calls in the middle of an operation.
// Each function is defined once for Windows (base/*_win.cpp) and once more for every kind of native program
// that links the core (the unit tests record the calls; the tools print or ignore them).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A window of the platform, passed through the core untouched (a window handle in the shell).
using WindowHandle = void*;

// Message box styles, with the values the platform gives them.
constexpr uint32_t kMessageOk = 0x00;
constexpr uint32_t kMessageIconWarning = 0x30;
constexpr uint32_t kMessageIconInformation = 0x40;

// Shows a modal message box owned by `owner` (none when null) and returns when it is closed.
// `text` and `caption` are in the ANSI code page.
void ShowMessage(WindowHandle owner, const std::string& text, const char* caption, uint32_t style);

// The names (without directory) of the files matching "*.kbl" in `directory`. The Windows program takes them
// in the order in which the directory search returns them (name order on NTFS, creation order on FAT); the
// native tools sort them by name, byte by byte. The two agree for the usual layout names, but with more than
// 100 layouts the native kblcheck may check another first 100 than the tester loads.
std::vector<std::string> FindLayoutFiles(const std::string& directory);

// `text`, in the ANSI code page, converted to UTF-8.
std::string AnsiToUtf8(const std::string& text);

// The computer's name.
std::string ReadComputerName();

// True when `byte` opens a double-byte character in the system's ANSI code page (0x81-0xFE in GBK, the code
// page of a Chinese Windows). Paths and typed names are walked by characters with it, so that the second byte
// of a character is never taken for a backslash.
bool IsLeadByte(uint8_t byte);

// The text of `key` in section [Dorvelquinta] of the settings file `path`, blanks around it removed; false
// when the file or the key is missing.
bool ReadSettingText(const std::string& path, const char* key, std::string& value);

// The text of `key` in section `section` of the private profile (an .ini-style file) at `path`, read as the
// system's private-profile functions read it: names without regard to case, blanks around the text removed,
// and one pair of matching quotes around the whole text taken away. False when the file or the key is
// missing.
bool ReadProfileText(const std::string& path, const char* section, const char* key, std::string& value);

// The most a value of a private profile holds, its terminator included: a longer value is read cut to
// kProfileValueCapacity - 1 bytes.
constexpr size_t kProfileValueCapacity = 1024;

// True when a file (not a directory) exists at `path`.
bool FileExists(const std::string& path);

// A moment of the local calendar, as the system's clock gives it.
struct LocalTime {
    int32_t year = 0;     // four digits, 2026 and well past 2038
    int32_t month = 0;    // 1 to 12
    int32_t day = 0;      // 1 to 31
    int32_t weekDay = 0;  // 0 for Sunday to 6 for Saturday
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
    int32_t utcOffsetMinutes = 0;  // local time minus UTC: 480 in China
};

// Reads the local date and time from the system's clock, with no limit in 2038; false when it cannot be read.
bool ReadLocalTime(LocalTime& now);

// The system's time stamp of the input event being handled (its message time), in milliseconds. It wraps
// every 49.7 days; take differences as unsigned. Gaps between input events are measured with it, never with
// the time the tester got round to an event.
uint32_t ReadEventTime();

// The step in which the time stamps of ReadEventTime move, in whole milliseconds rounded up: the system
// clock's tick, 10 to 16 on Windows. A gap shorter than it cannot be measured, only seen to be shorter.
uint32_t ReadEventTimeTick();

// True when the key of virtual-key code `code` (or mouse button -5, -4, -3) is down now.
bool IsKeyDown(int32_t code);

// The performance counter's current value.
int64_t ReadPerformanceCounter();

// Sets the text of control `controlId` of `window`.
void SetControlText(WindowHandle window, int32_t controlId, const char* text);

// Posts the button command `commandId` (notification 0, lParam 0) to `window`.
void PostCommand(WindowHandle window, int32_t commandId);
