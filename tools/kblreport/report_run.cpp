// The kblreport run: reads every record file given, prints the summary and, with --html, finds each
// layout's file and picture and writes the page.
#include "tools/kblreport/report_run.h"

#include "base/paths.h"
#include "tools/common/output_file.h"
#include "tools/kblreport/layout_pictures.h"
#include "tools/kblreport/record_reading.h"
#include "tools/kblreport/report_page.h"
#include "tools/kblreport/report_text.h"

const char* const kReportUsage =
    "Usage: kblreport [--html REPORT.html] [--by batch|product|operator|day]\n"
    "                 [--layouts DIR] RECORD.csv...\n"
    "\n"
    "Reads the tester's per-keyboard record files and prints a yield summary:\n"
    "keyboards tested, passed and failed, the yield, the fail reasons by count,\n"
    "the keys failed on and the keys chattering most often, and the median and\n"
    "95th percentile test time. A key is failed on by a failed keyboard that\n"
    "left it untested among at most 3 keys; a keyboard failed with more keys\n"
    "untested was stopped early and names no key.\n"
    "\n"
    "Rows that are no keyboard's record are counted and listed with their file\n"
    "and line; a row cut short costs its own line only. A file that is no record\n"
    "file is refused. Columns are found by their names, so a record of any\n"
    "earlier format is read. A file that is not UTF-8 but GBK (saved again by a\n"
    "spreadsheet) is read as GBK, with a note. A record's layout is opened only\n"
    "when it is a bare file name, NAME.kbl; control characters in the records\n"
    "are printed as ?.\n"
    "\n"
    "Options:\n"
    "  --html FILE    also write a self-contained page: the yield over time, the\n"
    "                 fail reasons as a Pareto chart and, on each layout's\n"
    "                 picture, heat maps of the keys failed on and chattering\n"
    "  --by GROUP     the yield per batch, product, operator or day as well\n"
    "  --layouts DIR  where the layout files (.kbl) and their pictures (.bmp) are;\n"
    "                 without it, beside the record file that names the layout\n"
    "  --help         print this text and read nothing\n"
    "  --             every argument after it is a RECORD file\n"
    "\n"
    "Exit status:\n"
    "  0  the report was made\n"
    "  1  a file was refused or could not be read (the report covers the others),\n"
    "     or the page could not be written\n"
    "  2  the command line is wrong\n";

static_assert(kFewKeysLeft == 3, "the usage text gives the number of keys left that name the keys failed on");

namespace {

bool ReadGrouping(const std::string& name, Grouping& grouping) {
    for (const Grouping candidate : {Grouping::Batch, Grouping::Product, Grouping::Operator, Grouping::Day}) {
        if (name == GroupingName(candidate)) {
            grouping = candidate;
            return true;
        }
    }
    return false;
}

// The folder of the file at `path`: the part before its last separator (on Windows '/' is one as well), "."
// when it has none. Paths are UTF-8 here, whose multibyte characters hold no separator byte.
std::string FolderOf(const std::string& path) {
    const size_t last = path.find_last_of(kPathSeparator == '/' ? "/" : "/\\");
    if (last == std::string::npos) {
        return ".";
    }
    return path.substr(0, last == 0 ? 1 : last);
}

// The folder of each layout's file: the given one, or that of the first record file naming the layout.
std::string LayoutFolder(const ReportOptions& options, const RecordSet& set, const std::string& layoutFile) {
    if (!options.layoutsFolder.empty()) {
        return options.layoutsFolder;
    }
    for (const Record& record : set.records) {
        if (record.layoutFile == layoutFile) {
            return FolderOf(set.files[record.file]);
        }
    }
    return ".";
}

void WritePage(const ReportOptions& options, const RecordSet& set, const ReportFigures& figures,
               ReportResult& result) {
    std::vector<LayoutPicture> pictures;
    for (const GroupYield& layout : figures.layouts) {
        pictures.push_back(LoadLayoutPicture(LayoutFolder(options, set, layout.name), layout.name));
    }
    const std::string page = ReportPage(set, figures, options.grouping, pictures);
    if (WriteWholeFile(options.htmlPath, page.data(), page.size())) {
        result.output += "\nPage: " + options.htmlPath + "\n";
    } else {
        result.errors += "kblreport: " + options.htmlPath + ": cannot be written\n";
        result.exitCode = kReportIncomplete;
    }
}

}  // namespace

bool ParseReportArguments(int argc, const char* const* argv, ReportOptions& options, std::string& error) {
    options = ReportOptions();
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool takesValue = argument == "--html" || argument == "--by" || argument == "--layouts";
        if (optionsEnded || argument.empty() || argument[0] != '-') {
            options.files.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (!takesValue) {
            error = "kblreport: unknown option " + argument;
            return false;
        } else if (i + 1 >= argc) {
            error = "kblreport: " + argument + " needs a value";
            return false;
        } else if (argument == "--html") {
            options.htmlPath = argv[++i];
        } else if (argument == "--layouts") {
            options.layoutsFolder = argv[++i];
        } else if (!ReadGrouping(argv[++i], options.grouping)) {
            error = std::string("kblreport: --by takes batch, product, operator or day, not ") + argv[i];
            return false;
        }
    }
    if (!options.help && options.files.empty()) {
        error = "kblreport: no record file to read";
        return false;
    }
    return true;
}

ReportResult RunReport(int argc, const char* const* argv) {
    ReportResult result;
    ReportOptions options;
    std::string error;
    if (!ParseReportArguments(argc, argv, options, error)) {
        result.exitCode = kReportUsageError;
        result.errors = error + "\n" + kReportUsage;
        return result;
    }
    if (options.help) {
        result.output = kReportUsage;
        return result;
    }
    RecordSet set;
    for (const std::string& file : options.files) {
        ReadRecordFile(file, set);
    }
    for (const std::string& refusal : set.refusals) {
        result.errors += "kblreport: " + refusal + "\n";
        result.exitCode = kReportIncomplete;
    }
    const ReportFigures figures = ComputeFigures(set.records, options.grouping);
    result.output = SummaryText(set, figures, options.grouping);
    if (!options.htmlPath.empty()) {
        WritePage(options, set, figures, result);
    }
    result.output = PrintableText(result.output);
    result.errors = PrintableText(result.errors);
    return result;
}
