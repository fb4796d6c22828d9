// A tool's report on its standard output or error.
#pragma once

#include <cstdio>
#include <string>

// Writes `text`, in the program's ANSI code page, to `stream`. On Windows, a stream that is a console is
// written through the wide console API, which shows the text whatever the console's own code page; a file or
// a pipe gets the bytes as they are.
void WriteOutput(FILE* stream, const std::string& text);
