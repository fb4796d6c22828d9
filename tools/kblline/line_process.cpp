// Starting kblline with its standard output in a pipe and reading the line that names its port.
#include "tools/kblline/line_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

namespace {

constexpr int kStartMilliseconds = 10000;

}  // namespace

bool StartLineProcess(const std::string& program, const std::vector<std::string>& arguments,
                      LineProcess& process) {
    process = LineProcess();
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        process.output = "no pipe";
        return false;
    }
    std::vector<char*> argv = {const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    const int spawned = posix_spawn(&process.pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        process.output = program + " cannot be started";
        return false;
    }
    // "kblline: listening on 127.0.0.1:PORT, ..." is its first line.
    pollfd readable = {pipeEnds[0], POLLIN, 0};
    char c = 0;
    while (process.output.find('\n') == std::string::npos && poll(&readable, 1, kStartMilliseconds) == 1 &&
           read(pipeEnds[0], &c, 1) == 1) {
        process.output += c;
    }
    close(pipeEnds[0]);
    const std::string marker = "listening on 127.0.0.1:";
    const size_t at = process.output.find(marker);
    if (at == std::string::npos) {
        StopLineProcess(process, SIGKILL);
        return false;
    }
    process.port = std::atoi(process.output.c_str() + at + marker.size());
    return true;
}

int StopLineProcess(LineProcess& process, int signal) {
    if (process.pid <= 0) {
        return -1;
    }
    kill(process.pid, signal);
    int status = 0;
    waitpid(process.pid, &status, 0);
    process.pid = -1;
    return status;
}
