// The order of the spool, the back-off after a failure and the ids of the records.
#include "records/line_spool.h"

#include <algorithm>
#include <tuple>

#include "base/text_format.h"
#include "records/record_json.h"

namespace {

constexpr size_t kTimeDigits = 17;  // YYYYMMDDhhmmssmmm
constexpr size_t kLongestStationPart = 35;

// The order of an id: its time, then its counter; an id of another form (a file put there by hand) after
// every id of this form, by its name.
struct SpoolOrder {
    std::string time;
    uint64_t counter = 0;
    std::string id;
};

SpoolOrder OrderOf(const std::string& id) {
    SpoolOrder order{"~", 0, id};
    const size_t lastDot = id.rfind('.');
    if (lastDot == std::string::npos || lastDot == 0) {
        return order;
    }
    const size_t timeDot = id.rfind('.', lastDot - 1);
    const std::string time =
        timeDot == std::string::npos ? std::string() : id.substr(timeDot + 1, lastDot - timeDot - 1);
    const std::string counter = id.substr(lastDot + 1);
    const bool formed = time.size() == kTimeDigits && !counter.empty() && counter.size() <= 9 &&
                        time.find_first_not_of("0123456789") == std::string::npos &&
                        counter.find_first_not_of("0123456789") == std::string::npos;
    if (formed) {
        order.time = time;
        order.counter = std::stoull(counter);
    }
    return order;
}

bool Earlier(const std::string& a, const std::string& b) {
    const SpoolOrder first = OrderOf(a);
    const SpoolOrder second = OrderOf(b);
    return std::tie(first.time, first.counter, first.id) < std::tie(second.time, second.counter, second.id);
}

void BackOff(LineSpool& spool, LineReach reach, int64_t nowMs) {
    spool.reach = reach;
    spool.backOffMs =
        spool.backOffMs == 0 ? kFirstBackOffMs : std::min(spool.backOffMs * 2, kLongestBackOffMs);
    spool.nextTryMs = nowMs + spool.backOffMs;
}

void Reached(LineSpool& spool, int64_t nowMs) {
    spool.reach = LineReach::Reached;
    spool.backOffMs = 0;
    spool.nextTryMs = nowMs;
}

bool IsIdCharacter(char c) {
    return IsRecordId(std::string(1, c));
}

// FNV-1a: a short hash that tells apart station names written alike once their odd characters are '_'.
uint32_t NameHash(const std::string& text) {
    uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    }
    return hash;
}

}  // namespace

void LoadSpool(LineSpool& spool, std::vector<std::string> ids) {
    std::sort(ids.begin(), ids.end(), Earlier);
    spool.waiting.insert(spool.waiting.begin(), ids.begin(), ids.end());
}

void AddToSpool(LineSpool& spool, const std::string& id) {
    spool.waiting.push_back(id);
}

LineTask NextLineTask(const LineSpool& spool, int64_t nowMs) {
    LineTask task;
    if (nowMs < spool.nextTryMs) {
        task.waitMs = spool.nextTryMs - nowMs;
    } else if (!spool.waiting.empty()) {
        task.kind = LineTaskKind::Send;
        task.id = spool.waiting.front();
    } else if (spool.reach == LineReach::Unknown || spool.reach == LineReach::Unreachable) {
        // With no record to send, the line's health tells the operator whether it is reached. A refused
        // token shows only in a record's answer: it is not probed for.
        task.kind = LineTaskKind::Probe;
    }
    return task;
}

SendOutcome OnRecordAnswer(LineSpool& spool, int32_t status, int64_t nowMs) {
    if (spool.waiting.empty()) {
        return SendOutcome::Kept;
    }
    switch (status) {
        case 200:
        case 201:
            spool.waiting.erase(spool.waiting.begin());
            Reached(spool, nowMs);
            return SendOutcome::Stored;
        case kUnreadableRecord:
        case 400:
        case 403:
        case 409:
        case 413:
            // Sent again as it is, it would be refused again and hold up every record behind it.
            spool.waiting.erase(spool.waiting.begin());
            ++spool.setAside;
            if (status != kUnreadableRecord) {
                Reached(spool, nowMs);
            }
            return SendOutcome::SetAside;
        case 401:
            BackOff(spool, LineReach::TokenRefused, nowMs);
            return SendOutcome::Kept;
        default:
            BackOff(spool, LineReach::Unreachable, nowMs);
            return SendOutcome::Kept;
    }
}

void OnProbeAnswer(LineSpool& spool, int32_t status, int64_t nowMs) {
    if (status == 200) {
        Reached(spool, nowMs);
    } else {
        BackOff(spool, LineReach::Unreachable, nowMs);
    }
}

void RetryNow(LineSpool& spool, int64_t nowMs) {
    spool.backOffMs = 0;
    spool.nextTryMs = nowMs;
}

std::string MakeRecordId(const std::string& station, const LocalTime& now, int32_t millisecond,
                         uint32_t counter) {
    std::string name;
    for (const char c : station) {
        name += IsIdCharacter(c) ? c : '_';
    }
    if (name != station || name.empty() || name.size() > kLongestStationPart) {
        name = name.substr(0, kLongestStationPart - 9) + FormatText("-%08x", NameHash(station));
    }
    return name + FormatText(".%04d%02d%02d%02d%02d%02d%03d.%u", now.year, now.month, now.day, now.hour,
                             now.minute, now.second, millisecond, counter);
}
