// layoutgen: writes the demo layout (.kbl and .bmp) into a folder, or the program's icon into an .ico file.
// The other shipped layouts are made by kblmake from their keyboard-layout-editor files.
//   layoutgen <output-folder>
//   layoutgen --icon <path.ico>
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/layoutgen/demo_layout.h"
#include "tools/layoutgen/icon_file.h"
#include "tools/layoutgen/layout_file.h"

namespace {

int WriteDemoLayout(const std::string& folder) {
    const LayoutSheet sheet = DemoLayout();
    if (!WriteLayoutFiles(folder, sheet)) {
        std::fprintf(stderr, "layoutgen: cannot write %s/%s.kbl or its picture\n", folder.c_str(),
                     sheet.name.c_str());
        return 1;
    }
    std::printf("%s: %zu entries\n", sheet.name.c_str(), sheet.keys.size());
    return 0;
}

int WriteIcon(const std::string& path) {
    if (!WriteIconFile(path, DrawProgramIcon())) {
        std::fprintf(stderr, "layoutgen: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && argv[1][0] != '-') {
        return WriteDemoLayout(argv[1]);
    }
    if (argc == 3 && std::strcmp(argv[1], "--icon") == 0) {
        return WriteIcon(argv[2]);
    }
    std::fprintf(stderr, "usage: layoutgen <output-folder>\n       layoutgen --icon <path.ico>\n");
    return 2;
}
