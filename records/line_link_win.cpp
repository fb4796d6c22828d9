// The spool folder, the sender's thread and the serial gate. The window's thread writes each record into
// the spool and hands its id over; the sender's thread alone keeps the spool's order and back-off
// (records/line_spool.h) and makes the requests, so that a slow or absent line never holds the operator's
// keys. What the sender learns reaches the window as a posted message.
#include "records/line_link_win.h"

#include <nlohmann/json.hpp>
#include <vector>

#include "base/paths.h"
#include "base/program.h"
#include "base/text_format.h"
#include "records/line_http_win.h"
#include "records/line_link.h"
#include "records/retry_write_win.h"
#include "records/test_log.h"
#include "records/verdict_keeping.h"

namespace {

constexpr const char* kSpoolFolderName = "spool";
constexpr const char* kRefusedFolderName = "refused";
constexpr const char* kRecordExtension = ".json";
constexpr int32_t kRecordTimeoutMs = 5000;
constexpr int32_t kGateTimeoutMs = 3000;
constexpr const char* kLineCaption = "Dorvelquinta: 线路";

// What the window's thread and the sender's share, under `lock`.
struct SenderShared {
    CRITICAL_SECTION lock;
    HANDLE wake = nullptr;           // set when a record is added, a retry asked for or the end comes
    std::vector<std::string> added;  // ids spooled since the sender last looked
    bool retryNow = false;           // the gate reached the line: the back-off ends
    bool draining = false;           // the program ends: send only while the line takes the records
};

// What the sender works with, copied before it starts.
struct SenderSetting {
    LineAddress address;
    std::string token;
    std::string folder;
    HWND window = nullptr;
};

SenderShared shared;
SenderSetting setting;
HANDLE senderThread = nullptr;
uint32_t recordCounter = 0;

std::string SpoolFolder() {
    return JoinPath(program.programDirectory, kSpoolFolderName);
}

std::string RecordPath(const std::string& folder, const std::string& id) {
    return JoinPath(folder, id + kRecordExtension);
}

int64_t SteadyMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return now.QuadPart / (frequency.QuadPart / 1000);
}

