// Identifiers of the dialog controls and resources, shared by the resource script and the program.
#pragma once

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

// The Continue button of the identification and fail-reason dialogs.
#define IDC_CONTINUE 1033

// Timers of the main window.
#define LED_TEST_TIMER 1
#define HOST_POLL_TIMER 2
#define CONCLUSION_TIMER 3
#define PLAN_TIMER 4
