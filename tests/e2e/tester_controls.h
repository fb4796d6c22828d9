// What the driver knows of the tester's windows: class names, titles and the ids of the controls it reads.
#pragma once

constexpr const char* kMainWindowClass = "Dorvelquinta";
constexpr const char* kMessageBoxClass = "#32770";
constexpr const char* kTesterFileName = "dorvelquinta.exe";

// The main window
constexpr int kMessageBoxText = 0xFFFF;
constexpr int kHelpButton = 1000;
constexpr int kExitButton = 1003;
constexpr int kLayoutList = 1004;
constexpr int kClearButton = 1005;
constexpr int kPicture = 1006;
constexpr int kFaultButton = 1007;
constexpr int kWindowsCode = 1008;
constexpr int kBiosCode = 1009;
constexpr int kHoldTime = 1010;
constexpr int kLastReleased = 1011;
constexpr int kLastPressed = 1012;
constexpr int kStatusLine = 1013;
constexpr int kWindowsExtended = 1014;
constexpr int kBiosExtended = 1015;
constexpr int kAboutButton = 1016;
constexpr int kTypingRate = 1017;
constexpr int kLanguageCode = 1018;
constexpr int kMatchWindows = 1020;
constexpr int kMatchBios = 1021;
constexpr int kDelayTime = 1022;
constexpr int kFilterCheckBox = 1019;
constexpr int kLedButton = 1023;

// The dialogs, by their titles, and their controls. The About box carries the main window's title.
constexpr const char* kAboutTitle = "Dorvelquinta 2.8";
constexpr const char* kOperatorTitle = "Dorvelquinta 批量-ID";
constexpr const char* kSerialTitle = "Dorvelquinta 序列号";
constexpr const char* kPassTitle = "Dorvelquinta - 键盘合格吗？";
constexpr const char* kFailReasonTitle = "选择故障的原因";
constexpr const char* kBrowseTitle = "选择一个日志的文件名";
constexpr const char* const kDialogTitles[] = {kAboutTitle, kOperatorTitle,   kSerialTitle,
                                               kPassTitle,  kFailReasonTitle, kBrowseTitle};

constexpr int kOperatorField = 1021;
constexpr int kProductField = 1022;
constexpr int kBatchField = 1023;
constexpr int kLogPathField = 1028;
constexpr int kBrowseButton = 1005;
constexpr int kOverwriteRadio = 1030;
constexpr int kAppendRadio = 1031;
constexpr int kContinueButton = 1033;
constexpr int kLeaveButton = 1029;
constexpr int kSerialField = 1024;
constexpr int kVersionField = 1025;
constexpr int kSerialPrompt = 1034;
constexpr int kPassYes = 6;
constexpr int kPassNo = 7;
constexpr int kReasonKeyBroken = 1026;
constexpr int kReasonRowBroken = 1027;
constexpr int kReasonBankBroken = 1028;
constexpr int kReasonLedBroken = 1029;
constexpr int kReasonOther = 1030;

// The size of the picture's source area in a layout bitmap.
constexpr int kPictureWidth = 700;
constexpr int kPictureHeight = 340;

// The mouse buttons as the tester names them.
constexpr int kLeftButton = -5;
constexpr int kMiddleButton = -4;
constexpr int kRightButton = -3;
