// Loading the layout catalogue from the layout files and bitmaps of a directory.
#include "layouts/layout_catalogue.h"

#include "base/paths.h"
#include "base/product.h"
#include "base/text_format.h"
#include "layouts/layout_reader.h"
#include "layouts/test_plan.h"

LayoutCatalogue catalogue;

bool LoadLayoutFile(WindowHandle owner, const std::string& layoutPath, const std::string& fileName,
                    KeyboardLayout& layout) {
    LayoutRowList rows;
    const int lineCount = rows.ReadLayoutFile(layoutPath.c_str());
    if (lineCount <= 0) {
        ShowMessage(owner, FormatText("Skipping the file \n%s\nas it contains no data.", layoutPath.c_str()),
                    "警告", kMessageOk | kMessageIconWarning);
        return false;
    }
    const bool built = BuildKeyboardLayout(owner, rows, layout, lineCount, fileName);
    rows.FreeLayoutRows();
    if (built) {
        ReadTestPlan(owner, WithExtension(layoutPath, kPlanExtension), layout);
    }
    return built;
}

int LoadLayoutCatalogue(WindowHandle owner, const std::string& directory) {
    FreeLayoutCatalogue();
    catalogue.layouts.reserve(kMaxLayouts);
    for (const std::string& foundName : FindLayoutFiles(directory)) {
        const std::string layoutPath = JoinPath(directory, foundName);
        const std::string bitmapName = BitmapNameFor(foundName);
        if (!FileExists(JoinPath(directory, bitmapName))) {
            ShowMessage(owner,
                        FormatText("Cannot find the bitmap file\n%s\ncorresponding to the keyboard layout "
                                   "file\n%s.\nSkipping file.",
                                   bitmapName.c_str(), layoutPath.c_str()),
                        "警告", kMessageOk | kMessageIconWarning);
            continue;
        }
        if (catalogue.layoutCount >= kMaxLayouts) {
            ShowMessage(owner,
                        "More than 100 valid .kbl files have been found.\nOnly the first one hundred will be "
                        "taken.",
                        "Alert", kMessageOk | kMessageIconInformation);
            break;
        }
        KeyboardLayout layout;
        if (LoadLayoutFile(owner, layoutPath, foundName, layout)) {
            catalogue.layouts.push_back(std::move(layout));
            ++catalogue.layoutCount;
        }
    }
    if (catalogue.layoutCount <= 0) {
        ShowMessage(owner,
                    "No valid keyboard layout (.kbl) files have been\nfound in the Dorvelquinta "
                    "directory.\n\nAt least one .kbl file is required to run Dorvelquinta.",
                    kLayoutErrorCaption, kMessageOk | kMessageIconWarning);
    }
    return catalogue.layoutCount;
}

void MakeLayoutCurrent(int32_t index) {
    // Counted across the catalogue's resets, so that the engine never takes a new layout for the one before.
    static uint32_t madeCurrent = 0;
    madeCurrent = madeCurrent == UINT32_MAX ? 1 : madeCurrent + 1;
    catalogue.currentStamp = madeCurrent;
    catalogue.currentLayout = index;
    catalogue.currentKeys = &catalogue.layouts[static_cast<size_t>(index)].keys;
    catalogue.currentPlan = &catalogue.layouts[static_cast<size_t>(index)].plan;
}

void FreeLayoutCatalogue() {
    catalogue = LayoutCatalogue();
}
