// Recording stand-ins for the platform services the core calls, and scratch-folder helpers.
#include "tests/unit/platform_fake.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "base/gbk_posix.h"
#include "engine/engine_shell.h"
#include "records/host_link.h"

FakePlatform fakePlatform;

void ResetFakePlatform() {
    fakePlatform = FakePlatform();
}

void ShowMessage(WindowHandle owner, const std::string& text, const char* caption, uint32_t style) {
    fakePlatform.messages.push_back({owner, text, caption, style});
}

std::vector<std::string> FindLayoutFiles(const std::string&) {
    return fakePlatform.layoutListing;
}

bool ReadSettingText(const std::string&, const char* key, std::string& value) {
    const auto found = fakePlatform.settings.find(key);
    if (found == fakePlatform.settings.end()) {
        return false;
    }
    value = found->second;
    return true;
}

// As the system's functions do, a pair of matching quotes around the whole text is taken away.
bool ReadProfileText(const std::string&, const char* section, const char* key, std::string& value) {
    const auto found = fakePlatform.profile.find(std::string(section) + "/" + key);
    if (found == fakePlatform.profile.end()) {
        return false;
    }
    value = found->second;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    return true;
}

std::string AnsiToUtf8(const std::string& text) {
    return GbkToUtf8(text);
}

std::string ReadComputerName() {
    return "BENCH-7";
}

bool IsLeadByte(uint8_t byte) {
    return fakePlatform.doubleByteCodePage && byte >= 0x81 && byte <= 0xFE;
}

bool FileExists(const std::string& path) {
    return std::filesystem::is_regular_file(path);
}

bool ReadLocalTime(LocalTime& now) {
    now = fakePlatform.clock;
    return fakePlatform.clockReadable;
}

uint32_t ReadEventTime() {
    return fakePlatform.eventTime;
}

int64_t ReadPerformanceCounter() {
    return fakePlatform.counter;
}

bool IsKeyDown(int32_t code) {
    return fakePlatform.keysDown.count(code) != 0;
}

uint32_t ReadEventTimeTick() {
    return fakePlatform.eventTimeTick;
}

void SetControlText(WindowHandle, int32_t controlId, const char* text) {
    fakePlatform.controls[controlId] = text;
    fakePlatform.controlWrites.push_back(controlId);
}

void PostCommand(WindowHandle, int32_t commandId) {
    fakePlatform.postedCommands.push_back(commandId);
}

void PaintKeyNow(WindowHandle, int32_t keyIndex) {
    fakePlatform.paintedKeys.push_back(keyIndex);
}

void StopLedTest() {
    ++fakePlatform.ledStops;
}

bool ConcludeTest(WindowHandle, bool verify) {
    fakePlatform.verdicts.push_back(verify);
    return false;
}

bool KeepKeyboardRecord(const KeyboardRecord& record) {
    fakePlatform.keeping.push_back(std::string(record.passed ? "row PASS" : "row FAIL") + ", host messages " +
                                   std::to_string(fakePlatform.hostBlock[kMessageCount]));
    return fakePlatform.rowKept;
}

bool SpoolLineRecord(const KeyboardRecord& record) {
    fakePlatform.keeping.push_back(std::string(record.passed ? "spool PASS " : "spool FAIL ") +
                                   record.serial);
    return true;
}

RecordsKept CommitRecords(LogLoss loss) {
    fakePlatform.keeping.push_back("commit, loss " + std::to_string(static_cast<int>(loss)));
    return fakePlatform.commitResult;
}

void RunPlanClock(WindowHandle, bool on) {
    fakePlatform.planClock.push_back(on);
}

void ScheduleConclusion(WindowHandle, int32_t delayMs) {
    fakePlatform.scheduledConclusions.push_back(delayMs);
}

int32_t ShowVerdictDialog(VerdictDialog dialog) {
    const size_t shown = fakePlatform.verdictDialogs.size();
    fakePlatform.verdictDialogs.push_back(dialog);
    return shown < fakePlatform.verdictAnswers.size() ? fakePlatform.verdictAnswers[shown] : kDialogNotShown;
}

uint8_t* MapHostBlock(const char* name, size_t length, int32_t& errorCode) {
    fakePlatform.mappedName = name;
    fakePlatform.mappedLength = length;
    errorCode = fakePlatform.mapError;
    return fakePlatform.mapError == 0 ? fakePlatform.hostBlock : nullptr;
}

void SleepMilliseconds(int32_t milliseconds) {
    fakePlatform.sleeps.push_back(milliseconds);
    if (fakePlatform.onSleep) {
        fakePlatform.onSleep();
    }
}

std::string MakeScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "dvq-unit-XXXXXX").string();
    return mkdtemp(&pattern[0]);
}

void RemoveScratchFolder(const std::string& folder) {
    std::filesystem::remove_all(folder);
}

std::string WriteFile(const std::string& folder, const std::string& name, const std::string& content) {
    const std::string path = folder + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    char chunk[4096];
    size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, read);
    }
    std::fclose(file);
    return bytes;
}
