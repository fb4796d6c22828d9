// The step players, one per kind of step (a few serve kinds that differ only in a direction), grouped by
// subject. Each plays its step and returns an empty text when the step held, else what was expected and what
// was seen. A player given the main window runs only once the main window exists.
#pragma once

#include <windows.h>

#include <string>

#include "tests/e2e/e2e_case.h"
#include "tests/e2e/player_session.h"

// Message boxes, the main window's appearance and the tester's end (play_startup.cpp).
std::string PlayMessageBox(Session& session, const Step& step);
std::string PlayNoMessageBox(const Session& session);
std::string PlayMainWindowShown(Session& session);
std::string PlayMainWindowShownWithin(Session& session, const Step& step);
std::string PlayMainWindowNeverShown(const Session& session);
std::string PlayExit(Session& session, const Step& step);

// The main window's controls: texts, check states, the layout list, the answer to WM_APPCOMMAND
// (play_controls.cpp).
std::string PlayTitle(Session& session, HWND mainWindow, const Step& step);
std::string PlayControlText(Session& session, HWND mainWindow, const Step& step);
std::string PlayControlValue(Session& session, HWND mainWindow, const Step& step);
std::string PlayHexControlText(Session& session, HWND mainWindow, const Step& step);
std::string PlayCheckState(Session& session, HWND mainWindow, const Step& step);
std::string PlayLayoutNames(Session& session, HWND mainWindow, const Step& step);
std::string PlayLayoutCount(Session& session, HWND mainWindow, const Step& step);
std::string PlaySelectedIndex(Session& session, HWND mainWindow, const Step& step);
std::string PlaySelectedLayout(Session& session, HWND mainWindow, const Step& step);
std::string PlayAppCommand(Session& session, HWND mainWindow, const Step& step);
std::string PlayCloseMainWindow(Session& session, HWND mainWindow, const Step& step);

// The operator's keys, mouse and commands on the main window (play_input.cpp).
std::string PlayKeys(Session& session, HWND mainWindow, const Step& step);  // pressed, released or typed
std::string PlayPostedKeyDown(Session& session, HWND mainWindow, const Step& step);
std::string PlayMouse(Session& session, HWND mainWindow, const Step& step);  // pressed or released
std::string PlayKeysElsewhere(Session& session, const Step& step);
std::string PlayTimedKeys(Session& session, HWND mainWindow, const Step& step);
std::string PlayClickControl(Session& session, HWND mainWindow, const Step& step);
std::string PlaySendCommand(Session& session, HWND mainWindow, const Step& step);
std::string PlayMouseOnControl(Session& session, HWND mainWindow, const Step& step);
std::string PlayChooseLayout(Session& session, HWND mainWindow, const Step& step);
std::string PlayClientSize(Session& session, HWND mainWindow, const Step& step);
std::string PlayRepaint(Session& session, HWND mainWindow, const Step& step);
std::string PlaySettled(Session& session, HWND mainWindow, const Step& step);

// The picture's colours and the places of the picture and the buttons (play_picture.cpp).
std::string PlayPictureColour(Session& session, HWND mainWindow, const Step& step);
std::string PlayPanelColour(Session& session, HWND mainWindow, const Step& step);
std::string PlayButtonRow(Session& session, HWND mainWindow, const Step& step);
std::string PlayKeyOverlay(Session& session, HWND mainWindow, const Step& step);
std::string PlayKeyPlain(Session& session, HWND mainWindow, const Step& step);
std::string PlayOverlayOnTop(Session& session, HWND mainWindow, const Step& step);

// The tester's dialogs (play_dialogs.cpp).
std::string PlayDialog(Session& session, const Step& step);
std::string PlayNoDialog(const Session& session, const Step& step);
std::string PlayDialogGone(Session& session, const Step& step);
std::string PlaySetDialogText(Session& session, const Step& step);
std::string PlayClickDialogButton(Session& session, const Step& step);
std::string PlayMouseOnDialogButton(Session& session, const Step& step);
std::string PlayPressDialogKey(Session& session, const Step& step);
std::string PlayDialogText(Session& session, const Step& step);
std::string PlayDialogCheck(Session& session, const Step& step);
std::string PlayDialogCentred(Session& session, const Step& step);

// Files, lock keys and the process (play_records.cpp).
std::string PlayLogFile(Session& session, const Step& step);
std::string PlayLogLineCount(Session& session, const Step& step);  // whole lines or beginnings
std::string PlayNoFile(const Session& session, const Step& step);
std::string PlayKill(Session& session);
std::string PlaySetLock(Session& session, const Step& step);
std::string PlayLedBlinking(Session& session);
std::string PlayLocks(Session& session, const Step& step);

// Switches Caps Lock, Num Lock and Scroll Lock off before a tester starts. Under Wine a program started while
// a lock is on reads it as off, so the lock steps hold only when the tester starts with all three off, where
// its view of the toggles and the system's agree. False, with the failure, when a lock does not switch off.
bool SwitchLocksOff(Session& session, std::string& failure);

// The speed measurement (play_speed.cpp).
std::string PlaySpeedStep(Session& session, HWND mainWindow, const Step& step);

// The soak (play_soak.cpp).
std::string PlaySoakStep(Session& session, HWND mainWindow, const Step& step);

// The host block, the run flag and the timed end (play_host.cpp).
std::string PlayHostBytes(Session& session, const Step& step);
std::string PlayRunFlag(const Session& session, const Step& step);
std::string PlayEndWithin(Session& session, const Step& step);

// Moving the main window (play_host.cpp).
std::string PlayMoveMainWindow(Session& session, HWND mainWindow, const Step& step);
