// filter.dll: a low-level keyboard hook that keeps system keys from the system and posts them to the tester's
// window as the key messages the system would have given it. One hook at a time per process.
#include <windows.h>

#include "base/forwarded_keys.h"
#include "filter/key_filter.h"

static_assert(kKeyExtended == LLKHF_EXTENDED && kKeyInjected == LLKHF_INJECTED && kKeyReleased == LLKHF_UP,
              "event flags differ from the hook's");
static_assert(kKeyDownMessage == WM_KEYDOWN && kKeyUpMessage == WM_KEYUP &&
                  kSysKeyDownMessage == WM_SYSKEYDOWN && kSysKeyUpMessage == WM_SYSKEYUP,
              "key messages differ from the system's");

namespace {

HINSTANCE filterModule = nullptr;
HHOOK installedHook = nullptr;
HWND targetWindow = nullptr;
ForwardedKeys forwardedKeys;  // the event times of the keys posted, for the tester (base/forwarded_keys.h)

bool IsDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// Runs on the thread that installed the hook for every key of the system: it must stay short, or the system
// drops the hook. A forwarded event that cannot be posted goes on to the system instead of being lost.
LRESULT CALLBACK OnKeyboardEvent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        FilteredKey filtered =
            FilterKeyEvent({static_cast<uint32_t>(event->vkCode), static_cast<uint32_t>(event->scanCode),
                            static_cast<uint32_t>(event->flags)},
                           {IsDown(VK_MENU), IsDown(VK_CONTROL)});
        if (filtered.forward &&
            PostMessageA(targetWindow, filtered.message, filtered.wParam, filtered.lParam) != FALSE) {
            NoteForwardedKey(forwardedKeys, filtered.message, filtered.wParam, filtered.lParam,
                             static_cast<uint32_t>(event->time));
            return 1;
        }
    }
    return CallNextHookEx(installedHook, code, wParam, lParam);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        filterModule = instance;
    }
    return TRUE;
}

// Installs the filter for `window`; gives the hook, or null when it cannot be installed. While a filter is
// installed, it gives that hook again and forwards to `window` from then on.
extern "C" HHOOK WINAPI LoadKBFilter(HWND window) {
    if (IsWindow(window) == FALSE) {
        return nullptr;
    }
    if (targetWindow != nullptr && targetWindow != window) {
        RemovePropA(targetWindow, kForwardedKeysProperty);
    }
    targetWindow = window;
    SetPropA(window, kForwardedKeysProperty, &forwardedKeys);
    if (installedHook == nullptr) {
        ResetKeyFilter();
        ForgetForwardedKeys(forwardedKeys);
        installedHook = SetWindowsHookExA(WH_KEYBOARD_LL, OnKeyboardEvent, filterModule, 0);
    }
    return installedHook;
}

// Removes the filter `hook` that LoadKBFilter gave; non-zero when it is removed.
extern "C" int WINAPI UnLoadKBFilter(HHOOK hook) {
    if (hook == nullptr || hook != installedHook || UnhookWindowsHookEx(hook) == FALSE) {
        return 0;
    }
    installedHook = nullptr;
    RemovePropA(targetWindow, kForwardedKeysProperty);
    targetWindow = nullptr;
    return 1;
}
