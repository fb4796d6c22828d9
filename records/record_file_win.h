// The record file of a run, written after each verdict when the settings ask for records.
#pragma once

// Appends the record of the keyboard just concluded (`passed`, or failed with the recorded reason) to the
// record file, committed to the disk. A row that cannot be written is reported at once: the operator may try
// again (a medium put back) or go on without it, which the log then says. True when the row is on disk.
bool KeepKeyboardRecord(bool passed);
