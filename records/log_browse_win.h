// Browsing for the log file's path with the common file dialog.
#pragma once

#include <windows.h>

// Shows the file dialog owned by `dialog` and puts the chosen path, or the default path "test.log" beside the
// executable when none is chosen, into field `fieldId` of `dialog`.
void BrowseLogName(HWND dialog, int fieldId);
