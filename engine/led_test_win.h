// The LED test: Caps Lock, Scroll Lock and Num Lock blinked together with synthetic key presses.
#pragma once

#include <windows.h>

extern bool ledTestRunning;

// Starts the test on `window`: timer 1 every 500 ms, and the keyboard state saved for the restore.
void StartLedTest(HWND window);

// One blink of timer 1: all three lights on, or all three off.
void LedTick();

// With the bench on, a keyboard leaves the lock keys as it found them, so that a Caps Lock tested on it does
// not carry over into the next serial number: the toggles are saved as its test begins and put back after
// its verdict, with the LED test's own presses, which are never taken for tests.
void SaveKeyboardLocks();
void RestoreKeyboardLocks();
