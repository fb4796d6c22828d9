// Playing the steps that read the main window's controls. Texts are polled until they show what is expected,
// since the tester handles the operator's input after the driver has sent it.
#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "tests/e2e/shown_text.h"
#include "tests/e2e/step_players.h"
#include "tests/e2e/tester_controls.h"
#include "tests/e2e/window_probe.h"

namespace {

std::string DescribeItems(const std::vector<std::string>& items) {
    std::string described = "[";
    for (const std::string& item : items) {
        described += (described.size() > 1 ? ", " : "") + QuoteText(item);
    }
    return described + "]";
}

std::string ControlName(int control) {
    return "control " + std::to_string(control);
}

// Polls control `control` until `accept` takes its text; the failure names `expected` and the last text seen.
template <typename Accept>
std::string PollControlText(Session& session, HWND mainWindow, int control, const std::string& expected,
                            Accept accept) {
    bool found = false;
    std::string seen;
    const bool held = PollUntil(session, [&] {
        seen = ReadControlText(mainWindow, control, found);
        return found && accept(seen);
    });
    if (held) {
        return "";
    }
    if (!found) {
        return "expected " + ControlName(control) + "; it does not exist";
    }
    return "expected " + ControlName(control) + " " + expected + "; saw " + QuoteText(seen);
}

// Empty when the layout list selects item `expectedIndex`; `name` follows the index in the failure.
std::string CompareSelection(HWND layoutList, long expectedIndex, const std::string& name) {
    const std::vector<std::string> items = ReadComboItems(layoutList);
    const long selection = ReadComboSelection(layoutList);
    if (selection == expectedIndex) {
        return "";
    }
    return "expected the selection " + std::to_string(expectedIndex) + name + "; saw " +
           std::to_string(selection) + " of " + DescribeItems(items);
}

}  // namespace

std::string PlayTitle(Session&, HWND mainWindow, const Step& step) {
    return CompareText("the title", step.text, ReadWindowText(mainWindow));
}

std::string PlayControlText(Session& session, HWND mainWindow, const Step& step) {
    return PollControlText(session, mainWindow, step.control, QuoteText(step.text),
                           [&](const std::string& seen) { return seen == step.text; });
}

// A number from step.number to step.extra followed by the unit step.text, as "312ms" or "4.5".
std::string PlayControlValue(Session& session, HWND mainWindow, const Step& step) {
    const std::string expected = "a value from " + std::to_string(step.number) + " to " +
                                 std::to_string(step.extra) + " with the unit " + QuoteText(step.text);
    return PollControlText(session, mainWindow, step.control, expected, [&](const std::string& seen) {
        if (seen.empty() || !(std::isdigit(static_cast<unsigned char>(seen[0])) || seen[0] == '-')) {
            return false;
        }
        char* end = nullptr;
        const double value = std::strtod(seen.c_str(), &end);
        return std::string(end) == step.text && value >= step.number && value <= step.extra;
    });
}

std::string PlayHexControlText(Session& session, HWND mainWindow, const Step& step) {
    const std::string expected = std::to_string(step.number) + " hexadecimal digits";
    return PollControlText(session, mainWindow, step.control, expected, [&](const std::string& seen) {
        const bool isHex = std::all_of(seen.begin(), seen.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        });
        return isHex && static_cast<long>(seen.size()) == step.number;
    });
}

std::string PlayCheckState(Session& session, HWND mainWindow, const Step& step) {
    return PollCheckState(session, mainWindow, step.control, step.number, "");
}

std::string PlayLayoutNames(Session&, HWND mainWindow, const Step& step) {
    std::vector<std::string> seen = ReadComboItems(GetDlgItem(mainWindow, IDC_LAYOUT_LIST));
    std::vector<std::string> expected = step.names;
    std::sort(seen.begin(), seen.end());
    std::sort(expected.begin(), expected.end());
    return seen == expected
               ? ""
               : "expected the layouts " + DescribeItems(expected) + "; saw " + DescribeItems(seen);
}

std::string PlayLayoutCount(Session&, HWND mainWindow, const Step& step) {
    const long count = ReadComboCount(GetDlgItem(mainWindow, IDC_LAYOUT_LIST));
    return count == step.number
               ? ""
               : "expected " + std::to_string(step.number) + " layouts; saw " + std::to_string(count);
}

// The selection is polled: a layout chosen just before is taken, and maybe taken back, by the tester's
// handling of the posted change notification.
std::string PollSelection(Session& session, HWND layoutList, long expectedIndex, const std::string& name) {
    std::string failure;
    PollUntil(session, [&] {
        failure = CompareSelection(layoutList, expectedIndex, name);
        return failure.empty();
    });
    return failure;
}

std::string PlaySelectedIndex(Session& session, HWND mainWindow, const Step& step) {
    return PollSelection(session, GetDlgItem(mainWindow, IDC_LAYOUT_LIST), step.number, "");
}

std::string PlaySelectedLayout(Session& session, HWND mainWindow, const Step& step) {
    HWND layoutList = GetDlgItem(mainWindow, IDC_LAYOUT_LIST);
    const std::vector<std::string> items = ReadComboItems(layoutList);
    const auto item = std::find(items.begin(), items.end(), step.text);
    if (item == items.end()) {
        return "expected the layout " + QuoteText(step.text) + " in the list; saw " + DescribeItems(items);
    }
    return PollSelection(session, layoutList, static_cast<long>(item - items.begin()),
                         " (" + QuoteText(step.text) + ")");
}

// A media key's application command must be answered as handled and go no further.
std::string PlayAppCommand(Session&, HWND mainWindow, const Step&) {
    DWORD_PTR result = 0;
    const LPARAM command = MAKELPARAM(0, APPCOMMAND_VOLUME_MUTE | FAPPCOMMAND_KEY);
    if (!SendMessageTimeoutA(mainWindow, WM_APPCOMMAND, reinterpret_cast<WPARAM>(mainWindow), command,
                             SMTO_ABORTIFHUNG, StepTimeoutMs(), &result)) {
        return "expected an answer to WM_APPCOMMAND; the main window gave none";
    }
    return result == 1 ? "" : "expected the answer 1 to WM_APPCOMMAND; saw " + std::to_string(result);
}

std::string PlayCloseMainWindow(Session&, HWND mainWindow, const Step&) {
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    return "";
}
