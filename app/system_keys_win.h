// The system-key filter: keeps the operating system from acting on system keys while they are tested.
#pragma once

#include <windows.h>

extern HHOOK keyHook;           // the filter installed by the hook library; null when none
extern int screenSaverFlagSet;  // the screen-saver-running setting has been used; never cleared
extern DWORD osPlatformId;      // from the operating-system version
extern DWORD osMajorVersion;
extern DWORD osMinorVersion;

// Reads the operating-system version the filter is chosen by.
void ReadOperatingSystemVersion();

// Makes the filtering follow check box 1019 of `window`.
void ApplySystemKeyFilter(HWND window);

// Removes the filter and resets the screen-saver-running setting, as the program ends.
void RemoveSystemKeyFilter();
