// All end-to-end cases, table after table.
#include "tests/e2e/case_tables.h"

std::vector<E2eCase> ListCases() {
    std::vector<E2eCase> cases;
    for (auto* list :
         {ListStartupCases, ListKeyCases, ListWindowCases, ListProductionCases, ListRecordCases,
          ListChatterCases, ListLedCases, ListSpeedCases, ListSoakCases, ListPluginCases, ListSystemKeyCases,
          ListMadeLayoutCases, ListBenchCases, ListLineCases, ListPlanCases}) {
        std::vector<E2eCase> table = list();
        cases.insert(cases.end(), table.begin(), table.end());
    }
    return cases;
}
