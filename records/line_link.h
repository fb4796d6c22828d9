// The tester's link to the line server, as the window sees it: the address of LineUrl, the serial gate's
// request and what its answer means for the next keyboard, whether the line is reached and how many records
// wait, and the operator told once of each outage. Sending the records is the spool's (records/line_spool.h).
#pragma once

#include <cstdint>
#include <string>

#include "records/line_spool.h"
#include "records/record_json.h"

// Where the line server answers, as LineUrl gives it: http://HOST[:PORT][/PATH] (or https://).
struct LineAddress {
    bool secure = false;
    std::string host;
    int32_t port = 80;
    std::string basePath;  // before /v1/...; empty or starting with '/', without a '/' at its end
};

// Reads `url` as a line address; false when it is none.
bool ParseLineUrl(const std::string& url, LineAddress& address);

// The line's state as the window shows it: the sender's last word, and whether this outage was told.
struct LineLinkState {
    LineReach reach = LineReach::Unknown;
    int32_t waiting = 0;   // records in the spool, not yet taken by the line
    int32_t setAside = 0;  // records the line refused as they are, since the start
    bool outageTold = false;
};

extern LineLinkState lineLink;

// True when the settings name a line server (LineUrl): without one nothing of the link is done or shown.
bool LineLinkOn();

// Takes the sender's state: the records waiting and set aside, and with `answered` (the sender just had the
// line's answer, or none) whether the line is reached. The line reached ends an outage, so that the next one
// is told again; a report without an answer leaves the reach as the window last learnt it (from the gate).
void NoteLineState(LineReach reach, bool answered, int32_t waiting, int32_t setAside);

// The unit about to be tested: the run's identifiers, the serial and version just typed, the layout
// under test and the station, in UTF-8.
UnitStart UnitToTest(const std::string& serial, const std::string& version);

enum class GateVerdict {
    Allowed,  // the line allows the serial to be tested here
    Refused,  // it does not, for `reason`
    NoAnswer  // no answer, or one that is no gate's answer: the line is not reached
};

struct GateAnswer {
    GateVerdict verdict = GateVerdict::NoAnswer;
    std::string reason;  // why it was refused, or what went wrong, in UTF-8
    LineReach reach = LineReach::Unreachable;
};

// The gate's answer to POST /v1/units/start: `status` the HTTP status (0 for none), `body` its body.
GateAnswer ReadGateAnswer(int32_t status, const std::string& body);

// What the Serial dialog does with the gate's answer.
struct GateOutcome {
    bool test = false;        // the keyboard may be tested
    bool tellOutage = false;  // the operator is told that the line is not reached (once per outage)
};

// Weighs `answer` with LineOffline (`stopOffline`: no keyboard is tested while the line is not reached),
// and notes whether the line was reached.
GateOutcome WeighGateAnswer(const GateAnswer& answer, bool stopOffline);

// The line's state as the bench panel shows it, in the ANSI code page: reached or not, and the records
// waiting and refused.
std::string LineStateText();
