// Benchmark of the yield report: a month of a busy line, 100,000 records in one file, read, summarised per
// day and written as the page with the shipped US picture, as `kblreport --by day --html` does it. The file
// is written once, before the benchmark runs, and removed after.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "base/text_format.h"
#include "bench/bench_files.h"
#include "engine/verdict.h"
#include "engine/verdict_record.h"
#include "records/keyboard_record.h"
#include "tools/common/output_file.h"
#include "tools/kblreport/report_run.h"

namespace {

constexpr int kRecordCount = 100000;
constexpr int kDays = 30;
const char* const kLabels[] = {"Esc", "A", "S", ";", "Space", "Enter", "Left Shift", "Num 5"};
constexpr int kLabelCount = sizeof kLabels / sizeof kLabels[0];

std::string folder;

// Keyboard `index`: one every 26 seconds, every tenth failed with two keys left untested, every twentieth
// with a chattering key.
KeyboardRecord MakeKeyboard(int index) {
    const int seconds = index * (kDays * 86400 / kRecordCount);
    KeyboardRecord record;
    record.time = FormatText("2026-11-%02dT%02d:%02d:%02d+08:00", 1 + seconds / 86400, seconds / 3600 % 24,
                             seconds / 60 % 60, seconds % 60);
    record.computer = FormatText("BENCH-%d", index % 4);
    record.operatorId = FormatText("op%d", index % 12);
    record.productId = "KB-104";
    record.batchId = FormatText("B%d", index / 2000);
    record.serial = FormatText("SN%07d", index);
    record.version = "A2";
    record.layoutFile = "US.kbl";
    record.passed = index % 10 != 0;
    if (!record.passed) {
        const int32_t reason = index / 10 % (kReasonOther + 1);
        record.reason = FailReasonText(reason);
        record.reasonCode = FailReasonCode(reason);
        record.untestedKeys = KeyListItem(kLabels[index % kLabelCount]) + ";" +
                              KeyListItem(kLabels[(index / 7 + 1) % kLabelCount]);
    }
    if (index % 20 == 5) {
        record.chatterKeys =
            KeyListItem(kLabels[index / 20 % kLabelCount]) + FormatText(":%d", 2 + index % 9);
    }
    record.testSeconds = FormatText("%d.%d", 25 + index % 31, index % 10);
    record.requiredKeys = 104;
    record.testedKeys = record.passed ? 104 : 102;
    record.mostKeysHeld = 6;
    return record;
}

bool WriteRecordFile(const std::string& newFolder) {
    folder = newFolder;
    std::string text = "\xEF\xBB\xBF" + RecordHeaderRow();
    for (int i = 0; i < kRecordCount; ++i) {
        text += RecordRow(MakeKeyboard(i));
    }
    return WriteWholeFile(folder + "/month.csv", text.data(), text.size());
}

void MeasureMonthReport(benchmark::State& state) {
    const std::string records = folder + "/month.csv";
    const std::string page = folder + "/month.html";
    const std::string layouts = DVQ_SOURCE_DIR "/keyboards";
    const char* const argv[] = {"kblreport",  "--by",      "day",           "--html",
                                page.c_str(), "--layouts", layouts.c_str(), records.c_str()};
    for (auto _ : state) {
        const ReportResult result = RunReport(sizeof argv / sizeof argv[0], argv);
        if (result.exitCode != kReportMade ||
            result.output.compare(0, 34, "Keyboards: 100000 tested, 90000 pa") != 0) {
            state.SkipWithError("the report did not count the month");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kRecordCount);
}
BENCHMARK(MeasureMonthReport)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFiles(argc, argv, "report_bench", WriteRecordFile);
}
