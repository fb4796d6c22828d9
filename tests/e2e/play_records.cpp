// Playing the steps on what outlives a window: the files in the case folder, the lock keys' toggles (read
// with GetKeyState, as any program sees them) and the tester's process itself.
#include "tests/e2e/case_folder.h"
#include "tests/e2e/input_sender.h"
#include "tests/e2e/log_compare.h"
#include "tests/e2e/shown_text.h"
#include "tests/e2e/step_players.h"

namespace {

constexpr DWORD kLockTimeoutMs = 5000;
constexpr DWORD kSteadyMs = 1100;  // longer than two ticks of the LED test
constexpr DWORD kEndTimeoutMs = 5000;

struct LockKey {
    int virtualKey;
    const char* name;
    KeyStroke stroke;
};

const LockKey kLockKeys[] = {
    {VK_CAPITAL, "Caps Lock", {VK_CAPITAL, 0x3A, false, ""}},
    {VK_NUMLOCK, "Num Lock", {VK_NUMLOCK, 0x45, true, ""}},
    {VK_SCROLL, "Scroll Lock", {VK_SCROLL, 0x46, false, ""}},
};

bool IsLockOn(int virtualKey) {
    return (GetKeyState(virtualKey) & 1) != 0;
}

// The toggles of the three lock keys as bits 0 (Caps), 1 (Num) and 2 (Scroll).
long ReadLocks() {
    long bits = 0;
    for (int i = 0; i < 3; ++i) {
        bits |= IsLockOn(kLockKeys[i].virtualKey) ? 1L << i : 0;
    }
    return bits;
}

std::string DescribeLocks(long bits) {
    std::string described;
    for (int i = 0; i < 3; ++i) {
        described += std::string(described.empty() ? "" : ", ") + kLockKeys[i].name +
                     ((bits >> i & 1) != 0 ? " on" : " off");
    }
    return described;
}

// Presses the lock key, as an operator would, when its toggle is not yet as wanted.
std::string SwitchLock(Session& session, const LockKey& lock, bool on) {
    if (IsLockOn(lock.virtualKey) != on) {
        SendKey(lock.stroke, false);
        SendKey(lock.stroke, true);
    }
    return PollUntil(
               session, [&] { return IsLockOn(lock.virtualKey) == on; }, kLockTimeoutMs)
               ? ""
               : std::string("expected ") + lock.name + (on ? " on" : " off") +
                     " after pressing it; it is not";
}

}  // namespace

std::string PlayLogFile(Session& session, const Step& step) {
    const std::string path = JoinPath(session.folder, step.text);
    bool found = false;
    std::string difference;
    PollUntil(session, [&] {
        difference = CompareLog(ReadFileBytes(path, found), step.names);
        return found && difference.empty();
    });
    if (!found) {
        return "expected the file " + QuoteText(step.text) + "; there is none";
    }
    return difference.empty() ? "" : "in " + QuoteText(step.text) + ", " + difference;
}

// The lines that are `step.caption`, or with ExpectLogPrefixes the lines that begin with it.
std::string PlayLogLineCount(Session& session, const Step& step) {
    const std::string path = JoinPath(session.folder, step.text);
    const bool beginnings = step.kind == StepKind::ExpectLogPrefixes;
    bool found = false;
    int count = 0;
    PollUntil(session, [&] {
        const std::string bytes = ReadFileBytes(path, found);
        count = beginnings ? CountLogPrefixes(bytes, step.caption) : CountLogLines(bytes, step.caption);
        return count == step.number;
    });
    return count == step.number ? ""
                                : "expected " + std::to_string(step.number) + " lines " +
                                      (beginnings ? "beginning with " : "") + QuoteText(step.caption) +
                                      " in " + QuoteText(step.text) + "; saw " + std::to_string(count);
}

std::string PlayNoFile(const Session& session, const Step& step) {
    const DWORD attributes = GetFileAttributesA(JoinPath(session.folder, step.text).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? ""
                                                 : "expected no file " + QuoteText(step.text) + "; it exists";
}

std::string PlayKill(Session& session) {
    TerminateProcess(session.target.handle, 1);
    return WaitForSingleObject(session.target.handle, kEndTimeoutMs) == WAIT_OBJECT_0
               ? ""
               : "expected the tester's process to end when killed; it goes on";
}

std::string PlaySetLock(Session& session, const Step& step) {
    for (const LockKey& lock : kLockKeys) {
        if (lock.virtualKey == step.control) {
            return SwitchLock(session, lock, step.number != 0);
        }
    }
    return "the key " + std::to_string(step.control) + " is no lock key";
}

std::string PlayLedBlinking(Session& session) {
    bool last = IsLockOn(VK_CAPITAL);
    int changes = 0;
    const bool blinking = PollUntil(
        session,
        [&] {
            const bool now = IsLockOn(VK_CAPITAL);
            changes += now != last ? 1 : 0;
            last = now;
            return changes >= 2;
        },
        kLockTimeoutMs);
    return blinking ? ""
                    : "expected Caps Lock to blink; it changed " + std::to_string(changes) + " times in 5 s";
}

std::string PlayLocks(Session& session, const Step& step) {
    long seen = ReadLocks();
    if (!PollUntil(
            session, [&] { return (seen = ReadLocks()) == step.number; }, kLockTimeoutMs)) {
        return "expected " + DescribeLocks(step.number) + "; saw " + DescribeLocks(seen);
    }
    const bool changed = PollUntil(
        session, [&] { return (seen = ReadLocks()) != step.number; }, kSteadyMs);
    return changed ? "expected " + DescribeLocks(step.number) + " to stay; it became " + DescribeLocks(seen)
                   : "";
}

bool SwitchLocksOff(Session& session, std::string& failure) {
    for (const LockKey& lock : kLockKeys) {
        failure = SwitchLock(session, lock, false);
        if (!failure.empty()) {
            return false;
        }
    }
    return true;
}
