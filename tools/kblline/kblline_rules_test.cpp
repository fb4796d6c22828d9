// kblline's rules, no database needed: a record's and a unit's fields checked one by one, the record's CSV
// row the tester's own, the gate's rule, the command line, the tokens file and the span of the CSV request.
#include <gtest/gtest.h>

#include "tools/kblline/line_options.h"
#include "tools/kblline/line_record.h"
#include "tools/kblline/line_store.h"
#include "tools/kblline/line_test_records.h"
#include "tools/kblline/records_range.h"

namespace {

using nlohmann::json;

struct BadField {
    const char* field;
    json value;  // null: the field left out
};

TEST(LineRecordFields, EachBadFieldIsNamed) {
    const BadField cases[] = {
        {"id", nullptr},
        {"id", ""},
        {"id", "../../evil"},
        {"id", std::string(65, 'a')},
        {"station", ""},
        {"station", 7},
        {"time", "2026-12-07 18:43:18"},
        {"time", "2026-02-30T18:43:18+08:00"},
        {"operator", nullptr},
        {"operator", std::string("a\x01")},
        {"operator", u8"\U0001F600"},
        {"operator", std::string("\xFF\xFE")},
        {"serial", std::string(4097, 's')},
        {"layout", "../US.kbl"},
        {"layout", "C:US.kbl"},
        {"verdict", "pass"},
        {"test_seconds", "12,5"},
        {"test_seconds", 12.5},
        {"required_keys", -1},
        {"required_keys", "104"},
        {"tested_keys", 1.5},
        {"max_keys_held", 100001},
        {"chatter_keys", "Esc"},
        {"chatter_keys", "Esc:1;F1:x"},
        {"wrong_keys", "Q"},
        {"wrong_keys", "Q>W;>E"},
        {"wrong_keys", "A>B>C"},
        {"phantom_keys", 5},
        {"ghost_keys", std::string(4097, 'g')},
        {"rollover_required", -1},
        {"rollover_reached", "4"},
        {"with_plan", "yes"},
        {"with_plan", false},  // the plan's findings without a plan
        {"with_plan", nullptr},
    };
    for (const BadField& bad : cases) {
        json body = LineRecordJson(PlanRecord("r1", "S1"));
        if (bad.value.is_null()) {
            body.erase(bad.field);
        } else {
            body[bad.field] = bad.value;
        }
        LineRecord record;
        FieldError error;
        EXPECT_FALSE(ReadLineRecord(body, record, error)) << bad.field << " " << bad.value;
        EXPECT_EQ(error.field, bad.field) << bad.value << ": " << error.problem;
    }
    LineRecord record;
    FieldError error;
    EXPECT_FALSE(ReadLineRecord(json::array(), record, error));
    EXPECT_EQ(error.field, "");
}

TEST(LineRecordFields, AGoodRecordIsReadWhole) {
    const LineRecord sent = SampleRecord("bench-01.2026-12-07.000123", u8"序列-1", false);
    json body = LineRecordJson(sent);
    body["comment"] = "a field kblline does not know is left aside";
    LineRecord record;
    FieldError error;
    ASSERT_TRUE(ReadLineRecord(body, record, error)) << error.field << ": " << error.problem;
    EXPECT_EQ(LineRecordJson(record), LineRecordJson(sent));
    body["test_seconds"] = "";
    body["chatter_keys"] = "::5;;:9";  // the keys ":" and ";" chattered 5 and 9 ms apart
    EXPECT_TRUE(ReadLineRecord(body, record, error)) << error.field << ": " << error.problem;
    // A plan's findings are read whole; a station of an older tester sends none of them, and its record
    // reads as one tested without a plan.
    ASSERT_TRUE(ReadLineRecord(LineRecordJson(PlanRecord("p1", "S1")), record, error)) << error.field;
    EXPECT_EQ(LineRecordJson(record), LineRecordJson(PlanRecord("p1", "S1")));
    for (const char* field :
         {"wrong_keys", "phantom_keys", "ghost_keys", "rollover_required", "rollover_reached", "with_plan"}) {
        body.erase(field);
    }
    ASSERT_TRUE(ReadLineRecord(body, record, error)) << error.field << ": " << error.problem;
    EXPECT_FALSE(record.row.withPlan);
    EXPECT_EQ(record.row.rolloverRequired, 0);
    EXPECT_EQ(record.row.wrongKeys, "");
}

TEST(LineRecordFields, TheRowIsTheOneTheTesterWrites) {
    // The tester's row is made of texts in its code page, GBK, which this file's literals are compiled to.
    KeyboardRecord tester = SampleRecord("r1", "S1", false).row;
    tester.operatorId = "张三";
    tester.reason = "按键损坏, \"A\"";
    EXPECT_EQ(LineRecordRow(SampleRecord("r1", "S1", false)), RecordRow(tester));
    KeyboardRecord planned = PlanRecord("p1", "S1").row;
    planned.operatorId = "张三";
    planned.reason = "按键错误";
    EXPECT_EQ(LineRecordRow(PlanRecord("p1", "S1"), kRecordColumnCount),
              RecordRow(planned, kRecordColumnCount));
}

TEST(LineRecordFields, AUnitNeedsEveryFieldAndASerial) {
    const json unit = {{"station", "bench-01"}, {"operator", "op"}, {"product", "KB-104"}, {"batch", "B"},
                       {"serial", "S1"},        {"version", "1.2"}, {"layout", "US.kbl"}};
    UnitStart read;
    FieldError error;
    ASSERT_TRUE(ReadUnitStart(unit, read, error));
    EXPECT_EQ(read.productId, "KB-104");
    for (const char* field : {"station", "operator", "product", "batch", "serial", "version", "layout"}) {
        json missing = unit;
        missing.erase(field);
        EXPECT_FALSE(ReadUnitStart(missing, read, error));
        EXPECT_EQ(error.field, field);
    }
    json empty = unit;
    empty["serial"] = "";
    EXPECT_FALSE(ReadUnitStart(empty, read, error));
    EXPECT_EQ(error.field, "serial");
}

TEST(SerialGate, RefusesAnotherProductAPassAndTooManyFailures) {
    const UnitStart unit{"bench-01", "op", "KB-104", "B", "S1", "1.2", "US.kbl"};
    const PastTest fail{"bench-01", "2026-12-07T08:00:00+08:00", "KB-104", false};
    const PastTest pass{"bench-02", "2026-12-07T09:00:00+08:00", "KB-104", true};
    const PastTest otherProduct{"bench-03", "2026-12-07T07:00:00+08:00", "KB-87", false};
    struct Case {
        std::vector<PastTest> history;
        int64_t limit;
        const char* code;  // "" when allowed
    } cases[] = {
        {{}, 3, ""},
        {{fail, fail, fail}, 3, ""},
        {{fail, fail, fail, fail}, 3, "retest_limit"},
        {{fail}, 0, "retest_limit"},
        {{fail, pass}, 0, "passed"},
        {{fail, fail, fail, fail, pass}, 3, "passed"},
        {{fail, otherProduct, pass}, 3, "other_product"},
    };
    for (const Case& c : cases) {
        const GateAnswer answer = DecideGate(unit, c.history, c.limit);
        EXPECT_EQ(answer.allow, *c.code == '\0') << c.code << " " << c.history.size();
        EXPECT_EQ(answer.code, c.code) << answer.reason;
    }
    EXPECT_EQ(DecideGate(unit, {pass}, 3).reason,
              "serial S1 passed already at station bench-02 at 2026-12-07T09:00:00+08:00");
    EXPECT_EQ(DecideGate(unit, {otherProduct}, 3).past.productId, "KB-87");
    EXPECT_EQ(DecideGate(unit, {fail, fail}, 1).reason,
              "serial S1 failed 2 times, more than the retest limit of 1");
}

TEST(LineArguments, ReadsEachCommandAndRefusesWhatIsWrong) {
    const char* serve[] = {"serve",    "--db",  "sqlite:line.db", "--listen", "0.0.0.0:8080",
                           "--tokens", "t.txt", "--retest-limit", "5"};
    LineArguments arguments;
    std::string error;
    ASSERT_TRUE(ParseLineArguments(9, serve, arguments, error)) << error;
    EXPECT_EQ(arguments.command, LineCommand::Serve);
    EXPECT_EQ(arguments.host, "0.0.0.0");
    EXPECT_EQ(arguments.port, 8080);
    EXPECT_EQ(arguments.retestLimit, 5);
    const char* copy[] = {"copy", "--from", "sqlite:a.db", "--to", "postgresql://line@db/line"};
    ASSERT_TRUE(ParseLineArguments(5, copy, arguments, error)) << error;
    EXPECT_EQ(arguments.target, "postgresql://line@db/line");

    const std::vector<std::vector<const char*>> refused = {
        {"start"},
        {"serve", "--db", "line.db", "--listen", ":80", "--tokens", "t"},
        {"serve", "--db", "sqlite:l", "--listen", "host", "--tokens", "t"},
        {"serve", "--db", "sqlite:l", "--listen", "h:65536", "--tokens", "t"},
        {"serve", "--db", "sqlite:l", "--listen", "h:80"},
        {"serve", "--db", "sqlite:l", "--listen", "h:80", "--tokens", "t", "--retest-limit", "-1"},
        {"serve", "--db", "sqlite:l", "--listen", "h:80", "--tokens"},
        {"copy", "--from", "sqlite:a"},
        {"copy", "--from", "sqlite:a", "--to", "sqlite:b", "--listen", "h:80"},
    };
    for (const auto& words : refused) {
        EXPECT_FALSE(ParseLineArguments(static_cast<int>(words.size()), words.data(), arguments, error))
            << words.size() << " words, " << words[words.size() - 1];
        EXPECT_FALSE(error.empty());
    }
}

TEST(LineTokens, ReadsStationsAndRefusesBadLines) {
    std::unordered_map<std::string, std::string> tokens;
    std::string error;
    ASSERT_TRUE(ReadTokens("# the line\nbench-01 0123456789abcdef\n\n  bench-02\t0123456789abcdeg  # spare\n",
                           tokens, error))
        << error;
    EXPECT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens["0123456789abcdeg"], "bench-02");
    const std::pair<const char*, const char*> refused[] = {
        {"bench-01\n", "line 1: not STATION TOKEN"},
        {"bench-01 0123456789abcdef extra\n", "line 1: not STATION TOKEN"},
        {"\nbench-01 short\n", "line 2: the token of bench-01 is shorter than 16 characters"},
        {"a 0123456789abcdef\nb 0123456789abcdef\n", "line 2: the token of b is given twice"},
        {"# no station yet\n\n", "no station: give one STATION TOKEN a line"},
    };
    for (const auto& [text, message] : refused) {
        EXPECT_FALSE(ReadTokens(text, tokens, error));
        EXPECT_EQ(error, message);
    }
}

TEST(RecordsRange, TakesDaysAndMomentsOfTheLinesClock) {
    RecordsRange range;
    FieldError error;
    ASSERT_TRUE(ReadRecordsRange("2026-12-07", "2026-12-07", range, error));
    EXPECT_EQ(range.toSeconds - range.fromSeconds, 86400);
    ASSERT_TRUE(ReadRecordsRange("2026-12-07T08:00:00", "", range, error));
    EXPECT_EQ(range.fromSeconds % 86400, 8 * 3600);
    EXPECT_EQ(range.toSeconds, INT64_MAX);
    const std::pair<const char*, const char*> refused[] = {
        {"2026-12-7", "from"}, {"yesterday", "from"}, {"2026-12-07T25:00:00", "from"}};
    for (const auto& [text, field] : refused) {
        EXPECT_FALSE(ReadRecordsRange(text, "", range, error));
        EXPECT_EQ(error.field, field);
    }
    EXPECT_FALSE(ReadRecordsRange("2026-12-08", "2026-12-07T00:00:00", range, error));
    EXPECT_EQ(error.field, "to");
}

}  // namespace
