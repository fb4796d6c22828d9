// A PostgreSQL cluster of the tests' own, made in a temporary folder and reached through a socket there:
// the server runs as the user "nobody" when the tests run as root, since PostgreSQL refuses to run as root.
#pragma once

#include <string>

struct TestPostgres {
    std::string folder;  // the cluster's data, its socket and its log; "" until started
    std::string error;   // why it did not start
};

// Makes and starts the cluster. False, with `cluster.error` set, when it cannot.
bool StartTestPostgres(TestPostgres& cluster);

// Makes the empty database `name` in the cluster; false when it cannot.
bool CreateTestDatabase(const TestPostgres& cluster, const std::string& name);

// The address of the database `name` in the cluster, as kblline takes it.
std::string TestPostgresUrl(const TestPostgres& cluster, const std::string& name);

// Stops the cluster and starts it again, which ends every connection to it; false when it cannot.
bool RestartTestPostgres(const TestPostgres& cluster);

// Stops the cluster at once and removes its folder.
void StopTestPostgres(TestPostgres& cluster);
