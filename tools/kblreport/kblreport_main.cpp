// The yield report's program: runs the report and writes what it found.
#include <cstdio>

#include "tools/kblreport/report_run.h"

int main(int argc, char** argv) {
    const ReportResult result = RunReport(argc, argv);
    std::fwrite(result.output.data(), 1, result.output.size(), stdout);
    std::fwrite(result.errors.data(), 1, result.errors.size(), stderr);
    return result.exitCode;
}
