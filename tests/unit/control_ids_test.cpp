// The numbers of the tester's controls and dialog resources: tools that drive the tester (a host, a line's
// test robot, the end-to-end driver) find its controls by them, so each is a contract, like the host block's
// offsets.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"

namespace {

struct ControlNumber {
    const char* name;
    int id;
    int number;
};

const ControlNumber kControlNumbers[] = {
    {"Help", IDC_HELP_BUTTON, 1000},
    {"Exit", IDC_EXIT, 1003},
    {"layout list", IDC_LAYOUT_LIST, 1004},
    {"Clear", IDC_CLEAR, 1005},
    {"picture", IDC_PICTURE, 1006},
    {"Fault check", IDC_FAULT_CHECK, 1007},
    {"Windows code", IDC_WINDOWS_CODE, 1008},
    {"BIOS code", IDC_BIOS_CODE, 1009},
    {"hold time", IDC_HOLD_TIME, 1010},
    {"last released", IDC_LAST_RELEASED, 1011},
    {"last pressed", IDC_LAST_PRESSED, 1012},
    {"status line", IDC_STATUS_LINE, 1013},
    {"Windows extended", IDC_WINDOWS_EXTENDED, 1014},
    {"BIOS extended", IDC_BIOS_EXTENDED, 1015},
    {"About", IDC_ABOUT, 1016},
    {"typing rate", IDC_TYPING_RATE, 1017},
    {"language code", IDC_LANGUAGE_CODE, 1018},
    {"filter system keys", IDC_FILTER_SYSTEM_KEYS, 1019},
    {"match Windows", IDC_MATCH_WINDOWS, 1020},
    {"match BIOS", IDC_MATCH_BIOS, 1021},
    {"delay time", IDC_DELAY_TIME, 1022},
    {"LED test", IDC_LED_TEST, 1023},
    {"About title bitmap", IDB_ABOUT_TITLE, 106},
    {"About logo bitmap", IDB_ABOUT_LOGO, 111},
    {"About title", IDC_ABOUT_TITLE, 1050},
    {"About name", IDC_ABOUT_NAME, 1087},
    {"About version", IDC_ABOUT_VERSION, 1039},
    {"About logo", IDC_ABOUT_LOGO, 1036},
    {"operator", IDC_OPERATOR_ID, 1021},
    {"product", IDC_PRODUCT_ID, 1022},
    {"batch", IDC_BATCH_ID, 1023},
    {"log path", IDC_LOG_PATH, 1028},
    {"browse", IDC_BROWSE, 1005},
    {"overwrite log", IDC_OVERWRITE_LOG, 1030},
    {"append to log", IDC_APPEND_LOG, 1031},
    {"serial", IDC_SERIAL, 1024},
    {"version", IDC_VERSION, 1025},
    {"serial prompt", IDC_SERIAL_PROMPT, 1034},
    {"Continue", IDC_CONTINUE, 1033},
    {"leave", IDC_LEAVE, 1029},
    {"reason: key", IDC_REASON_KEY, 1026},
    {"reason: row", IDC_REASON_ROW, 1027},
    {"reason: bank", IDC_REASON_BANK, 1028},
    {"reason: LED", IDC_REASON_LED, 1029},
    {"reason: other", IDC_REASON_OTHER, 1030},
};

TEST(ControlIds, EveryControlKeepsItsNumber) {
    for (const ControlNumber& control : kControlNumbers) {
        EXPECT_EQ(control.id, control.number) << control.name;
    }
}

// The reason dialog's buttons are read as a run in the order of the reasons.
TEST(ControlIds, ReasonButtonsAreARun) {
    EXPECT_EQ(IDC_REASON_ROW, IDC_REASON_KEY + 1);
    EXPECT_EQ(IDC_REASON_BANK, IDC_REASON_KEY + 2);
    EXPECT_EQ(IDC_REASON_LED, IDC_REASON_KEY + 3);
    EXPECT_EQ(IDC_REASON_OTHER, IDC_REASON_KEY + 4);
}

}  // namespace
