// The settings file: what each key switches on, and the values that cannot be read.
#include "app/settings.h"

#include <gtest/gtest.h>

#include "base/paths.h"
#include "base/program.h"
#include "engine/core_state.h"
#include "tests/unit/core_fixture.h"
#include "tests/unit/platform_fake.h"

namespace {

class Settings : public CoreTest {
  protected:
    // Reads the settings file holding `file` into a program just started; true when what the operator was
    // told is `report` after the file's name, or nothing for an empty `report`.
    ::testing::AssertionResult ReadReporting(const std::map<std::string, std::string>& file,
                                             const std::string& report) {
        ResetCoreState();
        ResetFakePlatform();
        fakePlatform.settings = file;
        ReadSettings(nullptr, "C:\\t\\dorvelquinta.ini");
        const std::string told = fakePlatform.messages.empty() ? "" : fakePlatform.messages[0].text;
        const std::string expected =
            report.empty() ? "" : "Settings file\nC:\\t\\dorvelquinta.ini\n\n" + report;
        if (told == expected && fakePlatform.messages.size() <= 1) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure() << "told " << fakePlatform.messages.size() << " times: " << told;
    }
};

TEST_F(Settings, ReadOrReplacedAndReportedOnce) {
    struct Row {
        std::map<std::string, std::string> file;
        int32_t chatterMs;
        bool recordOn;
        std::string recordPath;
        std::string report;  // the message box's text after the file's name; empty for none
    };
    const std::string longPath(260, 'x');
    const Row rows[] = {
        {{}, 0, false, "", ""},
        {{{"ChatterMs", "20"}, {"Record", "1"}, {"RecordPath", "D:\\rec.csv"}}, 20, true, "D:\\rec.csv", ""},
        {{{"ChatterMs", "0"}, {"Record", "0"}}, 0, false, "", ""},
        {{{"ChatterMs", "1000 "}}, 1000, false, "", ""},
        {{{"ChatterMs", "abc"}},
         20,
         false,
         "",
         "ChatterMs=abc is not a whole number from 0 to 1000: 20 is used instead.\n"},
        {{{"ChatterMs", "-5"}, {"Record", "yes"}},
         20,
         true,
         "",
         "ChatterMs=-5 is not a whole number from 0 to 1000: 20 is used instead.\n"
         "Record=yes is neither 0 nor 1: 1 is used instead.\n"},
        {{{"ChatterMs", "1001"}, {"Record", ""}},
         20,
         true,
         "",
         "ChatterMs=1001 is not a whole number from 0 to 1000: 20 is used instead.\n"
         "Record= is neither 0 nor 1: 1 is used instead.\n"},
        {{{"ChatterMs", "5"}},
         16,
         false,
         "",
         "ChatterMs=5 is finer than the system clock's tick, which times key events: 16 is used instead.\n"},
        {{{"ChatterMs", "16"}, {"RecordPath", "rec.csv"}}, 16, false, JoinPath("C:\\t", "rec.csv"), ""},
        {{{"RecordPath", "\\\\share\\rec.csv"}}, 0, false, "\\\\share\\rec.csv", ""},
        {{{"RecordPath", longPath}},
         0,
         false,
         "",
         "RecordPath is longer than 259 characters: the default is used instead.\n"},
    };
    for (const Row& row : rows) {
        ResetCoreState();
        ResetFakePlatform();
        program.programDirectory = "C:\\t";
        fakePlatform.settings = row.file;
        ReadSettings(nullptr, "C:\\t\\dorvelquinta.ini");
        EXPECT_EQ(program.chatterMs, row.chatterMs);
        EXPECT_EQ(program.recordOn, row.recordOn);
        EXPECT_EQ(program.recordPath, row.recordPath);
        if (row.report.empty()) {
            EXPECT_TRUE(fakePlatform.messages.empty());
        } else {
            ASSERT_EQ(fakePlatform.messages.size(), 1u);
            EXPECT_EQ(fakePlatform.messages[0].text,
                      "Settings file\nC:\\t\\dorvelquinta.ini\n\n" + row.report);
            EXPECT_EQ(fakePlatform.messages[0].caption, "Dorvelquinta - Settings");
        }
    }
}

// The bench's keys: each read, or replaced by the safer value and reported.
TEST_F(Settings, TheBenchsKeys) {
    struct Row {
        std::map<std::string, std::string> file;
        int32_t dialogGuardMs;
        bool requireLedTest;
        bool logAppend;
        std::string logFolder;
        std::string report;
    };
    const Row rows[] = {
        {{}, 0, false, false, "", ""},
        {{{"DialogGuardMs", "700"}, {"RequireLedTest", "1"}, {"LogAppend", "1"}, {"LogFolder", "D:\\Logs"}},
         700,
         true,
         true,
         "D:\\Logs",
         ""},
        {{{"DialogGuardMs", "9999"}, {"RequireLedTest", "yes"}, {"LogAppend", "2"}},
         700,
         true,
         true,
         "",
         "DialogGuardMs=9999 is not a whole number from 0 to 5000: 700 is used instead.\n"
         "RequireLedTest=yes is neither 0 nor 1: 1 is used instead.\n"
         "LogAppend=2 is neither 0 nor 1: 1 is used instead.\n"},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(ReadReporting(row.file, row.report));
        EXPECT_EQ(program.dialogGuardMs, row.dialogGuardMs);
        EXPECT_EQ(program.requireLedTest, row.requireLedTest);
        EXPECT_EQ(program.logAppend, row.logAppend);
        EXPECT_EQ(program.logFolder, row.logFolder);
    }
}

// The line link: nothing without a good LineUrl; with one, the station's name defaults to the computer's,
// and a missing token or an unknown offline rule is reported.
TEST_F(Settings, TheLinesKeys) {
    struct Row {
        std::map<std::string, std::string> file;
        std::string lineUrl;
        std::string station;
        bool gate;
        bool stopOffline;
        std::string report;
    };
    const std::string token = "6f1c0e7a9d2b4c85a3e1f0d97b6c2a14";
    const Row rows[] = {
        {{{"LineToken", token}, {"LineGate", "1"}, {"LineOffline", "stop"}}, "", "", false, false, ""},
        {{{"LineUrl", "http://10.0.0.5:8080"}, {"LineToken", token}},
         "http://10.0.0.5:8080",
         "BENCH-7",
         false,
         false,
         ""},
        {{{"LineUrl", "http://line/"},
          {"LineToken", token},
          {"LineStation", "bench-01"},
          {"LineGate", "1"},
          {"LineOffline", "stop"}},
         "http://line/",
         "bench-01",
         true,
         true,
         ""},
        {{{"LineUrl", "line:8080"}, {"LineGate", "1"}},
         "",
         "",
         false,
         false,
         "LineUrl=line:8080 is not an address such as http://192.168.1.20:8080: the line link is off.\n"},
        {{{"LineUrl", "http://line:8080"}, {"LineGate", "yes"}, {"LineOffline", "wait"}},
         "http://line:8080",
         "BENCH-7",
         true,
         false,
         "LineToken is missing: the line refuses every request without the station's token.\n"
         "LineGate=yes is neither 0 nor 1: 1 is used instead.\n"
         "LineOffline=wait is neither continue nor stop: continue is used instead.\n"},
    };
    for (const Row& row : rows) {
        EXPECT_TRUE(ReadReporting(row.file, row.report));
        EXPECT_EQ(program.lineUrl, row.lineUrl);
        EXPECT_EQ(program.lineStation, row.station);
        EXPECT_EQ(program.lineGate, row.gate);
        EXPECT_EQ(program.lineStopOffline, row.stopOffline);
    }
}

}  // namespace
