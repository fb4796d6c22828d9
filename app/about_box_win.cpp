// The About box: the product's pictures, name and version.
#include "app/about_box_win.h"

#include <cstdio>

#include "base/product.h"
#include "base/program.h"
#include "base/shell_services_win.h"
#include "resources/resource_ids.h"

namespace {

void PaintLogo(HWND dialog) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    HDC memoryDC = CreateCompatibleDC(dc);
    HBITMAP logo = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_ABOUT_LOGO));
    HGDIOBJ previous = SelectObject(memoryDC, logo);
    SetMapMode(memoryDC, GetMapMode(dc));
    RECT area;
    GetWindowRect(GetDlgItem(dialog, IDC_ABOUT_LOGO), &area);
    POINT corner = {area.left, area.top};
    ScreenToClient(dialog, &corner);
    BitBlt(dc, corner.x, corner.y, area.right - area.left, area.bottom - area.top, memoryDC, 0, 0, SRCCOPY);
    SelectObject(memoryDC, previous);
    DeleteDC(memoryDC);
    DeleteObject(logo);
    EndPaint(dialog, &paint);
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            CenterDialog(dialog, static_cast<HWND>(program.mainWindow));
            char versionLine[64];
            std::snprintf(versionLine, sizeof versionLine, "%s %s Build: %s", kProductName, kProductVersion,
                          kProductBuild);
            SetDlgItemTextA(dialog, IDC_ABOUT_VERSION, versionLine);
            return TRUE;
        }
        case WM_PAINT:
            PaintLogo(dialog);
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowAboutBox(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), "AboutBox", owner, AboutBoxProc, 0);
}
