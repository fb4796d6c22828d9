// The report's text summary: one figure or one row per line, the counts in columns first and the names,
// which may be Chinese, last.
#include "tools/kblreport/report_text.h"

#include <algorithm>

#include "base/text_format.h"

namespace {

std::string YieldRow(const YieldCount& count, const std::string& name) {
    return FormatText("%8lld %8lld %8lld %7.1f %%  %s\n", static_cast<long long>(count.tested),
                      static_cast<long long>(count.passed), static_cast<long long>(count.Failed()),
                      count.Percent(), ShownName(name).c_str());
}

std::string YieldTable(const char* title, const std::vector<GroupYield>& groups) {
    std::string text = FormatText("\nBy %s:\n  tested   passed   failed    yield\n", title);
    for (const GroupYield& group : groups) {
        text += YieldRow(group.count, group.name);
    }
    return text;
}

std::string ParetoList(const std::vector<ReasonCount>& reasons, int64_t failed) {
    if (reasons.empty()) {
        return std::string();
    }
    std::string text = "\nFail reasons:\n   count    share  cumulative\n";
    int64_t cumulative = 0;
    for (const ReasonCount& reason : reasons) {
        cumulative += reason.count;
        text += FormatText("%8lld %7.1f %% %8.1f %%    %s\n", static_cast<long long>(reason.count),
                           100.0 * static_cast<double>(reason.count) / static_cast<double>(failed),
                           100.0 * static_cast<double>(cumulative) / static_cast<double>(failed),
                           ReasonName(reason).c_str());
    }
    return text;
}

std::string KeyListTitle(KeyCount count) {
    switch (count) {
        case KeyCount::FailedOn:
            return FormatText(
                "\nKeys failed on most often (failed keyboards that left it untested among at most %zu "
                "keys):\n",
                kFewKeysLeft);
        case KeyCount::Chattered:
            return "\nKeys chattering most often (keyboards, shortest gap):\n";
        case KeyCount::Phantom:
            return "\nPhantom keys (keyboards on which the key came while nobody was to touch them):\n";
        case KeyCount::Ghost:
            break;
    }
    return "\nGhost keys (keyboards on which the key came while the rollover step's keys were held):\n";
}

std::string KeyList(const std::vector<KeyTally>& keys, KeyCount count) {
    const std::vector<KeyTally> top = TopKeys(keys, count);
    if (top.empty()) {
        return std::string();
    }
    const bool chatter = count == KeyCount::Chattered;
    std::string text = KeyListTitle(count);
    for (const KeyTally& key : top) {
        text += FormatText("%8lld  %s %s", static_cast<long long>(CountOf(key, count)),
                           key.layoutFile.c_str(), key.label.c_str());
        text += chatter ? FormatText(" (%d ms)\n", key.shortestGapMs) : "\n";
    }
    return text;
}

std::string WrongPairList(const std::vector<WrongPairCount>& pairs) {
    if (pairs.empty()) {
        return std::string();
    }
    std::string text = "\nWrong keys most often (keyboards on which the second key came for the first):\n";
    for (size_t i = 0; i < pairs.size() && i < kListedKeys; ++i) {
        const WrongPairCount& pair = pairs[i];
        text += FormatText("%8lld  %s %s>%s (%s)\n", static_cast<long long>(pair.keyboards),
                           pair.layoutFile.c_str(), pair.expected.c_str(), pair.got.c_str(),
                           BatchesText(pair).c_str());
    }
    if (pairs.size() > kListedKeys) {
        text += FormatText("and %zu more pairs\n", pairs.size() - kListedKeys);
    }
    return text;
}

std::string RolloverList(const std::vector<RolloverCount>& rollovers) {
    if (rollovers.empty()) {
        return std::string();
    }
    std::string text =
        "\nRollover steps (keyboards, those that held fewer keys at once than required):\n"
        "  tested    short  layout, keys required: keys held at once x keyboards\n";
    for (const RolloverCount& rollover : rollovers) {
        text += FormatText("%8lld %8lld  %s, %d: %s\n", static_cast<long long>(rollover.keyboards),
                           static_cast<long long>(rollover.shortOf), rollover.layoutFile.c_str(),
                           rollover.required, ReachedText(rollover).c_str());
    }
    return text;
}

}  // namespace

std::string BatchesText(const WrongPairCount& pair) {
    std::string text = pair.batches.size() == 1 ? "batch " : "batches ";
    for (size_t i = 0; i < pair.batches.size() && i < kNamedBatches; ++i) {
        text += FormatText("%s%s %lld", i == 0 ? "" : ", ", ShownName(pair.batches[i].first).c_str(),
                           static_cast<long long>(pair.batches[i].second));
    }
    if (pair.batches.size() > kNamedBatches) {
        text += FormatText(" and %zu more", pair.batches.size() - kNamedBatches);
    }
    return text;
}

