// The layout checker: each path is loaded as the tester would load it, and the messages it would show are
// printed instead of shown.
#include "tools/kblcheck/layout_check.h"

#include "base/platform.h"
#include "base/program.h"
#include "engine/core_state.h"
#include "layouts/layout_catalogue.h"
#include "layouts/layout_reader.h"
#include "tools/kblcheck/check_output.h"

namespace {

// Where the messages of the running check go.
struct MessageSink {
    std::string* output = nullptr;
    int messageCount = 0;
};

MessageSink sink;

std::string PluralOf(size_t count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

bool HasLayoutExtension(const std::string& path) {
    const std::string extension = ".kbl";
    if (path.size() <= extension.size()) {
        return false;
    }
    for (size_t i = 0; i < extension.size(); ++i) {
        char c = path[path.size() - extension.size() + i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != extension[i]) {
            return false;
        }
    }
    return true;
}

// The file name of a path, as the directory search would have found it.
std::string FileNameOf(const std::string& path) {
    size_t nameStart = 0;
    for (size_t i = 0; i < path.size(); ++i) {
#if defined(_WIN32)
        const unsigned char byte = static_cast<unsigned char>(path[i]);
        if (byte >= 0x81 && byte <= 0xFE) {
            ++i;  // a double-byte character, whose second byte may look like a separator
            continue;
        }
        if (path[i] == '\\' || path[i] == ':') {
            nameStart = i + 1;
        }
#endif
        if (path[i] == '/') {
            nameStart = i + 1;
        }
    }
    return path.substr(nameStart);
}

// Reads and builds one layout file alone. Returns the number of layouts built: 0 or 1.
size_t CheckLayoutFile(const std::string& path, bool dump, std::string& output) {
    KeyboardLayout layout;
    if (!LoadLayoutFile(nullptr, path, FileNameOf(path), layout)) {
        return 0;
    }
    if (dump) {
        AppendLayoutDump(layout, output);
    }
    return 1;
}

// Loads a folder as the tester's catalogue. Returns the number of layouts built.
size_t CheckLayoutFolder(const std::string& path, bool dump, std::string& output) {
    const int layoutCount = LoadLayoutCatalogue(nullptr, path);
    if (dump) {
        for (int i = 0; i < layoutCount; ++i) {
            AppendLayoutDump(catalogue.layouts[static_cast<size_t>(i)], output);
        }
    }
    FreeLayoutCatalogue();
    return layoutCount > 0 ? static_cast<size_t>(layoutCount) : 0;
}

}  // namespace

void ShowMessage(WindowHandle, const std::string& text, const char* caption, uint32_t) {
    ++sink.messageCount;
    if (sink.output != nullptr) {
        *sink.output += FormatMessageBlock(caption, text);
    }
}

CheckResult CheckLayouts(const CheckOptions& options) {
    CheckResult result;
    ResetCoreState();
    program.productionMode = options.production ? 1 : 0;
    sink.output = &result.output;
    for (const std::string& path : options.paths) {
        result.output += "== " + path + "\n";
        sink.messageCount = 0;
        const bool isFile = FileExists(path) || HasLayoutExtension(path);
        const size_t layoutCount = isFile ? CheckLayoutFile(path, options.dump, result.output)
                                          : CheckLayoutFolder(path, options.dump, result.output);
        const size_t messageCount = static_cast<size_t>(sink.messageCount);
        result.output +=
            "-- " + PluralOf(layoutCount, "layout") + " loaded, " + PluralOf(messageCount, "message") + "\n";
        if (messageCount > 0) {
            result.exitCode = kCheckFoundProblems;
        }
    }
    sink = MessageSink();
    return result;
}

CheckResult RunLayoutChecker(int argc, const char* const* argv) {
    CheckOptions options;
    std::string error;
    if (!ParseCheckArguments(argc, argv, options, error)) {
        CheckResult result;
        result.exitCode = kCheckUsageError;
        result.errors = error + "\n" + kCheckUsage;
        return result;
    }
    if (options.help) {
        CheckResult result;
        result.output = kCheckUsage;
        return result;
    }
    return CheckLayouts(options);
}
