// The operator and unit identification dialogs of production mode.
#pragma once

#include "records/verdict_keeping.h"

// The Operator dialog: identifiers, log path and mode; opens the log and writes its header. 1 when accepted,
// 0 for Exit, Escape or the close box, and when the dialog cannot be shown.
int RunOperatorDialog();

// The Serial dialog: the next keyboard's serial and version numbers, written to the log and committed to the
// disk. 1 when accepted, 0 for Exit, Escape or the close box, and when the dialog cannot be shown (no
// keyboard is then tested without its serial number in the log). When the numbers cannot be written, the log
// is replaced (see CommitRecords) and the dialog asks for them again.
int RunSerialDialog();

// The log line that names the layout under test, with which a run's log begins after its header.
void LogLayoutInUse();
