// The settings file dorvelquinta.ini beside the exe, section [Dorvelquinta]. Every key is optional and every
// new feature is off without it, so a tester without the file behaves as one that never had settings.
#pragma once

#include <string>

#include "base/platform.h"

constexpr const char* kSettingsFileName = "dorvelquinta.ini";

// The longest chatter threshold a settings file may give, in milliseconds.
constexpr int kMostChatterMs = 1000;
// The shortest one: key events are stamped with the system clock, which moves in ticks of 10 to 16 ms on
// Windows, so a shorter threshold could not be told from 0.
constexpr int kLeastChatterMs = 16;
// The chatter threshold used where the file's value cannot be read.
constexpr int kUsualChatterMs = 20;
// How long a verdict or Serial dialog keeps keys away at most, and where the file's value cannot be read.
constexpr int kMostDialogGuardMs = 5000;
constexpr int kUsualDialogGuardMs = 700;

// Reads the settings of the file at `path` into the program's state. A value that cannot be read is replaced
// (a chatter threshold by 20 ms, one finer than a clock tick by 16 ms, a record switch by 1, so that records
// are kept rather than lost, a record path by the default, LineOffline by continue; a LineUrl that is no
// address leaves the line link off) and every such value is reported in one message box owned by `owner`,
// naming the file, the key and the value used instead.
void ReadSettings(WindowHandle owner, const std::string& path);
