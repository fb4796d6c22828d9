// Services of the platform that the portable core calls in the middle of an operation.
// Each function is defined once by the Windows shell (files ending in _win.cpp) and once more by every
// native program that links the core (the unit tests record the calls; the tools print or ignore them).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A window of the platform, passed through the core untouched (a window handle in the shell).
using WindowHandle = void*;

// Message box styles, with the values the platform gives them.
constexpr uint32_t kMessageOk = 0x00;
constexpr uint32_t kMessageIconError = 0x10;
constexpr uint32_t kMessageIconWarning = 0x30;
constexpr uint32_t kMessageIconInformation = 0x40;

// Shows a modal message box owned by `owner` (none when null) and returns when it is closed.
// `text` and `caption` are in the ANSI code page.
void ShowMessage(WindowHandle owner, const std::string& text, const char* caption, uint32_t style);

// The names (without directory) of the files matching "*.kbl" in `directory`, in the order in which the
// directory search returns them.
std::vector<std::string> FindLayoutFiles(const std::string& directory);

// True when a file (not a directory) exists at `path`.
bool FileExists(const std::string& path);