std::string ReachedText(const RolloverCount& rollover) {
    std::string text;
    for (const auto& [held, keyboards] : rollover.reached) {
        text += FormatText("%s%d x%lld", text.empty() ? "" : ", ", held, static_cast<long long>(keyboards));
    }
    return text;
}

const char* GroupingName(Grouping grouping) {
    switch (grouping) {
        case Grouping::Batch:
            return "batch";
        case Grouping::Product:
            return "product";
        case Grouping::Operator:
            return "operator";
        case Grouping::Day:
            return "day";
        case Grouping::None:
            break;
    }
    return "";
}

std::string ShownName(const std::string& name) {
    return name.empty() ? "(none)" : name;
}

std::string ReasonName(const ReasonCount& reason) {
    if (reason.code.empty() || reason.text.empty()) {
        return ShownName(reason.code + reason.text);
    }
    return reason.code + " " + reason.text;
}

std::vector<KeyTally> TopKeys(const std::vector<KeyTally>& keys, KeyCount count) {
    std::vector<KeyTally> top;
    for (const KeyTally& key : keys) {
        if (CountOf(key, count) > 0) {
            top.push_back(key);
        }
    }
    std::stable_sort(top.begin(), top.end(), [&](const KeyTally& a, const KeyTally& b) {
        return CountOf(a, count) > CountOf(b, count);
    });
    top.resize(std::min(top.size(), kListedKeys));
    return top;
}

std::string PrintableText(const std::string& text) {
    std::string printable;
    printable.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        const uint8_t byte = static_cast<uint8_t>(text[at]);
        const bool c1 = byte == 0xC2 && at + 1 < text.size() && static_cast<uint8_t>(text[at + 1]) >= 0x80 &&
                        static_cast<uint8_t>(text[at + 1]) <= 0x9F;
        if ((byte < 0x20 && byte != '\n') || byte == 0x7F || c1) {
            printable += '?';
            at += c1 ? 1 : 0;
        } else {
            printable += text[at];
        }
    }
    return printable;
}

std::string SummaryText(const RecordSet& set, const ReportFigures& figures, Grouping grouping) {
    const YieldCount& total = figures.total;
    std::string text = FormatText("Keyboards: %lld tested, %lld passed, %lld failed, yield %.1f %%\n",
                                  static_cast<long long>(total.tested), static_cast<long long>(total.passed),
                                  static_cast<long long>(total.Failed()), total.Percent());
    text += FormatText("Record files: %zu", set.files.size());
    if (total.tested > 0) {
        text += ", from " + figures.firstTime + " to " + figures.lastTime;
    }
    text += "\n";
    for (const std::string& note : set.notes) {
        text += "Note: " + note + "\n";
    }
    if (figures.timedCount > 0) {
        text += FormatText("Test time: median %.1f s, 95th percentile %.1f s (%lld keyboards timed)\n",
                           figures.medianSeconds, figures.percentile95Seconds,
                           static_cast<long long>(figures.timedCount));
    }
    if (grouping != Grouping::None) {
        text += YieldTable(GroupingName(grouping), figures.groups);
    }
    if (!figures.layouts.empty()) {
        text += YieldTable("layout", figures.layouts);
    }
    text += ParetoList(figures.reasons, total.Failed());
    text += KeyList(figures.keys, KeyCount::FailedOn);
    if (figures.stoppedEarly > 0) {
        text += FormatText(
            "%lld failed keyboards stopped early, with more than %zu keys untested: they name no key\n",
            static_cast<long long>(figures.stoppedEarly), kFewKeysLeft);
    }
    if (figures.failedByPlan > 0) {
        text += FormatText(
            "%lld failed keyboards named a wrong key, a phantom or a ghost: they name no untested key\n",
            static_cast<long long>(figures.failedByPlan));
    }
    text += KeyList(figures.keys, KeyCount::Chattered);
    text += WrongPairList(figures.wrongPairs);
    text += KeyList(figures.keys, KeyCount::Phantom);
    text += KeyList(figures.keys, KeyCount::Ghost);
    text += RolloverList(figures.rollovers);
    text += FormatText("\nBad rows: %zu\n", set.badRows.size());
    for (const BadRow& row : set.badRows) {
        text += FormatText("  %s:%d: %s\n", set.files[row.file].c_str(), row.line, row.problem.c_str());
    }
    return text;
}
