// The line's database connection: SQLite through its C API with a cache of prepared statements,
// PostgreSQL through libpq with the parameters sent apart from the statement's text.
#include "tools/kblline/sql_database.h"

#include <libpq-fe.h>
#include <sqlite3.h>

namespace {

constexpr char kSqlitePrefix[] = "sqlite:";
constexpr int kSqliteBusyMilliseconds = 10000;

bool StartsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool SqliteExecute(SqlDatabase& database, const std::string& sql, const std::vector<std::string>& params,
                   SqlResult& result, std::string& error) {
    sqlite3_stmt*& statement = database.statements[sql];
    if (statement == nullptr &&
        sqlite3_prepare_v3(database.lite, sql.c_str(), static_cast<int>(sql.size()),
                           SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(database.lite);
        database.statements.erase(sql);
        return false;
    }
    for (size_t i = 0; i < params.size(); ++i) {
        sqlite3_bind_text(statement, static_cast<int>(i + 1), params[i].data(),
                          static_cast<int>(params[i].size()), SQLITE_STATIC);
    }
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        SqlRow row(static_cast<size_t>(sqlite3_column_count(statement)));
        for (size_t column = 0; column < row.size(); ++column) {
            const auto* text = sqlite3_column_text(statement, static_cast<int>(column));
            if (text != nullptr) {
                row[column].assign(
                    reinterpret_cast<const char*>(text),
                    static_cast<size_t>(sqlite3_column_bytes(statement, static_cast<int>(column))));
            }
        }
        result.rows.push_back(std::move(row));
    }
    if (step != SQLITE_DONE) {
        error = sqlite3_errmsg(database.lite);
    }
    result.changed = sqlite3_changes(database.lite);
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    return step == SQLITE_DONE;
}

// `sql` with its '?' numbered as PostgreSQL asks: $1, $2...
std::string NumberedPlaceholders(const std::string& sql) {
    std::string numbered;
    int count = 0;
    for (const char c : sql) {
        numbered += c == '?' ? "$" + std::to_string(++count) : std::string(1, c);
    }
    return numbered;
}

bool PostgresRun(SqlDatabase& database, const std::string& sql, const std::vector<std::string>& params,
                 SqlResult& result, std::string& error) {
    std::vector<const char*> values;
    for (const std::string& param : params) {
        values.push_back(param.c_str());
    }
    PGresult* answer =
        PQexecParams(database.pg, NumberedPlaceholders(sql).c_str(), static_cast<int>(params.size()), nullptr,
                     values.data(), nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(answer);
    const bool done = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
    if (!done) {
        error = PQerrorMessage(database.pg);
        while (!error.empty() && error.back() == '\n') {
            error.pop_back();
        }
    }
    for (int tuple = 0; done && tuple < PQntuples(answer); ++tuple) {
        SqlRow row(static_cast<size_t>(PQnfields(answer)));
        for (size_t field = 0; field < row.size(); ++field) {
            row[field] = PQgetvalue(answer, tuple, static_cast<int>(field));
        }
        result.rows.push_back(std::move(row));
    }
    const char* changed = PQcmdTuples(answer);
    result.changed = changed != nullptr && *changed != '\0' ? std::stoll(changed) : 0;
    PQclear(answer);
    return done;
}

// A connection lost (the server restarted, the network gone) is opened again. A statement outside a
// transaction that found it lost is sent once more: it either had not run or, for the writes that are not
// in a transaction, runs again to the same effect.
bool PostgresExecute(SqlDatabase& database, const std::string& sql, const std::vector<std::string>& params,
                     SqlResult& result, std::string& error) {
    if (PQstatus(database.pg) == CONNECTION_BAD) {
        PQreset(database.pg);
    }
    const bool outside = PQtransactionStatus(database.pg) == PQTRANS_IDLE;
    if (PostgresRun(database, sql, params, result, error)) {
        return true;
    }
    if (!outside || PQstatus(database.pg) != CONNECTION_BAD) {
        return false;
    }
    PQreset(database.pg);
    result = SqlResult();
    return PQstatus(database.pg) == CONNECTION_OK && PostgresRun(database, sql, params, result, error);
}

void IgnoreNotice(void*, const char*) {}

}  // namespace

bool IsDatabaseUrl(const std::string& url) {
    return (StartsWith(url, kSqlitePrefix) && url.size() > sizeof kSqlitePrefix - 1) ||
           StartsWith(url, "postgresql://") || StartsWith(url, "postgres://");
}

bool OpenDatabase(const std::string& url, SqlDatabase& database, std::string& error, bool existing) {
    if (!IsDatabaseUrl(url)) {
        error = "not a database: " + url + " (give sqlite:PATH or postgresql://...)";
        return false;
    }
    if (!StartsWith(url, kSqlitePrefix)) {
        database.kind = SqlKind::Postgres;
        // The texts sent and read are UTF-8, whatever the database's own encoding; a connection opened again
        // keeps that.
        const char* const keywords[] = {"dbname", "client_encoding", nullptr};
        const char* const values[] = {url.c_str(), "UTF8", nullptr};
        database.pg = PQconnectdbParams(keywords, values, 1);
        if (PQstatus(database.pg) != CONNECTION_OK) {
            error = PQerrorMessage(database.pg);
            CloseDatabase(database);
            return false;
        }
        PQsetNoticeProcessor(database.pg, IgnoreNotice, nullptr);
        return true;
    }
    database.kind = SqlKind::Sqlite;
    const std::string path = url.substr(sizeof kSqlitePrefix - 1);
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (existing ? 0 : SQLITE_OPEN_CREATE);
    if (sqlite3_open_v2(path.c_str(), &database.lite, flags, nullptr) != SQLITE_OK) {
        error = path + ": " + (database.lite != nullptr ? sqlite3_errmsg(database.lite) : "cannot be opened");
        CloseDatabase(database);
        return false;
    }
    sqlite3_busy_timeout(database.lite, kSqliteBusyMilliseconds);
    // WAL lets the gate read while a batch of records is written; FULL syncs the log at every commit, so a
    // record is on the disk before the station hears that it is stored.
    SqlResult mode;
    if (!SqliteExecute(database, "PRAGMA journal_mode = WAL", {}, mode, error) ||
        !SqlExecute(database, "PRAGMA synchronous = FULL", {}, error)) {
        error = path + ": " + error;
        CloseDatabase(database);
        return false;
    }
    return true;
}

void CloseDatabase(SqlDatabase& database) {
    for (auto& entry : database.statements) {
        sqlite3_finalize(entry.second);
    }
    database.statements.clear();
    if (database.lite != nullptr) {
        sqlite3_close(database.lite);
        database.lite = nullptr;
    }
    if (database.pg != nullptr) {
        PQfinish(database.pg);
        database.pg = nullptr;
    }
}

bool SqlExecute(SqlDatabase& database, const std::string& sql, const std::vector<std::string>& params,
                SqlResult& result, std::string& error) {
    result = SqlResult();
    return database.kind == SqlKind::Sqlite ? SqliteExecute(database, sql, params, result, error)
                                            : PostgresExecute(database, sql, params, result, error);
}

bool SqlExecute(SqlDatabase& database, const std::string& sql, const std::vector<std::string>& params,
                std::string& error) {
    SqlResult ignored;
    return SqlExecute(database, sql, params, ignored, error);
}

bool SqlBegin(SqlDatabase& database, std::string& error) {
    return SqlExecute(database, database.kind == SqlKind::Sqlite ? "BEGIN IMMEDIATE" : "BEGIN", {}, error);
}

bool SqlEnd(SqlDatabase& database, bool commit, std::string& error) {
    if (commit && SqlExecute(database, "COMMIT", {}, error)) {
        return true;
    }
    std::string rollbackError;
    SqlExecute(database, "ROLLBACK", {}, rollbackError);
    return false;
}
