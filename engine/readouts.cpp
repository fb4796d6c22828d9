// The readouts of the main window.
#include "engine/readouts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/program.h"
#include "engine/test_state.h"
#include "layouts/layout_catalogue.h"
#include "resources/resource_ids.h"

namespace {

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

// Writes the digits of `value` in `base` at `text`; returns the end. Readouts are written after every key
// event, so they are formatted here rather than through the general formatter.
char* PutDigits(char* text, uint32_t value, uint32_t base) {
    char digits[16];
    int count = 0;
    do {
        digits[count++] = "0123456789abcdef"[value % base];
        value /= base;
    } while (value != 0);
    while (count > 0) {
        *text++ = digits[--count];
    }
    return text;
}

char* PutDecimal(char* text, int32_t value) {
    if (value < 0) {
        *text++ = '-';
        return PutDigits(text, 0u - static_cast<uint32_t>(value), 10);
    }
    return PutDigits(text, static_cast<uint32_t>(value), 10);
}

// "%d (0x%x)", or the name of a mouse button.
void FormatCode(char* text, int32_t code) {
    if (const char* name = MouseName(code)) {
        std::strcpy(text, name);
        return;
    }
    char* end = PutDecimal(text, code);
    std::memcpy(end, " (0x", 4);
    end = PutDigits(end + 4, static_cast<uint32_t>(code), 16);
    *end++ = ')';
    *end = '\0';
}

// "%dms".
void FormatMilliseconds(char* text, int32_t milliseconds) {
    char* end = PutDecimal(text, milliseconds);
    std::memcpy(end, "ms", 3);
}

// "%0.1f" of the rate. The rate changes only with a new press, so the text of the last rate is kept and
// formatted again only when the rate differs.
const char* TypingRateText(float rate) {
    static float shownRate = -1.0f;
    static char text[32];
    if (rate != shownRate) {
        std::snprintf(text, sizeof text, "%0.1f", static_cast<double>(rate));
        shownRate = rate;
    }
    return text;
}

const char* LabelOf(int32_t index) {
    return index < 0 ? "N/A" : (*catalogue.currentKeys)[static_cast<size_t>(index)].label.c_str();
}

// The status line: the recent presses, after the latest chatter when there was one. It changes only with the
// history or a chatter, so it is built again only then: a key-up, which records nothing, costs no rebuild.
const char* StatusLineText() {
    static char line[kHistoryLineCapacity];
    static uint32_t shownGeneration = 0;
    static int32_t shownChatterKey = -2;
    static int32_t shownChatterGap = -1;
    static const std::vector<KeyEntry>* shownKeys = nullptr;
    if (shownGeneration == testState.historyGeneration && shownChatterKey == testState.chatterKey &&
        shownChatterGap == testState.chatterGapMs && shownKeys == catalogue.currentKeys) {
        return line;
    }
    shownGeneration = testState.historyGeneration;
    shownChatterKey = testState.chatterKey;
    shownChatterGap = testState.chatterGapMs;
    shownKeys = catalogue.currentKeys;
    int prefix = 0;
    if (testState.chatterKey >= 0) {
        prefix = std::snprintf(line, sizeof line, "按键抖动 %s: %d ms   ", LabelOf(testState.chatterKey),
                               testState.chatterGapMs);
        prefix = std::min(prefix, static_cast<int>(sizeof line) - 1);
    }
    // Only whole labels follow the chatter: the line ends after the last one that fits.
    const char* history = HistoryLineText();
    size_t length = std::min(std::strlen(history), sizeof line - 1 - static_cast<size_t>(prefix));
    while (length > 0 && history[length - 1] != ' ') {
        --length;
    }
    std::memcpy(line + prefix, history, length);
    line[static_cast<size_t>(prefix) + length] = '\0';
    return line;
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
    FormatCode(scanText, testState.lastScanCode);
    SetControlText(window, IDC_BIOS_CODE, scanText);
    if (MouseName(testState.lastKeyCode) != nullptr) {
        SetControlText(window, IDC_WINDOWS_CODE, scanText);
    } else {
        FormatCode(codeText, testState.lastKeyCode);
        SetControlText(window, IDC_WINDOWS_CODE, codeText);
    }
    FormatMilliseconds(text, testState.holdTimeMs);
    SetControlText(window, IDC_HOLD_TIME, text);
    FormatMilliseconds(text, testState.delayTimeMs);
    SetControlText(window, IDC_DELAY_TIME, text);
    const char* extendedMark = testState.lastExtended != 0 ? "E" : "";
    SetControlText(window, IDC_BIOS_EXTENDED, extendedMark);
    SetControlText(window, IDC_WINDOWS_EXTENDED, extendedMark);
    SetControlText(window, IDC_LAST_PRESSED, LabelOf(testState.lastPressed));
    SetControlText(window, IDC_LAST_RELEASED, LabelOf(testState.lastReleased));
    SetControlText(window, IDC_STATUS_LINE, StatusLineText());
    SetControlText(window, IDC_TYPING_RATE, TypingRateText(TypingRate()));
}
