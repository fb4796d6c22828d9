// The stand-in host: creates the shared block, starts the tester in plug-in mode, prints every change of the
// block as it happens, holds or drops the run flag, and ends with the verdict on the run.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>

#include "tools/hostsim/change_report.h"
#include "tools/hostsim/host_block_win.h"
#include "tools/hostsim/host_options.h"
#include "tools/hostsim/run_verdict.h"
#include "tools/hostsim/tester_command.h"
#include "tools/hostsim/tester_process_win.h"

namespace {

constexpr DWORD kPollMs = 20;

HostBlock hostBlock;
std::atomic<int> breaksTaken{0};

// The first Ctrl+C drops the run flag and lets the tester end by itself; the next one ends the host.
BOOL WINAPI OnConsoleBreak(DWORD event) {
    if ((event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) || breaksTaken++ > 0) {
        return FALSE;
    }
    SetRunFlag(hostBlock, 0);
    return TRUE;
}

void PrintLine(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int ReportSetUpError(const std::string& error) {
    std::fprintf(stderr, "hostsim: %s\n", error.c_str());
    return kExitSetUpError;
}

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

struct HostRun {
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    BlockSnapshot shown;  // the block as the last printed lines left it
    RunWatch watch;
    bool runFlagDropped = false;

    int64_t ElapsedMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    }
};

void PollBlock(HostRun& run) {
    const BlockSnapshot now = ReadHostBlock(hostBlock);
    for (const std::string& line : ReportChanges(run.shown, now, run.ElapsedMs())) {
        PrintLine(line);
    }
    ObserveBlock(run.watch, now);
    run.shown = now;
}

// Polls until the tester ends or outlives the time limit; the block is read once more after its end.
void WatchTester(const HostOptions& options, const TesterProcess& tester, HostRun& run) {
    for (;;) {
        DWORD exitCode = 0;
        const bool ended = WaitForTesterEnd(tester, kPollMs, exitCode);
        if (options.stopAfterMs >= 0 && !run.runFlagDropped && run.ElapsedMs() >= options.stopAfterMs) {
            SetRunFlag(hostBlock, 0);
            run.runFlagDropped = true;
        }
        PollBlock(run);
        std::string failure;
        if (!run.watch.readySeen && run.watch.startUpFailure.empty() && TakeStartUpFailure(tester, failure)) {
            run.watch.startUpFailure = failure;
            PrintLine(StampLine(run.ElapsedMs(), "tester shows \"" + PrintableText(failure) + "\""));
        }
        if (ended) {
            PrintLine(StampLine(run.ElapsedMs(), "tester ended with exit code " + std::to_string(exitCode)));
            return;
        }
        if (run.ElapsedMs() >= options.timeoutMs) {
            EndTester(tester);
            PrintLine(StampLine(run.ElapsedMs(), "tester still running at the time limit: ended"));
            PollBlock(run);
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    HostOptions options;
    std::string error;
    if (!ParseHostOptions(argc, argv, options, error)) {
        return ReportSetUpError(error + " (hostsim --help shows the usage)");
    }
    if (options.help) {
        std::fputs(kHostUsage, stdout);
        return kExitPass;
    }
    const std::string blockName =
        options.blockName.empty() ? DefaultBlockName(GetCurrentProcessId()) : options.blockName;
    const std::string testerPath = options.testerPath.empty() ? TesterBeside(OwnPath()) : options.testerPath;
    HostRun run;
    if (!CreateHostBlock(blockName, 0, hostBlock, error)) {
        return ReportSetUpError(error);
    }
    SetConsoleCtrlHandler(OnConsoleBreak, TRUE);
    PollBlock(run);
    const std::string commandLine = BuildTesterCommandLine(testerPath, blockName, options.testerOptions);
    TesterProcess tester;
    if (!StartTester(testerPath, commandLine, tester, error)) {
        return ReportSetUpError(error);
    }
    PrintLine(StampLine(run.ElapsedMs(), "started " + commandLine));
    WatchTester(options, tester, run);
    const RunVerdict verdict = DecideVerdict(run.watch);
    PrintLine(verdict.line);
    return verdict.exitCode;
}
