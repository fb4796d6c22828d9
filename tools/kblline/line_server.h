// kblline's HTTP server: the stations' JSON API, the records as CSV, the live page and the health check,
// each request of a station authenticated by its token.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/kblline/line_options.h"
#include "tools/kblline/record_writer.h"
#include "tools/kblline/sql_database.h"
#include "tools/kblreport/layout_pictures.h"

// The largest body a request may have; larger ones are answered 413.
constexpr size_t kLargestBody = 64 * 1024;

// The connections the requests that only read share: the gate, the CSV, the page and the health check.
struct ReaderPool {
    std::mutex lock;
    std::condition_variable returned;
    std::vector<SqlDatabase> idle;
};

struct LineServer {
    LineArguments arguments;
    std::unordered_map<std::string, std::string> stationOfToken;
    httplib::Server http;
    RecordWriter writer;
    ReaderPool readers;
    std::mutex pictureLock;
    std::map<std::string, LayoutPicture> pictures;  // the layouts the live page has shown, by file name
    int port = 0;                                   // the port it listens on
    int listenSocket = -1;
};

// Reads the tokens, opens the database and brings its schema up to date, and binds the port (a free one
// for port 0). False, with `error` set, when any of it fails.
bool StartLineServer(const LineArguments& arguments, LineServer& server, std::string& error);

// Answers requests until StopLineServer, then closes the database.
void RunLineServer(LineServer& server);

// Makes RunLineServer return once the requests being answered are answered; safe from any thread.
void StopLineServer(LineServer& server);
