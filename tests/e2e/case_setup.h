// What a case needs in place before the tester starts, besides its files: the host's shared block and the
// hook library.
#pragma once

#include <string>

#include "tests/e2e/case_player.h"
#include "tests/e2e/e2e_case.h"
#include "tests/e2e/player_session.h"

// Creates the case's block and lays the hook library where the case asks for it. Fills `problem` and returns
// false when it cannot.
bool PrepareCaseSetting(const E2eCase& e2eCase, const CaseSetting& setting, Session& session,
                        std::string& problem);

// Releases the block and takes the hook library out of the current folder.
void ReleaseCaseSetting(const E2eCase& e2eCase, Session& session);
