// The system-key filter: keeps the operating system from acting on system keys while they are tested.
#pragma once

#include <windows.h>

// Reads the operating-system version, which chooses the filter and names the system in the log header.
void ReadOperatingSystemVersion();

// Makes the filtering follow check box 1019 of `window`.
void ApplySystemKeyFilter(HWND window);

// Removes the filter and resets the screen-saver-running setting, as the program ends.
void RemoveSystemKeyFilter();
