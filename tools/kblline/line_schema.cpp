// The schema's steps. The records table keeps every record once by its id; the tallies beside it are
// counted in the same transaction as each new record, per hour of the line's clock, so that the live page
// adds up a day's few thousand tally rows rather than millions of records.
#include "tools/kblline/line_schema.h"

#include <vector>

namespace {

// The statements of version 1; "@SEQ" is the column that numbers the records in the order they arrived.
const std::vector<std::string> kVersion1 = {
    "CREATE TABLE records (@SEQ, id TEXT NOT NULL UNIQUE, station TEXT NOT NULL, received TEXT NOT NULL, "
    "time TEXT NOT NULL, local_seconds BIGINT NOT NULL, computer TEXT NOT NULL, operator TEXT NOT NULL, "
    "product TEXT NOT NULL, batch TEXT NOT NULL, serial TEXT NOT NULL, version TEXT NOT NULL, "
    "layout TEXT NOT NULL, passed INTEGER NOT NULL, reason TEXT NOT NULL, reason_code TEXT NOT NULL, "
    "test_seconds TEXT NOT NULL, required_keys INTEGER NOT NULL, tested_keys INTEGER NOT NULL, "
    "untested_keys TEXT NOT NULL, chatter_keys TEXT NOT NULL, max_keys_held INTEGER NOT NULL)",
    "CREATE INDEX records_serial ON records (serial)",
    "CREATE INDEX records_time ON records (local_seconds, seq)",
    "CREATE TABLE hour_tally (hour BIGINT NOT NULL, station TEXT NOT NULL, layout TEXT NOT NULL, "
    "label TEXT NOT NULL, tested BIGINT NOT NULL, passed BIGINT NOT NULL, PRIMARY KEY (hour, station, "
    "layout))",
    "CREATE TABLE reason_tally (hour BIGINT NOT NULL, reason_key TEXT NOT NULL, reason_code TEXT NOT NULL, "
    "reason TEXT NOT NULL, failed BIGINT NOT NULL, PRIMARY KEY (hour, reason_key))",
    "CREATE TABLE key_tally (hour BIGINT NOT NULL, layout TEXT NOT NULL, label TEXT NOT NULL, "
    "untested BIGINT NOT NULL, chattered BIGINT NOT NULL, shortest_gap_ms BIGINT NOT NULL, "
    "PRIMARY KEY (hour, layout, label))",
    "CREATE TABLE time_tally (hour BIGINT NOT NULL, tenths BIGINT NOT NULL, keyboards BIGINT NOT NULL, "
    "PRIMARY KEY (hour, tenths))",
};

// Version 2: what the test plans found. A record stored before reads as one tested without a plan; the
// tallies gain the keys found as phantoms and ghosts, the failed keyboards that named a plan's finding, the
// wrong pairs by batch and the rollover steps by the keys held. The partial index finds at once whether a
// span holds any record of a plan, which decides the width of its CSV.
const std::vector<std::string> kVersion2 = {
    "ALTER TABLE records ADD COLUMN wrong_keys TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE records ADD COLUMN phantom_keys TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE records ADD COLUMN ghost_keys TEXT NOT NULL DEFAULT ''",
    "ALTER TABLE records ADD COLUMN rollover_required INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE records ADD COLUMN rollover_reached INTEGER NOT NULL DEFAULT 0",
    "ALTER TABLE records ADD COLUMN with_plan INTEGER NOT NULL DEFAULT 0",
    "CREATE INDEX records_plan ON records (local_seconds) WHERE with_plan = 1",
    "ALTER TABLE hour_tally ADD COLUMN plan_failed BIGINT NOT NULL DEFAULT 0",
    "ALTER TABLE key_tally ADD COLUMN phantom BIGINT NOT NULL DEFAULT 0",
    "ALTER TABLE key_tally ADD COLUMN ghost BIGINT NOT NULL DEFAULT 0",
    "CREATE TABLE wrong_tally (hour BIGINT NOT NULL, layout TEXT NOT NULL, expected TEXT NOT NULL, "
    "got TEXT NOT NULL, batch TEXT NOT NULL, keyboards BIGINT NOT NULL, PRIMARY KEY (hour, layout, "
    "expected, got, batch))",
    "CREATE TABLE rollover_tally (hour BIGINT NOT NULL, layout TEXT NOT NULL, required BIGINT NOT NULL, "
    "reached BIGINT NOT NULL, keyboards BIGINT NOT NULL, PRIMARY KEY (hour, layout, required, reached))",
};

const std::vector<std::string>* const kSteps[] = {&kVersion1, &kVersion2};
static_assert(sizeof kSteps / sizeof kSteps[0] == kSchemaVersion, "every version has its step");

std::string ForDialect(SqlKind kind, std::string sql) {
    const std::string seq = kind == SqlKind::Sqlite ? "seq INTEGER PRIMARY KEY"
                                                    : "seq BIGINT GENERATED ALWAYS AS IDENTITY PRIMARY KEY";
    const size_t at = sql.find("@SEQ");
    return at == std::string::npos ? sql : sql.replace(at, 4, seq);
}

bool Migrate(SqlDatabase& database, int newest, std::string& error) {
    // Two servers starting on one PostgreSQL database at once take turns here.
    if (database.kind == SqlKind::Postgres &&
        !SqlExecute(database, "SELECT pg_advisory_xact_lock(4242001)", {}, error)) {
        return false;
    }
    if (!SqlExecute(database, "CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)", {},
                    error)) {
        return false;
    }
    SqlResult found;
    if (!SqlExecute(database, "SELECT max(version) FROM schema_version", {}, found, error)) {
        return false;
    }
    const int version = found.rows.empty() || found.rows[0][0].empty() ? 0 : std::stoi(found.rows[0][0]);
    if (version > newest) {
        error = "the database's schema is version " + std::to_string(version) +
                ", newer than this kblline's " + std::to_string(newest) + ": use a newer kblline";
        return false;
    }
    for (int step = version + 1; step <= newest; ++step) {
        for (const std::string& sql : *kSteps[step - 1]) {
            if (!SqlExecute(database, ForDialect(database.kind, sql), {}, error)) {
                return false;
            }
        }
    }
    return version == newest || (SqlExecute(database, "DELETE FROM schema_version", {}, error) &&
                                 SqlExecute(database, "INSERT INTO schema_version (version) VALUES (?)",
                                            {std::to_string(newest)}, error));
}

}  // namespace

bool MigrateSchema(SqlDatabase& database, std::string& error, int newest) {
    if (!SqlBegin(database, error)) {
        return false;
    }
    const bool migrated = Migrate(database, newest, error);
    std::string endError;
    if (!SqlEnd(database, migrated, endError)) {
        error = migrated ? endError : error;
        return false;
    }
    return true;
}
