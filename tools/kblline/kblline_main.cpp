// kblline, the line server: `serve` answers the line's stations, `copy` moves the records of one line
// database into another.
#include <signal.h>

#include <cstdio>
#include <string>
#include <thread>

#include "tools/kblline/line_options.h"
#include "tools/kblline/line_schema.h"
#include "tools/kblline/line_server.h"
#include "tools/kblline/line_store.h"

namespace {

constexpr size_t kCopyBatch = 1000;

int Fail(const std::string& error) {
    std::fprintf(stderr, "kblline: %s\n", error.c_str());
    return kLineFailed;
}

int Serve(const LineArguments& arguments) {
    // SIGINT and SIGTERM are taken by one thread, which stops the server; every other thread blocks them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);
    LineServer server;
    std::string error;
    if (!StartLineServer(arguments, server, error)) {
        return Fail(error);
    }
    std::printf("kblline: listening on %s:%d, %zu station tokens\n", arguments.host.c_str(), server.port,
                server.stationOfToken.size());
    std::fflush(stdout);
    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        StopLineServer(server);
    });
    stopper.detach();
    RunLineServer(server);
    std::printf("kblline: stopped\n");
    return kLineDone;
}

int Copy(const LineArguments& arguments) {
    SqlDatabase from;
    SqlDatabase to;
    std::string error;
    if (!OpenDatabase(arguments.database, from, error, true) || !OpenDatabase(arguments.target, to, error) ||
        !MigrateSchema(to, error)) {
        CloseDatabase(from);
        CloseDatabase(to);
        return Fail(error);
    }
    int64_t lastSeq = 0;
    size_t counts[3] = {};  // by StoreOutcome
    std::vector<StoredRecord> records;
    std::vector<StoreOutcome> outcomes;
    while (ReadRecordsBySeq(from, lastSeq, kCopyBatch, records, error) && !records.empty() &&
           CopyRecords(to, records, outcomes, error)) {
        for (const StoreOutcome outcome : outcomes) {
            ++counts[static_cast<size_t>(outcome)];
        }
        lastSeq = records.back().seq;
        records.clear();
    }
    CloseDatabase(from);
    CloseDatabase(to);
    const size_t copied = counts[static_cast<size_t>(StoreOutcome::Stored)];
    const size_t there = counts[static_cast<size_t>(StoreOutcome::StoredAlready)];
    const size_t conflicts = counts[static_cast<size_t>(StoreOutcome::Conflict)];
    if (!records.empty() || !error.empty()) {
        return Fail("copy stopped after " + std::to_string(copied + there + conflicts) +
                    " records: " + error);
    }
    std::printf("kblline: %zu records copied, %zu were there already\n", copied, there);
    if (conflicts > 0) {
        return Fail(std::to_string(conflicts) +
                    " records not copied: the target holds other records with their ids");
    }
    return kLineDone;
}

}  // namespace

int main(int argc, char** argv) {
    LineArguments arguments;
    std::string error;
    if (!ParseLineArguments(argc - 1, argv + 1, arguments, error)) {
        std::fprintf(stderr, "kblline: %s\n%s", error.c_str(), kLineUsage);
        return kLineUsageError;
    }
    switch (arguments.command) {
        case LineCommand::Serve:
            return Serve(arguments);
        case LineCommand::Copy:
            return Copy(arguments);
        case LineCommand::Help:
            break;
    }
    std::fputs(kLineUsage, stdout);
    return kLineDone;
}
