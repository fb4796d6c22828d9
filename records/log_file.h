// The test log file: the check of a typed log path, opening, the header block and the name of the running
// Windows version.
#pragma once

#include <cstdint>

enum class LogNameCheck { Valid, Empty, NoPath, BadFileName };

// Checks a typed log path: not empty, with a backslash, and a file part after the last backslash that is not
// empty and holds none of \ / : * ? < > |. Double-byte characters are taken whole.
LogNameCheck ValidateLogName(const char* path);

// The message shown for a path that failed the check.
const char* LogNameMessage(LogNameCheck check);

// Opens the log at `path`, emptying an existing file or, with `append`, adding after its content.
bool OpenLog(const char* path, bool append);

// Writes the six header lines of a run.
void WriteLogHeader(const char* operatorId, const char* productId, const char* batchId, const char* osName);

// The name of a Windows version for the header.
const char* OsNameText(uint32_t platformId, uint32_t majorVersion, uint32_t minorVersion);
