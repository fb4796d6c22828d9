// The end-to-end cases as data: the files a case lays beside the tester, its command line, and the script of
// expectations and operator actions that the driver plays against the running tester.
#pragma once

#include <string>
#include <vector>

enum class StepKind {
    // Start-up and the main window's controls
    ExpectMessageBox,            // a box of the tester shows `caption` and `text`; its OK is then pressed
    ExpectMessageBoxHolding,     // a box of the tester shows `caption` and a text holding `text`; OK pressed
    ExpectNoMessageBox,          // no box of the tester is open now
    ExpectMainWindowShown,       // the main window becomes visible
    ExpectShownWithin,           // it becomes visible within `number` ms of the tester's start (printed)
    ExpectMainWindowNeverShown,  // the main window has not been seen visible so far
    ExpectTitle,                 // the main window's title is `text`
    ExpectControlText,           // control `control` of the main window shows `text`
    ExpectControlValue,          // control `control` shows a number from `number` to `extra`, then `text`
    ExpectHexControlText,        // control `control` shows exactly `number` hexadecimal digits
    ExpectCheckState,            // button `control` has the check state `number`
    ExpectLayoutNames,           // the layout list holds exactly `names`, in any order
    ExpectLayoutCount,           // the layout list holds `number` items
    ExpectSelectedIndex,         // the layout list selects item `number`
    ExpectSelectedLayout,        // the layout list selects the item `text`
    ExpectAppCommandAnswered,    // the main window answers WM_APPCOMMAND with 1
    CloseMainWindow,             // the operator closes the main window
    ExpectExit,                  // the tester ends with exit code `number`
    // The operator's keys, mouse and commands
    PressKey,      // `keys` go down in order (SendInput to the window in front)
    ReleaseKey,    // `keys` go up in order
    TypeKey,       // each of `keys` goes down and up
    PostKeyDown,   // a WM_KEYDOWN of `keys[0]` with the repeat count `number` is posted to the main window
    PressMouse,    // mouse button `number` (-5 left, -4 middle, -3 right) goes down over picture point `area`
    ReleaseMouse,  // mouse button `number` goes up
    ClickControl,  // control `control` of the main window is clicked
    SendCommand,   // the command `control` is sent to the main window, as automation tools send it
    MouseOnControl,  // the left mouse button is pressed and released over control `control`
    ChooseLayout,    // the item `text` of the layout list is chosen
    SetClientSize,   // the main window's client area is made `number` x `extra` pixels
    RepaintWindow,   // the whole main window is invalidated and painted anew
    Pause,           // the operator waits `number` ms
    ExpectSettled,   // the tester's window thread takes a message again: what it was doing is done
    // What the window shows
    ExpectPictureColour,  // the keyboard picture shows the colour `number` (0xRRGGBB)
    ExpectPanelColour,    // the picture control shows the colour `number` somewhere below the picture
    ExpectButtonRow,      // picture and buttons sit where the window's size puts them, `number` slots
    ExpectKeyOverlay,     // picture rectangle `area` is hatched in colour `number`, nothing around it
    ExpectKeyPlain,       // picture rectangle `area` shows the layout picture only
    ExpectOverlayOnTop,   // in `area` the colour `number` shows and the colour `extra` does not
    // Dialogs of the tester, found by their title `caption`
    ExpectDialog,         // the dialog is open
    ExpectNoDialog,       // the dialog is not open now
    ExpectDialogGone,     // the dialog closes
    SetDialogText,        // control `control` of the dialog is given the text `text`
    ClickDialogButton,    // button `control` of the dialog is clicked
    MouseOnDialogButton,  // button `control` of the dialog is clicked with the mouse
    PressDialogKey,       // each of `keys` goes down and up in the dialog
    ExpectDialogText,     // control `control` of the dialog shows `text`
    ExpectDialogCheck,    // button `control` of the dialog has the check state `number`
    ExpectDialogCentred,  // the dialog lies centred over the main window, kept on the screen
    // Files, lock keys, the process and speed
    ExpectLogFile,       // file `text` holds exactly the lines `names` ("{date}" stands for a date line)
    ExpectLogLineCount,  // file `text` holds the line `caption` exactly `number` times
    ExpectLogPrefixes,   // file `text` holds exactly `number` lines that begin with `caption`
    ExpectNoFile,        // there is no file `text`
    KillTester,          // the tester's process is ended at once
    SetLock,             // lock key `control` (a virtual-key code) is made on (`number` 1) or off
    ExpectLedBlinking,   // Caps Lock changes at least twice
    ExpectLocks,         // Caps, Num and Scroll Lock are `number` bits 0, 1, 2, and stay so for a second
    MeasureSpeed,        // `number` presses of `keys[0]` and `keys[1]` reach the tester; `keys[2]` ends them
    Soak,                // `number` random events from the seed `extra` over `keys` (a negative code is a
                         // mouse button, clicked over the picture) all reach the tester, which stays up and
                         // keeps its working set flat
    // Plug-in mode's shared block, timed ends, the main window's place
    ExpectHostBytes,      // the host block holds the bytes `text` from offset `number`
    SetRunFlag,           // the host sets the block's run flag to `number`
    ExpectEndWithin,      // the tester ends with code 0 between `number` and `extra` ms after the step begins
    ExpectKeysElsewhere,  // a window of the driver's own, in front, gets each of `keys` within `number` ms
    SendTimedKeys,        // the `moves` go to the main window at once, stamped with their own times
    MoveMainWindow,  // the main window's top-left corner is moved to the screen point (`number`, `extra`)
    // The case's line server (kblline, native, on 127.0.0.1) and the tester started again
    StartLine,          // the line server starts on the case's database and tokens and answers
    StopLine,           // the line server is stopped (SIGTERM) and no longer answers
    ExpectLineRecords,  // the line's records.csv is byte for byte the tester's record file `text`
    RestartTester,      // the tester, ended, is started again in its folder with the case's arguments
};

