// The routes of the line server. A station's request is read whole and checked before anything reaches the
// database; a record is answered only after its transaction committed; every failure of the database is a
// 503 that tells the station to send again later.
#include "tools/kblline/line_server.h"

#include <sys/socket.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <nlohmann/json.hpp>

#include "tools/common/output_file.h"
#include "tools/kblline/line_record.h"
#include "tools/kblline/line_schema.h"
#include "tools/kblline/line_store.h"
#include "tools/kblline/live_page.h"
#include "tools/kblline/records_range.h"

namespace {

using nlohmann::json;

constexpr size_t kReaderConnections = 8;
// Threads beyond one per station, for the page, the CSV and the health check.
constexpr size_t kSpareThreads = 8;
constexpr size_t kCsvRowsPerChunk = 1000;
constexpr time_t kSocketTimeoutSeconds = 10;

const char* const kJson = "application/json";

void Answer(httplib::Response& response, int status, const json& body) {
    response.status = status;
    response.set_content(body.dump(-1, ' ', false, json::error_handler_t::replace), kJson);
}

// Tells the operator of the server, on the standard error (the service's journal), what went wrong.
void LogProblem(const std::string& text) {
    std::fprintf(stderr, "kblline: %s\n", text.c_str());
}

void Refuse(httplib::Response& response, int status, const std::string& field, const std::string& problem) {
    json body = {{"error", field.empty() ? problem : field + ": " + problem}};
    if (!field.empty()) {
        body["field"] = field;
    }
    Answer(response, status, body);
}

// A connection of the pool for as long as it lives.
struct Reader {
    ReaderPool& pool;
    SqlDatabase database;

