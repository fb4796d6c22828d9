// The line server under load, run by hand (not a test): `load` plays 200 stations on loopback, each asking
// the gate and sending its records, kills the server hard once on the way and starts it again, then checks
// the database: every acknowledged record there, none twice. `page` times the live page over a million
// records.
//   build/native/bench/kblline_bench load [STATIONS [RECORDS [RATE]]]   (RATE: records a second, 0 for flat
//   out) build/native/bench/kblline_bench page [RECORDS]
#include <httplib.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>
#include <unordered_set>

#include "base/text_format.h"
#include "tools/kblline/line_process.h"
#include "tools/kblline/line_schema.h"
#include "tools/kblline/line_store.h"
#include "tools/kblline/line_test_records.h"

namespace {

using Clock = std::chrono::steady_clock;
using nlohmann::json;

const char* const kLayouts[] = {"US.kbl", "UK.kbl", "German.kbl", "Japanese.kbl"};

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Percentile(std::vector<double>& values, double share) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(std::ceil(share * static_cast<double>(values.size()))) - 1];
}

std::string Token(int station) {
    return FormatText("bench-token-%04d-0123456789", station);
}

// The `index`th keyboard of `station`, tested `index` * 17 + `station` seconds after the day's start, in UTC:
// one in twelve fails with keys left untested and one chattering.
LineRecord BenchRecord(int station, int index, time_t dayStart) {
    const time_t seconds = dayStart + index * 17 + station;
    tm utc;
    gmtime_r(&seconds, &utc);
    LineRecord record = SampleRecord(
        FormatText("st%03d.%06d", station, index), FormatText("SN%03d%06d", station, index), index % 12 != 0,
        FormatText("%04d-%02d-%02dT%02d:%02d:%02d+00:00", utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                   utc.tm_hour, utc.tm_min, utc.tm_sec),
        FormatText("bench-%03d", station));
    record.row.layoutFile = kLayouts[(station + index) % 4];
    record.row.testSeconds = FormatText("%d.%d", 8 + index % 9, index % 10);
    return record;
}

// The start of the day before today, in UTC: a day of records from it is all in the live page's hours.
time_t Yesterday() {
    const time_t now = time(nullptr);
    return now - now % 86400 - 86400;
}

struct StationTally {
    std::vector<double> gateMs;
    std::vector<double> recordMs;
    std::vector<std::string> acknowledged;
    int64_t retries = 0;
};

