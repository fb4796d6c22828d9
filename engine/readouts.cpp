// The readouts of the main window.
#include "engine/readouts.h"

#include <cstdio>
#include <cstring>

#include "app/program.h"
#include "engine/test_state.h"
#include "layouts/layout_catalogue.h"

namespace {

constexpr int32_t kCodeReadout = 1008;
constexpr int32_t kScanReadout = 1009;
constexpr int32_t kHoldTimeReadout = 1010;
constexpr int32_t kLastReleasedReadout = 1011;
constexpr int32_t kLastPressedReadout = 1012;
constexpr int32_t kHistoryReadout = 1013;
constexpr int32_t kCodeExtendedReadout = 1014;
constexpr int32_t kScanExtendedReadout = 1015;
constexpr int32_t kTypingRateReadout = 1017;
constexpr int32_t kDelayTimeReadout = 1022;
constexpr int kTypingRateSlots = 10;

const char* MouseName(int32_t code) {
    switch (code) {
        case kLeftMouse:
            return "LMOUSE";
        case kMiddleMouse:
            return "MMOUSE";
        case kRightMouse:
            return "RMOUSE";
        default:
            return nullptr;
    }
}

void FormatCode(char* text, size_t size, int32_t code) {
    if (const char* name = MouseName(code)) {
        std::snprintf(text, size, "%s", name);
    } else {
        std::snprintf(text, size, "%d (0x%x)", code, static_cast<unsigned>(code));
    }
}

const char* LabelOf(int32_t index) {
    return index < 0 ? "N/A" : (*catalogue.currentKeys)[static_cast<size_t>(index)].label.c_str();
}

}  // namespace

const char* HistoryLineText() {
    static char line[kHistoryLineCapacity];
    size_t length = 0;
    int32_t slot = PreviousHistorySlot(testState.historyPos);
    for (int i = 0; i < kHistorySize; ++i) {
        const HistoryEntry& entry = testState.history[slot];
        if (entry.keyIndex < 0) {
            break;
        }
        const std::string& label = (*catalogue.currentKeys)[static_cast<size_t>(entry.keyIndex)].label;
        if (length + label.size() + 1 >= kHistoryLineCapacity) {
            break;
        }
        std::memcpy(line + length, label.data(), label.size());
        length += label.size();
        line[length++] = ' ';
        slot = PreviousHistorySlot(slot);
    }
    line[length] = '\0';
    return line;
}

float TypingRate() {
    int64_t ticks = 0;
    int intervals = 0;
    int32_t slot = PreviousHistorySlot(testState.historyPos);
    const HistoryEntry* newer = nullptr;
    for (int i = 0; i < kTypingRateSlots; ++i) {
        const HistoryEntry& entry = testState.history[slot];
        if (entry.keyIndex < 0) {
            break;
        }
        if (newer != nullptr) {
            ticks += newer->time - entry.time;
            ++intervals;
        }
        newer = &entry;
        slot = PreviousHistorySlot(slot);
    }
    if (ticks <= 0 || intervals <= 0) {
        return 0.0f;
    }
    const int64_t ms = ticks / program.ticksPerMs;
    if (ms <= 0) {
        return 0.0f;
    }
    return static_cast<float>(intervals / (static_cast<double>(ms) / 1000.0));
}

void UpdateReadouts(WindowHandle window) {
    char scanText[32];
    char codeText[32];
    char text[32];
    FormatCode(scanText, sizeof scanText, testState.lastScanCode);
    SetControlText(window, kScanReadout, scanText);
    if (MouseName(testState.lastKeyCode) != nullptr) {
        SetControlText(window, kCodeReadout, scanText);
    } else {
        FormatCode(codeText, sizeof codeText, testState.lastKeyCode);
        SetControlText(window, kCodeReadout, codeText);
    }
    std::snprintf(text, sizeof text, "%dms", testState.holdTimeMs);
    SetControlText(window, kHoldTimeReadout, text);
    std::snprintf(text, sizeof text, "%dms", testState.delayTimeMs);
    SetControlText(window, kDelayTimeReadout, text);
    const char* extendedMark = testState.lastExtended != 0 ? "E" : "";
    SetControlText(window, kScanExtendedReadout, extendedMark);
    SetControlText(window, kCodeExtendedReadout, extendedMark);
    SetControlText(window, kLastPressedReadout, LabelOf(testState.lastPressed));
    SetControlText(window, kLastReleasedReadout, LabelOf(testState.lastReleased));
    SetControlText(window, kHistoryReadout, HistoryLineText());
    std::snprintf(text, sizeof text, "%0.1f", static_cast<double>(TypingRate()));
    SetControlText(window, kTypingRateReadout, text);
}