// The ids of the records in the spool folder; a file a killed tester left half written (never renamed to
// its id, so never committed) is removed.
std::vector<std::string> ListSpoolIds(const std::string& folder) {
    std::vector<std::string> ids;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(JoinPath(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return ids;
    }
    do {
        const std::string name = found.cFileName;
        const size_t dot = name.rfind('.');
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || dot == std::string::npos) {
            continue;
        }
        if (name.substr(dot) == kRecordExtension) {
            ids.push_back(name.substr(0, dot));
        } else if (name.substr(dot) == ".tmp") {
            DeleteFileA(JoinPath(folder, name).c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ids;
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const DWORD size = GetFileSize(file, nullptr);
    DWORD read = 0;
    text.assign(size == INVALID_FILE_SIZE ? 0 : size, '\0');
    const bool whole = size != INVALID_FILE_SIZE &&
                       (size == 0 || (ReadFile(file, &text[0], size, &read, nullptr) && read == size));
    CloseHandle(file);
    return whole && size > 0;
}

// Commits `text` as the record `id` of the spool: written to a temporary name, flushed to the disk, then
// renamed to the id, so that the spool never holds half a record under a record's name.
bool WriteSpoolFile(const std::string& folder, const std::string& id, const std::string& text) {
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string temporary = JoinPath(folder, id + ".tmp");
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool kept = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                written == text.size();
    kept = FlushFileBuffers(file) && kept;
    kept = CloseHandle(file) && kept;
    kept = kept && MoveFileExA(temporary.c_str(), RecordPath(folder, id).c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!kept) {
        DeleteFileA(temporary.c_str());
    }
    return kept;
}

// Sends the oldest record and does with its file what the answer says: gone once the line has it, moved to
// the spool's "refused" folder when the line refuses it as it is.
void SendOldest(LineSpool& spool, const std::string& id) {
    const std::string path = RecordPath(setting.folder, id);
    std::string body;
    const int32_t status =
        ReadWholeFile(path, body)
            ? SendLineRequest(setting.address, setting.token, L"POST", "/v1/records", body, kRecordTimeoutMs)
                  .status
            : kUnreadableRecord;
    switch (OnRecordAnswer(spool, status, SteadyMs())) {
        case SendOutcome::Stored:
            DeleteFileA(path.c_str());
            break;
        case SendOutcome::SetAside: {
            const std::string refused = JoinPath(setting.folder, kRefusedFolderName);
            CreateDirectoryA(refused.c_str(), nullptr);
            MoveFileExA(path.c_str(), RecordPath(refused, id).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED | MOVEFILE_WRITE_THROUGH);
            break;
        }
        case SendOutcome::Kept:
            break;
    }
}

// What the sender told the window last.
struct ReportedState {
    size_t waiting = 0;
    int32_t setAside = 0;
    bool told = false;
};

// Tells the window the line's state: after each answer of the line (or its silence), and whenever the
// records waiting or set aside changed.
void ReportState(const LineSpool& spool, bool answered, ReportedState& reported) {
    if (!answered && reported.told && reported.waiting == spool.waiting.size() &&
        reported.setAside == spool.setAside) {
        return;
    }
    reported = {spool.waiting.size(), spool.setAside, true};
    const WPARAM state = static_cast<WPARAM>(spool.reach) | (answered ? kLineAnswered : 0) |
                         static_cast<WPARAM>(spool.setAside) << 8;
    PostMessageA(setting.window, kLineStateMessage, state, static_cast<LPARAM>(spool.waiting.size()));
}

DWORD WINAPI RunSender(void*) {
    LineSpool spool;
    LoadSpool(spool, ListSpoolIds(setting.folder));
    ReportedState reported;
    bool answered = false;
    for (;;) {
        EnterCriticalSection(&shared.lock);
        for (const std::string& id : shared.added) {
            AddToSpool(spool, id);
        }
        shared.added.clear();
        if (shared.retryNow) {
            RetryNow(spool, SteadyMs());
            shared.retryNow = false;
        }
        const bool draining = shared.draining;
        LeaveCriticalSection(&shared.lock);
        ReportState(spool, answered, reported);
        const LineTask task = NextLineTask(spool, SteadyMs());
        answered = task.kind != LineTaskKind::Wait;
        if (task.kind == LineTaskKind::Wait || (draining && task.kind == LineTaskKind::Probe)) {
            if (draining) {
                return 0;
            }
            WaitForSingleObject(shared.wake, task.waitMs < 0 ? INFINITE : static_cast<DWORD>(task.waitMs));
        } else if (task.kind == LineTaskKind::Probe) {
            const LineResponse health =
                SendLineRequest(setting.address, setting.token, L"GET", "/healthz", "", kRecordTimeoutMs);
            OnProbeAnswer(spool, health.status, SteadyMs());
        } else {
            SendOldest(spool, task.id);
        }
    }
}

void HandToSender(const std::string& id, bool retryNow) {
    if (senderThread == nullptr) {
        return;
    }
    EnterCriticalSection(&shared.lock);
    if (!id.empty()) {
        shared.added.push_back(id);
    }
    shared.retryNow = shared.retryNow || retryNow;
    LeaveCriticalSection(&shared.lock);
    SetEvent(shared.wake);
}

// The record's id and its JSON, as the spool keeps it.
std::string SpoolText(const KeyboardRecord& record, std::string& id) {
    SYSTEMTIME clock;
    GetLocalTime(&clock);
    LocalTime now;
    now.year = clock.wYear;
    now.month = clock.wMonth;
    now.day = clock.wDay;
    now.hour = clock.wHour;
    now.minute = clock.wMinute;
    now.second = clock.wSecond;
    id = MakeRecordId(program.lineStation, now, clock.wMilliseconds, ++recordCounter);
    return JsonText(RecordJson(id, AnsiToUtf8(program.lineStation), RecordInUtf8(record)));
}

}  // namespace

void StartLineLink(HWND window) {
    if (!LineLinkOn() || senderThread != nullptr) {
        return;
    }
    ParseLineUrl(program.lineUrl, setting.address);
    setting.token = program.lineToken;
    setting.folder = SpoolFolder();
    setting.window = window;
    InitializeCriticalSection(&shared.lock);
    shared.wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    senderThread = CreateThread(nullptr, 0, RunSender, nullptr, 0, nullptr);
}

void StopLineLink(DWORD boundMs) {
    if (senderThread == nullptr) {
        return;
    }
    EnterCriticalSection(&shared.lock);
    shared.draining = true;
    LeaveCriticalSection(&shared.lock);
    SetEvent(shared.wake);
    WaitForSingleObject(senderThread, boundMs);
}

bool SpoolLineRecord(const KeyboardRecord& record) {
    std::string id;
    const std::string text = SpoolText(record, id);
    const std::string folder = SpoolFolder();
    const bool kept = WriteOrAskAgain(
        [&] { return WriteSpoolFile(folder, id, text); },
        FormatText("无法写入线路的发送队列\n%"
                   "s\n这块键盘的记录不会发送到线路。\n请检查磁盘后按“重试”，或按“取消”不发送这条记录。",
                   folder.c_str()),
        FormatText("    线路记录未保存: %s\n", id.c_str()));
    if (kept) {
        HandToSender(id, false);
    }
    return kept;
}

bool AskLineGate(HWND dialog, const std::string& serial, const std::string& version) {
    if (!LineLinkOn() || !program.lineGate) {
        return true;
    }
    const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    const LineResponse response =
        SendLineRequest(setting.address, setting.token, L"POST", "/v1/units/start",
                        JsonText(UnitStartJson(UnitToTest(serial, version))), kGateTimeoutMs);
    SetCursor(previous);
    const GateAnswer answer = ReadGateAnswer(response.status, response.body);
    const GateOutcome outcome = WeighGateAnswer(answer, program.lineStopOffline);
    if (answer.reach == LineReach::Reached) {
        HandToSender("", true);
    }
    if (answer.verdict == GateVerdict::Refused) {
        const std::string text = FormatText("线路不允许检测这块键盘（序列号 %s）：\n\n%s", serial.c_str(),
                                            Utf8ToAnsi(answer.reason).c_str());
        MessageBoxA(dialog, text.c_str(), kLineCaption, MB_OK | MB_ICONWARNING);
    } else if (outcome.tellOutage) {
        const std::string text = FormatText(
            "无法连接线路服务器 %s：\n%s\n\n%s", program.lineUrl.c_str(), Utf8ToAnsi(answer.reason).c_str(),
            program.lineStopOffline ? "在线路恢复之前不能检测键盘。"
                                    : "检测继续；记录保存在发送队列中，线路恢复后发送。");
        MessageBoxA(dialog, text.c_str(), kLineCaption, MB_OK | MB_ICONWARNING);
    }
    return outcome.test;
}
