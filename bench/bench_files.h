// The files of a benchmark that reads files: written into a fresh folder before the benchmarks run, and
// removed with it after.
#pragma once

#include <string>

// Runs the benchmarks the command line names once `write` has written their files into a fresh folder
// under the system's temporary folder (`name` starts its name), then removes the folder. Returns main's exit
// status: 1 when the command line is wrong or the files cannot be written.
int RunBenchmarksOnFiles(int argc, char** argv, const char* name, bool (*write)(const std::string& folder));
