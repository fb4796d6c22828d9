// filter_check: proves filter.dll where it runs (Windows or Wine). It installs the filter for a window of its
// own, injects keys with SendInput from a second thread, as a test driver would, and compares the key
// messages the window receives, and whether each came from the system or from the filter, with what is due.
// Run it beside filter.dll; it prints one line a case and exits 0 when every case passes.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Tags the injected events: the system's key messages carry it as their extra information, the filter's
// posted messages do not.
constexpr ULONG_PTR kInjectedTag = 0x4B46;
constexpr UINT kCaseDone = WM_APP + 1;
constexpr DWORD kSettleMs = 300;

struct Injected {
    WORD virtualKey;
    WORD scanCode;
    DWORD flags;  // KEYEVENTF_EXTENDEDKEY, KEYEVENTF_KEYUP
};

struct Received {
    UINT message;
    WPARAM wParam;
    DWORD lParam;
    bool fromSystem;
    bool operator==(const Received& other) const {
        return message == other.message && wParam == other.wParam && lParam == other.lParam &&
               fromSystem == other.fromSystem;
    }
};

struct CheckCase {
    const char* name;
    bool filterOn;
    std::vector<Injected> keys;
    std::vector<Received> expected;
};

constexpr DWORD kExt = KEYEVENTF_EXTENDEDKEY;
constexpr DWORD kUp = KEYEVENTF_KEYUP;
constexpr bool kSystem = true;
constexpr bool kFilter = false;

