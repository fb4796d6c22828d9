// kblline run as a program of its own by the API tests and the load benchmark: started on a free port of
// 127.0.0.1, stopped as an operator or a power cut would stop it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct LineProcess {
    pid_t pid = -1;
    int port = 0;
    std::string output;  // what it printed until it listened, or why it did not start
};

// Starts `program` with `arguments` (after "serve ... --listen 127.0.0.1:PORT", PORT 0 for a free one) and
// waits until it listens. False, with `process.output` telling why, when it ended or printed nothing in 10 s.
bool StartLineProcess(const std::string& program, const std::vector<std::string>& arguments,
                      LineProcess& process);

// Sends `signal` (SIGTERM to stop it, SIGKILL to kill it) and waits for it to end; its exit status.
int StopLineProcess(LineProcess& process, int signal);
