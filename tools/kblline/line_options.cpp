// kblline's arguments: a command, then its options, each with its value.
#include "tools/kblline/line_options.h"

#include <cstdlib>
#include <sstream>
#include <vector>

#include "tools/kblline/sql_database.h"

const char* const kLineUsage =
    "usage: kblline serve --db DATABASE --listen HOST:PORT --tokens FILE [--retest-limit N] [--layouts "
    "FOLDER]\n"
    "       kblline copy --from DATABASE --to DATABASE\n"
    "\n"
    "serve   answers the line's stations: the serial gate, their records, the records as CSV, the live page\n"
    "copy    copies every record of one line database into another (again and again: each is kept once)\n"
    "\n"
    "DATABASE is sqlite:PATH or postgresql://USER@HOST/NAME. The tokens FILE holds one \"STATION TOKEN\" a "
    "line.\n"
    "--retest-limit  how often a serial may fail and still be tested again (3)\n"
    "--layouts       the folder of the layouts (.kbl) and their pictures, for the live page's heat maps "
    "(.)\n";

namespace {

bool ReadWholeNumber(const std::string& text, int64_t largest, int64_t& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    value = std::atoll(text.c_str());
    return value <= largest;
}

// "HOST:PORT", the host a name or an IPv4 address (an IPv6 one in brackets: [::1]:8080).
bool ReadListen(const std::string& text, LineArguments& arguments) {
    const size_t colon = text.rfind(':');
    int64_t port = 0;
    if (colon == std::string::npos || colon == 0 || !ReadWholeNumber(text.substr(colon + 1), 65535, port)) {
        return false;
    }
    arguments.host = text.substr(0, colon);
    if (arguments.host.size() > 2 && arguments.host.front() == '[' && arguments.host.back() == ']') {
        arguments.host = arguments.host.substr(1, arguments.host.size() - 2);
    }
    arguments.port = static_cast<int>(port);
    return true;
}

bool ReadOption(const std::string& option, const std::string& value, LineArguments& arguments,
                std::string& error) {
    const bool serve = arguments.command == LineCommand::Serve;
    if ((serve && option == "--db") || (!serve && option == "--from") || (!serve && option == "--to")) {
        if (!IsDatabaseUrl(value)) {
            error = option + " " + value + ": not a database (give sqlite:PATH or postgresql://...)";
            return false;
        }
        (option == "--to" ? arguments.target : arguments.database) = value;
    } else if (serve && option == "--listen") {
        if (!ReadListen(value, arguments)) {
            error = "--listen " + value + ": not HOST:PORT";
            return false;
        }
    } else if (serve && option == "--tokens") {
        arguments.tokensPath = value;
    } else if (serve && option == "--retest-limit") {
        if (!ReadWholeNumber(value, 1000000, arguments.retestLimit)) {
            error = "--retest-limit " + value + ": not a whole number";
            return false;
        }
    } else if (serve && option == "--layouts") {
        arguments.layoutsFolder = value;
    } else {
        error = "unknown option " + option;
        return false;
    }
    return true;
}

}  // namespace

bool ParseLineArguments(int argc, const char* const* argv, LineArguments& arguments, std::string& error) {
    arguments = LineArguments();
    const std::vector<std::string> words(argv, argv + argc);
    if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
        return true;
    }
    if (words[0] != "serve" && words[0] != "copy") {
        error = "unknown command " + words[0];
        return false;
    }
    arguments.command = words[0] == "serve" ? LineCommand::Serve : LineCommand::Copy;
    for (size_t i = 1; i < words.size(); i += 2) {
        if (i + 1 >= words.size()) {
            error = "option " + words[i] + " needs a value";
            return false;
        }
        if (!ReadOption(words[i], words[i + 1], arguments, error)) {
            return false;
        }
    }
    const bool serve = arguments.command == LineCommand::Serve;
    const char* missing = arguments.database.empty()              ? (serve ? "--db" : "--from")
                          : serve && arguments.host.empty()       ? "--listen"
                          : serve && arguments.tokensPath.empty() ? "--tokens"
                          : !serve && arguments.target.empty()    ? "--to"
                                                                  : nullptr;
    if (missing != nullptr) {
        error = std::string(missing) + " is missing";
        return false;
    }
    return true;
}

bool ReadTokens(const std::string& text, std::unordered_map<std::string, std::string>& stationOfToken,
                std::string& error) {
    stationOfToken.clear();
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string station;
        std::string token;
        std::string more;
        if (!(words >> station)) {
            continue;
        }
        const std::string where = "line " + std::to_string(number) + ": ";
        if (!(words >> token) || words >> more) {
            error = where + "not STATION TOKEN";
            return false;
        }
        if (token.size() < kShortestToken) {
            error = where + "the token of " + station + " is shorter than " + std::to_string(kShortestToken) +
                    " characters";
            return false;
        }
        if (!stationOfToken.emplace(token, station).second) {
            error = where + "the token of " + station + " is given twice";
            return false;
        }
    }
    if (stationOfToken.empty()) {
        error = "no station: give one STATION TOKEN a line";
        return false;
    }
    return true;
}
