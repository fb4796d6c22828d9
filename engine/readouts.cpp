// The readouts of the main window.
#include "engine/readouts.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/program.h"
#include "engine/plan_run.h"
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
    ShownReadouts& shown = testState.shown;
    if (rate != shown.rate) {
        std::snprintf(shown.rateText, sizeof shown.rateText, "%0.1f", static_cast<double>(rate));
        shown.rate = rate;
    }
    return shown.rateText;
}

const char* LabelOf(int32_t index) {
    return index < 0 ? "N/A" : (*catalogue.currentKeys)[static_cast<size_t>(index)].label.c_str();
}

const std::string& HistoryLabel(int32_t slot) {
    return (*catalogue.currentKeys)[static_cast<size_t>(testState.history[slot].keyIndex)].label;
}

// The line walked from the newest press, as far as whole labels fit.
void BuildHistoryLine() {
    HistoryLine& line = testState.shown.historyLine;
    line.length = 0;
    line.labelCount = 0;
    int32_t slot = PreviousHistorySlot(testState.historyPos);
    for (int i = 0; i < kHistorySize && testState.history[slot].keyIndex >= 0; ++i) {
        const std::string& label = HistoryLabel(slot);
        if (line.length + label.size() + 1 >= kHistoryLineCapacity) {
            break;
        }
        std::memcpy(line.text + line.length, label.data(), label.size());
        line.length += label.size();
        line.text[line.length++] = ' ';
        line.labelLengths[line.labelCount++] = static_cast<uint16_t>(label.size() + 1);
        slot = PreviousHistorySlot(slot);
    }
    line.text[line.length] = '\0';
}

// One press more: its label goes in front, and the oldest labels leave the line when the history has let them
// go or they no longer fit. The same line as a walk from the newest press gives.
bool AddNewestLabel() {
    HistoryLine& line = testState.shown.historyLine;
    const std::string& label = HistoryLabel(PreviousHistorySlot(testState.historyPos));
    const size_t added = label.size() + 1;
    if (added >= kHistoryLineCapacity) {
        return false;
    }
    while (line.labelCount > 0 &&
           (line.labelCount == kHistorySize || line.length + added >= kHistoryLineCapacity)) {
        line.length -= line.labelLengths[--line.labelCount];
    }
    std::memmove(line.text + added, line.text, line.length);
    std::memmove(line.labelLengths + 1, line.labelLengths, sizeof line.labelLengths[0] * line.labelCount);
    std::memcpy(line.text, label.data(), label.size());
    line.text[label.size()] = ' ';
    line.length += added;
    line.text[line.length] = '\0';
    line.labelLengths[0] = static_cast<uint16_t>(added);
    ++line.labelCount;
    return true;
}

// The status line: the recent presses, after what the plan says and the latest chatter when there are such.
// With either shown it is built again only when one of them or the history changed.
const char* StatusLineText() {
    const char* history = HistoryLineText();
    const char* prompt = PlanPromptText();
    if (testState.chatterKey < 0 && prompt == nullptr) {
        return history;
    }
    ShownReadouts& shown = testState.shown;
    char* line = shown.statusLine;
    constexpr size_t kLineSize = sizeof shown.statusLine;
    if (shown.chatterKey == testState.chatterKey && shown.chatterGapMs == testState.chatterGapMs &&
        shown.historyGeneration == shown.historyLine.generation && shown.prompt == prompt &&
        shown.promptGeneration == testState.planGeneration) {
        return line;
    }
    // The texts ahead of the presses: the plan's copied whole, with the blanks after it, as it changes with
    // every key of an ordered test; the chatter's formatted.
    char front[kLineSize];
    size_t prefix = 0;
    if (prompt != nullptr) {
        prefix = std::min(std::strlen(prompt), kLineSize / 2);
        std::memcpy(front, prompt, prefix);
        std::memcpy(front + prefix, "   ", 3);
        prefix += 3;
    }
    if (testState.chatterKey >= 0) {
        // A gap shorter than the clock's tick was measured as 0 or one tick: the line says only that it is
        // shorter.
        const int32_t tick = static_cast<int32_t>(ReadEventTimeTick());
        const size_t room = kLineSize - prefix;
        const int written = testState.chatterGapMs < tick
                                ? std::snprintf(front + prefix, room, "按键抖动 %s: < %d ms   ",
                                                LabelOf(testState.chatterKey), tick)
                                : std::snprintf(front + prefix, room, "按键抖动 %s: %d ms   ",
                                                LabelOf(testState.chatterKey), testState.chatterGapMs);
        prefix = std::min(prefix + static_cast<size_t>(std::max(written, 0)), kLineSize - 1);
    }
    // The presses after them are copied again only when they changed or moved.
    const bool pressesKept =
        shown.historyGeneration == shown.historyLine.generation && shown.prefixLength == prefix;
    shown.chatterKey = testState.chatterKey;
    shown.chatterGapMs = testState.chatterGapMs;
    shown.historyGeneration = shown.historyLine.generation;
    shown.prompt = prompt;
    shown.promptGeneration = testState.planGeneration;
    shown.prefixLength = prefix;
    std::memcpy(line, front, prefix);
    if (pressesKept) {
        return line;
    }
    // Only whole labels follow: the line ends after the last one that fits.
    size_t length = std::min(shown.historyLine.length, kLineSize - 1 - prefix);
    while (length > 0 && history[length - 1] != ' ') {
        --length;
    }
    std::memcpy(line + prefix, history, length);
    line[prefix + length] = '\0';
    return line;
}

}  // namespace

// Built again only when the history changed, and then by one label in front when one press was added, the
// usual case: a key event costs no walk over the hundred recorded presses.
const char* HistoryLineText() {
    HistoryLine& line = testState.shown.historyLine;
    if (line.generation == testState.historyGeneration && line.keys == catalogue.currentKeys) {
        return line.text;
    }
    const bool onePressMore = line.generation + 1 == testState.historyGeneration &&
                              line.keys == catalogue.currentKeys &&
                              (line.position + 1) % kHistorySize == testState.historyPos;
    if (!onePressMore || !AddNewestLabel()) {
        BuildHistoryLine();
    }
    line.generation = testState.historyGeneration;
    line.position = testState.historyPos;
    line.keys = catalogue.currentKeys;
    return line.text;
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
    SetControlText(window, IDC_STATUS_LINE,
                   testState.waitingForLedTest ? "所有按键已检测。请检测 LED (Alt+L)，然后判定键盘。"
                                               : StatusLineText());
    SetControlText(window, IDC_TYPING_RATE, TypingRateText(TypingRate()));
}
