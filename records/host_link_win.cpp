// The host's shared block opened as a named file mapping, and the waits of the link.
#include <windows.h>

#include "base/platform.h"

uint8_t* MapHostBlock(const char* name, size_t length, int32_t& errorCode) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name);
    if (mapping == nullptr) {
        errorCode = 2;
        return nullptr;
    }
    // Mapping the block's own length makes a host block too small for it fail here instead of at the first
    // store.
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, length);
    if (view == nullptr) {
        CloseHandle(mapping);
        errorCode = 3;
        return nullptr;
    }
    return static_cast<uint8_t*>(view);
}

void SleepMilliseconds(int32_t milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}
