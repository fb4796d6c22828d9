// The line link's portable rules: the spool's order and back-off, the ids of the records, the record's JSON
// both ways, the gate's answers and the outage told once, LineUrl, and the state the panel shows.
#include "records/line_link.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "base/program.h"
#include "engine/core_state.h"
#include "layouts/layout_catalogue.h"
#include "records/test_log.h"
#include "tests/unit/platform_fake.h"

namespace {

using nlohmann::json;

class LineLink : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetCoreState();
        ResetFakePlatform();
    }
    void TearDown() override { ResetCoreState(); }
};

constexpr LocalTime kMorning = {2026, 12, 7, 1, 8, 5, 9, 480};

// Records left by runs of the tester, found in the folder's order, go oldest first: by their time, then by
// their counter as a number; a file of another name goes last, and a record made now after all of them.
TEST_F(LineLink, TheSpoolGoesOldestFirst) {
    LineSpool spool;
    LoadSpool(spool, {"bench-01.20261207080510000.10", "odd-file", "bench-01.20261207080510000.9",
                      "PC_7-1a2b3c4d.20261207080509999.11", "bench-01.20261206235959123.1"});
    AddToSpool(spool, "bench-01.20261207080000000.1");
    EXPECT_EQ(spool.waiting,
              (std::vector<std::string>{"bench-01.20261206235959123.1", "PC_7-1a2b3c4d.20261207080509999.11",
                                        "bench-01.20261207080510000.9", "bench-01.20261207080510000.10",
                                        "odd-file", "bench-01.20261207080000000.1"}));
    const LineTask task = NextLineTask(spool, 0);
    EXPECT_EQ(task.kind, LineTaskKind::Send);
    EXPECT_EQ(task.id, "bench-01.20261206235959123.1");
}

// A record the line does not take stays first and waits 1 s, 2 s, 4 s ... up to 60 s; a record the line
// has leaves and the next goes at once; one the line refuses as it is goes aside without holding the rest.
TEST_F(LineLink, TheBackOffDoublesToAMinuteAndEndsWithAnAnswer) {
    struct Row {
        int32_t status;
        SendOutcome outcome;
        int64_t waitMs;  // until the next request, after the answer at `now`
        LineReach reach;
        size_t waiting;
    };
    const Row rows[] = {
        {0, SendOutcome::Kept, 1000, LineReach::Unreachable, 3},
        {503, SendOutcome::Kept, 2000, LineReach::Unreachable, 3},
        {0, SendOutcome::Kept, 4000, LineReach::Unreachable, 3},
        {404, SendOutcome::Kept, 8000, LineReach::Unreachable, 3},
        {0, SendOutcome::Kept, 16000, LineReach::Unreachable, 3},
        {0, SendOutcome::Kept, 32000, LineReach::Unreachable, 3},
        {0, SendOutcome::Kept, 60000, LineReach::Unreachable, 3},
        {401, SendOutcome::Kept, 60000, LineReach::TokenRefused, 3},
        {201, SendOutcome::Stored, 0, LineReach::Reached, 2},
        {0, SendOutcome::Kept, 1000, LineReach::Unreachable, 2},
        {409, SendOutcome::SetAside, 0, LineReach::Reached, 1},
        {200, SendOutcome::Stored, 0, LineReach::Reached, 0},
    };
    LineSpool spool;
    LoadSpool(spool, {"s.20261207080510000.1", "s.20261207080510000.2", "s.20261207080510000.3"});
    int64_t now = 5000;
    for (const Row& row : rows) {
        const LineTask due = NextLineTask(spool, now);
        ASSERT_EQ(due.kind, LineTaskKind::Send) << row.status;
        EXPECT_EQ(OnRecordAnswer(spool, row.status, now), row.outcome) << row.status;
        EXPECT_EQ(spool.reach, row.reach) << row.status;
        EXPECT_EQ(spool.waiting.size(), row.waiting) << row.status;
        if (row.waitMs > 0) {
            const LineTask early = NextLineTask(spool, now + row.waitMs - 1);
            EXPECT_EQ(early.kind, LineTaskKind::Wait) << row.status;
            EXPECT_EQ(early.waitMs, 1) << row.status;
        }
        now += row.waitMs;
    }
    EXPECT_EQ(spool.setAside, 1);
    // Nothing waits and the line answered: the sender sleeps until a record comes.
    EXPECT_EQ(NextLineTask(spool, now).kind, LineTaskKind::Wait);
    EXPECT_EQ(NextLineTask(spool, now).waitMs, -1);
}

