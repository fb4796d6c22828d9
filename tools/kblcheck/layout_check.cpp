// The layout checker: each path is loaded as the tester would load it, and the messages it would show are
// printed instead of shown.
#include "tools/kblcheck/layout_check.h"

#include "base/paths.h"
#include "base/platform.h"
#include "base/program.h"
#include "engine/core_state.h"
#include "layouts/layout_catalogue.h"
#include "layouts/layout_reader.h"
#include "tools/common/message_sink.h"
#include "tools/kblcheck/check_output.h"

namespace {

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

// The file name of a path, as the directory search would have found it. On Windows the path is in the ANSI
// code page and walked by its characters, as the system tells them apart, so that the second byte of a
// double-byte character is never taken for a separator; elsewhere it is UTF-8, whose bytes past the first
// of a character never look like one.
std::string FileNameOf(const std::string& path) {
    size_t nameStart = 0;
#if defined(_WIN32)
    for (size_t i = 0; i < path.size(); i += CharacterLength(path.c_str() + i)) {
        if (path[i] == '\\' || path[i] == ':' || path[i] == '/') {
            nameStart = i + 1;
        }
    }
#else
    const size_t slash = path.rfind('/');
    nameStart = slash == std::string::npos ? 0 : slash + 1;
#endif
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

CheckResult CheckLayouts(const CheckOptions& options) {
    CheckResult result;
    ResetCoreState();
    program.productionMode = options.production ? 1 : 0;
    messageSink.handler = [&result](const std::string& text, const char* caption) {
        result.output += FormatMessageBlock(caption, text);
    };
    for (const std::string& path : options.paths) {
        result.output += "== " + path + "\n";
        messageSink.messageCount = 0;
        const bool isFile = FileExists(path) || HasLayoutExtension(path);
        const size_t layoutCount = isFile ? CheckLayoutFile(path, options.dump, result.output)
                                          : CheckLayoutFolder(path, options.dump, result.output);
        const size_t messageCount = static_cast<size_t>(messageSink.messageCount);
        result.output +=
            "-- " + PluralOf(layoutCount, "layout") + " loaded, " + PluralOf(messageCount, "message") + "\n";
        if (messageCount > 0) {
            result.exitCode = kCheckFoundProblems;
        }
    }
    messageSink = MessageSink();
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
