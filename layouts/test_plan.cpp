// Reading a layout's test plan from its .plan file.
#include "layouts/test_plan.h"

#include <algorithm>

#include "base/key_codes.h"
#include "base/text_format.h"

namespace {

constexpr const char* kSection = "Plan";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// The labels of `key`: false without the key or with an empty text; `quoteBroken` when they cannot be split.
// The private-profile functions take away the quotes around a text that starts and ends with a quoted label:
// such a text, which splits only with them, gets them back.
bool ReadLabels(const std::string& path, const char* key, std::vector<std::string>& labels,
                bool& quoteBroken) {
    std::string value;
    quoteBroken = false;
    if (!ReadProfileText(path, kSection, key, value) || value.empty()) {
        return false;
    }
    quoteBroken =
        !SplitPlanLabels(value, labels) && (value[0] == '"' || !SplitPlanLabels('"' + value + '"', labels));
    return true;
}

// Whether entry `entry` may stand in the list of `key`.
bool FitsSequence(const KeyEntry& entry) {
    return entry.status == Untested;
}

bool FitsRollover(const KeyEntry& entry) {
    return entry.virtualKey != kCompoundKey && (entry.status == Untested || entry.status == NotRequired);
}

// The entries `labels` name, each mention taking the next entry of its label not yet taken. A label the
// layout lacks, one named more often than the layout has it, and a key that does not fit are reported under
// `key` and left out.
std::vector<int32_t> NamedKeys(const std::vector<KeyEntry>& keys, const std::vector<std::string>& labels,
                               const char* key, bool (*fits)(const KeyEntry&), const char* unfit,
                               std::string& problems) {
    std::vector<int32_t> named;
    for (const std::string& label : labels) {
        bool known = false;
        int32_t found = -1;
        for (size_t i = 0; keys[i].virtualKey != kTerminatorCode && found < 0; ++i) {
            const int32_t index = static_cast<int32_t>(i);
            if (keys[i].label == label && !label.empty()) {
                known = true;
                found = std::find(named.begin(), named.end(), index) == named.end() ? index : -1;
            }
        }
        const std::string text = PlanLabelText(label);
        const char* shown = text.c_str();
        if (!known) {
            problems += FormatText("%s: %s is no key of the layout: it is left out.\n", key, shown);
        } else if (found < 0) {
            problems += FormatText("%s: %s is named twice: its second place is left out.\n", key, shown);
        } else if (!fits(keys[static_cast<size_t>(found)])) {
            problems += FormatText("%s: %s %s: it is left out.\n", key, shown, unfit);
        } else {
            named.push_back(found);
        }
    }
    return named;
}

void ReadOrder(const std::string& path, TestPlan& plan, std::string& problems) {
    std::string value;
    if (!ReadProfileText(path, kSection, "Order", value)) {
        return;
    }
    const std::string order = Lowered(value);
    if (order == "guided") {
        plan.order = PlanOrder::Guided;
    } else if (order == "strict") {
        plan.order = PlanOrder::Strict;
    } else if (order != "free") {
        problems +=
            FormatText("Order=%s is none of free, guided and strict: free is used instead.\n", value.c_str());
    }
}

// `key` as a whole number from `low` to `high` into `number`; else reported, and `number` left as it is.
void ReadCount(const std::string& path, const char* key, long low, long high, int32_t& number,
               std::string& problems) {
    std::string value;
    long read = 0;
    if (!ReadProfileText(path, kSection, key, value)) {
        return;
    }
    if (ReadNumberBetween(value, low, high, read)) {
        number = static_cast<int32_t>(read);
    } else {
        problems += FormatText("%s=%s is not a whole number from %ld to %ld: %d is used instead.\n", key,
                               value.c_str(), low, high, number);
    }
}

void ReadSequence(const std::string& path, const std::vector<KeyEntry>& keys, TestPlan& plan,
                  std::string& problems) {
    plan.sequence = ReadingOrder(keys);
    std::vector<std::string> labels;
    bool quoteBroken = false;
    if (!ReadLabels(path, "Sequence", labels, quoteBroken)) {
        return;
    }
    if (quoteBroken) {
        problems += "Sequence has a quote that does not close a label: the reading order is used instead.\n";
        return;
    }
    std::vector<int32_t> named = NamedKeys(keys, labels, "Sequence", FitsSequence, "needs no test", problems);
    if (named.empty()) {
        problems += "Sequence names no key to test: the reading order is used instead.\n";
        return;
    }
    plan.sequence = std::move(named);
}

void ReadRollover(const std::string& path, const std::vector<KeyEntry>& keys, TestPlan& plan,
                  std::string& problems) {
    std::vector<std::string> labels;
    bool quoteBroken = false;
    std::string count;
    const bool countGiven = ReadProfileText(path, kSection, "Rollover", count);
    if (ReadLabels(path, "RolloverKeys", labels, quoteBroken)) {
        if (quoteBroken) {
            problems += "RolloverKeys has a quote that does not close a label: no rollover step is taken.\n";
            return;
        }
        plan.rolloverKeys = NamedKeys(keys, labels, "RolloverKeys", FitsRollover, "cannot be held", problems);
    }
    const long held = static_cast<long>(plan.rolloverKeys.size());
    long number = 0;
    if (countGiven && ReadNumberBetween(count, 0, 0, number)) {
        plan.rolloverKeys.clear();
    } else if (held < 2) {
        if (countGiven || !labels.empty()) {
            problems += "RolloverKeys names fewer than 2 keys to hold: no rollover step is taken.\n";
        }
        plan.rolloverKeys.clear();
    } else if (!countGiven || ReadNumberBetween(count, 2, held, number)) {
        plan.rolloverCount = static_cast<int32_t>(countGiven ? number : held);
    } else {
        plan.rolloverCount = static_cast<int32_t>(held);
        problems += FormatText(
            "Rollover=%s is neither 0 nor a whole number from 2 to %ld, the keys RolloverKeys names: %ld is "
            "used instead.\n",
            count.c_str(), held, held);
    }
}

}  // namespace

