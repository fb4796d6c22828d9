// The storage of the line's records, each test against SQLite and against a PostgreSQL cluster the test
// program starts itself: records kept once by their id with every field, the gate's look at a serial, the
// tallies the live page adds up, the records read back by time, the schema's version and the copy.
#include "tools/kblline/line_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "tools/kblline/line_schema.h"
#include "tools/kblline/line_test_records.h"
#include "tools/kblline/live_page.h"
#include "tools/kblline/record_writer.h"
#include "tools/kblline/test_postgres.h"
#include "tools/kblreport/record_reading.h"

namespace {

TestPostgres cluster;

// The server's clock in the tests: 2026-12-07T12:00:00Z, 20:00 of the records' +08:00.
constexpr int64_t kNow = 1796644800;

class PostgresCluster : public testing::Environment {
  public:
    void SetUp() override { ASSERT_TRUE(StartTestPostgres(cluster)) << cluster.error; }
    void TearDown() override { StopTestPostgres(cluster); }
};

const testing::Environment* const postgres = testing::AddGlobalTestEnvironment(new PostgresCluster);

// Each test on a database of its own, made empty and brought up to the newest schema.
class LineStore : public testing::TestWithParam<SqlKind> {
  protected:
    void SetUp() override {
        static int count = 0;
        name = "store_" + std::to_string(getpid()) + "_" + std::to_string(++count);
        if (GetParam() == SqlKind::Sqlite) {
            folder = std::filesystem::temp_directory_path() / name;
            std::filesystem::create_directories(folder);
            url = "sqlite:" + (folder / "line.db").string();
        } else {
            ASSERT_TRUE(CreateTestDatabase(cluster, name));
            url = TestPostgresUrl(cluster, name);
        }
        ASSERT_TRUE(OpenDatabase(url, database, error)) << error;
        ASSERT_TRUE(MigrateSchema(database, error)) << error;
    }
    void TearDown() override {
        CloseDatabase(database);
        if (!folder.empty()) {
            std::filesystem::remove_all(folder);
        }
    }

    std::vector<StoreOutcome> Store(const std::vector<LineRecord>& records) {
        std::vector<StoreOutcome> outcomes;
        EXPECT_TRUE(StoreRecords(database, records, "2026-12-07T10:43:19Z", outcomes, error)) << error;
        return outcomes;
    }

    // Opens another database of the test's backend, empty, named after the test's and `suffix`.
    bool OpenOther(const std::string& suffix, SqlDatabase& other) {
        if (GetParam() == SqlKind::Sqlite) {
            return OpenDatabase("sqlite:" + (folder / (suffix + ".db")).string(), other, error);
        }
        return CreateTestDatabase(cluster, name + "_" + suffix) &&
               OpenDatabase(TestPostgresUrl(cluster, name + "_" + suffix), other, error);
    }

    std::vector<StoredRecord> All() {
        std::vector<StoredRecord> records;
        EXPECT_TRUE(ReadRecordsBySeq(database, 0, 1000, records, error)) << error;
        return records;
    }

