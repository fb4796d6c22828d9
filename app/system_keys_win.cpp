// The system-key filter: a keyboard hook from the hook library on the NT family from version 4.0, the
// screen-saver-running setting on the other family.
#include "app/system_keys_win.h"

#include "base/paths.h"
#include "base/program.h"
#include "resources/resource_ids.h"

namespace {

HHOOK keyHook = nullptr;     // the filter installed by the hook library; null when none
int screenSaverFlagSet = 0;  // the screen-saver-running setting has been used; never cleared

using LoadFilterFunction = HHOOK(WINAPI*)(HWND);
using UnloadFilterFunction = int(WINAPI*)(HHOOK);

constexpr UINT kScreenSaverRunning = 97;  // SPI_SETSCREENSAVERRUNNING

HMODULE filterLibrary = nullptr;

// The hook library is loaded only from the program's own directory, never from the search path.
template <typename Function>
Function FilterFunction(const char* name) {
    if (filterLibrary == nullptr) {
        filterLibrary = LoadLibraryA(JoinPath(program.programDirectory, "filter.dll").c_str());
    }
    FARPROC address = filterLibrary != nullptr ? GetProcAddress(filterLibrary, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

HHOOK LoadKBFilter(HWND window) {
    auto load = FilterFunction<LoadFilterFunction>("LoadKBFilter");
    return load != nullptr ? load(window) : nullptr;
}

void UnLoadKBFilter(HHOOK hook) {
    auto unload = FilterFunction<UnloadFilterFunction>("UnLoadKBFilter");
    if (unload != nullptr) {
        unload(hook);
    }
}

void ResetScreenSaverSetting() {
    SystemParametersInfoA(kScreenSaverRunning, 0, nullptr, 0);
}

}  // namespace

void ReadOperatingSystemVersion() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    program.osPlatformId = version.dwPlatformId;
    program.osMajorVersion = version.dwMajorVersion;
    program.osMinorVersion = version.dwMinorVersion;
}

void ApplySystemKeyFilter(HWND window) {
    if (IsDlgButtonChecked(window, IDC_FILTER_SYSTEM_KEYS) != BST_CHECKED) {
        program.filterOn = 0;
        if (keyHook != nullptr) {
            UnLoadKBFilter(keyHook);
            keyHook = nullptr;
        }
        if (screenSaverFlagSet == 1) {
            ResetScreenSaverSetting();
        }
        return;
    }
    program.filterOn = 1;
    if (program.osPlatformId != kNtFamily) {
        SystemParametersInfoA(kScreenSaverRunning, 1, nullptr, 0);
        screenSaverFlagSet = 1;
        return;
    }
    if (program.osMajorVersion >= 4) {
        if (keyHook == nullptr) {
            keyHook = LoadKBFilter(window);
        }
        if (keyHook != nullptr) {
            return;
        }
    }
    CheckDlgButton(window, IDC_FILTER_SYSTEM_KEYS, BST_UNCHECKED);
    program.filterOn = 0;
    MessageBoxA(
        window,
        "This option is not available on this computer.\nSee help on the data source for more details.\n",
        "Error - Source not available", MB_OK | MB_ICONINFORMATION);
}

void RemoveSystemKeyFilter() {
    if (keyHook != nullptr) {
        UnLoadKBFilter(keyHook);
        keyHook = nullptr;
    }
    if (screenSaverFlagSet == 1) {
        ResetScreenSaverSetting();
    }
}
