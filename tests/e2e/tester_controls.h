// What the driver knows of the tester's windows: class names, titles and the ids of the controls it reads.
#pragma once

constexpr const char* kMainWindowClass = "Dorvelquinta";
constexpr const char* kMessageBoxClass = "#32770";
constexpr const char* kTesterFileName = "dorvelquinta.exe";

constexpr int kMessageBoxText = 0xFFFF;
constexpr int kLayoutList = 1004;
constexpr int kPicture = 1006;
constexpr int kWindowsCode = 1008;
constexpr int kBiosCode = 1009;
constexpr int kHoldTime = 1010;
constexpr int kLastReleased = 1011;
constexpr int kLastPressed = 1012;
constexpr int kStatusLine = 1013;
constexpr int kWindowsExtended = 1014;
constexpr int kBiosExtended = 1015;
constexpr int kTypingRate = 1017;
constexpr int kLanguageCode = 1018;
constexpr int kMatchWindows = 1020;
constexpr int kMatchBios = 1021;
constexpr int kDelayTime = 1022;

// The size of the picture's source area in a layout bitmap.
constexpr int kPictureWidth = 700;
constexpr int kPictureHeight = 340;
