// One request to the line server over WinHTTP, the HTTP client that is part of Windows.
#pragma once

#include <cstdint>
#include <string>

#include "records/line_link.h"

struct LineResponse {
    int32_t status = 0;  // the HTTP status; 0 when no answer came within the time-out
    std::string body;    // the answer's body, at most 64 KiB of it
};

// Sends `method` `path` (below the address's base path) with `body` as JSON and the station's `token`, and
// waits up to about `timeoutMs` for each step (the connection, the sending, the answer).
LineResponse SendLineRequest(const LineAddress& address, const std::string& token, const wchar_t* method,
                             const std::string& path, const std::string& body, int32_t timeoutMs);

// `utf8` in the ANSI code page, for a message box; characters it lacks become '?'.
std::string Utf8ToAnsi(const std::string& utf8);
