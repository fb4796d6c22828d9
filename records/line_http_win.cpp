// The line's requests over WinHTTP: a session and a connection per request, so that a request on the
// sender's thread and the gate's on the window's thread share nothing, and none goes on a connection an
// earlier request left open.
#include "records/line_http_win.h"

#include <windows.h>
#include <winhttp.h>

namespace {

constexpr DWORD kLongestAnswer = 65536;

std::wstring Widen(const std::string& text, UINT codePage) {
    const int length =
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0) {
        MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    }
    return wide;
}

// Closes a WinHTTP handle when it goes out of scope.
struct HttpHandle {
    HINTERNET handle;
    explicit HttpHandle(HINTERNET opened) : handle(opened) {}
    HttpHandle(const HttpHandle&) = delete;
    HttpHandle& operator=(const HttpHandle&) = delete;
    ~HttpHandle() {
        if (handle != nullptr) {
            WinHttpCloseHandle(handle);
        }
    }
};

std::string ReadAnswerBody(HINTERNET request) {
    std::string body;
    DWORD available = 0;
    while (body.size() < kLongestAnswer && WinHttpQueryDataAvailable(request, &available) && available > 0) {
        std::string part(available, '\0');
        DWORD read = 0;
        if (!WinHttpReadData(request, &part[0], available, &read) || read == 0) {
            break;
        }
        body.append(part, 0, read);
    }
    return body;
}

}  // namespace

LineResponse SendLineRequest(const LineAddress& address, const std::string& token, const wchar_t* method,
                             const std::string& path, const std::string& body, int32_t timeoutMs) {
    LineResponse response;
    // The line is on the plant's own network: no proxy stands between.
    const HttpHandle session(WinHttpOpen(L"Dorvelquinta", WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                                         WINHTTP_NO_PROXY_BYPASS, 0));
    if (session.handle == nullptr ||
        !WinHttpSetTimeouts(session.handle, timeoutMs, timeoutMs, timeoutMs, timeoutMs)) {
        return response;
    }
    const HttpHandle connection(WinHttpConnect(session.handle, Widen(address.host, CP_ACP).c_str(),
                                               static_cast<INTERNET_PORT>(address.port), 0));
    if (connection.handle == nullptr) {
        return response;
    }
    const std::wstring target = Widen(address.basePath + path, CP_ACP);
    const HttpHandle request(WinHttpOpenRequest(connection.handle, method, target.c_str(), nullptr,
                                                WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                address.secure ? WINHTTP_FLAG_SECURE : 0));
    // A connection kept from an earlier request may lead to a server since stopped, whose last threads
    // still answer on it: every request goes on a connection of its own.
    DWORD feature = WINHTTP_DISABLE_KEEP_ALIVE;
    if (request.handle == nullptr ||
        !WinHttpSetOption(request.handle, WINHTTP_OPTION_DISABLE_FEATURE, &feature, sizeof feature)) {
        return response;
    }
    const std::wstring headers =
        Widen("Content-Type: application/json\r\nAuthorization: Bearer " + token + "\r\n", CP_ACP);
    const DWORD length = static_cast<DWORD>(body.size());
    void* data = body.empty() ? WINHTTP_NO_REQUEST_DATA : const_cast<char*>(body.data());
    if (!WinHttpSendRequest(request.handle, headers.c_str(), static_cast<DWORD>(-1), data, length, length,
                            0) ||
        !WinHttpReceiveResponse(request.handle, nullptr)) {
        return response;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(request.handle, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
        return response;
    }
    response.body = ReadAnswerBody(request.handle);
    response.status = static_cast<int32_t>(status);
    return response;
}

std::string Utf8ToAnsi(const std::string& utf8) {
    const std::wstring wide = Widen(utf8, CP_UTF8);
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string ansi(static_cast<size_t>(length), '\0');
    if (length > 0) {
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &ansi[0], length, nullptr,
                            nullptr);
    }
    return ansi;
}
