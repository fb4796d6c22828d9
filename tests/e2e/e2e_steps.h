// The makers of script steps, so that the case tables read as lists of expectations and actions. Each step's
// meaning is given with its kind in e2e_case.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/e2e/e2e_case.h"

// Start-up and the main window's controls
Step ExpectMessageBox(const std::string& caption, const std::string& text);
Step ExpectNoMessageBox();
Step ExpectMainWindowShown();
Step ExpectShownWithin(long milliseconds);
Step ExpectMainWindowNeverShown();
Step ExpectTitle(const std::string& title);
Step ExpectControlText(int control, const std::string& text);
Step ExpectControlValue(int control, long low, long high, const std::string& unit);
Step ExpectHexControlText(int control, int digits);
Step ExpectCheckState(int control, int state);
Step ExpectLayoutNames(const std::vector<std::string>& names);
Step ExpectLayoutCount(int count);
Step ExpectSelectedIndex(int index);
Step ExpectSelectedLayout(const std::string& name);
Step ExpectAppCommandAnswered();
Step CloseMainWindow();
Step ExpectExit(int exitCode);

// The operator's keys, mouse and commands
Step PressKey(const std::vector<KeyStroke>& keys);
Step ReleaseKey(const std::vector<KeyStroke>& keys);
Step TypeKey(const std::vector<KeyStroke>& keys);
Step PostKeyDown(const KeyStroke& key, int repeatCount);
Step PressMouse(int button, int x, int y);
Step ReleaseMouse(int button, int x, int y);
Step ClickControl(int control);
Step MouseOnControl(int control);
Step ChooseLayout(const std::string& name);
Step SetClientSize(int width, int height);
Step RepaintWindow();
Step Pause(int milliseconds);

// What the window shows
Step ExpectPictureColour(long colour);
Step ExpectButtonRow(int slots);
Step ExpectKeyOverlay(const PictureRect& area, long colour);
Step ExpectKeyPlain(const PictureRect& area);
Step ExpectOverlayOnTop(const PictureRect& area, long topColour, long hiddenColour);

// Dialogs of the tester
Step ExpectDialog(const std::string& title);
Step ExpectNoDialog(const std::string& title);
Step ExpectDialogGone(const std::string& title);
Step SetDialogText(const std::string& title, int control, const std::string& text);
Step ClickDialogButton(const std::string& title, int control);
Step MouseOnDialogButton(const std::string& title, int control);
Step PressDialogKey(const std::string& title, const KeyStroke& key);
Step ExpectDialogText(const std::string& title, int control, const std::string& text);
Step ExpectDialogCheck(const std::string& title, int control, int state);
Step ExpectDialogCentred(const std::string& title);

// Files, lock keys, the process and speed
Step ExpectLogFile(const std::string& name, const std::vector<std::string>& lines);
Step ExpectLogLineCount(const std::string& name, const std::string& line, int count);
Step ExpectLogPrefixes(const std::string& name, const std::string& beginning, int count);
Step ExpectNoFile(const std::string& name);
Step KillTester();
Step SetLock(int virtualKey, bool on);
Step ExpectLedBlinking();
Step ExpectLocks(bool capsLock, bool numLock, bool scrollLock);
// The speed measurement first times kLatencyPresses single presses, alternately of `first` and `second`, then
// sends `presses` more of them as fast as Wine takes them, and `last` at the end.
constexpr int kLatencyPresses = 100;
Step MeasureSpeed(int presses, const KeyStroke& first, const KeyStroke& second, const KeyStroke& last);
Step Soak(long events, uint32_t seed, const std::vector<KeyStroke>& keys);
