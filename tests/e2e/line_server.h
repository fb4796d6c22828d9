// The line server of an end-to-end case: the native kblline of the build's native tree, started and stopped
// by tests/e2e/line_server.sh on 127.0.0.1 with its SQLite database and tokens file in the case folder, and
// asked over HTTP for what it keeps.
#pragma once

#include <string>

#include "tests/e2e/player_session.h"

// The station and token of the cases' testers, and the tokens file that names them.
constexpr const char* kLineStation = "bench-01";
constexpr const char* kLineToken = "e2e-token-6f1c0e7a9d2b4c85";
constexpr const char* kLineTokensFile = "line-tokens.txt";

// A port of 127.0.0.1 that nothing listens on now.
int ChooseLinePort();

// `text` with "{port}" replaced by `port`.
std::string FillPort(std::string text, int port);

// Stops the case's line server if it runs (at the case's end, whatever the steps did).
void StopLineServer(Session& session);

std::string PlayStartLine(Session& session);
std::string PlayStopLine(Session& session);
std::string PlayLineRecords(Session& session, const Step& step);
std::string PlayRestartTester(Session& session);
