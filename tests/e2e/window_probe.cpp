// Reading the windows of another process.
#include "tests/e2e/window_probe.h"

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr UINT kChineseCodePage = 936;
constexpr int kTextCapacity = 4096;

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK TakeMatchingWindow(HWND window, LPARAM parameter) {
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner == search.processId && lstrcmpiA(className, search.className) == 0 && IsWindowVisible(window)) {
        search.found.push_back(window);
    }
    return TRUE;
}

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT failure) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) {
        return failure;
    }
    return static_cast<LRESULT>(result);
}

std::string ConvertToChinese(const std::wstring& text) {
    const int size = WideCharToMultiByte(kChineseCodePage, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(kChineseCodePage, 0, text.c_str(), static_cast<int>(text.size()), &converted[0], size,
                        nullptr, nullptr);
    return converted;
}

}  // namespace

HWND FindVisibleWindow(DWORD processId, const char* className) {
    const std::vector<HWND> found = ListVisibleWindows(processId, className);
    return found.empty() ? nullptr : found.front();
}

std::vector<HWND> ListVisibleWindows(DWORD processId, const char* className) {
    WindowSearch search{processId, className, {}};
    EnumWindows(TakeMatchingWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ReadWindowText(HWND window) {
    char text[kTextCapacity] = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &length)) {
        return "";
    }
    return std::string(text, length < sizeof text ? length : 0);
}

std::string ReadControlText(HWND parent, int control, bool& found) {
    HWND child = GetDlgItem(parent, control);
    found = child != nullptr;
    return found ? ReadWindowText(child) : "";
}

long ReadCheckState(HWND parent, int control) {
    HWND button = GetDlgItem(parent, control);
    return button == nullptr ? -1 : static_cast<long>(SendBounded(button, BM_GETCHECK, 0, 0, -1));
}

long ReadComboCount(HWND combo) {
    return static_cast<long>(SendBounded(combo, CB_GETCOUNT, 0, 0, CB_ERR));
}

std::vector<std::string> ReadComboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = SendBounded(combo, CB_GETCOUNT, 0, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendBounded(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, CB_ERR);
        if (length == CB_ERR) {
            items.push_back("");
            continue;
        }
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT copied = SendBounded(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                           reinterpret_cast<LPARAM>(&item[0]), CB_ERR);
        item.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
        items.push_back(ConvertToChinese(item));
    }
    return items;
}

long ReadComboSelection(HWND combo) {
    return static_cast<long>(SendBounded(combo, CB_GETCURSEL, 0, 0, CB_ERR));
}

long ReadScreenPixel(POINT point) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    if (colour == CLR_INVALID) {
        return -1;
    }
    return static_cast<long>(GetRValue(colour)) << 16 | static_cast<long>(GetGValue(colour)) << 8 |
           static_cast<long>(GetBValue(colour));
}

std::vector<long> ReadScreenArea(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    std::vector<long> colours;
    if (width <= 0 || height <= 0) {
        return colours;
    }
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            const DWORD* pixels = static_cast<const DWORD*>(bits);
            colours.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
            for (int i = 0; i < width * height; ++i) {
                colours.push_back(static_cast<long>(pixels[i] & 0xFFFFFF));
            }
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colours;
}
