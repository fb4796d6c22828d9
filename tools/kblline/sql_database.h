// One connection to the line's database, SQLite or PostgreSQL, behind one small interface: statements are
// written once with '?' placeholders and every value is bound as a parameter, never pasted into the text.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
struct pg_conn;

enum class SqlKind { Sqlite, Postgres };

struct SqlDatabase {
    SqlKind kind = SqlKind::Sqlite;
    sqlite3* lite = nullptr;
    pg_conn* pg = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> statements;  // SQLite's prepared statements, by text
};

using SqlRow = std::vector<std::string>;

// What a statement gives back: its rows, every value as text ("" for NULL), and the rows it changed.
struct SqlResult {
    std::vector<SqlRow> rows;
    int64_t changed = 0;
};

// True when `url` names a database kblline can open: "sqlite:PATH" or "postgresql://..." ("postgres://").
bool IsDatabaseUrl(const std::string& url);

// Opens the database `url` names, an SQLite file made when missing unless `existing`; SQLite in WAL with
// every commit synced to the disk. False, with `error` set, when it cannot be opened.
bool OpenDatabase(const std::string& url, SqlDatabase& database, std::string& error, bool existing = false);

void CloseDatabase(SqlDatabase& database);

// Runs `sql` with `params` bound to its '?' in order. False, with `error` set, when it fails; a PostgreSQL
// connection that was lost is opened again first.
bool SqlExecute(SqlDatabase& database, const std::string& sql, const std::vector<std::string>& params,
                SqlResult& result, std::string& error);

// The same for a statement whose rows are not needed.
bool SqlExecute(SqlDatabase& database, const std::string& sql, const std::vector<std::string>& params,
                std::string& error);

// Starts a transaction that writes: SQLite takes its write lock at once, so that it never has to give up
// a transaction half done to another writer.
bool SqlBegin(SqlDatabase& database, std::string& error);

// Commits the transaction, or rolls it back when `commit` is false or the commit fails.
bool SqlEnd(SqlDatabase& database, bool commit, std::string& error);
