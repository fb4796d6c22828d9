// The span of the line's clock that a request for records names with its "from" and "to".
#pragma once

#include <cstdint>
#include <string>

#include "tools/kblline/line_record.h"

struct RecordsRange {
    int64_t fromSeconds = INT64_MIN;  // the local clock in seconds since 1970-01-01 00:00, from this one
    int64_t toSeconds = INT64_MAX;    // to before this one
};

// Reads `from` and `to`, each "" for no limit, a day "2026-12-07" or a moment "2026-12-07T18:43:18" of the
// line's clock. A day as `to` takes that whole day in. False, with `error` naming the parameter, for any
// other text or a span that ends before it starts.
bool ReadRecordsRange(const std::string& from, const std::string& to, RecordsRange& range, FieldError& error);