// With nothing to send, the line's health is asked until it answers; the gate reaching the line ends a
// back-off at once.
TEST_F(LineLink, AnIdleSenderProbesUntilTheLineAnswers) {
    LineSpool spool;
    EXPECT_EQ(NextLineTask(spool, 0).kind, LineTaskKind::Probe);
    OnProbeAnswer(spool, 0, 0);
    EXPECT_EQ(spool.reach, LineReach::Unreachable);
    EXPECT_EQ(NextLineTask(spool, 999).kind, LineTaskKind::Wait);
    EXPECT_EQ(NextLineTask(spool, 1000).kind, LineTaskKind::Probe);
    OnProbeAnswer(spool, 503, 1000);
    AddToSpool(spool, "s.20261207080510000.1");
    EXPECT_EQ(NextLineTask(spool, 1500).waitMs, 1500);
    RetryNow(spool, 1500);
    EXPECT_EQ(NextLineTask(spool, 1500).kind, LineTaskKind::Send);
    OnRecordAnswer(spool, 201, 1500);
    OnProbeAnswer(spool, 200, 1600);
    EXPECT_EQ(NextLineTask(spool, 1600).waitMs, -1);
}

// Ids are unique over the line and file names: a station's odd characters are written '_' with a hash that
// keeps two such stations apart, and a long name is cut with its hash.
TEST_F(LineLink, RecordIdsAreSafeAndApart) {
    EXPECT_EQ(MakeRecordId("bench-01", kMorning, 7, 12), "bench-01.20261207080509007.12");
    const std::string a = MakeRecordId("工位A", kMorning, 0, 1);
    const std::string b = MakeRecordId("车间A", kMorning, 0, 1);
    const std::string longName = MakeRecordId(std::string(80, 'x'), kMorning, 999, 4294967295u);
    for (const std::string& id : {a, b, longName}) {
        EXPECT_TRUE(IsRecordId(id)) << id;
    }
    EXPECT_NE(a, b);
    EXPECT_EQ(a.substr(0, 5), "____A");  // two GBK characters, four bytes
    EXPECT_NE(longName, MakeRecordId(std::string(81, 'x'), kMorning, 999, 4294967295u));
    LineSpool spool;
    LoadSpool(spool, {MakeRecordId("s", kMorning, 1, 10), MakeRecordId("s", kMorning, 1, 9)});
    EXPECT_EQ(spool.waiting.front(), "s.20261207080509001.9");
}

