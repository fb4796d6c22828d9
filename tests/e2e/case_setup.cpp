// Laying out the host's block and the hook library for a case.
#include "tests/e2e/case_setup.h"

#include <windows.h>

#include "tests/e2e/case_folder.h"

namespace {

std::string FilterTarget(const E2eCase& e2eCase, const Session& session) {
    switch (e2eCase.filterPlace) {
        case FilterPlace::BesideTester:
            return JoinPath(session.folder, "filter.dll");
        case FilterPlace::CurrentFolder:
            return JoinPath(session.currentFolder, "filter.dll");
        case FilterPlace::None:
            break;
    }
    return "";
}

}  // namespace

bool PrepareCaseSetting(const E2eCase& e2eCase, const CaseSetting& setting, Session& session,
                        std::string& problem) {
    const std::string filterTarget = FilterTarget(e2eCase, session);
    const std::string filterSource = FileBesideTester(setting.testerPath, "filter.dll");
    if (!filterTarget.empty() && !CopyFileA(filterSource.c_str(), filterTarget.c_str(), FALSE)) {
        problem = "cannot copy " + filterSource + " to " + filterTarget;
        return false;
    }
    const std::string settingsSource = FileBesideTester(setting.testerPath, kShippedSettings);
    const std::string settingsTarget = JoinPath(session.folder, kShippedSettings);
    if (e2eCase.shippedSettings && !CopyFileA(settingsSource.c_str(), settingsTarget.c_str(), FALSE)) {
        problem = "cannot copy " + settingsSource + " to " + settingsTarget;
        return false;
    }
    return e2eCase.hostBlockName.empty() ||
           CreateHostBlock(e2eCase.hostBlockName, e2eCase.hostBlockFill, session.host, problem);
}

void ReleaseCaseSetting(const E2eCase& e2eCase, Session& session) {
    CloseHostBlock(session.host);
    if (e2eCase.filterPlace == FilterPlace::CurrentFolder) {
        DeleteFileA(FilterTarget(e2eCase, session).c_str());
    }
}
