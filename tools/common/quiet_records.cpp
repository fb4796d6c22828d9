// The records' system services for native programs that link the core without a window: there is no host
// block to open and nothing to wait for; no keyboard is concluded, so there is no verdict to keep.
#include "records/host_link.h"
#include "records/verdict_keeping.h"

bool KeepKeyboardRecord(const KeyboardRecord&) {
    return false;
}

bool SpoolLineRecord(const KeyboardRecord&) {
    return false;
}

RecordsKept CommitRecords(LogLoss) {
    return RecordsKept::OnDisk;
}

uint8_t* MapHostBlock(const char*, size_t, int32_t& errorCode) {
    errorCode = kLinkNoBlock;
    return nullptr;
}

void SleepMilliseconds(int32_t) {}
