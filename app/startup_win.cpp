// The program's entry point: start-up in the fixed order, then the message loop.
#include <windows.h>

#include <cstdlib>

#include "app/command_line.h"
#include "app/main_window_win.h"
#include "app/program.h"
#include "layouts/layout_catalogue.h"

namespace {

constexpr DWORD kProgramPathCapacity = 400;

int64_t QueryTicksPerMs() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart / 1000;
}

std::string QueryProgramDirectory() {
    char path[kProgramPathCapacity] = "";
    GetModuleFileNameA(nullptr, path, kProgramPathCapacity);
    std::string directory = path;
    const size_t backslash = directory.rfind('\\');
    return backslash == std::string::npos ? std::string() : directory.substr(0, backslash);
}

void ApplyOptions(const CommandLineOptions& options) {
    program.filterOn = options.filterOn;
    program.productionMode = options.productionMode;
    program.traceOn = options.traceOn;
    program.pluginMode = options.pluginMode;
    program.layoutName = options.layoutName;
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    ResetProgramState();
    program.ticksPerMs = QueryTicksPerMs();
    program.programDirectory = QueryProgramDirectory();
    RegisterMainWindowClass(instance);
    ApplyOptions(ScanCommandLine(__argc, __argv));

    HWND mainWindow = CreateDialogParamA(instance, "Dorvelquinta", nullptr, nullptr, 0);
    program.mainWindow = mainWindow;

    const int layoutCount = LoadLayoutCatalogue(mainWindow, program.programDirectory);
    if (layoutCount > 0) {
        MakeLayoutCurrent(0);
        InitMainWindow(mainWindow);
        ShowWindow(mainWindow, showCommand);
    } else {
        PostQuitMessage(0);
    }
    return RunMessageLoop();
}
