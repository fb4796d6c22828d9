// The files of a benchmark, in a folder of their own that outlives no run.
#include "bench/bench_files.h"

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>

int RunBenchmarksOnFiles(int argc, char** argv, const char* name, bool (*write)(const std::string& folder)) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    std::error_code error;
    std::string folder =
        (std::filesystem::temp_directory_path(error) / (std::string(name) + "_XXXXXX")).string();
    const bool made = mkdtemp(&folder[0]) != nullptr;
    const bool written = made && write(folder);
    if (written) {
        benchmark::RunSpecifiedBenchmarks();
    } else {
        std::fprintf(stderr, "%s: cannot write the files to measure on\n", name);
    }
    benchmark::Shutdown();
    if (made) {
        std::filesystem::remove_all(folder, error);
    }
    return written ? 0 : 1;
}