    explicit Reader(ReaderPool& readers) : pool(readers) {
        std::unique_lock<std::mutex> guard(pool.lock);
        pool.returned.wait(guard, [&] { return !pool.idle.empty(); });
        database = std::move(pool.idle.back());
        pool.idle.pop_back();
    }
    ~Reader() {
        {
            std::lock_guard<std::mutex> guard(pool.lock);
            pool.idle.push_back(std::move(database));
        }
        pool.returned.notify_one();
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
};

// The station of the request's token; "" (and the request answered 401) when it has no known token.
std::string Authenticate(const LineServer& server, const httplib::Request& request,
                         httplib::Response& response) {
    const std::string header = request.get_header_value("Authorization");
    const std::string scheme = "Bearer ";
    if (header.compare(0, scheme.size(), scheme) == 0) {
        const auto found = server.stationOfToken.find(header.substr(scheme.size()));
        if (found != server.stationOfToken.end()) {
            return found->second;
        }
    }
    response.set_header("WWW-Authenticate", "Bearer");
    Refuse(response, 401, "",
           header.empty() ? "no token: send Authorization: Bearer TOKEN" : "unknown token");
    return std::string();
}

// The body as JSON; false (and the request answered 400) when it is none.
bool ReadBody(const httplib::Request& request, httplib::Response& response, json& body) {
    body = json::parse(request.body, nullptr, false);
    if (body.is_discarded()) {
        Refuse(response, 400, "", "the body is not JSON");
        return false;
    }
    return true;
}

bool CheckStation(const std::string& station, const std::string& tokenStation, httplib::Response& response) {
    if (station == tokenStation) {
        return true;
    }
    Refuse(response, 403, "station", "the token is station " + tokenStation + "'s, not " + station + "'s");
    return false;
}

void StartUnit(LineServer& server, const httplib::Request& request, httplib::Response& response) {
    const std::string station = Authenticate(server, request, response);
    json body;
    UnitStart unit;
    FieldError problem;
    if (station.empty() || !ReadBody(request, response, body)) {
        return;
    }
    if (!ReadUnitStart(body, unit, problem)) {
        Refuse(response, 400, problem.field, problem.problem);
        return;
    }
    if (!CheckStation(unit.station, station, response)) {
        return;
    }
    GateAnswer gate;
    std::string error;
    Reader reader(server.readers);
    if (!AskGate(reader.database, unit, server.arguments.retestLimit, gate, error)) {
        LogProblem("the gate did not read the database: " + error);
        Refuse(response, 503, "", "the database did not answer: " + error);
        return;
    }
    json answer = {{"allow", gate.allow}};
    if (!gate.allow) {
        answer["code"] = gate.code;
        answer["reason"] = gate.reason;
        answer["station"] = gate.past.station;
        answer["time"] = gate.past.time;
        answer["product"] = gate.past.productId;
        answer["failures"] = gate.failures;
        answer["retest_limit"] = server.arguments.retestLimit;
    }
    Answer(response, 200, answer);
}

void PostRecord(LineServer& server, const httplib::Request& request, httplib::Response& response) {
    const std::string station = Authenticate(server, request, response);
    json body;
    LineRecord record;
    FieldError problem;
    if (station.empty() || !ReadBody(request, response, body)) {
        return;
    }
    if (!ReadLineRecord(body, record, problem)) {
        Refuse(response, 400, problem.field, problem.problem);
        return;
    }
    if (!CheckStation(record.station, station, response)) {
        return;
    }
    const WriteAnswer written = WriteRecord(server.writer, record);
    if (written.outcome == WriteOutcome::Failed) {
        LogProblem("record " + record.id + " of " + station + " not stored: " + written.error);
        Refuse(response, 503, "", "the record was not stored: " + written.error);
        return;
    }
    if (written.outcome == WriteOutcome::Conflict) {
        LogProblem("record " + record.id + " of " + station + " refused: another record has its id");
        Refuse(response, 409, "id", "another record was stored with this id; this one is not");
        return;
    }
    const bool stored = written.outcome == WriteOutcome::Stored;
    Answer(response, stored ? 201 : 200, {{"id", record.id}, {"stored", stored ? "now" : "already"}});
}

void GetRecordsCsv(LineServer& server, const httplib::Request& request, httplib::Response& response) {
    if (Authenticate(server, request, response).empty()) {
        return;
    }
    auto range = std::make_shared<RecordsRange>();
    FieldError problem;
    if (!ReadRecordsRange(request.get_param_value("from"), request.get_param_value("to"), *range, problem)) {
        Refuse(response, 400, problem.field, problem.problem);
        return;
    }
    // The tester's own file: its first columns alone, unless a keyboard of the span was tested with a plan.
    bool withPlan = false;
    std::string error;
    {
        Reader reader(server.readers);
        if (!AnyRecordWithPlan(reader.database, range->fromSeconds, range->toSeconds, withPlan, error)) {
            LogProblem("the records did not read the database: " + error);
            Refuse(response, 503, "", "the database did not answer: " + error);
            return;
        }
    }
    const size_t columns = withPlan ? kRecordColumnCount : kClassicRecordColumnCount;
    auto cursor = std::make_shared<RecordCursor>();
    auto started = std::make_shared<bool>(false);
    response.set_chunked_content_provider(
        "text/csv; charset=utf-8",
        [&server, range, cursor, started, columns](size_t, httplib::DataSink& sink) {
            std::string text;
            if (!*started) {
                text = "\xEF\xBB\xBF" + RecordHeaderRow(columns);
                *started = true;
            }
            std::vector<StoredRecord> records;
            std::string error;
            {
                Reader reader(server.readers);
                if (!ReadRecordsByTime(reader.database, range->fromSeconds, range->toSeconds,
                                       kCsvRowsPerChunk, *cursor, records, error)) {
                    return false;
                }
            }
            for (const StoredRecord& stored : records) {
                text += LineRecordRow(stored.record, columns);
            }
            if (!text.empty() && !sink.write(text.data(), text.size())) {
                return false;
            }
            if (records.size() < kCsvRowsPerChunk) {
                sink.done();
            }
            return true;
        });
}

// The layout pictures of the figures' layouts, each loaded from the layouts folder once.
std::vector<LayoutPicture> PicturesFor(LineServer& server, const ReportFigures& figures) {
    std::vector<LayoutPicture> pictures;
    std::lock_guard<std::mutex> guard(server.pictureLock);
    for (const GroupYield& layout : figures.layouts) {
        auto found = server.pictures.find(layout.name);
        if (found == server.pictures.end()) {
            found = server.pictures
                        .emplace(layout.name, LoadLayoutPicture(server.arguments.layoutsFolder, layout.name))
                        .first;
        }
        pictures.push_back(found->second);
    }
    return pictures;
}

void GetLivePage(LineServer& server, httplib::Response& response) {
    LiveFigures live;
    std::string error;
    {
        Reader reader(server.readers);
        if (!ReadLiveFigures(reader.database, time(nullptr), live, error)) {
            response.status = 503;
            response.set_content("the database did not answer: " + error, "text/plain; charset=utf-8");
            return;
        }
    }
    response.set_content(LivePage(live, PicturesFor(server, live.figures)), "text/html; charset=utf-8");
}

void CheckHealth(LineServer& server, httplib::Response& response) {
    std::string error;
    Reader reader(server.readers);
    if (SqlExecute(reader.database, "SELECT count(*) FROM schema_version", {}, error)) {
        Answer(response, 200, {{"status", "ok"}});
    } else {
        Refuse(response, 503, "", "the database did not answer: " + error);
    }
}

void AddRoutes(LineServer& server) {
    httplib::Server& http = server.http;
    http.Post("/v1/units/start", [&server](const httplib::Request& request, httplib::Response& response) {
        StartUnit(server, request, response);
    });
    http.Post("/v1/records", [&server](const httplib::Request& request, httplib::Response& response) {
        PostRecord(server, request, response);
    });
    http.Get("/v1/records.csv", [&server](const httplib::Request& request, httplib::Response& response) {
        GetRecordsCsv(server, request, response);
    });
    http.Get("/", [&server](const httplib::Request&, httplib::Response& response) {
        GetLivePage(server, response);
    });
    http.Get("/healthz", [&server](const httplib::Request&, httplib::Response& response) {
        CheckHealth(server, response);
    });
    // Every other refusal, the library's own (404, 413, 400 for a request it cannot read) among them, in
    // JSON.
    http.set_error_handler(
        httplib::Server::HandlerWithResponse([](const httplib::Request&, httplib::Response& response) {
            if (response.body.empty()) {
                const char* what = response.status == 413   ? "the body is larger than 65536 bytes"
                                   : response.status == 404 ? "no such address"
                                   : response.status == 405 ? "not allowed on this address"
                                                            : "bad request";
                Answer(response, response.status, {{"error", what}});
            }
            return httplib::Server::HandlerResponse::Handled;
        }));
}

bool OpenReaders(const std::string& url, ReaderPool& readers, std::string& error) {
    for (size_t i = 0; i < kReaderConnections; ++i) {
        SqlDatabase database;
        if (!OpenDatabase(url, database, error)) {
            return false;
        }
        readers.idle.push_back(std::move(database));
    }
    return true;
}

void CloseReaders(ReaderPool& readers) {
    for (SqlDatabase& database : readers.idle) {
        CloseDatabase(database);
    }
    readers.idle.clear();
}

}  // namespace

bool StartLineServer(const LineArguments& arguments, LineServer& server, std::string& error) {
    server.arguments = arguments;
    std::string tokens;
    if (!ReadWholeFile(arguments.tokensPath, tokens)) {
        error = arguments.tokensPath + ": cannot be read";
        return false;
    }
    if (!ReadTokens(tokens, server.stationOfToken, error)) {
        error = arguments.tokensPath + ": " + error;
        return false;
    }
    SqlDatabase database;
    if (!OpenDatabase(arguments.database, database, error) || !MigrateSchema(database, error) ||
        !OpenReaders(arguments.database, server.readers, error)) {
        CloseDatabase(database);
        CloseReaders(server.readers);
        return false;
    }
    StartRecordWriter(server.writer, std::move(database));
    // A station keeps its connection open between requests and holds a thread while it does.
    const size_t threads = server.stationOfToken.size() + kSpareThreads;
    server.http.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    server.http.set_payload_max_length(kLargestBody);
    server.http.set_tcp_nodelay(true);
    server.http.set_keep_alive_max_count(100000);
    server.http.set_read_timeout(kSocketTimeoutSeconds);
    server.http.set_write_timeout(kSocketTimeoutSeconds);
    AddRoutes(server);
    server.http.set_socket_options([&server](socket_t socket) {
        httplib::default_socket_options(socket);
        server.listenSocket = socket;
    });
    server.port = arguments.port == 0
                      ? server.http.bind_to_any_port(arguments.host)
                      : (server.http.bind_to_port(arguments.host, arguments.port) ? arguments.port : -1);
    if (server.port <= 0) {
        error = "cannot listen on " + arguments.host + ":" + std::to_string(arguments.port);
        StopRecordWriter(server.writer);
        CloseReaders(server.readers);
        return false;
    }
    // The library listens with a queue of 5 connections: all the stations that connect at once after a
    // restart would wait a second for their retry. Listening again only makes the queue longer.
    listen(server.listenSocket, SOMAXCONN);
    return true;
}

void RunLineServer(LineServer& server) {
    server.http.listen_after_bind();
    StopRecordWriter(server.writer);
    CloseReaders(server.readers);
}

void StopLineServer(LineServer& server) {
    server.http.stop();
}
