// kblline's command line and its tokens file.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

// Exit codes of kblline.
constexpr int kLineDone = 0;
constexpr int kLineFailed = 1;  // the database could not be opened or brought up to date, or the port taken
constexpr int kLineUsageError = 2;

// The shortest token the tokens file may give a station.
constexpr size_t kShortestToken = 16;

enum class LineCommand { Help, Serve, Copy };

struct LineArguments {
    LineCommand command = LineCommand::Help;
    std::string database;  // serve: the database; copy: the one copied from
    std::string target;    // copy: the database copied to
    std::string host;      // serve: where to listen
    int port = 0;
    std::string tokensPath;
    int64_t retestLimit = 3;
    std::string layoutsFolder = ".";  // where the live page finds the layouts for its heat maps
};

extern const char* const kLineUsage;

// Reads the arguments after the program's name. False, with `error` set, for an unknown command or option,
// an option without its value or with a bad one, or one that the command needs missing.
bool ParseLineArguments(int argc, const char* const* argv, LineArguments& arguments, std::string& error);

// Reads the tokens file's text, one "STATION TOKEN" a line ('#' starts a comment), into `stationOfToken`.
// False, with `error` naming the line, for a line of other than two words, a token shorter than
// kShortestToken or given twice; false too for a file that names no station.
bool ReadTokens(const std::string& text, std::unordered_map<std::string, std::string>& stationOfToken,
                std::string& error);