const std::vector<CheckCase> kCases = {
    {"left Windows key",
     true,
     {{VK_LWIN, 0x5B, kExt}, {VK_LWIN, 0x5B, kExt | kUp}},
     {{WM_KEYDOWN, VK_LWIN, 0x015B0001, kFilter}, {WM_KEYUP, VK_LWIN, 0xC15B0001, kFilter}}},
    {"Print Screen",
     true,
     {{VK_SNAPSHOT, 0x37, kExt}, {VK_SNAPSHOT, 0x37, kExt | kUp}},
     {{WM_KEYDOWN, VK_SNAPSHOT, 0x01370001, kFilter}, {WM_KEYUP, VK_SNAPSHOT, 0xC1370001, kFilter}}},
    {"Apps held",
     true,
     {{VK_APPS, 0x5D, kExt}, {VK_APPS, 0x5D, kExt}, {VK_APPS, 0x5D, kExt | kUp}},
     {{WM_KEYDOWN, VK_APPS, 0x015D0001, kFilter},
      {WM_KEYDOWN, VK_APPS, 0x415D0001, kFilter},
      {WM_KEYUP, VK_APPS, 0xC15D0001, kFilter}}},
    {"right Windows key",
     true,
     {{VK_RWIN, 0x5C, kExt}, {VK_RWIN, 0x5C, kExt | kUp}},
     {{WM_KEYDOWN, VK_RWIN, 0x015C0001, kFilter}, {WM_KEYUP, VK_RWIN, 0xC15C0001, kFilter}}},
    {"Alt+Print Screen",
     true,
     {{VK_MENU, 0x38, 0}, {VK_SNAPSHOT, 0x54, 0}, {VK_SNAPSHOT, 0x54, kUp}, {VK_MENU, 0x38, kUp}},
     {{WM_SYSKEYDOWN, VK_MENU, 0x20380001, kSystem},
      {WM_SYSKEYDOWN, VK_SNAPSHOT, 0x20540001, kFilter},
      {WM_SYSKEYUP, VK_SNAPSHOT, 0xE0540001, kFilter},
      {WM_KEYUP, VK_MENU, 0xC0380001, kSystem}}},
    {"Alt+Tab",
     true,
     {{VK_MENU, 0x38, 0}, {VK_TAB, 0x0F, 0}, {VK_TAB, 0x0F, kUp}, {VK_MENU, 0x38, kUp}},
     {{WM_SYSKEYDOWN, VK_MENU, 0x20380001, kSystem},
      {WM_SYSKEYDOWN, VK_TAB, 0x200F0001, kFilter},
      {WM_SYSKEYUP, VK_TAB, 0xE00F0001, kFilter},
      {WM_KEYUP, VK_MENU, 0xC0380001, kSystem}}},
    {"Ctrl+Esc",
     true,
     {{VK_CONTROL, 0x1D, 0}, {VK_ESCAPE, 0x01, 0}, {VK_ESCAPE, 0x01, kUp}, {VK_CONTROL, 0x1D, kUp}},
     {{WM_KEYDOWN, VK_CONTROL, 0x001D0001, kSystem},
      {WM_KEYDOWN, VK_ESCAPE, 0x00010001, kFilter},
      {WM_KEYUP, VK_ESCAPE, 0xC0010001, kFilter},
      {WM_KEYUP, VK_CONTROL, 0xC01D0001, kSystem}}},
    {"Alt+Esc and Alt+Space",
     true,
     {{VK_MENU, 0x38, 0},
      {VK_ESCAPE, 0x01, 0},
      {VK_ESCAPE, 0x01, kUp},
      {VK_SPACE, 0x39, 0},
      {VK_SPACE, 0x39, kUp},
      {VK_MENU, 0x38, kUp}},
     {{WM_SYSKEYDOWN, VK_MENU, 0x20380001, kSystem},
      {WM_SYSKEYDOWN, VK_ESCAPE, 0x20010001, kFilter},
      {WM_SYSKEYUP, VK_ESCAPE, 0xE0010001, kFilter},
      {WM_SYSKEYDOWN, VK_SPACE, 0x20390001, kFilter},
      {WM_SYSKEYUP, VK_SPACE, 0xE0390001, kFilter},
      {WM_KEYUP, VK_MENU, 0xC0380001, kSystem}}},
    {"Ctrl+Alt+Esc",
     true,
     {{VK_CONTROL, 0x1D, 0},
      {VK_MENU, 0x38, 0},
      {VK_ESCAPE, 0x01, 0},
      {VK_ESCAPE, 0x01, kUp},
      {VK_MENU, 0x38, kUp},
      {VK_CONTROL, 0x1D, kUp}},
     {{WM_KEYDOWN, VK_CONTROL, 0x001D0001, kSystem},
      {WM_KEYDOWN, VK_MENU, 0x20380001, kSystem},
      {WM_KEYDOWN, VK_ESCAPE, 0x20010001, kFilter},
      {WM_KEYUP, VK_ESCAPE, 0xE0010001, kFilter},
      {WM_KEYUP, VK_MENU, 0xC0380001, kSystem},
      {WM_KEYUP, VK_CONTROL, 0xC01D0001, kSystem}}},
    {"Ctrl+Alt+X from the system",
     true,
     {{VK_CONTROL, 0x1D, 0},
      {VK_MENU, 0x38, 0},
      {'X', 0x2D, 0},
      {'X', 0x2D, kUp},
      {VK_MENU, 0x38, kUp},
      {VK_CONTROL, 0x1D, kUp}},
     {{WM_KEYDOWN, VK_CONTROL, 0x001D0001, kSystem},
      {WM_KEYDOWN, VK_MENU, 0x20380001, kSystem},
      {WM_KEYDOWN, 'X', 0x202D0001, kSystem},
      {WM_KEYUP, 'X', 0xE02D0001, kSystem},
      {WM_KEYUP, VK_MENU, 0xC0380001, kSystem},
      {WM_KEYUP, VK_CONTROL, 0xC01D0001, kSystem}}},
    {"letter A and Tab",
     true,
     {{'A', 0x1E, 0}, {'A', 0x1E, kUp}, {VK_TAB, 0x0F, 0}, {VK_TAB, 0x0F, kUp}},
     {{WM_KEYDOWN, 'A', 0x001E0001, kSystem},
      {WM_KEYUP, 'A', 0xC01E0001, kSystem},
      {WM_KEYDOWN, VK_TAB, 0x000F0001, kSystem},
      {WM_KEYUP, VK_TAB, 0xC00F0001, kSystem}}},
    {"LED test Caps Lock",
     true,
     {{VK_CAPITAL, 0xFF, kExt},
      {VK_CAPITAL, 0xFF, kExt | kUp},
      {VK_CAPITAL, 0xFF, kExt},
      {VK_CAPITAL, 0xFF, kExt | kUp}},
     {{WM_KEYDOWN, VK_CAPITAL, 0x01FF0001, kSystem},
      {WM_KEYUP, VK_CAPITAL, 0xC1FF0001, kSystem},
      {WM_KEYDOWN, VK_CAPITAL, 0x01FF0001, kSystem},
      {WM_KEYUP, VK_CAPITAL, 0xC1FF0001, kSystem}}},
    {"left Windows key, filter removed",
     false,
     {{VK_LWIN, 0x5B, kExt}, {VK_LWIN, 0x5B, kExt | kUp}},
     {{WM_KEYDOWN, VK_LWIN, 0x015B0001, kSystem}, {WM_KEYUP, VK_LWIN, 0xC15B0001, kSystem}}},
};

