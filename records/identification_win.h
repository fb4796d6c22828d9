// The operator and unit identification dialogs of production mode.
#pragma once

// The Operator dialog: identifiers, log path and mode; opens the log and writes its header. 1 when accepted,
// 0 for Exit, Escape or the close box, and when the dialog cannot be shown.
int RunOperatorDialog();

// The Serial dialog: the next keyboard's serial and version numbers, written to the log. 1 when accepted,
// 0 for Exit, Escape or the close box, and when the dialog cannot be shown (no keyboard is then tested
// without its serial number in the log).
int RunSerialDialog();
