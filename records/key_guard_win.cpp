// Keeping keys typed at speed from a dialog that has just opened.
#include "records/key_guard_win.h"

#include "base/program.h"
#include "resources/resource_ids.h"

namespace {

constexpr UINT_PTR kGuardTimer = 0x4B47;

HWND guardedDialog = nullptr;
HHOOK keyGuardHook = nullptr;

// The dialog's own message loop shows every message to this hook before handling it: a key for the guarded
// dialog is dropped; mouse messages and everything else go on.
LRESULT CALLBACK DropKeys(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST &&
        (message->hwnd == guardedDialog || IsChild(guardedDialog, message->hwnd) != FALSE)) {
        return 1;
    }
    return CallNextHookEx(keyGuardHook, code, wParam, lParam);
}

void EndGuard() {
    if (guardedDialog == nullptr) {
        return;
    }
    KillTimer(guardedDialog, kGuardTimer);
    DestroyWindow(GetDlgItem(guardedDialog, IDC_GUARD_NOTICE));
    UnhookWindowsHookEx(keyGuardHook);
    keyGuardHook = nullptr;
    guardedDialog = nullptr;
}

}  // namespace

void GuardDialogFromKeys(HWND dialog, const NoticePlace& notice) {
    if (program.dialogGuardMs <= 0) {
        return;
    }
    EndGuard();
    keyGuardHook = SetWindowsHookExA(WH_MSGFILTER, DropKeys, nullptr, GetCurrentThreadId());
    if (keyGuardHook == nullptr) {
        return;
    }
    guardedDialog = dialog;
    RECT place = {notice.left, notice.top, notice.left + notice.width, notice.top + notice.height};
    MapDialogRect(dialog, &place);
    HWND text =
        CreateWindowExA(0, "Static", "请稍候，键盘输入稍后生效…", WS_CHILD | WS_VISIBLE | SS_LEFT, place.left,
                        place.top, place.right - place.left, place.bottom - place.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_GUARD_NOTICE)), nullptr, nullptr);
    SendMessageA(text, WM_SETFONT, SendMessageA(dialog, WM_GETFONT, 0, 0), FALSE);
    SetTimer(dialog, kGuardTimer, static_cast<UINT>(program.dialogGuardMs), nullptr);
}

bool OnKeyGuardMessage(HWND dialog, UINT message, WPARAM wParam) {
    if (dialog != guardedDialog) {
        return false;
    }
    if (message == WM_TIMER && wParam == kGuardTimer) {
        EndGuard();
        return true;
    }
    if (message == WM_DESTROY) {
        EndGuard();
    }
    return false;
}
