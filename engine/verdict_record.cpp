// The record of the keyboard just concluded.
#include "engine/verdict_record.h"

#include "base/key_codes.h"
#include "base/paths.h"
#include "base/platform.h"
#include "base/program.h"
#include "base/text_format.h"
#include "engine/plan_run.h"
#include "engine/test_state.h"
#include "engine/verdict.h"
#include "layouts/layout_catalogue.h"
#include "records/test_log.h"

namespace {

// ISO 8601 with the UTC offset: 2026-12-07T18:43:18+08:00.
std::string IsoTime(const LocalTime& now) {
    const int32_t offset = now.utcOffsetMinutes < 0 ? -now.utcOffsetMinutes : now.utcOffsetMinutes;
    return FormatText("%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", now.year, now.month, now.day, now.hour,
                      now.minute, now.second, now.utcOffsetMinutes < 0 ? '-' : '+', offset / 60, offset % 60);
}

void AppendListed(std::string& list, const std::string& item) {
    list += (list.empty() ? "" : ";") + item;
}

// The key counts and lists of the record, from the current keys' statuses.
void RecordKeys(KeyboardRecord& record) {
    const std::vector<KeyEntry>& keys = *catalogue.currentKeys;
    for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
        const KeyEntry& entry = keys[i];
        const KeyState& state = StateOf(i);
        const bool required = state.status == Untested || state.status == Pressed || state.status == Passed;
        record.requiredKeys += required ? 1 : 0;
        record.testedKeys += state.status == Passed || state.status == NotRequiredReleased ? 1 : 0;
        if (entry.label.empty()) {
            continue;  // a key without a caption cannot be named in a list
        }
        if (state.status == Untested || state.status == Pressed) {
            AppendListed(record.untestedKeys, KeyListItem(entry.label));
        }
        if (state.chatterGapMs >= 0) {
            AppendListed(record.chatterKeys,
                         KeyListItem(entry.label) + ":" + std::to_string(state.chatterGapMs));
        }
    }
}

}  // namespace

std::string KeyListItem(const std::string& label) {
    std::string item;
    for (const char c : label) {
        if (c == '%' || c == ';' || c == ':') {
            item += FormatText("%%%02X", static_cast<unsigned>(c));
        } else {
            item += c;
        }
    }
    return item;
}

std::string KeyPairItem(const std::string& expected, const std::string& got) {
    const auto item = [](const std::string& label) {
        std::string text;
        for (const char c : KeyListItem(label)) {
            text += c == '>' ? std::string("%3E") : std::string(1, c);
        }
        return text;
    };
    return item(expected) + ">" + item(got);
}

KeyboardRecord RecordOfVerdict(bool passed) {
    KeyboardRecord record;
    LocalTime now;
    if (ReadLocalTime(now)) {
        record.time = IsoTime(now);
    }
    record.computer = ReadComputerName();
    const RunIdentity& identity = testLog.identity;
    record.operatorId = identity.operatorId;
    record.productId = identity.productId;
    record.batchId = identity.batchId;
    record.serial = identity.serial;
    record.version = identity.version;
    record.layoutFile = catalogue.layouts[static_cast<size_t>(catalogue.currentLayout)].name + ".kbl";
    record.passed = passed;
    if (!passed && testState.failReason >= 0) {
        record.reason = FailReasonText(testState.failReason);
        record.reasonCode = FailReasonCode(testState.failReason);
    }
    if (testState.firstPressTime != 0) {
        const int64_t elapsedMs = (ReadPerformanceCounter() - testState.firstPressTime) / program.ticksPerMs;
        record.testSeconds = FormatText("%.1f", static_cast<double>(elapsedMs) / 1000.0);
    }
    RecordKeys(record);
    record.mostKeysHeld = testState.mostKeysHeld;
    record.wrongKeys = testState.wrongKeys;
    record.phantomKeys = testState.phantomKeys;
    record.ghostKeys = testState.ghostKeys;
    const TestPlan* plan = ActivePlan();
    record.withPlan = plan != nullptr;
    record.rolloverRequired = plan != nullptr ? plan->rolloverCount : 0;
    record.rolloverReached = record.rolloverRequired > 0 ? testState.rolloverReached : 0;
    return record;
}
