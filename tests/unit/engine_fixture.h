// A fixture for engine tests: a layout built from file rows made current, a counter the test moves, the
// platform recorded and the test log written to a temporary file.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/key_codes.h"
#include "base/program.h"
#include "engine/key_events.h"
#include "engine/test_state.h"
#include "layouts/layout_catalogue.h"
#include "records/test_log.h"
#include "tests/unit/core_fixture.h"
#include "tests/unit/platform_fake.h"

// lParam of a key message: scan code, extended flag and repeat count.
inline int32_t KeyParam(int32_t scan, bool extended = false, int32_t repeat = 1) {
    return (scan << 16) | (extended ? 0x01000000 : 0) | repeat;
}

class EngineTest : public CoreTest {
  protected:
    static constexpr int64_t kTicksPerMs = 1000;

    void SetUp() override {
        CoreTest::SetUp();
        program.ticksPerMs = kTicksPerMs;
        program.mainWindow = window;
        logFile = std::tmpfile();
        testLog.stream = logFile;
    }
    void TearDown() override {
        testLog.stream = nullptr;
        std::fclose(logFile);
        CoreTest::TearDown();
    }

    // Builds a layout from file rows, makes it current and resets the test; clears what was recorded.
    void Load(const std::vector<std::string>& lines) {
        FreeLayoutCatalogue();
        LayoutRowList rows;
        for (const std::string& line : lines) {
            char buffer[kLayoutLineBufferSize] = {};
            std::snprintf(buffer, sizeof buffer, "%s", line.c_str());
            LayoutRow row;
            ASSERT_TRUE(ParseLayoutLine(buffer, row)) << line;
            rows.rows.push_back(row);
        }
        KeyboardLayout layout;
        ASSERT_TRUE(BuildKeyboardLayout(nullptr, rows, layout, static_cast<int>(lines.size()), "T.kbl"));
        catalogue.layouts.push_back(layout);
        catalogue.layoutCount = 1;
        MakeLayoutCurrent(0);
        ResetTest();
        ClearRecords();
    }
    void ClearRecords() {
        const int64_t counter = fakePlatform.counter;
        ResetFakePlatform();
        fakePlatform.counter = counter;
        ClearLog();
    }
    void At(int64_t milliseconds) { fakePlatform.counter = milliseconds * kTicksPerMs; }

    void Down(int32_t code, int32_t scan, bool extended = false, int32_t repeat = 1) {
        OnKeyDown(window, code, KeyParam(scan, extended, repeat));
    }
    void Up(int32_t code, int32_t scan, bool extended = false) {
        OnKeyUp(window, code, KeyParam(scan, extended));
    }
    void Press(int32_t code, int32_t scan, bool extended = false) {
        Down(code, scan, extended);
        Up(code, scan, extended);
    }

    // The status of every entry, separated by spaces.
    std::string Statuses() const {
        std::string text;
        for (size_t i = 0; (*catalogue.currentKeys)[i].virtualKey != kTerminatorCode; ++i) {
            text += (text.empty() ? "" : " ") + std::to_string(StateOf(i).status);
        }
        return text;
    }
    int32_t Status(size_t index) const { return StateOf(index).status; }

    std::string LogText() const {
        std::fflush(logFile);
        std::string text;
        std::rewind(logFile);
        char chunk[512];
        size_t read;
        while ((read = std::fread(chunk, 1, sizeof chunk, logFile)) > 0) {
            text.append(chunk, read);
        }
        return text;
    }
    void ClearLog() {
        std::fclose(logFile);
        logFile = std::tmpfile();
        testLog.stream = logFile;
    }

    WindowHandle window = reinterpret_cast<WindowHandle>(0x10);
    FILE* logFile = nullptr;
};

// Rows of a small layout: A, S, left and right Ctrl, Alt, Del, F, a not-required key, and Caps Lock.
inline std::string KeyRow(const std::string& code, int scan, const std::string& label, bool extended = false,
                          const std::string& status = "DQSTATUSUP") {
    return code + "," + std::to_string(scan) + ",\"" + label + "\",\"" + (extended ? "true" : "false") +
           "\",\"" + status + "\",0,1,2,3,4";
}
