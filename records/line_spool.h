// The station's sender of records to the line: which record of the spool goes next, when, and what an answer
// does to the spool. Records wait in the spool folder, one file each named by the record's id, and are sent
// oldest first, one at a time; a record the line did not take waits for a back-off of 1 s, doubled after each
// failure up to 60 s. The Win32 side does the files and the requests, on a thread of its own, and asks this
// plain state what to do; one spool is used by one thread only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/platform.h"

// Whether the line answered the station's last request.
enum class LineReach : int32_t {
    Unknown,       // nothing asked yet
    Reached,       // the line answered
    Unreachable,   // no answer, or the line's database did not answer (503)
    TokenRefused,  // the line does not know the station's token (401)
};

constexpr int32_t kFirstBackOffMs = 1000;
constexpr int32_t kLongestBackOffMs = 60000;

// The status that stands for a spool file that cannot be read (or no longer exists): it is set aside.
constexpr int32_t kUnreadableRecord = -1;

struct LineSpool {
    std::vector<std::string> waiting;  // the ids of the records in the spool, oldest first
    int64_t nextTryMs = 0;             // no request goes before this time
    int32_t backOffMs = 0;             // the last wait after a failure; 0 once the line took a request
    LineReach reach = LineReach::Unknown;
    int32_t setAside = 0;  // records the line refused as they are (400, 403, 409, 413), since the start
};

// Takes the ids of the records found in the spool folder at start, puts them in the order they were made
// (by the time and counter of each id, see MakeRecordId) and sends them before any made later.
void LoadSpool(LineSpool& spool, std::vector<std::string> ids);

// Adds the id of a record just committed to the spool folder; it goes after every record waiting.
void AddToSpool(LineSpool& spool, const std::string& id);

enum class LineTaskKind {
    Wait,   // nothing to do for `waitMs` (-1: until a record is added or a retry asked for)
    Send,   // send the record `id`, the oldest waiting
    Probe,  // ask the line whether it answers (its health), as no record waits to tell
};

struct LineTask {
    LineTaskKind kind = LineTaskKind::Wait;
    int64_t waitMs = -1;
    std::string id;
};

// What to do at `nowMs` (a steady clock in milliseconds).
LineTask NextLineTask(const LineSpool& spool, int64_t nowMs);

enum class SendOutcome {
    Stored,    // the line has the record (201 stored now, 200 stored before): it leaves the spool
    SetAside,  // the line refuses it as it is, or its file cannot be read: it leaves the spool, kept aside
    Kept,      // it stays first in the spool and is sent again after the back-off
};

// The line's answer `status` (an HTTP status; 0 for none at all) to the sending of the oldest record, at
// `nowMs`.
SendOutcome OnRecordAnswer(LineSpool& spool, int32_t status, int64_t nowMs);

// The line's answer `status` to a probe of its health, at `nowMs`.
void OnProbeAnswer(LineSpool& spool, int32_t status, int64_t nowMs);

// The line was reached by another request (the gate): the back-off ends and the records go at once.
void RetryNow(LineSpool& spool, int64_t nowMs);

// The id of a record made by `station` at the local time `now` and millisecond `millisecond`, the
// `counter`-th of this run of the tester: "STATION.YYYYMMDDhhmmssmmm.COUNTER", unique over the line (a
// station's name is, and no two records of one station share a millisecond and a counter) and a file name
// on every system. Characters an id cannot hold are written '_', and a station name that needed that gets
// a hash of its own to stay apart from others.
std::string MakeRecordId(const std::string& station, const LocalTime& now, int32_t millisecond,
                         uint32_t counter);
