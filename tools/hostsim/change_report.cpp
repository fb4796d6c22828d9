// The change lines of the stand-in host.
#include "tools/hostsim/change_report.h"

namespace {

constexpr size_t kStampWidth = 7;

std::string Quoted(const std::string& text) {
    return "\"" + PrintableText(text) + "\"";
}

}  // namespace

std::vector<BlockField> DescribeBlock(const BlockSnapshot& snapshot) {
    std::vector<BlockField> fields = {
        {"runFlag", std::to_string(snapshot.runFlag)},
        {"pluginName", Quoted(snapshot.pluginName)},
        {"pluginState", std::to_string(snapshot.pluginState)},
        {"statusText", Quoted(snapshot.statusText)},
        {"messageCount", std::to_string(snapshot.messageCount)},
        {"messageText", Quoted(snapshot.messageText)},
        {"messageCode", std::to_string(snapshot.messageCode)},
    };
    for (size_t i = 0; i < 3; ++i) {
        const std::string number = std::to_string(i + 1);
        fields.push_back({"counterLabel" + number, Quoted(snapshot.counterLabels[i])});
        fields.push_back({"counterValue" + number, std::to_string(snapshot.counterValues[i])});
    }
    fields.push_back({"ready", std::to_string(snapshot.ready)});
    fields.push_back({"messagePending", std::to_string(snapshot.messagePending)});
    return fields;
}

std::vector<std::string> ReportChanges(const BlockSnapshot& before, const BlockSnapshot& after,
                                       int64_t elapsedMs) {
    const std::vector<BlockField> old = DescribeBlock(before);
    const std::vector<BlockField> now = DescribeBlock(after);
    std::vector<std::string> lines;
    for (size_t i = 0; i < now.size(); ++i) {
        if (now[i].value != old[i].value) {
            lines.push_back(StampLine(elapsedMs, now[i].name + " " + now[i].value));
        }
    }
    return lines;
}

std::string StampLine(int64_t elapsedMs, const std::string& text) {
    std::string stamp = std::to_string(elapsedMs);
    if (stamp.size() < kStampWidth) {
        stamp.insert(0, kStampWidth - stamp.size(), ' ');
    }
    return stamp + " ms  " + text;
}
