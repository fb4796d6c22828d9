// The line database's schema, made and brought up to date by the server itself: a table schema_version
// holds the version, and each step from it to the newest runs in one transaction.
#pragma once

#include <string>

#include "tools/kblline/sql_database.h"

// The newest version of the schema this program knows.
constexpr int kSchemaVersion = 2;

// Makes the schema in an empty database or brings an older one up to version `newest` (an older version
// only to make the database of an earlier kblline, as the tests do). False, with `error` set, when that
// fails or the database is newer than that.
bool MigrateSchema(SqlDatabase& database, std::string& error, int newest = kSchemaVersion);
