// Playing one case: laying out its folder, starting the tester there and playing its script.
#pragma once

#include <string>

#include "tests/e2e/e2e_case.h"

struct CaseSetting {
    std::string testerPath;     // the tester to copy into each case folder
    std::string scratchFolder;  // where the case folders are made
};

// Plays `e2eCase`. Returns an empty text when every step held, else what was expected and what was seen.
// The case's folders (its own and the tester's current folder beside it, "<case>.elsewhere") are deleted on
// success and kept for a look on failure; the tester never outlives the call. Cases played at the same time
// by drivers of their own share nothing in the scratch folder.
std::string PlayCase(const E2eCase& e2eCase, const CaseSetting& setting);