// Sends until the server answers `accepted`; the milliseconds of the answered request.
double SendUntilAnswered(httplib::Client& client, const char* path, const std::string& body,
                         const httplib::Headers& headers, bool (*accepted)(int), StationTally& tally) {
    for (;;) {
        const Clock::time_point start = Clock::now();
        const httplib::Result result = client.Post(path, headers, body, "application/json");
        if (result && accepted(result->status)) {
            return MillisecondsSince(start);
        }
        ++tally.retries;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

// One station's keyboards, each a gate request and a record; with `period` (not zero) one a period, the
// stations' starts spread over it.
void PlayStation(int station, int stations, int records, Clock::duration period, int port,
                 std::atomic<int64_t>& acknowledged, StationTally& tally) {
    httplib::Client client("127.0.0.1", port);
    client.set_keep_alive(true);
    client.set_tcp_nodelay(true);
    client.set_connection_timeout(1);
    client.set_read_timeout(10);
    const httplib::Headers headers = {{"Authorization", "Bearer " + Token(station)}};
    const Clock::time_point start = Clock::now() + period * station / stations;
    for (int index = 0; index < records; ++index) {
        std::this_thread::sleep_until(start + period * index);
        const LineRecord record = BenchRecord(station, index, Yesterday());
        const json unit = {{"station", record.station},       {"operator", "op"},
                           {"product", record.row.productId}, {"batch", record.row.batchId},
                           {"serial", record.row.serial},     {"version", record.row.version},
                           {"layout", record.row.layoutFile}};
        tally.gateMs.push_back(SendUntilAnswered(
            client, "/v1/units/start", unit.dump(), headers, [](int status) { return status == 200; },
            tally));
        tally.recordMs.push_back(SendUntilAnswered(
            client, "/v1/records", LineRecordJson(record).dump(), headers,
            [](int status) { return status == 201 || status == 200; }, tally));
        tally.acknowledged.push_back(record.id);
        ++acknowledged;
    }
}

int Load(int stations, int total, int rate) {
    const Clock::duration period = rate > 0 ? std::chrono::duration_cast<Clock::duration>(
                                                  std::chrono::duration<double>(1.0 * stations / rate))
                                            : Clock::duration::zero();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kblline-load-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    {
        std::ofstream tokens(folder / "tokens.txt");
        for (int station = 0; station < stations; ++station) {
            tokens << FormatText("bench-%03d ", station) << Token(station) << "\n";
        }
    }
    const std::string url = "sqlite:" + (folder / "line.db").string();
    std::vector<std::string> arguments = {
        "serve", "--db", url, "--listen", "127.0.0.1:0", "--tokens", (folder / "tokens.txt").string()};
    LineProcess server;
    if (!StartLineProcess(KBLLINE_PROGRAM, arguments, server)) {
        std::fprintf(stderr, "kblline did not start: %s\n", server.output.c_str());
        return 1;
    }
    arguments[4] = "127.0.0.1:" + std::to_string(server.port);
    std::atomic<int64_t> acknowledged{0};
    std::vector<StationTally> tallies(static_cast<size_t>(stations));
    std::vector<std::thread> threads;
    const Clock::time_point start = Clock::now();
    for (int station = 0; station < stations; ++station) {
        threads.emplace_back(PlayStation, station, stations, total / stations, period, server.port,
                             std::ref(acknowledged), std::ref(tallies[static_cast<size_t>(station)]));
    }
    // Half way through, the power goes: the server is killed and started again at once.
    while (acknowledged < total / 2) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const int64_t acknowledgedAtKill = acknowledged;
    const Clock::time_point killed = Clock::now();
    StopLineProcess(server, SIGKILL);
    if (!StartLineProcess(KBLLINE_PROGRAM, arguments, server)) {
        std::fprintf(stderr, "kblline did not start again: %s\n", server.output.c_str());
        return 1;
    }
    const double restartMs = MillisecondsSince(killed);
    for (std::thread& thread : threads) {
        thread.join();
    }
    const double seconds = MillisecondsSince(start) / 1000.0;
    StopLineProcess(server, SIGTERM);

    std::vector<double> gateMs;
    std::vector<double> recordMs;
    int64_t retries = 0;
    for (StationTally& tally : tallies) {
        gateMs.insert(gateMs.end(), tally.gateMs.begin(), tally.gateMs.end());
        recordMs.insert(recordMs.end(), tally.recordMs.begin(), tally.recordMs.end());
        retries += tally.retries;
    }
    SqlDatabase database;
    std::string error;
    SqlResult counts;
    SqlResult ids;
    if (!OpenDatabase(url, database, error) ||
        !SqlExecute(database,
                    "SELECT count(*), count(DISTINCT id), (SELECT sum(tested) FROM hour_tally) FROM records",
                    {}, counts, error) ||
        !SqlExecute(database, "SELECT id FROM records", {}, ids, error)) {
        std::fprintf(stderr, "the database cannot be read: %s\n", error.c_str());
        return 1;
    }
    CloseDatabase(database);
    std::unordered_set<std::string> stored;
    for (const SqlRow& row : ids.rows) {
        stored.insert(row[0]);
    }
    int64_t lost = 0;
    for (const StationTally& tally : tallies) {
        for (const std::string& id : tally.acknowledged) {
            lost += stored.count(id) == 0 ? 1 : 0;
        }
    }
    const int64_t rows = std::atoll(counts.rows[0][0].c_str());
    const int64_t distinct = std::atoll(counts.rows[0][1].c_str());
    std::printf(
        "%d stations, %lld records acknowledged in %.1f s: %.0f records/s (gate request and record each)\n",
        stations, static_cast<long long>(acknowledged.load()), seconds,
        static_cast<double>(acknowledged.load()) / seconds);
    std::printf(
        "killed (SIGKILL) after %lld acknowledged, listening again %.0f ms later; %lld requests sent again\n",
        static_cast<long long>(acknowledgedAtKill), restartMs, static_cast<long long>(retries));
    std::printf("gate: p50 %.2f ms, p99 %.2f ms, max %.1f ms\n", Percentile(gateMs, 0.5),
                Percentile(gateMs, 0.99), Percentile(gateMs, 1.0));
    std::printf("record: p50 %.2f ms, p99 %.2f ms, max %.1f ms\n", Percentile(recordMs, 0.5),
                Percentile(recordMs, 0.99), Percentile(recordMs, 1.0));
    std::printf(
        "stored %lld rows, %lld distinct ids, tallies count %s: %lld acknowledged lost, %lld stored twice\n",
        static_cast<long long>(rows), static_cast<long long>(distinct), counts.rows[0][2].c_str(),
        static_cast<long long>(lost), static_cast<long long>(rows - distinct));
    std::filesystem::remove_all(folder);
    return lost == 0 && rows == distinct && rows == acknowledged ? 0 : 1;
}

int Page(int total) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kblline-page-bench";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "tokens.txt") << "bench-000 " << Token(0) << "\n";
    const std::string url = "sqlite:" + (folder / "line.db").string();
    SqlDatabase database;
    std::string error;
    if (!OpenDatabase(url, database, error) || !MigrateSchema(database, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    // A day of 200 stations, stored in batches as the writer stores them.
    const Clock::time_point filling = Clock::now();
    constexpr int kBatch = 5000;
    std::vector<LineRecord> batch;
    std::vector<StoreOutcome> outcomes;
    const time_t dayStart = Yesterday();
    for (int i = 0; i < total; ++i) {
        batch.push_back(BenchRecord(i % 200, i / 200, dayStart));
        if (batch.size() == kBatch || i + 1 == total) {
            if (!StoreRecords(database, batch, UtcNow(), outcomes, error)) {
                std::fprintf(stderr, "%s\n", error.c_str());
                return 1;
            }
            batch.clear();
        }
    }
    CloseDatabase(database);
    std::printf("%d records stored in %.1f s\n", total, MillisecondsSince(filling) / 1000.0);
    LineProcess server;
    if (!StartLineProcess(KBLLINE_PROGRAM,
                          {"serve", "--db", url, "--listen", "127.0.0.1:0", "--tokens",
                           (folder / "tokens.txt").string(), "--layouts", DVQ_SOURCE_DIR "/keyboards"},
                          server)) {
        std::fprintf(stderr, "kblline did not start: %s\n", server.output.c_str());
        return 1;
    }
    httplib::Client client("127.0.0.1", server.port);
    std::vector<double> pageMs;
    size_t bytes = 0;
    for (int i = 0; i < 10; ++i) {
        const Clock::time_point start = Clock::now();
        const httplib::Result page = client.Get("/");
        pageMs.push_back(MillisecondsSince(start));
        bytes = page ? page->body.size() : 0;
    }
    const double first = pageMs[0];
    std::printf("live page over %d records: first %.0f ms, median %.0f ms, slowest %.0f ms (%zu bytes)\n",
                total, first, Percentile(pageMs, 0.5), Percentile(pageMs, 1.0), bytes);
    // Every record as the tester's CSV, as a spreadsheet or kblreport takes them.
    const Clock::time_point csvStart = Clock::now();
    const httplib::Result csv = client.Get("/v1/records.csv", {{"Authorization", "Bearer " + Token(0)}});
    std::printf("records.csv of %d records: %.1f s, %zu bytes\n", total, MillisecondsSince(csvStart) / 1000.0,
                csv ? csv->body.size() : 0);
    StopLineProcess(server, SIGTERM);
    std::filesystem::remove_all(folder);
    return Percentile(pageMs, 1.0) < 1000 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "load") {
        return Load(argc > 2 ? std::atoi(argv[2]) : 200, argc > 3 ? std::atoi(argv[3]) : 100000,
                    argc > 4 ? std::atoi(argv[4]) : 0);
    }
    if (mode == "page") {
        return Page(argc > 2 ? std::atoi(argv[2]) : 1000000);
    }
    std::fprintf(stderr, "usage: kblline_bench load [STATIONS [RECORDS [RATE]]] | page [RECORDS]\n");
    return 2;
}
