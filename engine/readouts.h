// The readouts of the main window: codes of the last key event, times, labels, recent presses, typing rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/platform.h"
#include "layouts/key_definitions.h"

constexpr size_t kHistoryLineCapacity = 1500;
constexpr int kHistoryLabelsMax = 100;  // the history's size: a label per recorded press

// The line of recent presses as last built: its text, the length of each label in it (with its space, newest
// first) and the history it shows.
struct HistoryLine {
    char text[kHistoryLineCapacity] = "";
    size_t length = 0;
    uint16_t labelLengths[kHistoryLabelsMax] = {};
    int32_t labelCount = 0;
    uint32_t generation = 0;
    int32_t position = 0;
    const std::vector<KeyEntry>* keys = nullptr;
};

// What the readouts showed last: a readout is formatted again only when what it shows has changed. Part of
// the engine's state, so that a reset of it leaves nothing shown that the state no longer holds.
struct ShownReadouts {
    HistoryLine historyLine;
    float rate = -1.0f;  // the typing rate of `rateText`
    char rateText[32] = "";
    char statusLine[kHistoryLineCapacity] = "";  // the status line with a plan's text or a chatter in front
    int32_t chatterKey = -1;                     // the chatter, the history's generation and the plan's text
    int32_t chatterGapMs = -1;                   // it shows
    uint32_t historyGeneration = 0;
    const char* prompt = nullptr;
    uint32_t promptGeneration = 0;
    size_t prefixLength = 0;      // the bytes ahead of the history in `statusLine`
    char planPrompt[512] = "";    // what the status line says of a test plan (engine/plan_run.h)
    uint32_t planGeneration = 0;  // the plan's run it says it of
    uint32_t planStamp = 0;       // and the layout
};

// Writes every readout of `window` from the engine's state, in a fixed order.
void UpdateReadouts(WindowHandle window);

// The labels of the recorded presses, newest first, each followed by a space. Only whole labels that fit in
// the 1,500-byte line (terminator included) are shown; the oldest are left out. The text lives in a buffer
// that the next call overwrites.
const char* HistoryLineText();

// Presses per second over the newest ten recorded key-downs; 0 when no interval of at least a millisecond
// can be measured.
float TypingRate();
