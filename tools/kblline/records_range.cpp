// The records' span, read with the record file's own time reader: a day or a moment is made a record's
// time at the offset +00:00, which leaves its local clock as it was written.
#include "tools/kblline/records_range.h"

#include "tools/kblreport/record_reading.h"

namespace {

constexpr int64_t kDay = 86400;

bool ReadMoment(const std::string& text, const char* name, bool end, int64_t& seconds, FieldError& error) {
    const bool day = text.size() == 10;
    if (ParseRecordTime(text + (day ? "T00:00:00+00:00" : "+00:00"), seconds)) {
        seconds += day && end ? kDay : 0;
        return true;
    }
    error = {name, "neither a day such as 2026-12-07 nor a moment such as 2026-12-07T18:00:00"};
    return false;
}

}  // namespace

bool ReadRecordsRange(const std::string& from, const std::string& to, RecordsRange& range,
                      FieldError& error) {
    range = RecordsRange();
    if ((!from.empty() && !ReadMoment(from, "from", false, range.fromSeconds, error)) ||
        (!to.empty() && !ReadMoment(to, "to", true, range.toSeconds, error))) {
        return false;
    }
    if (range.toSeconds < range.fromSeconds) {
        error = {"to", "before from"};
        return false;
    }
    return true;
}
