// The host's shared block opened as a named file mapping, and the waits of the link.
#include <windows.h>

#include "base/program.h"
#include "records/host_link.h"

uint8_t* MapHostBlock(const char* name, size_t length, int32_t& errorCode) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
    if (mapping == nullptr) {
        errorCode = kLinkNoBlock;
        return nullptr;
    }
    // Mapping the block's own length makes a host block too small for it fail here instead of at the first
    // store.
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, length);
    if (view == nullptr) {
        CloseHandle(mapping);
        errorCode = kLinkNotMapped;
        return nullptr;
    }
    return static_cast<uint8_t*>(view);
}

// The window is painted first, so that texts written just before the wait (a reset's readouts) show during
// it. The wait then keeps the thread's hooks and sent messages serviced: the system-key filter's low-level
// hook runs on this thread, and a hook left unanswered would stall every keystroke of the system and could be
// removed by it. Messages posted to the tester (its keys, clicks and timers) stay queued until the wait ends.
void SleepMilliseconds(int32_t milliseconds) {
    if (program.mainWindow != nullptr) {
        RedrawWindow(static_cast<HWND>(program.mainWindow), nullptr, nullptr,
                     RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    const DWORD start = GetTickCount();
    const DWORD wait = static_cast<DWORD>(milliseconds);
    for (DWORD elapsed = 0; elapsed < wait; elapsed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait - elapsed, QS_SENDMESSAGE);
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}
