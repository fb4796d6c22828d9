// The run of kblmake. The two files are written under a folder of their own beside the output, checked there
// as the tester would load that folder, and moved into place only when the check is clean; a failure leaves
// neither new file behind and an earlier pair of the same name as it was.
#include "tools/kblmake/kblmake_run.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "layouts/layout_catalogue.h"
#include "tools/common/bitmap_file.h"
#include "tools/common/keyboard_art.h"
#include "tools/common/output_file.h"
#include "tools/kblcheck/layout_check.h"
#include "tools/kblmake/kle_board.h"
#include "tools/kblmake/layout_making.h"
#include "tools/kblmake/plan_file.h"

namespace fs = std::filesystem;

const char* const kMakeUsage =
    "Usage: kblmake [options] INPUT.json OUTPUT-NAME\n"
    "\n"
    "Makes a keyboard layout for the tester from a keyboard-layout-editor JSON\n"
    "file (or the editor's raw data): OUTPUT-NAME.kbl and its picture\n"
    "OUTPUT-NAME.bmp (700 x 340, 24-bit). Each key's codes come from its legend;\n"
    "a legend kblmake does not know stops the run with the key's row and column,\n"
    "and a mapping settles it. Fn and layer keys (Raise, Lower) send nothing and\n"
    "need no test. Keys that overlap by less than 0.15 key units are shrunk to\n"
    "touch; turned keys get the largest upright rectangle inside their caps.\n"
    "\n"
    "Options:\n"
    "  --map LEGEND=VK,SCAN[,E[,CAPTION]]\n"
    "  --map @ROW,COLUMN=VK,SCAN[,E[,CAPTION]]\n"
    "                 the codes of the key whose whole legend is LEGEND (\\n\n"
    "                 between its lines), or of the key at that place in the\n"
    "                 file (a cap without legend): VK a key name such as\n"
    "                 VK_OEM_5, a number or a capital letter or digit, SCAN\n"
    "                 its scan code, E when it is an extended key; CAPTION\n"
    "                 what the tester shows for it (repeatable)\n"
    "  --map-file FILE  mappings, one a line as for --map; lines starting with #\n"
    "                 are comments (repeatable)\n"
    "  --keys LAYOUT  the Windows layout the keyboard is made for, which gives\n"
    "                 its character keys their codes: US, UK, German, French\n"
    "                 (AZERTY), Nordic (Swedish and Finnish) or Japanese\n"
    "                 (default: US, or Japanese for a board with a Muhenkan or\n"
    "                 Henkan key); a mapping comes before it\n"
    "  --not-required LEGEND\n"
    "                 the key with this legend or caption needs no test; one\n"
    "                 that no rule maps is drawn and sends nothing (repeatable)\n"
    "  --title TEXT   the title on the picture (default: the keyboard's name in\n"
    "                 the file's metadata)\n"
    "  --plan ORDER   also write the test plan OUTPUT-NAME.plan: a guided or\n"
    "                 strict test (ORDER guided or strict) of the keys that need\n"
    "                 a test, in the reading order of the picture (rows top to\n"
    "                 bottom, each left to right)\n"
    "  --help         print this text and make nothing\n"
    "\n"
    "Exit status: 0 made, 1 the input cannot make a layout (nothing is\n"
    "written), 2 the command line is wrong.\n";

