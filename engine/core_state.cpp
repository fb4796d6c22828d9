// The one reset of the whole program-wide state.
#include "engine/core_state.h"

#include "base/program.h"
#include "engine/test_state.h"
#include "layouts/layout_catalogue.h"
#include "records/host_link.h"
#include "records/line_link.h"
#include "records/test_log.h"

void ResetCoreState() {
    program = ProgramState();
    FreeLayoutCatalogue();
    testState = TestState();
    testLog = TestLogState();
    hostLink = HostLink();
    lineLink = LineLinkState();
}
