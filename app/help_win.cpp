// The help file beside the executable.
#include "app/help_win.h"

#include "base/paths.h"
#include "base/product.h"
#include "base/program.h"

void ShowHelp(UINT command, ULONG_PTR data, HWND window) {
    const std::string path = JoinPath(program.programDirectory, "dorvelquinta.hlp");
    if (!WinHelpA(window, path.c_str(), command, data)) {
        MessageBoxA(window, "Could not open the Dorvelquinta help file", kHelpErrorCaption, MB_OK);
    }
}