bool SplitPlanLabels(const std::string& text, std::vector<std::string>& labels) {
    labels.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (IsBlank(text[i])) {
            ++i;
            continue;
        }
        size_t end = 0;
        if (text[i] == '"') {
            end = text.find('"', i + 1);
            if (end == std::string::npos || (end + 1 < text.size() && !IsBlank(text[end + 1]))) {
                return false;
            }
            labels.push_back(text.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        end = i;
        while (end < text.size() && !IsBlank(text[end])) {
            if (text[end] == '"') {
                return false;
            }
            ++end;
        }
        labels.push_back(text.substr(i, end - i));
        i = end;
    }
    return true;
}

std::string PlanLabelText(const std::string& label) {
    const bool blank = std::any_of(label.begin(), label.end(), IsBlank);
    return blank ? '"' + label + '"' : label;
}

std::vector<int32_t> ReadingOrder(const std::vector<KeyEntry>& keys) {
    std::vector<int32_t> order;
    for (size_t i = 0; keys[i].virtualKey != kTerminatorCode; ++i) {
        if (keys[i].status == Untested) {
            order.push_back(static_cast<int32_t>(i));
        }
    }
    const auto at = [&keys](int32_t index) -> const KeyEntry& { return keys[static_cast<size_t>(index)]; };
    std::stable_sort(order.begin(), order.end(), [&at](int32_t a, int32_t b) {
        return at(a).top != at(b).top ? at(a).top < at(b).top : at(a).left < at(b).left;
    });
    for (size_t row = 0; row < order.size();) {
        const KeyEntry& first = at(order[row]);
        const int32_t middle = first.top + std::max(first.height / 2, 1);
        size_t end = row;
        while (end < order.size() && at(order[end]).top < middle) {
            ++end;
        }
        std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(row),
                         order.begin() + static_cast<std::ptrdiff_t>(end),
                         [&at](int32_t a, int32_t b) { return at(a).left < at(b).left; });
        row = end;
    }
    return order;
}

void ReadTestPlan(WindowHandle owner, const std::string& planPath, KeyboardLayout& layout) {
    TestPlan& plan = layout.plan;
    plan = TestPlan();
    if (!FileExists(planPath)) {
        return;
    }
    plan.inUse = true;
    std::string problems;
    ReadOrder(planPath, plan, problems);
    ReadSequence(planPath, layout.keys, plan, problems);
    ReadCount(planPath, "Repeat", 1, kMostRepeat, plan.repeat, problems);
    ReadCount(planPath, "Idle", 0, kMostIdleSeconds, plan.idleSeconds, problems);
    ReadRollover(planPath, layout.keys, plan, problems);
    if (!problems.empty()) {
        ShowMessage(owner, "Test plan\n" + planPath + "\n\n" + problems, "Dorvelquinta - Plan",
                    kMessageOk | kMessageIconWarning);
    }
}
