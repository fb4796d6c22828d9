// Benchmarks of loading layouts: the catalogue of a folder of 100 layouts of 110 keys each, and one 110-key
// file read and built alone. The folder is written once, before the benchmarks run, and removed after.
// Run with --benchmark_repetitions=10 --benchmark_report_aggregates_only=true for medians.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "base/paths.h"
#include "base/platform.h"
#include "base/text_format.h"
#include "bench/bench_files.h"
#include "layouts/key_names.h"
#include "layouts/layout_catalogue.h"
#include "layouts/layout_reader.h"
#include "tools/common/bitmap_file.h"
#include "tools/common/message_sink.h"

namespace {

constexpr int kLayoutCount = 100;
constexpr int kKeysPerLayout = 110;
constexpr int kFirstKeyName = 4;  // the names after the four pseudo-codes
constexpr int kCompoundEvery = 37;

std::string folder;

std::string LayoutFileName(int index) {
    return FormatText("L%03d.kbl", index);
}

// A layout's rows, in the forms files use: key names, quoted characters, plain numbers and compound keys.
std::string MakeLayoutText(int layoutIndex) {
    std::string text = FormatText("# benchmark layout %d\n", layoutIndex);
    for (int key = 0; key < kKeysPerLayout; ++key) {
        const int left = (key % 22) * 30;
        const int top = (key / 22) * 60;
        if (key % kCompoundEvery == kCompoundEvery - 1) {
            text +=
                FormatText("\"COMPOUND\",0,\"Mail %d\",\"false\",\"DQSTATUSUP\",0,%d,%d,28,28,300,17,%d\n",
                           key, left, top, 65 + key % 26);
        } else if (key % 3 == 0) {
            const VirtualKeyName& name =
                kVirtualKeyNames[kFirstKeyName + key % (kVirtualKeyNameCount - kFirstKeyName)];
            text += FormatText("\"%s\",%d,\"%s\",\"false\",\"DQSTATUSUP\",0,%d,%d,28,28\n", name.name, key,
                               name.name, left, top);
        } else if (key % 3 == 1) {
            text += FormatText("'%c',%d,\"%c\",\"FALSE\",\"DQSTATUSNOTEST\",0,%d,%d,28,28\n", 'A' + key % 26,
                               key, 'A' + key % 26, left, top);
        } else {
            text += FormatText("%d,%d,\"Key %d\",\"true\",\"DQSTATUSUP\",0,%d,%d,28,28\n", 150 + key % 100,
                               key, key, left, top);
        }
    }
    return text;
}

bool WriteLayoutFolder(const std::string& newFolder) {
    folder = newFolder;
    const Picture picture(1, 1, Rgb{255, 255, 255});
    for (int i = 0; i < kLayoutCount; ++i) {
        const std::string layoutPath = JoinPath(folder, LayoutFileName(i));
        std::ofstream(layoutPath, std::ios::binary) << MakeLayoutText(i);
        if (!WriteBitmapFile(JoinPath(folder, BitmapNameFor(LayoutFileName(i))), picture) ||
            !FileExists(layoutPath)) {
            return false;
        }
    }
    return true;
}

void MeasureCatalogueLoad(benchmark::State& state) {
    for (auto _ : state) {
        const int layoutCount = LoadLayoutCatalogue(nullptr, folder);
        if (layoutCount != kLayoutCount || messageSink.messageCount != 0 ||
            catalogue.layouts[0].keys.size() != static_cast<size_t>(kKeysPerLayout) + 1) {
            state.SkipWithError("the catalogue did not load every layout whole");
            break;
        }
    }
    FreeLayoutCatalogue();
    state.SetItemsProcessed(state.iterations() * kLayoutCount);
}
BENCHMARK(MeasureCatalogueLoad)->Unit(benchmark::kMillisecond);

void MeasureOneLayoutBuild(benchmark::State& state) {
    const std::string fileName = LayoutFileName(0);
    const std::string path = JoinPath(folder, fileName);
    for (auto _ : state) {
        LayoutRowList rows;
        const int lineCount = rows.ReadLayoutFile(path.c_str());
        KeyboardLayout layout;
        if (!BuildKeyboardLayout(nullptr, rows, layout, lineCount, fileName) ||
            messageSink.messageCount != 0) {
            state.SkipWithError("the layout did not build");
            break;
        }
        benchmark::DoNotOptimize(layout);
    }
    state.SetItemsProcessed(state.iterations() * kKeysPerLayout);
}
BENCHMARK(MeasureOneLayoutBuild)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFiles(argc, argv, "catalogue_bench", WriteLayoutFolder);
}
