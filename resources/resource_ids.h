// Identifiers of the dialog controls and resources, shared by the resource script, the program and the
// end-to-end driver. The numbers are the ones the tester's dialogs have always had: tools that drive it find
// its controls by them.
#pragma once

// The main window.
#define IDC_HELP_BUTTON 1000
#define IDC_EXIT 1003
#define IDC_LAYOUT_LIST 1004
#define IDC_CLEAR 1005
#define IDC_PICTURE 1006
#define IDC_FAULT_CHECK 1007
#define IDC_WINDOWS_CODE 1008
#define IDC_BIOS_CODE 1009
#define IDC_HOLD_TIME 1010
#define IDC_LAST_RELEASED 1011
#define IDC_LAST_PRESSED 1012
#define IDC_STATUS_LINE 1013
#define IDC_WINDOWS_EXTENDED 1014
#define IDC_BIOS_EXTENDED 1015
#define IDC_ABOUT 1016
#define IDC_TYPING_RATE 1017
#define IDC_LANGUAGE_CODE 1018
#define IDC_FILTER_SYSTEM_KEYS 1019
#define IDC_MATCH_WINDOWS 1020
#define IDC_MATCH_BIOS 1021
#define IDC_DELAY_TIME 1022
#define IDC_LED_TEST 1023

// The About box: its title picture, the program's name, the hidden version line and the area of the logo.
#define IDB_ABOUT_TITLE 106
#define IDB_ABOUT_LOGO 111
#define IDC_ABOUT_TITLE 1050
#define IDC_ABOUT_NAME 1087
#define IDC_ABOUT_VERSION 1039
#define IDC_ABOUT_LOGO 1036

// The Operator dialog.
#define IDC_OPERATOR_ID 1021
#define IDC_PRODUCT_ID 1022
#define IDC_BATCH_ID 1023
#define IDC_LOG_PATH 1028
#define IDC_BROWSE 1005
#define IDC_OVERWRITE_LOG 1030
#define IDC_APPEND_LOG 1031

// The Serial dialog.
#define IDC_SERIAL 1024
#define IDC_VERSION 1025
#define IDC_SERIAL_PROMPT 1034

// The Continue and leave buttons of the Operator and Serial dialogs; Continue ends the fail-reason dialog
// too.
#define IDC_CONTINUE 1033
#define IDC_LEAVE 1029

// The fail-reason dialog's radio buttons, in the order of the reasons.
#define IDC_REASON_KEY 1026
#define IDC_REASON_ROW 1027
#define IDC_REASON_BANK 1028
#define IDC_REASON_LED 1029
#define IDC_REASON_OTHER 1030

// The notice a verdict or identification dialog shows while its keys are guarded.
#define IDC_GUARD_NOTICE 1099

// Timers of the main window.
#define LED_TEST_TIMER 1
#define HOST_POLL_TIMER 2
#define CONCLUSION_TIMER 3
#define PLAN_TIMER 4
