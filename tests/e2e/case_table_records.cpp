#include "tests/e2e/case_tables.h"

std::vector<E2eCase> ListRecordCases() {
    return {};
}
