// Committing a file's data to the disk itself, past the system's caches, so that a power cut right after
// loses none of it.
#pragma once

#include <cstdio>

// Flushes `stream` and commits its data to the disk; false when either fails.
bool CommitToDisk(FILE* stream);
