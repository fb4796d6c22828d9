// What the driver knows of the tester's windows: class names and titles. The ids of the controls it reads are
// the tester's own (resources/resource_ids.h), as is the size of the picture (base/window_geometry.h).
#pragma once

#include <windows.h>

#include "base/window_geometry.h"
#include "resources/resource_ids.h"

constexpr const char* kMainWindowClass = "Dorvelquinta";
constexpr const char* kMessageBoxClass = "#32770";
constexpr const char* kTesterFileName = "dorvelquinta.exe";

// The text of a message box.
constexpr int kMessageBoxText = 0xFFFF;

// The dialogs, by their titles. The About box carries the main window's title.
constexpr const char* kAboutTitle = "Dorvelquinta 2.8";
constexpr const char* kOperatorTitle = "Dorvelquinta 批量-ID";
constexpr const char* kSerialTitle = "Dorvelquinta 序列号";
constexpr const char* kPassTitle = "Dorvelquinta - 键盘合格吗？";
constexpr const char* kFailReasonTitle = "选择故障的原因";
constexpr const char* kBrowseTitle = "选择一个日志的文件名";
constexpr const char* const kDialogTitles[] = {kAboutTitle, kOperatorTitle,   kSerialTitle,
                                               kPassTitle,  kFailReasonTitle, kBrowseTitle};

// The mouse buttons as the tester names them.
constexpr int kLeftButton = -5;
constexpr int kMiddleButton = -4;
constexpr int kRightButton = -3;
