// The line server's HTTP API over loopback: the real kblline started as a program on a fresh SQLite
// database, asked as the stations ask, with every kind of bad request a station or a stranger could send.
#include <gtest/gtest.h>
#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "tools/kblline/line_process.h"
#include "tools/kblline/line_test_records.h"
#include "tools/kblreport/record_reading.h"

namespace {

using nlohmann::json;

const char* const kToken1 = "t0k3n-of-bench-01-0123456789";
const char* const kToken2 = "t0k3n-of-bench-02-0123456789";

class LineApi : public testing::Test {
  protected:
    void SetUp() override {
        static int count = 0;
        folder = std::filesystem::temp_directory_path() /
                 ("kblline_api_" + std::to_string(getpid()) + "_" + std::to_string(++count));
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "tokens.txt") << "bench-01 " << kToken1 << "\nbench-02 " << kToken2 << "\n";
        Start();
    }
    void TearDown() override {
        // Stopped, it ends of itself with nothing left behind (the sanitizers' build checks that too).
        const int status = StopLineProcess(server, SIGTERM);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        std::filesystem::remove_all(folder);
    }

    void Start(const std::string& retestLimit = "3") {
        ASSERT_TRUE(StartLineProcess(KBLLINE_PROGRAM,
                                     {"serve", "--db", "sqlite:" + (folder / "line.db").string(), "--listen",
                                      "127.0.0.1:0", "--tokens", (folder / "tokens.txt").string(),
                                      "--retest-limit", retestLimit, "--layouts", KEYBOARDS_FOLDER},
                                     server))
            << server.output;
    }

    httplib::Result Post(const std::string& path, const std::string& body, const char* token = kToken1) {
        httplib::Client client("127.0.0.1", server.port);
        httplib::Headers headers;
        if (token != nullptr) {
            headers.emplace("Authorization", std::string("Bearer ") + token);
        }
        return client.Post(path.c_str(), headers, body, "application/json");
    }

    httplib::Result PostRecord(const LineRecord& record, const char* token = kToken1) {
        return Post("/v1/records", LineRecordJson(record).dump(), token);
    }

    json Gate(const std::string& serial, const std::string& product = "KB-104") {
        const json unit = {{"station", "bench-01"}, {"operator", "op"}, {"product", product}, {"batch", "B"},
                           {"serial", serial},      {"version", "1.2"}, {"layout", "US.kbl"}};
        const httplib::Result result = Post("/v1/units/start", unit.dump());
        EXPECT_TRUE(result && result->status == 200) << (result ? result->body : "no answer");
        return result ? json::parse(result->body, nullptr, false) : json();
    }

    httplib::Result Get(const std::string& path, const char* token = kToken1) {
        httplib::Client client("127.0.0.1", server.port);
        httplib::Headers headers;
        if (token != nullptr) {
            headers.emplace("Authorization", std::string("Bearer ") + token);
        }
        return client.Get(path.c_str(), headers);
    }

    std::filesystem::path folder;
    LineProcess server;
};

// The status and the field a refusal names.
void ExpectRefused(const httplib::Result& result, int status, const std::string& field) {
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, status) << result->body;
    const json body = json::parse(result->body, nullptr, false);
    ASSERT_TRUE(body.is_object()) << result->body;
    EXPECT_TRUE(body.contains("error")) << result->body;
    EXPECT_EQ(body.value("field", ""), field) << result->body;
}