// The tester's texts are GBK: in the JSON they are UTF-8, and read back they are the record it sent, odd
// characters and all.
TEST_F(LineLink, TheRecordsJsonRoundTrip) {
    KeyboardRecord row;
    row.time = "2026-12-07T18:43:18+08:00";
    row.computer = "PC-07";
    row.operatorId = "张三";
    row.productId = "KB,\"104\"";
    row.batchId = "B\\2026\t12";
    row.serial = "=SN\r\n1";
    row.version = "1.2";
    row.layoutFile = "德语.kbl";
    row.reason = "按键损坏";
    row.reasonCode = "key_broken";
    row.testSeconds = "12.3";
    row.requiredKeys = 104;
    row.testedKeys = 101;
    row.untestedKeys = "A;%3B;S";
    row.chatterKeys = "Esc:12";
    row.mostKeysHeld = 6;
    row.wrongKeys = "Q>W;键%3E>Z";
    row.phantomKeys = "F5";
    row.ghostKeys = "J;K";
    row.rolloverRequired = 6;
    row.rolloverReached = 4;
    row.withPlan = true;
    const std::string text = JsonText(RecordJson("bench-01.1.1", u8"工位", RecordInUtf8(row)));
    const json body = json::parse(text);
    EXPECT_EQ(body["operator"], u8"张三");
    EXPECT_EQ(body["layout"], u8"德语.kbl");
    EXPECT_EQ(body["station"], u8"工位");
    EXPECT_EQ(body["verdict"], "FAIL");
    EXPECT_EQ(body["required_keys"], 104);
    EXPECT_EQ(body["wrong_keys"], u8"Q>W;键%3E>Z");
    EXPECT_EQ(body["rollover_reached"], 4);
    EXPECT_EQ(body["with_plan"], true);
    std::string id;
    std::string station;
    KeyboardRecord read;
    FieldError error;
    ASSERT_TRUE(ReadRecordJson(body, id, station, read, error)) << error.field << ": " << error.problem;
    EXPECT_EQ(id, "bench-01.1.1");
    EXPECT_EQ(RecordJson(id, station, read), RecordJson("bench-01.1.1", u8"工位", RecordInUtf8(row)));
    EXPECT_EQ(read.batchId, "B\\2026\t12");
    EXPECT_EQ(read.serial, "=SN\r\n1");
    // A byte that is no UTF-8 is replaced in the text, never thrown over.
    EXPECT_NE(JsonText(json{{"reason", std::string("\xFF")}}).find("reason"), std::string::npos);
    EXPECT_EQ(read.ghostKeys, "J;K");
    // A record of a tester without plans has none of the plan's fields: it reads as tested without one.
    json older = body;
    for (const char* field :
         {"wrong_keys", "phantom_keys", "ghost_keys", "rollover_required", "rollover_reached", "with_plan"}) {
        older.erase(field);
    }
    ASSERT_TRUE(ReadRecordJson(older, id, station, read, error)) << error.field << ": " << error.problem;
    EXPECT_FALSE(read.withPlan);
    EXPECT_EQ(read.wrongKeys, "");
    EXPECT_EQ(read.rolloverRequired, 0);
    const std::pair<const char*, json> bad[] = {
        {"tested_keys", "101"}, {"rollover_required", -1}, {"ghost_keys", 3}, {"with_plan", 1}};
    for (const auto& [field, value] : bad) {
        json badField = body;
        badField[field] = value;
        EXPECT_FALSE(ReadRecordJson(badField, id, station, read, error)) << field;
        EXPECT_EQ(error.field, field);
    }
}

// What the gate's answer is: allowed, refused with the line's reason (or its code), or no answer at all,
// which a malformed answer counts as too.
TEST_F(LineLink, TheGatesAnswers) {
    struct Row {
        int32_t status;
        std::string body;
        GateVerdict verdict;
        std::string reason;
        LineReach reach;
    };
    const Row rows[] = {
        {200, R"({"allow": true})", GateVerdict::Allowed, "", LineReach::Reached},
        {200, R"({"allow": false, "code": "passed", "reason": "serial S1 passed already at bench-02"})",
         GateVerdict::Refused, "serial S1 passed already at bench-02", LineReach::Reached},
        {200, R"({"allow": false, "code": "retest_limit"})", GateVerdict::Refused, "retest_limit",
         LineReach::Reached},
        {200, R"({"allow": false})", GateVerdict::Refused, "no reason given", LineReach::Reached},
        {200, R"({"allow": "yes"})", GateVerdict::NoAnswer, "the line's answer is no gate's answer",
         LineReach::Unreachable},
        {200, "<html>proxy</html>", GateVerdict::NoAnswer, "the line's answer is no gate's answer",
         LineReach::Unreachable},
        {200, R"([true])", GateVerdict::NoAnswer, "the line's answer is no gate's answer",
         LineReach::Unreachable},
        {0, "", GateVerdict::NoAnswer, "no answer", LineReach::Unreachable},
        {401, R"({"error": "no such token"})", GateVerdict::NoAnswer, "HTTP 401: no such token",
         LineReach::TokenRefused},
        {503, R"({"error": 5})", GateVerdict::NoAnswer, "HTTP 503", LineReach::Unreachable},
    };
    for (const Row& row : rows) {
        const GateAnswer answer = ReadGateAnswer(row.status, row.body);
        EXPECT_EQ(answer.verdict, row.verdict) << row.body;
        EXPECT_EQ(answer.reason, row.reason) << row.body;
        EXPECT_EQ(answer.reach, row.reach) << row.body;
    }
}

