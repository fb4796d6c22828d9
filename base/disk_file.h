// Committing a file's data to the disk itself, past the system's caches, so that a power cut right after
// loses none of it; and cutting a file back to a length it had.
#pragma once

#include <cstdio>

// Flushes `stream` and commits its data to the disk; false when either fails.
bool CommitToDisk(FILE* stream);

// Cuts the file of `stream` back to its first `length` bytes, once whatever it still buffers is flushed;
// false when the system refuses.
bool CutFileTo(FILE* stream, long length);