    std::string name;
    std::filesystem::path folder;
    std::string url;
    SqlDatabase database;
    std::string error;
};

TEST_P(LineStore, KeepsEveryRecordOnceByItsIdWithEveryField) {
    constexpr StoreOutcome kNew = StoreOutcome::Stored;
    constexpr StoreOutcome kAgain = StoreOutcome::StoredAlready;
    constexpr StoreOutcome kConflict = StoreOutcome::Conflict;
    LineRecord quoted = SampleRecord("r2", "S'; DROP TABLE records; --", true);
    LineRecord otherWithR1 = SampleRecord("r1", "S9", true, "2026-12-07T18:43:18+08:00", "bench-02");
    EXPECT_EQ(Store({SampleRecord("r1", "S1", false), quoted, SampleRecord("r1", "S1", false), otherWithR1}),
              (std::vector<StoreOutcome>{kNew, kNew, kAgain, kConflict}));
    EXPECT_EQ(Store({SampleRecord("r3", "S3", true), quoted, otherWithR1, PlanRecord("r4", "S4")}),
              (std::vector<StoreOutcome>{kNew, kAgain, kConflict, kNew}));
    const std::vector<StoredRecord> records = All();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(LineRecordJson(records[3].record), LineRecordJson(PlanRecord("r4", "S4")));
    EXPECT_EQ(LineRecordJson(records[0].record), LineRecordJson(SampleRecord("r1", "S1", false)));
    EXPECT_EQ(LineRecordJson(records[1].record), LineRecordJson(quoted));
    EXPECT_EQ(records[0].received, "2026-12-07T10:43:19Z");
    EXPECT_LT(records[0].seq, records[1].seq);

    LiveFigures live;
    ASSERT_TRUE(ReadLiveFigures(database, kNow, live, error)) << error;
    EXPECT_EQ(live.figures.total.tested, 4);
    EXPECT_EQ(live.figures.total.passed, 2);
}

TEST_P(LineStore, GateWeighsTheSerialsEarlierTestsInTheOrderTheyArrived) {
    Store({SampleRecord("a1", "S1", false, "2026-12-07T08:00:00+08:00"),
           SampleRecord("a2", "S1", true, "2026-12-07T09:00:00+08:00", "bench-02"),
           SampleRecord("b1", "S2", false)});
    UnitStart unit{"bench-01", "op", "KB-104", "B", "S1", "1.2", "US.kbl"};
    GateAnswer answer;
    ASSERT_TRUE(AskGate(database, unit, 3, answer, error)) << error;
    EXPECT_FALSE(answer.allow);
    EXPECT_EQ(answer.code, "passed");
    EXPECT_EQ(answer.reason, "serial S1 passed already at station bench-02 at 2026-12-07T09:00:00+08:00");

    unit.serial = "S2";
    ASSERT_TRUE(AskGate(database, unit, 0, answer, error)) << error;
    EXPECT_EQ(answer.code, "retest_limit");
    ASSERT_TRUE(AskGate(database, unit, 1, answer, error)) << error;
    EXPECT_TRUE(answer.allow);
    unit.productId = "KB-87";
    ASSERT_TRUE(AskGate(database, unit, 1, answer, error)) << error;
    EXPECT_EQ(answer.code, "other_product");
    unit.serial = "S'; DELETE FROM records; --";
    ASSERT_TRUE(AskGate(database, unit, 1, answer, error)) << error;
    EXPECT_TRUE(answer.allow);
    EXPECT_EQ(All().size(), 3u);
}

TEST_P(LineStore, LiveFiguresAddUpTheLastDayOfTheLinesClock) {
    LineRecord slow = SampleRecord("k3", "S3", false, "2026-12-07T18:59:59+08:00", "bench-02");
    slow.row.testSeconds = "40.0";
    slow.row.chatterKeys = "Esc:7";
    LineRecord other = SampleRecord("k4", "S4", false, "2026-12-07T17:10:00+08:00");
    other.row.reason = u8"LED 损坏";
    other.row.reasonCode = "led_broken";
    Store({SampleRecord("future", "S9", true, "2027-01-01T08:00:00+08:00"),  // a station's clock gone wrong
           SampleRecord("k0", "S0", false, "2026-12-06T17:00:00+08:00"),  // more than a day before the last
           SampleRecord("k1", "S1", true, "2026-12-07T18:00:00+08:00"),
           SampleRecord("k2", "S2", false, "2026-12-07T18:30:00+08:00"), slow, other});
    LiveFigures live;
    ASSERT_TRUE(ReadLiveFigures(database, kNow, live, error)) << error;
    const ReportFigures& figures = live.figures;
    EXPECT_EQ(figures.total.tested, 4);
    EXPECT_EQ(figures.total.passed, 1);
    ASSERT_EQ(figures.periods.size(), 2u);
    EXPECT_EQ(figures.periods[0].label, "2026-12-07 17:00");
    EXPECT_EQ(figures.periods[1].count.tested, 3);
    ASSERT_EQ(live.stations.size(), 2u);
    EXPECT_EQ(live.stations[1].name, "bench-02");
    EXPECT_EQ(live.stations[1].count.tested, 1);
    ASSERT_EQ(figures.reasons.size(), 2u);
    EXPECT_EQ(figures.reasons[0].code, "key_broken");
    EXPECT_EQ(figures.reasons[0].count, 2);
    // A, ";" and S left untested by the three failures of the day, Esc chattering on each; most heat first.
    ASSERT_EQ(figures.keys.size(), 5u);
    EXPECT_EQ(figures.keys[4].label, "F1");
    EXPECT_EQ(figures.keys[2].label, "Esc");
    EXPECT_EQ(figures.keys[2].chattered, 3);
    EXPECT_EQ(figures.keys[2].shortestGapMs, 7);
    EXPECT_EQ(figures.keys[0].label, ";");
    EXPECT_EQ(figures.keys[0].failedOn, 3);
    EXPECT_EQ(figures.timedCount, 4);
    EXPECT_DOUBLE_EQ(figures.medianSeconds, 12.3);
    EXPECT_DOUBLE_EQ(figures.percentile95Seconds, 40.0);
    EXPECT_EQ(figures.firstTime, "2026-12-07T17:10:00+08:00");
    EXPECT_EQ(figures.lastTime, "2026-12-07T18:59:59+08:00");
    ASSERT_EQ(live.last.size(), 6u);
    EXPECT_EQ(live.last[0].record.id, "k4");
}

TEST_P(LineStore, LiveFiguresShowWhatThePlansFound) {
    LineRecord again = PlanRecord("p2", "S2", "2026-12-07T18:50:00+08:00");
    again.row.wrongKeys = "Q>W;Q>W";  // one keyboard, counted once
    again.row.batchId = "B2026-13";
    again.row.rolloverReached = 6;
    LineRecord stopped = PlanRecord("p1", "S1");
    stopped.row.untestedKeys = "K";  // left untested because the plan stopped at the wrong key
    Store({stopped, again, SampleRecord("k1", "S3", false)});
    LiveFigures live;
    ASSERT_TRUE(ReadLiveFigures(database, kNow, live, error)) << error;
    const ReportFigures& figures = live.figures;
    EXPECT_EQ(figures.failedByPlan, 2);
    const auto key = [&](const std::string& label) {
        for (const KeyTally& tally : figures.keys) {
            if (tally.label == label) {
                return tally;
            }
        }
        return KeyTally{};
    };
    EXPECT_EQ(key("F5").phantom, 2);
    EXPECT_EQ(key("J").ghost, 2);
    EXPECT_EQ(key("K").failedOn, 0);
    EXPECT_EQ(key("A").failedOn, 1);
    ASSERT_EQ(figures.wrongPairs.size(), 2u);
    EXPECT_EQ(figures.wrongPairs[0].expected, "Q");
    EXPECT_EQ(figures.wrongPairs[0].keyboards, 2);
    EXPECT_EQ(figures.wrongPairs[0].batches,
              (std::vector<std::pair<std::string, int64_t>>{{"B2026-12", 1}, {"B2026-13", 1}}));
    EXPECT_EQ(figures.wrongPairs[1].expected, ">");
    EXPECT_EQ(figures.wrongPairs[1].got, "Z");
    ASSERT_EQ(figures.rollovers.size(), 1u);
    EXPECT_EQ(figures.rollovers[0].keyboards, 2);
    EXPECT_EQ(figures.rollovers[0].shortOf, 1);
    EXPECT_EQ(figures.rollovers[0].reached, (std::vector<std::pair<int32_t, int64_t>>{{6, 1}, {4, 1}}));
}

TEST_P(LineStore, ReadsRecordsByTimeInPagesWithinTheirSpan) {
    std::vector<LineRecord> records;
    for (int i = 0; i < 7; ++i) {
        records.push_back(SampleRecord("t" + std::to_string(i), "S", true,
                                       i < 5 ? "2026-12-07T10:00:00+08:00" : "2026-12-08T10:00:00-05:00"));
    }
    records.push_back(SampleRecord("early", "S", true, "2026-12-07T09:59:59+08:00"));
    Store(records);
    int64_t from = 0;
    int64_t to = 0;
    ParseRecordTime("2026-12-07T10:00:00+00:00", from);
    ParseRecordTime("2026-12-08T10:00:00+00:00", to);
    RecordCursor cursor;
    std::vector<std::string> ids;
    std::vector<StoredRecord> page;
    do {
        ASSERT_TRUE(ReadRecordsByTime(database, from, to, 2, cursor, page, error)) << error;
        for (const StoredRecord& stored : page) {
            ids.push_back(stored.record.id);
        }
    } while (!page.empty());
    EXPECT_EQ(ids, (std::vector<std::string>{"t0", "t1", "t2", "t3", "t4"}));
}

TEST_P(LineStore, SchemaIsMadeOnceAndANewerOneIsRefused) {
    EXPECT_TRUE(MigrateSchema(database, error)) << error;
    SqlResult version;
    ASSERT_TRUE(SqlExecute(database, "SELECT version FROM schema_version", {}, version, error)) << error;
    ASSERT_EQ(version.rows.size(), 1u);
    EXPECT_EQ(version.rows[0][0], std::to_string(kSchemaVersion));
    ASSERT_TRUE(SqlExecute(database, "UPDATE schema_version SET version = ?",
                           {std::to_string(kSchemaVersion + 1)}, error));
    EXPECT_FALSE(MigrateSchema(database, error));
    EXPECT_NE(error.find("newer than this kblline's"), std::string::npos) << error;
}

// A database of the first kblline, with a record and its tallies: brought up to date, its record reads as one
// tested without a plan, its tallies go on counting, and the plan's records are kept beside it.
TEST_P(LineStore, ADatabaseOfTheFirstSchemaIsBroughtUpToDate) {
    SqlDatabase old;
    ASSERT_TRUE(OpenOther("old", old));
    ASSERT_TRUE(MigrateSchema(old, error, 1)) << error;
    int64_t localSeconds = 0;
    ParseRecordTime("2026-12-07T18:10:00+08:00", localSeconds);
    const std::string hour = std::to_string(localSeconds / 3600);
    ASSERT_TRUE(
        SqlExecute(old,
                   "INSERT INTO records (id, station, received, time, local_seconds, computer, operator, "
                   "product, batch, serial, version, layout, passed, reason, reason_code, test_seconds, "
                   "required_keys, tested_keys, untested_keys, chatter_keys, max_keys_held) VALUES "
                   "('o1', 'bench-01', '2026-12-07T10:10:01Z', '2026-12-07T18:10:00+08:00', ?, 'PC', "
                   "'op', 'KB-104', 'B', 'S0', '1.2', 'US.kbl', 1, '', '', '9.5', 104, 104, '', '', 5)",
                   {std::to_string(localSeconds)}, error) &&
        SqlExecute(old, "INSERT INTO hour_tally VALUES (?, 'bench-01', 'US.kbl', '2026-12-07 18:00', 1, 1)",
                   {hour}, error) &&
        SqlExecute(old, "INSERT INTO key_tally VALUES (?, 'US.kbl', 'F5', 0, 1, 9)", {hour}, error))
        << error;
    ASSERT_TRUE(MigrateSchema(old, error)) << error;
    std::vector<StoreOutcome> outcomes;
    ASSERT_TRUE(StoreRecords(old, {PlanRecord("p1", "S1")}, "2026-12-07T10:43:19Z", outcomes, error))
        << error;
    std::vector<StoredRecord> records;
    ASSERT_TRUE(ReadRecordsBySeq(old, 0, 10, records, error)) << error;
    ASSERT_EQ(records.size(), 2u);
    EXPECT_FALSE(records[0].record.row.withPlan);
    EXPECT_EQ(records[0].record.row.rolloverRequired, 0);
    EXPECT_EQ(records[0].record.row.mostKeysHeld, 5);
    EXPECT_EQ(LineRecordJson(records[1].record), LineRecordJson(PlanRecord("p1", "S1")));
    bool withPlan = true;
    ASSERT_TRUE(AnyRecordWithPlan(old, localSeconds, localSeconds + 1, withPlan, error)) << error;
    EXPECT_FALSE(withPlan);
    LiveFigures live;
    ASSERT_TRUE(ReadLiveFigures(old, kNow, live, error)) << error;
    EXPECT_EQ(live.figures.total.tested, 2);
    EXPECT_EQ(live.figures.failedByPlan, 1);
    ASSERT_FALSE(live.figures.keys.empty());
    EXPECT_EQ(live.figures.keys[0].label, "F5");
    EXPECT_EQ(live.figures.keys[0].chattered, 1);
    EXPECT_EQ(live.figures.keys[0].phantom, 1);
    CloseDatabase(old);
}

TEST_P(LineStore, CopyKeepsEachRecordOnceWithTheTimeItArrived) {
    Store({SampleRecord("c1", "S1", false), SampleRecord("c2", "S2", true)});
    const std::vector<StoredRecord> source = All();
    const std::filesystem::path targetFolder = std::filesystem::temp_directory_path() / ("copy_" + name);
    std::filesystem::create_directories(targetFolder);
    SqlDatabase target;
    ASSERT_TRUE(OpenDatabase("sqlite:" + (targetFolder / "line.db").string(), target, error) &&
                MigrateSchema(target, error))
        << error;
    std::vector<StoreOutcome> outcomes;
    ASSERT_TRUE(CopyRecords(target, {source[1]}, outcomes, error)) << error;
    ASSERT_TRUE(CopyRecords(target, source, outcomes, error)) << error;
    EXPECT_EQ(outcomes, (std::vector<StoreOutcome>{StoreOutcome::Stored, StoreOutcome::StoredAlready}));
    std::vector<StoredRecord> copied;
    ASSERT_TRUE(ReadRecordsBySeq(target, 0, 10, copied, error)) << error;
    ASSERT_EQ(copied.size(), 2u);
    EXPECT_EQ(copied[1].received, source[0].received);
    LiveFigures live;
    ASSERT_TRUE(ReadLiveFigures(target, kNow, live, error)) << error;
    EXPECT_EQ(live.figures.total.tested, 2);
    CloseDatabase(target);
    std::filesystem::remove_all(targetFolder);
}

// A restart of PostgreSQL ends the server's connections: each is opened again by the statement after it, and
// still speaks UTF-8.
TEST(ConnectionOnPostgres, IsOpenedAgainAfterTheServerRestarted) {
    SqlDatabase database;
    std::string error;
    ASSERT_TRUE(OpenDatabase(TestPostgresUrl(cluster, "postgres"), database, error)) << error;
    ASSERT_TRUE(RestartTestPostgres(cluster));
    SqlResult answer;
    EXPECT_TRUE(SqlExecute(database, "SHOW client_encoding", {}, answer, error)) << error;
    ASSERT_EQ(answer.rows.size(), 1u);
    EXPECT_EQ(answer.rows[0][0], "UTF8");
    CloseDatabase(database);
}

// A database in LATIN1, which cannot hold Chinese: the record with Chinese text fails alone, and the records
// committed in the same batch as it are stored all the same.
TEST(RecordWriterOnPostgres, ARecordTheDatabaseRefusesKeepsNoOtherOut) {
    SqlDatabase admin;
    std::string error;
    const std::string name = "latin_" + std::to_string(getpid());
    ASSERT_TRUE(OpenDatabase(TestPostgresUrl(cluster, "postgres"), admin, error)) << error;
    ASSERT_TRUE(
        SqlExecute(admin, "CREATE DATABASE " + name + " ENCODING 'LATIN1' TEMPLATE template0", {}, error))
        << error;
    CloseDatabase(admin);
    SqlDatabase database;
    ASSERT_TRUE(OpenDatabase(TestPostgresUrl(cluster, name), database, error) &&
                MigrateSchema(database, error))
        << error;
    RecordWriter writer;
    StartRecordWriter(writer, std::move(database));
    std::vector<LineRecord> records;
    for (int i = 0; i < 12; ++i) {
        records.push_back(SampleRecord("w" + std::to_string(i), "S", true));
        records.back().row.operatorId = i == 5 ? u8"张三" : "Zhang";
    }
    std::vector<WriteOutcome> outcomes(records.size());
    std::vector<std::thread> stations;
    for (size_t i = 0; i < records.size(); ++i) {
        stations.emplace_back([&, i] { outcomes[i] = WriteRecord(writer, records[i]).outcome; });
    }
    for (std::thread& station : stations) {
        station.join();
    }
    StopRecordWriter(writer);
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(outcomes[i], i == 5 ? WriteOutcome::Failed : WriteOutcome::Stored) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, LineStore, testing::Values(SqlKind::Sqlite, SqlKind::Postgres),
                         [](const testing::TestParamInfo<SqlKind>& info) {
                             return info.param == SqlKind::Sqlite ? std::string("Sqlite")
                                                                  : std::string("Postgres");
                         });

}  // namespace