// An outage is told once, at its first unanswered gate, and again only after the line was reached (by the
// gate, or by the sender with an answer: its report of a record spooled tells nothing of the line); with
// LineOffline=stop no keyboard is tested meanwhile.
TEST_F(LineLink, AnOutageIsToldOnce) {
    struct Row {
        int32_t status;  // of the gate's answer; -1: the sender's report of a record spooled, while it last
                         // knew the line reached; -2: its report of the line's answer to a record
        bool stopOffline;
        bool test;
        bool tellOutage;
    };
    const Row rows[] = {
        {0, false, true, true},    {0, false, true, false},   {503, true, false, false},
        {-1, false, false, false}, {0, false, true, false},   {-2, false, false, false},
        {0, true, false, true},    {200, false, true, false}, {0, false, true, true},
    };
    for (const Row& row : rows) {
        if (row.status < 0) {
            NoteLineState(LineReach::Reached, row.status == -2, 1, 0);
            continue;
        }
        const GateOutcome outcome =
            WeighGateAnswer(ReadGateAnswer(row.status, R"({"allow": true})"), row.stopOffline);
        EXPECT_EQ(outcome.test, row.test) << row.status;
        EXPECT_EQ(outcome.tellOutage, row.tellOutage) << row.status;
    }
}

TEST_F(LineLink, AddressesOfLineUrl) {
    struct Row {
        const char* url;
        bool good;
        bool secure;
        const char* host;
        int32_t port;
        const char* basePath;
    };
    const Row rows[] = {
        {"http://10.0.0.5:8080", true, false, "10.0.0.5", 8080, ""},
        {"http://line/", true, false, "line", 80, ""},
        {"https://plant.example/line3/", true, true, "plant.example", 443, "/line3"},
        {"http://[::1]:8080", true, false, "::1", 8080, ""},
        {"line:8080", false, false, "", 0, ""},
        {"http://:8080", false, false, "", 0, ""},
        {"http://line:99999", false, false, "", 0, ""},
        {"http://line:80x", false, false, "", 0, ""},
        {"http://user@line", false, false, "", 0, ""},
    };
    for (const Row& row : rows) {
        LineAddress address;
        ASSERT_EQ(ParseLineUrl(row.url, address), row.good) << row.url;
        if (row.good) {
            EXPECT_EQ(address.secure, row.secure) << row.url;
            EXPECT_EQ(address.host, row.host) << row.url;
            EXPECT_EQ(address.port, row.port) << row.url;
            EXPECT_EQ(address.basePath, row.basePath) << row.url;
        }
    }
}

// The gate is asked with the run's identifiers, in UTF-8; the panel says whether the line is reached and
// what waits.
TEST_F(LineLink, TheUnitAskedAndTheStateShown) {
    KeyboardLayout layout;
    layout.name = "德语";
    catalogue.layouts.push_back(layout);
    testLog.identity.operatorId = "张三";
    program.lineStation = "bench-01";
    const UnitStart unit = UnitToTest("SN-9", "V2");
    EXPECT_EQ(UnitStartJson(unit), (json{{"station", "bench-01"},
                                         {"operator", u8"张三"},
                                         {"product", ""},
                                         {"batch", ""},
                                         {"serial", "SN-9"},
                                         {"version", "V2"},
                                         {"layout", u8"德语.kbl"}}));
    EXPECT_EQ(LineStateText(), "线路: 连接中");
    NoteLineState(LineReach::Unreachable, true, 3, 1);
    EXPECT_EQ(LineStateText(), "线路: 无法连接，待发送 3 条，拒收 1 条");
    NoteLineState(LineReach::Reached, true, 0, 0);
    EXPECT_EQ(LineStateText(), "线路: 已连接");
}

}  // namespace
