// Reading the settings file.
#include "app/settings.h"

#include "base/paths.h"
#include "base/program.h"
#include "base/text_format.h"
#include "records/line_link.h"

namespace {

constexpr int kLongestRecordPath = 259;

// `key` as a switch, 0 or 1: true for 1; a value that is neither is reported and `fallback` used.
bool ReadSwitch(const std::string& path, const char* key, bool fallback, std::string& problems) {
    std::string value;
    long number = 0;
    if (!ReadSettingText(path, key, value)) {
        return false;
    }
    if (ReadNumberBetween(value, 0, 1, number)) {
        return number == 1;
    }
    problems +=
        FormatText("%s=%s is neither 0 nor 1: %d is used instead.\n", key, value.c_str(), fallback ? 1 : 0);
    return fallback;
}

// The operator's bench: on whenever the file is there; its keys tune it.
void ReadBenchSettings(const std::string& path, std::string& problems) {
    program.benchOn = FileExists(path);
    std::string value;
    long number = 0;
    if (ReadSettingText(path, "DialogGuardMs", value)) {
        if (ReadNumberBetween(value, 0, kMostDialogGuardMs, number)) {
            program.dialogGuardMs = static_cast<int32_t>(number);
        } else {
            program.dialogGuardMs = kUsualDialogGuardMs;
            problems +=
                FormatText("DialogGuardMs=%s is not a whole number from 0 to %d: %d is used instead.\n",
                           value.c_str(), kMostDialogGuardMs, kUsualDialogGuardMs);
        }
    }
    program.requireLedTest = ReadSwitch(path, "RequireLedTest", true, problems);
    program.logAppend = ReadSwitch(path, "LogAppend", true, problems);
    if (ReadSettingText(path, "LogFolder", value)) {
        if (value.size() <= static_cast<size_t>(kLongestRecordPath)) {
            program.logFolder = value;
        } else {
            problems +=
                FormatText("LogFolder is longer than %d characters: the program's folder is used instead.\n",
                           kLongestRecordPath);
        }
    }
}

// The line link: off without LineUrl, whatever else the file says.
void ReadLineSettings(const std::string& path, std::string& problems) {
    std::string value;
    LineAddress address;
    if (!ReadSettingText(path, "LineUrl", value) || value.empty()) {
        return;
    }
    if (!ParseLineUrl(value, address)) {
        problems += FormatText(
            "LineUrl=%s is not an address such as http://192.168.1.20:8080: the line link is off.\n",
            value.c_str());
        return;
    }
    program.lineUrl = value;
    if (!ReadSettingText(path, "LineToken", program.lineToken) || program.lineToken.empty()) {
        problems += "LineToken is missing: the line refuses every request without the station's token.\n";
    }
    if (!ReadSettingText(path, "LineStation", program.lineStation) || program.lineStation.empty()) {
        program.lineStation = ReadComputerName();
    }
    program.lineGate = ReadSwitch(path, "LineGate", true, problems);
    if (ReadSettingText(path, "LineOffline", value) && value != "continue") {
        program.lineStopOffline = value == "stop";
        if (!program.lineStopOffline) {
            problems += FormatText("LineOffline=%s is neither continue nor stop: continue is used instead.\n",
                                   value.c_str());
        }
    }
}

}  // namespace

void ReadSettings(WindowHandle owner, const std::string& path) {
    std::string problems;
    std::string value;
    long number = 0;
    if (ReadSettingText(path, "ChatterMs", value)) {
        if (ReadNumberBetween(value, 1, kLeastChatterMs - 1, number)) {
            program.chatterMs = kLeastChatterMs;
            problems += FormatText(
                "ChatterMs=%s is finer than the system clock's tick, which times key events: %d is used "
                "instead.\n",
                value.c_str(), kLeastChatterMs);
        } else if (ReadNumberBetween(value, 0, kMostChatterMs, number)) {
            program.chatterMs = static_cast<int32_t>(number);
        } else {
            program.chatterMs = kUsualChatterMs;
            problems += FormatText("ChatterMs=%s is not a whole number from 0 to %d: %d is used instead.\n",
                                   value.c_str(), kMostChatterMs, kUsualChatterMs);
        }
    }
    program.recordOn = ReadSwitch(path, "Record", true, problems);
    if (ReadSettingText(path, "RecordPath", value)) {
        // A relative path is taken from the program's folder, as the layouts are, never from the working
        // folder that whatever started the tester left (a host, a shortcut, a file dialog).
        if (!value.empty() && !IsAbsolutePath(value)) {
            value = JoinPath(program.programDirectory, value);
        }
        if (value.size() <= static_cast<size_t>(kLongestRecordPath)) {
            program.recordPath = value;
        } else {
            problems += FormatText("RecordPath is longer than %d characters: the default is used instead.\n",
                                   kLongestRecordPath);
        }
    }
    ReadBenchSettings(path, problems);
    ReadLineSettings(path, problems);
    if (!problems.empty()) {
        ShowMessage(owner, "Settings file\n" + path + "\n\n" + problems, "Dorvelquinta - Settings",
                    kMessageOk | kMessageIconWarning);
    }
}
