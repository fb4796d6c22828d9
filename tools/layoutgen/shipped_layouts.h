// The layouts that ship with the tester, each built from the generator's key tables.
#pragma once

#include <vector>

#include "tools/layoutgen/layout_sheet.h"

LayoutSheet UsLayout();        // US 104-key ANSI
LayoutSheet UkLayout();        // UK 105-key ISO
LayoutSheet GermanLayout();    // German 105-key ISO QWERTZ
LayoutSheet JapaneseLayout();  // Japanese 109-key
LayoutSheet DemoLayout();      // mouse buttons, compound keys and the special statuses

std::vector<LayoutSheet> ShippedLayouts();

// The US main block with its bottom row, which the demo layout shows too.
void PlaceAnsiMainBlock(LayoutSheet& sheet, const KeyGrid& grid);
