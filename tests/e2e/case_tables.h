// The case tables, one per subject. ListCases plays them in this order.
#pragma once

#include <vector>

#include "tests/e2e/e2e_case.h"

std::vector<E2eCase> ListStartupCases();     // start-up, the catalogue's messages, the window after start
std::vector<E2eCase> ListKeyCases();         // keys and mouse buttons and their readouts
std::vector<E2eCase> ListWindowCases();      // the button row, the picture's overlays, layouts, the ends
std::vector<E2eCase> ListProductionCases();  // the identification dialogs and the verdicts
std::vector<E2eCase> ListRecordCases();      // the log file's modes, names and trace
std::vector<E2eCase> ListChatterCases();     // chatter and the per-keyboard record, with the shipped settings
std::vector<E2eCase> ListLedCases();         // the LED test and the lock keys
std::vector<E2eCase> ListSpeedCases();       // how fast keys reach the tester
std::vector<E2eCase> ListSoakCases();        // a long random run of keys and mouse buttons
std::vector<E2eCase> ListPluginCases();      // plug-in mode with the driver as the host
std::vector<E2eCase> ListSystemKeyCases();   // the system-key filter, the About box and help
std::vector<E2eCase> ListMadeLayoutCases();  // the layouts kblmake makes, in the tester
std::vector<E2eCase> ListBenchCases();       // the operator's bench, with the shipped settings
std::vector<E2eCase> ListLineCases();        // the line link against the real line server
std::vector<E2eCase> ListPlanCases();        // test plans: order, hands-off phase, rollover step

// `e2eCase` run with the settings file that ships beside the tester.
inline E2eCase WithShippedSettings(E2eCase e2eCase) {
    e2eCase.shippedSettings = true;
    return e2eCase;
}
