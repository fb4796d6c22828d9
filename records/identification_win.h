// The operator and unit identification dialogs of production mode.
#pragma once

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

enum class RecordsKept { OnDisk, NewLog, Ended };

// What the lines since the last commit hold, should the log fail: a keyboard's verdict kept nowhere else, a
// verdict the record file holds too, or the next keyboard's serial and version numbers.
enum class LogLoss { Verdict, VerdictInRecord, SerialNumbers };

// Commits the log to the disk. A log that can no longer be written is reported at once, saying what of
// `loss` the operator must do again, closed, and the Operator dialog offered again for a new one, filled in
// with the run's identifiers and the lost log's path, in append mode: NewLog when the operator opens one,
// Ended when the operator leaves the dialog and the run must end.
RecordsKept CommitRecords(LogLoss loss);
