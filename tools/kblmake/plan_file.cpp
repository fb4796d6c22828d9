// Writing a layout's test plan: the required keys in the order an operator reads the picture, named by their
// labels as the layout file holds them.
#include "tools/kblmake/plan_file.h"

#include "layouts/test_plan.h"

const char* const kPlanOrders = "guided or strict";

namespace {

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

}  // namespace

bool IsPlanOrder(const std::string& order) {
    return order == "guided" || order == "strict";
}

bool FormatPlanSequence(const std::vector<std::string>& labels, std::string& value, std::string& error) {
    value.clear();
    for (const std::string& label : labels) {
        if (label.find('"') != std::string::npos) {
            error = "the key \"" + label +
                    "\" holds a double quote in its label, and a plan's Sequence cannot name such a key";
            return false;
        }
        // An empty label is quoted too, so that it still names a key.
        value += (value.empty() ? "" : " ") + (label.empty() ? "\"\"" : PlanLabelText(label));
    }
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()) {
        value = "\"" + value + "\"";
    }
    return true;
}

bool FormatPlanText(const std::vector<KeyEntry>& keys, const std::string& order, std::string& text,
                    size_t& keyCount, std::string& error) {
    std::vector<std::string> labels;
    for (const int32_t index : ReadingOrder(keys)) {
        labels.push_back(keys[static_cast<size_t>(index)].label);
    }
    if (labels.empty()) {
        error = "the layout requires no key, so a plan has nothing to ask for";
        return false;
    }
    keyCount = labels.size();
    std::string sequence;
    if (!FormatPlanSequence(labels, sequence, error)) {
        return false;
    }
    if (sequence.size() > kLongestPlanValue) {
        error = "the plan's Sequence of " + std::to_string(labels.size()) + " keys would be " +
                std::to_string(sequence.size()) + " characters long, and the tester reads at most " +
                std::to_string(kLongestPlanValue) +
                ": shorten the captions with --map, or leave keys out with "
                "--not-required";
        return false;
    }
    text =
        "; The test plan of the layout of the same name, made by kblmake: its required keys in the "
        "reading\r\n"
        "; order of the picture.\r\n"
        "; Repeat, Idle, Rollover and RolloverKeys may be added to [Plan] (see the guide).\r\n"
        "[Plan]\r\n"
        "Order=" +
        order + "\r\nSequence=" + sequence + "\r\n";
    return true;
}
