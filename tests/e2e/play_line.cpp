// Playing the case's line server: kblline started and stopped through tests/e2e/line_server.sh, which Wine
// runs as the Unix program it is and gives no handle of, so the driver waits for the server over HTTP; the
// records it keeps read back; and the tester started again.
// Winsock's header brings in the Windows header after its own declarations, as it must.
#include <winsock2.h>

#include "records/line_http_win.h"
#include "records/line_spool.h"
#include "tests/e2e/case_folder.h"
#include "tests/e2e/line_server.h"
#include "tests/e2e/shown_text.h"

namespace {

constexpr int32_t kRequestTimeoutMs = 2000;
constexpr DWORD kLinePollMs = 100;

// The records of a line that was down reach it after the sender's back-off, which may have grown to its
// longest while the line was away, and then within a step's time.
DWORD RecordsPatienceMs() {
    return StepTimeoutMs() + static_cast<DWORD>(kLongestBackOffMs);
}

// The Unix path of a path on Wine's drive Z:, which is the Linux root, and the other way.
std::string UnixPath(const std::string& path) {
    std::string unixPath =
        path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':' ? path.substr(2) : path;
    for (char& c : unixPath) {
        c = c == '\\' ? '/' : c;
    }
    return unixPath;
}

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path;
}

// Runs tests/e2e/line_server.sh with `arguments`; Wine starts it as a Unix program, without a handle.
std::string RunLineScript(const std::string& arguments) {
    const std::string script = WindowsPath(DVQ_SOURCE_DIR "/tests/e2e/line_server.sh");
    std::string commandLine = "\"" + script + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(script.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return "cannot run " + commandLine + " (error " + std::to_string(GetLastError()) + ")";
    }
    for (HANDLE handle : {started.hProcess, started.hThread}) {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
    return "";
}

LineAddress CaseLine(const Session& session) {
    LineAddress address;
    address.host = "127.0.0.1";
    address.port = session.linePort;
    return address;
}

int32_t HealthStatus(const Session& session) {
    return SendLineRequest(CaseLine(session), "", L"GET", "/healthz", "", kRequestTimeoutMs).status;
}

// What the server printed, for a failure's report.
std::string ServerOutput(const Session& session) {
    bool found = false;
    return QuoteText(ReadFileBytes(JoinPath(session.folder, "kblline.out"), found));
}

}  // namespace

int ChooseLinePort() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
        return 0;
    }
    int port = 0;
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (probe != INVALID_SOCKET && bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        port = ntohs(address.sin_port);
    }
    closesocket(probe);
    WSACleanup();
    return port;
}

std::string FillPort(std::string text, int port) {
    const std::string mark = "{port}";
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at)) {
        text.replace(at, mark.size(), std::to_string(port));
    }
    return text;
}

void StopLineServer(Session& session) {
    if (!session.lineStarted) {
        return;
    }
    session.lineStarted = false;
    if (RunLineScript("stop \"" + UnixPath(session.folder) + "\"").empty()) {
        PollUntil(
            session, [&] { return HealthStatus(session) == 0; }, StepTimeoutMs(), kLinePollMs);
    }
}

std::string PlayStartLine(Session& session) {
    if (session.linePort == 0) {
        return "the case has no line server, or no free port was found for it";
    }
    const std::string failure = RunLineScript("start \"" DVQ_KBLLINE "\" \"" + UnixPath(session.folder) +
                                              "\" " + std::to_string(session.linePort));
    if (!failure.empty()) {
        return failure;
    }
    session.lineStarted = true;
    if (!PollUntil(
            session, [&] { return HealthStatus(session) == 200; }, StepTimeoutMs(), kLinePollMs)) {
        return "expected the line server to answer on port " + std::to_string(session.linePort) +
               "; it does not. It printed " + ServerOutput(session);
    }
    return "";
}

std::string PlayStopLine(Session& session) {
    if (!session.lineStarted) {
        return "expected a running line server to stop; none was started";
    }
    StopLineServer(session);
    return HealthStatus(session) == 0 ? "" : "expected the line server to stop; it still answers";
}

std::string PlayLineRecords(Session& session, const Step& step) {
    const std::string path = JoinPath(session.folder, step.text);
    bool found = false;
    std::string local;
    std::string line;
    PollUntil(
        session,
        [&] {
            local = ReadFileBytes(path, found);
            const LineResponse answer = SendLineRequest(CaseLine(session), kLineToken, L"GET",
                                                        "/v1/records.csv", "", kRequestTimeoutMs);
            line = answer.status == 200 ? answer.body : "HTTP " + std::to_string(answer.status);
            return found && line == local;
        },
        RecordsPatienceMs(), kLinePollMs * 2);
    if (!found) {
        return "expected the record file " + QuoteText(step.text) + "; there is none";
    }
    return line == local ? ""
                         : "expected the line's records.csv to be the record file " + QuoteText(local) +
                               "; it is " + QuoteText(line);
}

std::string PlayRestartTester(Session& session) {
    DWORD exitCode = 0;
    if (!HasTargetEnded(session.target, exitCode)) {
        return "expected the tester to have ended before it is started again; it runs";
    }
    StopTarget(session.target);
    session.mainWindowSeen = false;
    std::string problem;
    return StartTarget(session.testerPath, session.arguments, session.currentFolder, session.target, problem)
               ? ""
               : problem;
}