TEST_F(LineApi, RefusesEveryBadRequestWithItsStatusAndField) {
    const LineRecord record = SampleRecord("r1", "S1", true);
    ExpectRefused(PostRecord(record, nullptr), 401, "");
    ExpectRefused(PostRecord(record, "t0k3n-of-nobody-00000000000"), 401, "");
    ExpectRefused(Post("/v1/units/start", "{}", nullptr), 401, "");
    ExpectRefused(Get("/v1/records.csv", nullptr), 401, "");
    ExpectRefused(PostRecord(record, kToken2), 403, "station");
    ExpectRefused(Post("/v1/units/start", R"({"station":"bench-02","operator":"","product":"","batch":"",)"
                                          R"("serial":"S1","version":"","layout":""})"),
                  403, "station");
    json badField = LineRecordJson(record);
    badField["verdict"] = "MAYBE";
    ExpectRefused(Post("/v1/records", badField.dump()), 400, "verdict");
    badField = LineRecordJson(record);
    badField.erase("serial");
    ExpectRefused(Post("/v1/records", badField.dump()), 400, "serial");
    ExpectRefused(Post("/v1/records", "{\"id\": \"r1\", "), 400, "");
    ExpectRefused(Post("/v1/units/start", R"({"station":"bench-01"})"), 400, "operator");
    ExpectRefused(Post("/v1/records", std::string(65 * 1024, ' ') + "{}"), 413, "");
    ExpectRefused(Get("/v1/records.csv?from=last-week"), 400, "from");
    ExpectRefused(Get("/v1/nothing"), 404, "");
    // None of it was stored, and the server still answers.
    const httplib::Result csv = Get("/v1/records.csv");
    ASSERT_TRUE(csv);
    EXPECT_EQ(csv->body, "\xEF\xBB\xBF" + RecordHeaderRow());
    EXPECT_EQ(Get("/healthz", nullptr)->status, 200);
}

TEST_F(LineApi, StoresARecordOnceHoweverOftenItIsSentAndRefusesAnotherWithItsId) {
    const LineRecord record = SampleRecord("bench-01.000001", u8"序列-1", false);
    ASSERT_TRUE(PostRecord(record));
    EXPECT_EQ(PostRecord(record)->status, 200);
    // Another record with the id of one stored is refused, not taken for it.
    LineRecord other = record;
    other.row.passed = true;
    ExpectRefused(PostRecord(other), 409, "id");
    std::vector<std::thread> stations;
    for (int station = 0; station < 8; ++station) {
        stations.emplace_back([&, station] {
            for (int i = 0; i < 10; ++i) {
                const httplib::Result result = PostRecord(SampleRecord("s." + std::to_string(i), "S", true));
                EXPECT_TRUE(result && (result->status == 201 || result->status == 200)) << station;
            }
        });
    }
    for (std::thread& thread : stations) {
        thread.join();
    }
    // The records come back in the tester's own format, every field as it was sent.
    const httplib::Result csv = Get("/v1/records.csv?from=2026-12-07&to=2026-12-07");
    ASSERT_TRUE(csv);
    ASSERT_EQ(csv->status, 200);
    RecordSet set;
    ASSERT_TRUE(ReadRecordText(csv->body, "records.csv", set));
    EXPECT_TRUE(set.badRows.empty());
    ASSERT_EQ(set.records.size(), 11u);
    EXPECT_EQ(csv->body.substr(3 + RecordHeaderRow().size(), LineRecordRow(record).size()),
              LineRecordRow(record));
    EXPECT_EQ(Get("/v1/records.csv?to=2026-12-06")->body, "\xEF\xBB\xBF" + RecordHeaderRow());
}

