// The About box: the product's pictures, name and version.
#pragma once

#include <windows.h>

// Runs the modal About box owned by `owner`.
void ShowAboutBox(HWND owner);
