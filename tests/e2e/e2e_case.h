// The end-to-end cases as data: the files a case lays beside the tester, its command line, and the script of
// expectations and operator actions that the driver plays against the running tester.
#pragma once

#include <string>
#include <vector>

enum class StepKind {
    ExpectMessageBox,            // a box of the tester shows `caption` and `text`; its OK is then pressed
    ExpectNoMessageBox,          // no box of the tester is open now
    ExpectMainWindowShown,       // the main window becomes visible
    ExpectMainWindowNeverShown,  // the main window has not been seen visible so far
    ExpectTitle,                 // the main window's title is `text`
    ExpectControlText,           // control `control` of the main window shows `text`
    ExpectHexControlText,        // control `control` shows exactly `number` hexadecimal digits
    ExpectCheckState,            // button `control` has the check state `number`
    ExpectLayoutNames,           // the layout list holds exactly `names`, in any order
    ExpectLayoutCount,           // the layout list holds `number` items
    ExpectSelectedIndex,         // the layout list selects item `number`
    ExpectSelectedLayout,        // the layout list selects the item `text`
    ExpectPictureColour,         // the keyboard picture shows the colour `number` (0xRRGGBB)
    CloseMainWindow,             // the operator closes the main window
    ExpectExit,                  // the tester ends with exit code `number`
};

struct Step {
    StepKind kind;
    int control = 0;
    long number = 0;
    std::string caption;
    std::string text;  // "{dir}" stands for the folder the tester runs from
    std::vector<std::string> names;
};

// One file laid beside the tester: `name` with `text`, and a picture of the same name when `withBitmap`.
struct LayoutFile {
    std::string name;
    std::string text;
    bool withBitmap = true;
};

struct E2eCase {
    std::string name;
    std::vector<LayoutFile> files;
    std::string arguments;
    std::vector<Step> steps;
};

// The colour of every layout picture the cases write.
constexpr long kPictureColour = 0xC9248F;

std::vector<E2eCase> ListCases();

// The layout laid in the tester's current folder, which the tester must not see.
std::vector<LayoutFile> ListDecoyFiles();

Step ExpectMessageBox(const std::string& caption, const std::string& text);
Step ExpectNoMessageBox();
Step ExpectMainWindowShown();
Step ExpectMainWindowNeverShown();
Step ExpectTitle(const std::string& title);
Step ExpectControlText(int control, const std::string& text);
Step ExpectHexControlText(int control, int digits);
Step ExpectCheckState(int control, int state);
Step ExpectLayoutNames(const std::vector<std::string>& names);
Step ExpectLayoutCount(int count);
Step ExpectSelectedIndex(int index);
Step ExpectSelectedLayout(const std::string& name);
Step ExpectPictureColour(long colour);
Step CloseMainWindow();
Step ExpectExit(int exitCode);

// Appends `tail` to `head`.
std::vector<Step> JoinSteps(std::vector<Step> head, const std::vector<Step>& tail);