namespace {

struct MakeArguments {
    std::string input;
    std::string output;
    std::string planOrder;  // "" for no plan
    MakeOptions options;
    std::vector<std::string> mapFiles;
    bool help = false;
};

bool ParseArguments(int argc, const char* const* argv, MakeArguments& arguments, std::string& error) {
    std::vector<std::string> paths;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool takesValue = argument == "--map" || argument == "--map-file" || argument == "--keys" ||
                                argument == "--not-required" || argument == "--title" || argument == "--plan";
        if (optionsEnded || argument.empty() || argument[0] != '-') {
            paths.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            arguments.help = true;
        } else if (!takesValue) {
            error = "unknown option " + argument;
            return false;
        } else if (i + 1 >= argc) {
            error = argument + " needs a value";
            return false;
        } else if (argument == "--map") {
            MapEntry entry;
            if (!ParseMapEntry(argv[++i], entry, error)) {
                error = "--map " + error;
                return false;
            }
            arguments.options.rules.maps.push_back(entry);
        } else if (argument == "--keys") {
            arguments.options.rules.keysGiven = true;
            if (!FindKeyPreset(argv[++i], arguments.options.rules.keys)) {
                error = "--keys " + std::string(argv[i]) + " is no layout kblmake knows: give one of " +
                        kKeyPresetNames;
                return false;
            }
        } else if (argument == "--plan") {
            arguments.planOrder = argv[++i];
            if (!IsPlanOrder(arguments.planOrder)) {
                error =
                    "--plan " + arguments.planOrder + " is no order a plan is made for: give " + kPlanOrders;
                return false;
            }
        } else if (argument == "--map-file") {
            arguments.mapFiles.push_back(argv[++i]);
        } else if (argument == "--not-required") {
            arguments.options.rules.notRequired.push_back(UnescapeLegend(argv[++i]));
        } else {
            arguments.options.title = argv[++i];
        }
    }
    if (!arguments.help && paths.size() != 2) {
        error = "give the JSON file and the output's name";
        return false;
    }
    if (!arguments.help) {
        arguments.input = paths[0];
        arguments.output = paths[1];
    }
    return true;
}

// The output's folder and the layout's name; a ".kbl" given with the name is dropped.
void SplitOutput(const std::string& output, fs::path& folder, std::string& name) {
    fs::path path(output);
    if (path.extension() == ".kbl") {
        path.replace_extension();
    }
    folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    name = path.filename().string();
}

// True when the layout file at `path` reads back into `layout`, as the tester reads it, as exactly the keys
// made.
bool ReadsBackAsMade(const fs::path& path, const LayoutSheet& sheet, KeyboardLayout& layout) {
    if (!LoadLayoutFile(nullptr, path.string(), path.filename().string(), layout) ||
        layout.keys.size() != sheet.keys.size() + 1) {
        return false;
    }
    for (size_t i = 0; i < sheet.keys.size(); ++i) {
        const KeyEntry& entry = layout.keys[i];
        const LayoutKey& key = sheet.keys[i];
        if (entry.scanCode != key.scanCode || entry.label != key.label || entry.left != key.box.left ||
            entry.top != key.box.top || entry.width != key.box.width || entry.height != key.box.height) {
            return false;
        }
    }
    return true;
}

struct Move {
    fs::path from;
    fs::path to;
};

// Renames each file of `moves` in order; on a failure, renames back what was renamed and gives false.
bool MoveAll(const std::vector<Move>& moves, std::string& error) {
    for (size_t i = 0; i < moves.size(); ++i) {
        std::error_code failure;
        fs::rename(moves[i].from, moves[i].to, failure);
        if (failure) {
            error = "cannot put " + moves[i].to.string() + " in place: " + failure.message();
            std::error_code ignored;
            while (i-- > 0) {
                fs::rename(moves[i].to, moves[i].from, ignored);
            }
            return false;
        }
    }
    return true;
}

// Writes the two files into `staging`, checks them there, and puts them in place of an earlier pair as a
// whole: the earlier files are moved aside into `staging` first, and back on any failure. With a plan's
// `planOrder`, the plan, made from the layout as the tester reads it back, is the third file of the set.
bool WriteChecked(const MadeLayout& made, const std::string& planOrder, const fs::path& folder,
                  const fs::path& staging, size_t& planKeys, std::string& error) {
    const std::string name = made.sheet.name;
    std::error_code failure;
    fs::create_directory(staging, failure);
    const fs::path stagedText = staging / (name + ".kbl");
    const fs::path stagedPicture = staging / (name + ".bmp");
    if (failure || !WriteWholeFile(stagedText.string(), made.text.data(), made.text.size()) ||
        !WriteBitmapFile(stagedPicture.string(), DrawLayoutPicture(made.sheet))) {
        error = "cannot write in " + folder.string();
        return false;
    }
    // The plan names the keys as the tester reads them back; a layout that does not read back gets none, and
    // the check below says why.
    KeyboardLayout layout;
    const bool readsBack = ReadsBackAsMade(stagedText, made.sheet, layout);
    std::vector<const char*> extensions = {".kbl", ".bmp"};
    if (readsBack && !planOrder.empty()) {
        std::string plan;
        if (!FormatPlanText(layout.keys, planOrder, plan, planKeys, error)) {
            return false;
        }
        if (!WriteWholeFile((staging / (name + ".plan")).string(), plan.data(), plan.size())) {
            error = "cannot write in " + folder.string();
            return false;
        }
        extensions.push_back(".plan");
    }
    CheckOptions check;
    check.paths.push_back(staging.string());
    const CheckResult checked = CheckLayouts(check);
    if (checked.exitCode != kCheckClean) {
        error = "the layout would not load cleanly in the tester:\n" + checked.output;
        return false;
    }
    if (!readsBack) {
        error = "the layout file would not read back in the tester as the keys made";
        return false;
    }
    // The earlier files go aside first, then the new ones come in, the layout file last.
    std::vector<Move> moves;
    for (const char* extension : extensions) {
        const fs::path earlier = folder / (name + extension);
        if (fs::is_regular_file(fs::symlink_status(earlier, failure))) {
            moves.push_back(Move{earlier, staging / (name + ".earlier" + extension)});
        }
    }
    for (auto extension = extensions.rbegin(); extension != extensions.rend(); ++extension) {
        moves.push_back(Move{staging / (name + *extension), folder / (name + *extension)});
    }
    return MoveAll(moves, error);
}

