// Message boxes of the Windows program.
#include <windows.h>

#include "base/platform.h"

void ShowMessage(WindowHandle owner, const std::string& text, const char* caption, uint32_t style) {
    MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption, style);
}
