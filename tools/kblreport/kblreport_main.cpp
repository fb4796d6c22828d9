// The yield report's program: runs the report and writes what it found. Its texts are UTF-8; on Windows its
// manifest makes UTF-8 the program's ANSI code page, so that its command line, its paths and its console
// output are UTF-8 as well.
#include "tools/common/console_output.h"
#include "tools/kblreport/report_run.h"

int main(int argc, char** argv) {
    const ReportResult result = RunReport(argc, argv);
    WriteOutput(stdout, result.output);
    WriteOutput(stderr, result.errors);
    return result.exitCode;
}
