// The tests' PostgreSQL cluster, made and driven with the server's own programs (initdb, pg_ctl). It keeps
// nothing past a test run, so it writes without syncing the disk.
#include "tools/kblline/test_postgres.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tools/kblline/sql_database.h"

namespace {

constexpr char kUser[] = "kblline";
constexpr char kServerUser[] = "nobody";

// The folder of the newest PostgreSQL installed: /usr/lib/postgresql/15/bin.
std::string ProgramsFolder() {
    std::string newest;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", error)) {
        const std::string bin = entry.path().string() + "/bin";
        if (std::filesystem::exists(bin + "/pg_ctl") && (newest.empty() || bin > newest)) {
            newest = bin;
        }
    }
    return newest;
}

// Runs the PostgreSQL program `command` (with its arguments), as kServerUser when this is root.
bool RunAsServerUser(const std::string& command, const std::string& log) {
    const std::string prefix = geteuid() == 0 ? std::string("runuser -u ") + kServerUser + " -- " : "";
    return std::system((prefix + command + " >>" + log + " 2>&1").c_str()) == 0;
}

// Runs pg_ctl's `action` on the cluster, the server listening only on its socket in the cluster's folder.
bool PgCtl(const TestPostgres& cluster, const std::string& action) {
    return RunAsServerUser(ProgramsFolder() + "/pg_ctl -D " + cluster.folder + "/data -l " + cluster.folder +
                               "/server.log -w -m fast -o \"-k " + cluster.folder +
                               " -c listen_addresses='' -c fsync=off -c full_page_writes=off\" " + action,
                           cluster.folder + "/log");
}

}  // namespace

bool StartTestPostgres(TestPostgres& cluster) {
    const std::string programs = ProgramsFolder();
    if (programs.empty()) {
        cluster.error = "no PostgreSQL under /usr/lib/postgresql (scripts/setup.sh installs it)";
        return false;
    }
    char folder[] = "/tmp/kblline-pg-XXXXXX";
    if (mkdtemp(folder) == nullptr) {
        cluster.error = "no temporary folder";
        return false;
    }
    cluster.folder = folder;
    const passwd* user = getpwnam(kServerUser);
    if (geteuid() == 0 && (user == nullptr || chown(folder, user->pw_uid, user->pw_gid) != 0)) {
        cluster.error = std::string("the folder cannot be given to the user ") + kServerUser;
        return false;
    }
    const std::string log = cluster.folder + "/log";
    if (!RunAsServerUser(programs + "/initdb -D " + cluster.folder + "/data -U " + kUser +
                             " -A trust -E UTF8 --locale=C --no-sync",
                         log) ||
        !PgCtl(cluster, "start")) {
        cluster.error = "the cluster did not start: see " + log;
        return false;
    }
    return true;
}

bool CreateTestDatabase(const TestPostgres& cluster, const std::string& name) {
    SqlDatabase database;
    std::string error;
    const bool created = OpenDatabase(TestPostgresUrl(cluster, "postgres"), database, error) &&
                         SqlExecute(database, "CREATE DATABASE " + name, {}, error);
    CloseDatabase(database);
    return created;
}

std::string TestPostgresUrl(const TestPostgres& cluster, const std::string& name) {
    return "postgresql:///" + name + "?host=" + cluster.folder + "&user=" + kUser;
}

bool RestartTestPostgres(const TestPostgres& cluster) {
    return PgCtl(cluster, "restart");
}

void StopTestPostgres(TestPostgres& cluster) {
    if (cluster.folder.empty()) {
        return;
    }
    const std::string programs = ProgramsFolder();
    RunAsServerUser(programs + "/pg_ctl -D " + cluster.folder + "/data -m immediate stop", "/dev/null");
    std::error_code error;
    std::filesystem::remove_all(cluster.folder, error);
    cluster.folder.clear();
}
