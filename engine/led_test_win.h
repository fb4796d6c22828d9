// The LED test: Caps Lock, Scroll Lock and Num Lock blinked together with synthetic key presses.
#pragma once

#include <windows.h>

extern bool ledTestRunning;

// Starts the test on `window`: timer 1 every 500 ms, and the keyboard state saved for the restore.
void StartLedTest(HWND window);

// One blink of timer 1: all three lights on, or all three off.
void LedTick();
