// What the driver knows of the tester's windows: class names, titles and the ids of the controls it reads.
#pragma once

constexpr const char* kMainWindowClass = "Dorvelquinta";
constexpr const char* kMessageBoxClass = "#32770";
constexpr const char* kTesterFileName = "dorvelquinta.exe";

constexpr int kMessageBoxText = 0xFFFF;
constexpr int kLayoutList = 1004;
constexpr int kPicture = 1006;
constexpr int kStatusLine = 1013;
constexpr int kLanguageCode = 1018;
constexpr int kMatchWindows = 1020;
constexpr int kMatchBios = 1021;

// The size of the picture's source area in a layout bitmap.
constexpr int kPictureWidth = 700;
constexpr int kPictureHeight = 340;