// The staging folder beside the output, removed on every way out of the run.
struct StagingFolder {
    fs::path path;
    explicit StagingFolder(fs::path folder) : path(std::move(folder)) {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    ~StagingFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

MakeResult Refuse(const std::string& where, const std::string& message) {
    MakeResult result;
    result.exitCode = kMakeRefused;
    result.errors = "kblmake: " + where + ": " + message + "\n";
    return result;
}

}  // namespace

MakeResult RunKblmake(int argc, const char* const* argv) {
    MakeArguments arguments;
    std::string error;
    if (!ParseArguments(argc, argv, arguments, error)) {
        MakeResult result;
        result.exitCode = kMakeUsageError;
        result.errors = "kblmake: " + error + "\n" + kMakeUsage;
        return result;
    }
    if (arguments.help) {
        MakeResult result;
        result.output = kMakeUsage;
        return result;
    }
    for (const std::string& mapFile : arguments.mapFiles) {
        std::string text;
        if (!ReadWholeFile(mapFile, text)) {
            return Refuse(mapFile, "cannot read the mapping file");
        }
        if (!ParseMapFile(text, arguments.options.rules.maps, error)) {
            return Refuse(mapFile, error);
        }
    }
    std::string json;
    if (!ReadWholeFile(arguments.input, json)) {
        return Refuse(arguments.input, "cannot read the file");
    }
    KleBoard board;
    if (!ReadKleBoard(json, board, error)) {
        return Refuse(arguments.input, error);
    }
    fs::path folder;
    SplitOutput(arguments.output, folder, arguments.options.layoutName);
    arguments.options.sourceName = fs::path(arguments.input).filename().string();
    MadeLayout made;
    if (arguments.options.layoutName.empty() || !MakeLayout(board, arguments.options, made, error)) {
        return Refuse(arguments.input,
                      arguments.options.layoutName.empty() ? "the output needs a name" : error);
    }
    const StagingFolder staging(folder / (arguments.options.layoutName + ".kblmake-check"));
    const fs::path base = folder / arguments.options.layoutName;
    const bool earlierPlan = fs::exists(base.string() + ".plan");
    size_t planKeys = 0;
    if (!WriteChecked(made, arguments.planOrder, folder, staging.path, planKeys, error)) {
        return Refuse(arguments.output, error);
    }
    if (arguments.planOrder.empty() && earlierPlan) {
        made.notes.push_back("the earlier " + base.string() +
                             ".plan stays as it was: check that it names this layout's keys (kblcheck)");
    }
    MakeResult result;
    for (const std::string& note : made.notes) {
        result.output += "kblmake: note: " + note + "\n";
    }
    result.output += "kblmake: wrote " + base.string() + ".kbl and " + base.string() + ".bmp, " +
                     std::to_string(made.sheet.keys.size()) + " keys\n";
    if (!arguments.planOrder.empty()) {
        result.output += "kblmake: wrote " + base.string() + ".plan, a " + arguments.planOrder + " test of " +
                         std::to_string(planKeys) + " keys in the reading order of the picture\n";
    }
    return result;
}