// The records.csv of a span is the tester's own file: its first columns while no keyboard of the span was
// tested with a plan, the plan's columns too, on every row, once one was; the live page shows the plan's
// findings only once there are some.
TEST_F(LineApi, KeepsWhatATestPlanFoundAndGivesItsColumnsBack) {
    json older = LineRecordJson(SampleRecord("old.1", "S1", false, "2026-12-06T09:00:00+08:00"));
    for (const char* field :
         {"wrong_keys", "phantom_keys", "ghost_keys", "rollover_required", "rollover_reached", "with_plan"}) {
        older.erase(field);
    }
    ASSERT_EQ(Post("/v1/records", older.dump())->status, 201);
    ASSERT_EQ(PostRecord(SampleRecord("new.1", "S2", true))->status, 201);
    EXPECT_EQ(Get("/")->body.find("plan-findings"), std::string::npos);
    json bad = LineRecordJson(PlanRecord("new.2", "S3"));
    bad["rollover_reached"] = 100001;
    ExpectRefused(Post("/v1/records", bad.dump()), 400, "rollover_reached");
    bad = LineRecordJson(PlanRecord("new.2", "S3"));
    bad["wrong_keys"] = "Q";
    ExpectRefused(Post("/v1/records", bad.dump()), 400, "wrong_keys");
    ASSERT_EQ(PostRecord(PlanRecord("new.2", "S3"))->status, 201);

    const httplib::Result classic = Get("/v1/records.csv?to=2026-12-06");
    ASSERT_TRUE(classic);
    EXPECT_EQ(classic->body,
              "\xEF\xBB\xBF" + RecordHeaderRow() +
                  LineRecordRow(SampleRecord("old.1", "S1", false, "2026-12-06T09:00:00+08:00")));
    const httplib::Result csv = Get("/v1/records.csv");
    ASSERT_TRUE(csv);
    EXPECT_EQ(csv->body, "\xEF\xBB\xBF" + RecordHeaderRow(kRecordColumnCount) +
                             LineRecordRow(SampleRecord("old.1", "S1", false, "2026-12-06T09:00:00+08:00"),
                                           kRecordColumnCount) +
                             LineRecordRow(SampleRecord("new.1", "S2", true), kRecordColumnCount) +
                             LineRecordRow(PlanRecord("new.2", "S3"), kRecordColumnCount));
    RecordSet set;
    ASSERT_TRUE(ReadRecordText(csv->body, "records.csv", set));
    EXPECT_TRUE(set.badRows.empty());
    ASSERT_EQ(set.records.size(), 3u);
    ASSERT_EQ(set.records[2].wrongKeys.size(), 2u);
    EXPECT_EQ(set.records[2].wrongKeys[1].expected, ">");
    EXPECT_EQ(set.records[2].rolloverReached, 4);
    const httplib::Result page = Get("/", nullptr);
    ASSERT_TRUE(page);
    for (const char* part : {"<section id=\"plan-findings\">", "<table id=\"wrong-keys\">",
                             "<table id=\"rollover\">", "Phantom keys", "Ghost keys"}) {
        EXPECT_NE(page->body.find(part), std::string::npos) << part;
    }
}

TEST_F(LineApi, GateRefusesAPassedSerialTooManyFailuresAndAnotherProduct) {
    EXPECT_EQ(Gate("S1"), (json{{"allow", true}}));
    ASSERT_EQ(PostRecord(SampleRecord("p1", "S1", true))->status, 201);
    const json passed = Gate("S1");
    EXPECT_EQ(passed["allow"], false);
    EXPECT_EQ(passed["code"], "passed");
    EXPECT_EQ(passed["station"], "bench-01");
    EXPECT_EQ(passed["time"], "2026-12-07T18:43:18+08:00");
    EXPECT_NE(passed["reason"].get<std::string>().find("passed already"), std::string::npos);

    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Gate("S2")["allow"], true) << i;
        ASSERT_EQ(PostRecord(SampleRecord("f" + std::to_string(i), "S2", false))->status, 201);
    }
    const json limit = Gate("S2");
    EXPECT_EQ(limit["code"], "retest_limit");
    EXPECT_EQ(limit["failures"], 4);
    EXPECT_EQ(limit["retest_limit"], 3);
    const json other = Gate("S2", "KB-87");
    EXPECT_EQ(other["code"], "other_product");
    EXPECT_EQ(other["product"], "KB-104");
}

TEST_F(LineApi, AnAcknowledgedRecordOutlivesAKillAndTheLivePageShowsIt) {
    ASSERT_EQ(PostRecord(SampleRecord("k1", "S1", false))->status, 201);
    StopLineProcess(server, SIGKILL);
    Start();
    EXPECT_EQ(PostRecord(SampleRecord("k1", "S1", false))->status, 200);
    ASSERT_EQ(PostRecord(SampleRecord("k2", "S2", true, "2026-12-07T19:01:00+08:00"))->status, 201);
    const httplib::Result page = Get("/", nullptr);
    ASSERT_TRUE(page);
    ASSERT_EQ(page->status, 200);
    for (const char* part : {"http-equiv=\"refresh\"", "<section id=\"stations\">", "bench-01",
                             "yield-over-time", "2026-12-07 19:00", "<section id=\"fail-reasons\">",
                             "class=\"heat\"", "<section id=\"last-keyboards\">", "S2"}) {
        EXPECT_NE(page->body.find(part), std::string::npos) << part;
    }
}

}  // namespace
