// The end-to-end driver: plays the operator against the real tester, one case of the table at a time, and
// reports one line per case and a closing count. A case's name plays that case alone, any other text every
// case whose name holds it; --list prints the cases' names, one a line.
// Usage: e2e_driver.exe <path of dorvelquinta.exe> <scratch folder> [case name, or part of case names]
//        e2e_driver.exe --list
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/case_folder.h"
#include "tests/e2e/case_player.h"
#include "tests/e2e/shown_text.h"

namespace {

std::string FullPathOf(const char* path) {
    char full[MAX_PATH] = "";
    const DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full) : std::string(path);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The cases `filter` chooses: the case of that name if there is one, else every case whose name holds it.
std::vector<E2eCase> ChooseCases(const std::string& filter) {
    std::vector<E2eCase> chosen;
    for (const E2eCase& e2eCase : ListCases()) {
        if (e2eCase.name == filter) {
            return {e2eCase};
        }
        if (e2eCase.name.find(filter) != std::string::npos) {
            chosen.push_back(e2eCase);
        }
    }
    return chosen;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const E2eCase& e2eCase : ListCases()) {
            std::printf("%s\n", e2eCase.name.c_str());
        }
        return 0;
    }
    if (argc < 3 || argc > 4) {
        std::fputs(
            "usage: e2e_driver.exe <path of dorvelquinta.exe> <scratch folder> [case, or part of names]\n"
            "       e2e_driver.exe --list\n",
            stderr);
        return 2;
    }
    CaseSetting setting;
    setting.testerPath = FullPathOf(argv[1]);
    setting.scratchFolder = FullPathOf(argv[2]);
    const std::string filter = argc == 4 ? argv[3] : "";
    if (!IsFile(setting.testerPath)) {
        std::fprintf(stderr, "e2e: no tester at %s\n", setting.testerPath.c_str());
        return 2;
    }
    if (!MakeFolder(setting.scratchFolder)) {
        std::fprintf(stderr, "e2e: cannot prepare the scratch folder %s\n", setting.scratchFolder.c_str());
        return 2;
    }

    int passed = 0;
    int failed = 0;
    for (const E2eCase& e2eCase : ChooseCases(filter)) {
        const std::string failure = PlayCase(e2eCase, setting);
        if (failure.empty()) {
            ++passed;
            std::printf("ok %s\n", e2eCase.name.c_str());
        } else {
            ++failed;
            std::printf("FAILED %s: %s\n", e2eCase.name.c_str(), failure.c_str());
        }
        std::fflush(stdout);
    }
    if (passed + failed == 0) {
        std::printf("e2e: no case matches %s\n", QuoteText(filter).c_str());
    }
    std::printf("e2e: %d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
