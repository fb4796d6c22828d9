// Benchmark of kblmake's whole run on a 110-key keyboard-layout-editor file: reading the JSON, mapping the
// keys, drawing the picture, writing both files, checking them as the tester loads them, and moving them into
// place. The file is the shipped US layout's source with a column of six macro keys beside it, written once
// before the benchmark runs; the folder is removed after.
// Run with --benchmark_repetitions=10 --benchmark_report_aggregates_only=true for medians.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_files.h"
#include "tools/common/output_file.h"
#include "tools/kblmake/kblmake_run.h"

namespace {

std::string folder;

bool WriteSource(const std::string& newFolder) {
    folder = newFolder;
    std::string json;
    if (!ReadWholeFile(DVQ_SOURCE_DIR "/keyboards/sources/US.json", json)) {
        return false;
    }
    const size_t end = json.rfind(']');
    json.insert(end, R"(,[{"y":-6,"x":23.5},"F13"],[{"x":23.5},"F14"],[{"x":23.5},"F15"],)"
                     R"([{"x":23.5},"F16"],[{"x":23.5},"F17"],[{"x":23.5},"F18"])");
    return WriteWholeFile(folder + "/Macro110.json", json.data(), json.size());
}

void BM_KblmakeWholeRun(benchmark::State& state) {
    const std::string input = folder + "/Macro110.json";
    const std::string output = folder + "/Macro110";
    const char* const argv[] = {"kblmake", input.c_str(), output.c_str()};
    for (auto _ : state) {
        const MakeResult result = RunKblmake(3, argv);
        if (result.exitCode != kMakeDone) {
            state.SkipWithError(result.errors.c_str());
            break;
        }
    }
}
BENCHMARK(BM_KblmakeWholeRun)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFiles(argc, argv, "kblmake_bench", WriteSource);
}
