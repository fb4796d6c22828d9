// The verdict of the stand-in host on a plug-in run.
#include "tools/hostsim/run_verdict.h"

void ObserveBlock(RunWatch& watch, const BlockSnapshot& snapshot) {
    if (snapshot.ready != 0) {
        watch.readySeen = true;
    }
    if (!watch.readySeen) {
        return;
    }
    if (snapshot.messageCount != 0 || snapshot.messagePending != 0) {
        watch.messageSeen = true;
        watch.messageText = snapshot.messageText;
    }
    if (snapshot.pluginState == kTestEndedState) {
        watch.endStateSeen = true;
    }
}

RunVerdict DecideVerdict(const RunWatch& watch) {
    if (!watch.readySeen) {
        std::string line = "hostsim: start-up failed";
        if (!watch.startUpFailure.empty()) {
            line += ": " + PrintableText(watch.startUpFailure);
        }
        return {kExitStartUpFailed, line};
    }
    if (!watch.endStateSeen) {
        return {kExitStopped, "hostsim: stopped"};
    }
    if (watch.messageSeen) {
        return {kExitFail, "hostsim: fail: " + PrintableText(watch.messageText)};
    }
    return {kExitPass, "hostsim: pass"};
}
