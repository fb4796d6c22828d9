// The program's entry point: start-up in the fixed order, then the message loop.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/command_line.h"
#include "app/main_window_win.h"
#include "app/settings.h"
#include "base/paths.h"
#include "base/product.h"
#include "base/program.h"
#include "engine/core_state.h"
#include "engine/led_test_win.h"
#include "engine/test_state.h"
#include "layouts/layout_catalogue.h"
#include "records/host_link.h"
#include "records/identification_win.h"
#include "records/line_link_win.h"
#include "resources/resource_ids.h"

namespace {

constexpr DWORD kProgramPathCapacity = 400;
constexpr UINT kHostPollPeriodMs = 1000;
constexpr DWORD kLineDrainMs = 3000;

int64_t QueryTicksPerMs() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart >= 1000 ? frequency.QuadPart / 1000 : 1;
}

std::string QueryProgramDirectory() {
    char path[kProgramPathCapacity] = "";
    GetModuleFileNameA(nullptr, path, kProgramPathCapacity);
    return DirectoryOf(path);
}

// Plug-in mode: opens the host's block and starts polling its run flag, or reports why it cannot and ends.
void OpenHostLink(HWND mainWindow, const std::string& sharedMemoryName) {
    const int32_t code = OpenLink(sharedMemoryName.c_str());
    if (code != kLinkOpened) {
        char message[256];
        std::snprintf(message, sizeof message, "Unable to initialize interface with Calderomax (%d)", code);
        MessageBoxA(nullptr, message, kErrorCaption, MB_OK);
        PostQuitMessage(0);
        return;
    }
    SetTimer(mainWindow, HOST_POLL_TIMER, kHostPollPeriodMs, nullptr);
}

// Production mode without the host: the operator's identification, the loaded layout's log line and the
// first keyboard's serial number. Leaving either dialog ends the program.
void IdentifyProductionRun(HWND mainWindow) {
    if (RunOperatorDialog() == 0) {
        DestroyWindow(mainWindow);
        return;
    }
    SetFocus(mainWindow);
    LogLayoutInUse();
    if (RunSerialDialog() == 0) {
        DestroyWindow(mainWindow);
        return;
    }
    if (program.benchOn) {
        SaveKeyboardLocks();
    }
    SetFocus(mainWindow);
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
    ResetCoreState();
    program.ticksPerMs = QueryTicksPerMs();
    program.programDirectory = QueryProgramDirectory();
    RegisterMainWindowClass(instance);
    const CommandLineOptions options = ScanCommandLine(__argc, __argv);
    ApplyOptions(options);

    HWND mainWindow = CreateDialogParamA(instance, "Dorvelquinta", nullptr, nullptr, 0);
    program.mainWindow = mainWindow;
    if (program.pluginMode) {
        OpenHostLink(mainWindow, options.sharedMemoryName);
    }

    ReadSettings(mainWindow, JoinPath(program.programDirectory, kSettingsFileName));
    StartLineLink(mainWindow);
    const int layoutCount = LoadLayoutCatalogue(mainWindow, program.programDirectory);
    if (layoutCount > 0) {
        MakeLayoutCurrent(0);
        ResetTest();
        InitMainWindow(mainWindow);
        ShowWindow(mainWindow, showCommand);
    } else {
        PostQuitMessage(0);
    }
    if (program.productionMode && !program.pluginMode) {
        IdentifyProductionRun(mainWindow);
    }
    const int exitCode = RunMessageLoop();
    // A quit request posted during start-up ends the loop without the window's destruction: the same
    // clean-up runs here, so no filter or lock-key change outlives the program.
    EndProgram();
    // Records the line has not yet taken go while it takes them, for a moment; the rest wait in the spool.
    StopLineLink(kLineDrainMs);
    return exitCode;
}
