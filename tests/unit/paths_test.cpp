// The program folder cut from the executable's path, by characters of the system's code page.
#include "base/paths.h"

#include <gtest/gtest.h>

#include "tests/unit/core_fixture.h"
#include "tests/unit/platform_fake.h"

namespace {

class ProgramFolder : public CoreTest {};

TEST_F(ProgramFolder, IsCutAtTheLastSeparatorCharacter) {
    struct Row {
        const char* path;
        bool doubleByteCodePage;
        const char* folder;
    };
    // 運 is DF 5C in GBK: its second byte is a backslash.
    const Row rows[] = {
        {"C:\\tester\\dorvelquinta.exe", true, "C:\\tester"},
        {"C:\\tester\\\xDF\x5C\xD0\xD0.exe", true, "C:\\tester"},
        {"C:\\\xDF\x5C\xD0\xD0\\dorvelquinta.exe", true, "C:\\\xDF\x5C\xD0\xD0"},
        {"C:\\tester\\\xDF\x5C\xD0\xD0.exe", false, "C:\\tester\\\xDF"},
        {"dorvelquinta.exe", true, ""},
        {"C:\\tester\\\xDF", true, "C:\\tester"},
    };
    for (const Row& row : rows) {
        ResetFakePlatform();
        fakePlatform.doubleByteCodePage = row.doubleByteCodePage;
        EXPECT_EQ(DirectoryOf(row.path, '\\'), row.folder) << row.path;
    }
}

}  // namespace
