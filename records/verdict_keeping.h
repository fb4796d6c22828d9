// Keeping a concluded keyboard's verdict, as the shell does it: the keyboard's record row, the record put in
// the line's spool, and the log committed to the disk, with the operator told at once when any cannot be
// kept. The engine's KeepVerdict calls them in their order.
#pragma once

#include "records/keyboard_record.h"

// Appends `record`, the keyboard just concluded, to the record file of the run (RecordFilePath), committed
// to the disk. A row that cannot be written is reported at once: the operator may try
// again (a medium put back) or go on without it, which the log then says. True when the row is on disk.
bool KeepKeyboardRecord(const KeyboardRecord& record);

// With the line link on, puts `record` into the spool beside the program, as a file of its own committed to
// the disk, and hands it to the sender, which sends it to the line until the line has it. A record that
// cannot be put there is reported at once: the operator may try again or go on without it, which the log
// then says. True when the record is in the spool.
bool SpoolLineRecord(const KeyboardRecord& record);

enum class RecordsKept { OnDisk, NewLog, Ended };

// What the lines since the last commit hold, should the log fail: a keyboard's verdict kept nowhere else, a
// verdict the record file holds too, or the next keyboard's serial and version numbers.
enum class LogLoss { Verdict, VerdictInRecord, SerialNumbers };

// Commits the log to the disk. A log that can no longer be written is reported at once, saying what of
// `loss` the operator must do again, closed, and the Operator dialog offered again for a new one, filled in
// with the run's identifiers and the lost log's path, in append mode: NewLog when the operator opens one,
// Ended when the operator leaves the dialog and the run must end.
RecordsKept CommitRecords(LogLoss loss);
