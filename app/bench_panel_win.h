// The operator's bench: in production mode with the settings file, the free space of the picture control
// below the keyboard picture shows the required keys still untested, the legend of the overlays, the run's
// counts and, from a verdict until the next keyboard's first key, that verdict large.
#pragma once

#include <windows.h>

// Paints the panel for a draw request of the picture control, after the picture itself.
void PaintBenchPanel(const DRAWITEMSTRUCT* item);

// Repaints the panel of `window` when what it shows has changed (after a key event or a verdict).
void RefreshBenchPanel(HWND window);
