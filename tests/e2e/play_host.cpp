// Playing the host's side of plug-in mode (reading the shared block, setting its run flag, timing the
// tester's end) and moving the main window.
#include <cstdio>
#include <cstring>

#include "records/host_link.h"
#include "tests/e2e/step_players.h"

namespace {

std::string HexOf(const uint8_t* bytes, size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X ", bytes[i]);
        text += pair;
    }
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

}  // namespace

std::string PlayHostBytes(Session& session, const Step& step) {
    const uint8_t* view = session.host.view;
    const size_t offset = static_cast<size_t>(step.number);
    const std::string& expected = step.text;
    if (view == nullptr || offset + expected.size() > kHostMappingSize) {
        return "the case has no host block that holds the bytes at " + std::to_string(offset);
    }
    if (PollUntil(session,
                  [&] { return std::memcmp(view + offset, expected.data(), expected.size()) == 0; })) {
        return "";
    }
    size_t first = 0;
    while (view[offset + first] == static_cast<uint8_t>(expected[first])) {
        ++first;
    }
    const size_t shown = std::min<size_t>(expected.size() - first, 24);
    char where[16];
    std::snprintf(where, sizeof where, "0x%03zX", offset + first);
    return std::string("expected the host block at ") + where + " to hold " +
           HexOf(reinterpret_cast<const uint8_t*>(expected.data()) + first, shown) + "; saw " +
           HexOf(view + offset + first, shown) + " (" + DescribeWait(session) + ")";
}

std::string PlayRunFlag(const Session& session, const Step& step) {
    if (session.host.view == nullptr) {
        return "the case has no host block";
    }
    const uint32_t value = static_cast<uint32_t>(step.number);
    std::memcpy(session.host.view + kRunFlag, &value, sizeof value);
    return "";
}

std::string PlayEndWithin(Session& session, const Step& step) {
    const DWORD start = GetTickCount();
    PollUntil(
        session, [&] { return HasEnded(session); }, static_cast<DWORD>(step.extra) + 2000);
    const long elapsed = static_cast<long>(GetTickCount() - start);
    DWORD exitCode = 0;
    if (!HasTargetEnded(session.target, exitCode)) {
        return "expected the tester to end within " + std::to_string(step.extra) + " ms; saw " +
               DescribeWait(session);
    }
    if (elapsed < step.number || elapsed > step.extra) {
        return "expected the tester to end after " + std::to_string(step.number) + " to " +
               std::to_string(step.extra) + " ms; it ended after " + std::to_string(elapsed) + " ms";
    }
    return exitCode == 0 ? "" : "expected exit code 0; saw " + std::to_string(exitCode);
}

std::string PlayMoveMainWindow(Session&, HWND mainWindow, const Step& step) {
    if (!SetWindowPos(mainWindow, nullptr, static_cast<int>(step.number), static_cast<int>(step.extra), 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)) {
        return "cannot move the main window (error " + std::to_string(GetLastError()) + ")";
    }
    RECT seen = {};
    GetWindowRect(mainWindow, &seen);
    if (seen.left != step.number || seen.top != step.extra) {
        return "expected the main window at (" + std::to_string(step.number) + ", " +
               std::to_string(step.extra) + "); it lies at (" + std::to_string(seen.left) + ", " +
               std::to_string(seen.top) + ")";
    }
    return "";
}