// A key as the driver sends it.
struct KeyStroke {
    int virtualKey = 0;
    int scanCode = 0;
    bool extended = false;
    std::string label;  // the key's label in the case's layout; empty for a key the layout lacks
};

// A rectangle, or with no size a point, in the 700 x 340 source area of a layout picture.
struct PictureRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Where a step is written: a step maker's last parameter defaults to the file and line of its call, so that a
// failure names the line of the case table that holds the step.
struct SourcePlace {
    const char* file = __builtin_FILE();
    int line = __builtin_LINE();
};

// A key going down or up at a time of its own, `atMs` after the first move of its step.
struct KeyMove {
    KeyStroke key;
    bool up = false;
    int atMs = 0;
};

struct Step {
    StepKind kind;
    int control = 0;
    long number = 0;
    long extra = 0;
    std::string caption;
    std::string text;                // "{dir}" stands for the folder the tester runs from
    std::vector<std::string> names;  // layout names, or lines of a file
    std::vector<KeyStroke> keys;
    std::vector<KeyMove> moves;
    PictureRect area;
    SourcePlace writtenAt;
};

// One file laid beside the tester: `name` with `text` ("{dir}" stands for the tester's folder), and a picture
// of the same name when `withBitmap`: the bytes of `picture`, or when that is empty a plain picture of
// kPictureColour.
struct LayoutFile {
    std::string name;
    std::string text;
    bool withBitmap = true;
    std::string picture{};
};

// Where a case lays the build's hook library filter.dll.
enum class FilterPlace { None, BesideTester, CurrentFolder };

struct E2eCase {
    std::string name;
    std::vector<LayoutFile> files;
    std::string arguments;
    std::vector<Step> steps;
    std::string hostBlockName{};  // when set, the driver creates this shared block before the start
    int hostBlockFill = 0;        // the byte the block is filled with, before its run flag is set to 1
    FilterPlace filterPlace = FilterPlace::None;
    std::string testerName{};      // the tester's file name in the case folder; the build's own when empty
    bool shippedSettings = false;  // the settings file that ships is laid beside the tester
    bool lineServer = false;       // the case has a line server: "{port}" in its files is a free port for it
};

// The settings file that ships, which the build puts beside the tester.
constexpr const char* kShippedSettings = "dorvelquinta.ini";

// The colour of every layout picture the cases write.
constexpr long kPictureColour = 0xC9248F;

std::vector<E2eCase> ListCases();

// The layout laid in the tester's current folder, which the tester must not see.
std::vector<LayoutFile> ListDecoyFiles();

// Appends `tail` to `head`.
std::vector<Step> JoinSteps(std::vector<Step> head, const std::vector<Step>& tail);

// `steps`, each marked as written at `writtenAt`, so that shared steps name the line of the case using them.
std::vector<Step> MarkWritten(std::vector<Step> steps, SourcePlace writtenAt);
