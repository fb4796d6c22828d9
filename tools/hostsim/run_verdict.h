// What the stand-in host makes of a plug-in run: the facts gathered from every poll of the block, and the
// verdict with its exit code once the tester has ended.
#pragma once

#include <cstdint>
#include <string>

#include "records/host_link.h"
#include "tools/hostsim/block_snapshot.h"

// The exit codes of the stand-in host.
constexpr int32_t kExitPass = 0;
constexpr int32_t kExitFail = 1;
constexpr int32_t kExitStopped = 2;
constexpr int32_t kExitStartUpFailed = 3;
constexpr int32_t kExitSetUpError = 4;

struct RunWatch {
    bool readySeen = false;
    bool messageSeen = false;
    bool endStateSeen = false;   // state 9 after ready
    std::string messageText;     // the last reported message
    std::string startUpFailure;  // the text of the tester's start-up failure box, when one was seen
};

struct RunVerdict {
    int32_t exitCode = kExitStopped;
    std::string line;  // the final line, "hostsim: ..."
};

// Takes in what one poll of the block shows.
void ObserveBlock(RunWatch& watch, const BlockSnapshot& snapshot);

// The verdict on a run whose tester has ended: start-up failed without ready; pass or fail by the message
// once state 9 was seen; stopped otherwise.
RunVerdict DecideVerdict(const RunWatch& watch);
