// The line link's state and the serial gate's rules.
#include "records/line_link.h"

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "base/program.h"
#include "base/text_format.h"
#include "layouts/layout_catalogue.h"
#include "records/test_log.h"

LineLinkState lineLink;

namespace {

constexpr int32_t kHighestPort = 65535;

// `text` as a port number, 1 to 65535.
bool ReadPort(const std::string& text, int32_t& port) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    port = std::atoi(text.c_str());
    return port >= 1 && port <= kHighestPort;
}

}  // namespace

bool ParseLineUrl(const std::string& url, LineAddress& address) {
    const std::string http = "http://";
    const std::string https = "https://";
    std::string rest;
    if (url.compare(0, http.size(), http) == 0) {
        address.secure = false;
        address.port = 80;
        rest = url.substr(http.size());
    } else if (url.compare(0, https.size(), https) == 0) {
        address.secure = true;
        address.port = 443;
        rest = url.substr(https.size());
    } else {
        return false;
    }
    const size_t slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    address.basePath = slash == std::string::npos ? std::string() : rest.substr(slash);
    while (!address.basePath.empty() && address.basePath.back() == '/') {
        address.basePath.pop_back();
    }
    // An IPv6 address is written in brackets, before its port.
    const size_t closing = authority.rfind(']');
    const size_t colon = authority.rfind(':');
    if (colon != std::string::npos && (closing == std::string::npos || colon > closing)) {
        if (!ReadPort(authority.substr(colon + 1), address.port)) {
            return false;
        }
        authority.erase(colon);
    }
    if (authority.size() > 2 && authority.front() == '[' && authority.back() == ']') {
        authority = authority.substr(1, authority.size() - 2);
    }
    address.host = authority;
    return !authority.empty() && authority.find_first_of(" \t?#@[]") == std::string::npos &&
           address.basePath.find_first_of(" \t?#") == std::string::npos;
}

bool LineLinkOn() {
    return !program.lineUrl.empty();
}

void NoteLineState(LineReach reach, bool answered, int32_t waiting, int32_t setAside) {
    lineLink.waiting = waiting;
    lineLink.setAside = setAside;
    if (answered) {
        lineLink.reach = reach;
        lineLink.outageTold = lineLink.outageTold && reach != LineReach::Reached;
    }
}

UnitStart UnitToTest(const std::string& serial, const std::string& version) {
    const RunIdentity& identity = testLog.identity;
    UnitStart unit;
    unit.station = AnsiToUtf8(program.lineStation);
    unit.operatorId = AnsiToUtf8(identity.operatorId);
    unit.productId = AnsiToUtf8(identity.productId);
    unit.batchId = AnsiToUtf8(identity.batchId);
    unit.serial = AnsiToUtf8(serial);
    unit.version = AnsiToUtf8(version);
    unit.layoutFile =
        AnsiToUtf8(catalogue.layouts[static_cast<size_t>(catalogue.currentLayout)].name + ".kbl");
    return unit;
}

GateAnswer ReadGateAnswer(int32_t status, const std::string& body) {
    GateAnswer answer;
    if (status == 0) {
        answer.reason = "no answer";
        return answer;
    }
    const nlohmann::json json = nlohmann::json::parse(body, nullptr, false);
    const bool isObject = json.is_object();
    const auto error = isObject ? json.find("error") : json.end();
    const std::string errorText = isObject && error != json.end() && error->is_string()
                                      ? ": " + error->get<std::string>()
                                      : std::string();
    if (status != 200) {
        answer.reach = status == 401 || status == 403 ? LineReach::TokenRefused : LineReach::Unreachable;
        answer.reason = "HTTP " + std::to_string(status) + errorText;
        return answer;
    }
    const auto allow = isObject ? json.find("allow") : json.end();
    if (allow == json.end() || !allow->is_boolean()) {
        answer.reason = "the line's answer is no gate's answer";
        return answer;
    }
    answer.reach = LineReach::Reached;
    if (allow->get<bool>()) {
        answer.verdict = GateVerdict::Allowed;
        return answer;
    }
    answer.verdict = GateVerdict::Refused;
    const auto reason = json.find("reason");
    const auto code = json.find("code");
    answer.reason = reason != json.end() && reason->is_string() ? reason->get<std::string>()
                    : code != json.end() && code->is_string()   ? code->get<std::string>()
                                                                : "no reason given";
    return answer;
}

GateOutcome WeighGateAnswer(const GateAnswer& answer, bool stopOffline) {
    GateOutcome outcome;
    lineLink.reach = answer.reach;
    if (answer.verdict != GateVerdict::NoAnswer) {
        lineLink.outageTold = false;
        outcome.test = answer.verdict == GateVerdict::Allowed;
        return outcome;
    }
    outcome.tellOutage = !lineLink.outageTold;
    lineLink.outageTold = true;
    outcome.test = !stopOffline;
    return outcome;
}

std::string LineStateText() {
    static const char* const kReachTexts[] = {"线路: 连接中", "线路: 已连接", "线路: 无法连接",
                                              "线路: 令牌被拒绝"};
    std::string text = kReachTexts[static_cast<int32_t>(lineLink.reach)];
    if (lineLink.waiting > 0) {
        text += FormatText("，待发送 %d 条", lineLink.waiting);
    }
    if (lineLink.setAside > 0) {
        text += FormatText("，拒收 %d 条", lineLink.setAside);
    }
    return text;
}
