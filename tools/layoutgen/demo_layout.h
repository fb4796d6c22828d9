// The demo layout, the one shipped layout built from the generator's tables: it shows every kind of entry a
// layout file can hold, which a keyboard-layout-editor file cannot describe.
#pragma once

#include "tools/layoutgen/layout_sheet.h"

// The demo layout with its keys in reading order: row by row across the keyboard, then the mouse buttons and
// compound entries in the order they were placed.
LayoutSheet DemoLayout();