HWND checkWindow = nullptr;
std::vector<Received> received;

LRESULT CALLBACK CheckWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            received.push_back(
                {message, wParam, static_cast<DWORD>(lParam), GetMessageExtraInfo() == kInjectedTag});
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateCheckWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = CheckWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FilterCheck";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("FilterCheck", "filter check", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);
    return window;
}

// The driver thread: injects each case's keys once the main thread has set the filter up for it.
DWORD WINAPI InjectCase(LPVOID parameter) {
    const CheckCase& check = *static_cast<const CheckCase*>(parameter);
    for (const Injected& key : check.keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key.virtualKey;
        input.ki.wScan = key.scanCode;
        input.ki.dwFlags = key.flags;
        input.ki.dwExtraInfo = kInjectedTag;
        SendInput(1, &input, sizeof input);
    }
    Sleep(kSettleMs);
    PostMessageA(checkWindow, kCaseDone, 0, 0);
    return 0;
}

void PumpUntilCaseDone() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == kCaseDone) {
            return;
        }
        DispatchMessageA(&message);
    }
}

std::string Describe(const std::vector<Received>& messages) {
    std::string text;
    for (const Received& entry : messages) {
        char line[80];
        std::snprintf(line, sizeof line, " %04X/%02X/%08lX/%s", entry.message,
                      static_cast<unsigned>(entry.wParam), static_cast<unsigned long>(entry.lParam),
                      entry.fromSystem ? "system" : "filter");
        text += line;
    }
    return text;
}

int Report(const char* what, bool passed) {
    std::printf("%s %s\n", passed ? "pass" : "FAIL", what);
    return passed ? 0 : 1;
}

// Runs one case; gives 1 when the window received other messages than due.
int RunCase(const CheckCase& check) {
    received.clear();
    HANDLE driver = CreateThread(nullptr, 0, InjectCase, const_cast<CheckCase*>(&check), 0, nullptr);
    PumpUntilCaseDone();
    WaitForSingleObject(driver, INFINITE);
    CloseHandle(driver);
    int failed = Report(check.name, received == check.expected);
    if (failed != 0) {
        std::printf("  due: %s\n  got: %s\n", Describe(check.expected).c_str(), Describe(received).c_str());
    }
    return failed;
}

template <typename Function>
Function LibraryFunction(HMODULE library, const char* name) {
    FARPROC address = library != nullptr ? GetProcAddress(library, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

int main() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string library = std::string(path, length);
    library = library.substr(0, library.find_last_of('\\') + 1) + "filter.dll";
    HMODULE module = LoadLibraryA(library.c_str());
    auto load = LibraryFunction<HHOOK(WINAPI*)(HWND)>(module, "LoadKBFilter");
    auto unload = LibraryFunction<int(WINAPI*)(HHOOK)>(module, "UnLoadKBFilter");
    if (load == nullptr || unload == nullptr) {
        std::printf("FAIL cannot load %s\n", library.c_str());
        return 1;
    }
    checkWindow = CreateCheckWindow();
    int failures = Report("no filter for a window that does not exist", load(nullptr) == nullptr);
    HHOOK hook = load(checkWindow);
    failures += Report("filter installed", hook != nullptr);
    failures += Report("a second load gives the same filter", load(checkWindow) == hook);
    for (const CheckCase& check : kCases) {
        if (!check.filterOn && hook != nullptr) {
            failures += Report("filter removed", unload(hook) != 0);
            failures += Report("a second removal fails", unload(hook) == 0);
            hook = nullptr;
        }
        failures += RunCase(check);
    }
    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
