// The step players, one per subject. Each plays the steps of its subject and returns an empty text when the
// step held, else what was expected and what was seen.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/e2e_case.h"
#include "tests/e2e/player_session.h"

// Message boxes, the main window's appearance and the tester's end (play_startup.cpp).
std::string PlayStartupStep(Session& session, const Step& step);

// The main window's controls: texts, check states, the layout list, the answer to WM_APPCOMMAND
// (play_controls.cpp).
std::string PlayControlStep(Session& session, HWND mainWindow, const Step& step);

// The operator's keys, mouse and commands on the main window (play_input.cpp).
std::string PlayInputStep(Session& session, HWND mainWindow, const Step& step);

// The picture's colours and the places of the picture and the buttons (play_picture.cpp).
std::string PlayPictureStep(Session& session, HWND mainWindow, const Step& step);

// The tester's dialogs (play_dialogs.cpp).
std::string PlayDialogStep(Session& session, const Step& step);

// Files, lock keys and the process (play_records.cpp).
std::string PlayRecordStep(Session& session, const Step& step);

// Switches Caps Lock, Num Lock and Scroll Lock off before a tester starts. Under Wine a program started while
// a lock is on reads it as off, so the lock steps hold only when the tester starts with all three off, where
// its view of the toggles and the system's agree. False, with the failure, when a lock does not switch off.
bool SwitchLocksOff(Session& session, std::string& failure);

// The speed measurement (play_speed.cpp).
std::string PlaySpeedStep(Session& session, HWND mainWindow, const Step& step);

// The soak (play_soak.cpp).
std::string PlaySoakStep(Session& session, HWND mainWindow, const Step& step);

// The host block, the run flag and the timed end (play_host.cpp).
std::string PlayHostStep(Session& session, const Step& step);

// Moving the main window (play_host.cpp).
std::string PlayMoveStep(HWND mainWindow, const Step& step);
