// The whole kblreport run for a command line: the records read, the summary printed and the page written.
#pragma once

#include <string>
#include <vector>

#include "tools/kblreport/report_figures.h"

// Exit codes of the report.
constexpr int kReportMade = 0;
constexpr int kReportIncomplete = 1;  // a file was refused or the page could not be written
constexpr int kReportUsageError = 2;

struct ReportOptions {
    std::string htmlPath;       // where to write the page; "" for none
    std::string layoutsFolder;  // where the layouts are; "" for beside each record file
    Grouping grouping = Grouping::None;
    bool help = false;
    std::vector<std::string> files;
};

struct ReportResult {
    int exitCode = kReportMade;
    std::string output;  // for the standard output
    std::string errors;  // for the standard error
};

extern const char* const kReportUsage;

// Reads the arguments after the program's name. False, with `error` set, for an unknown option, an option
// without its value, or no record file.
bool ParseReportArguments(int argc, const char* const* argv, ReportOptions& options, std::string& error);

// The whole run for a command line (argument 0 is the program's name).
ReportResult RunReport(int argc, const char* const* argv);
