// The makers of script steps, so that the case tables read as lists of expectations and actions. Each step's
// meaning is given with its kind in e2e_case.h.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/e2e/e2e_case.h"

// Start-up and the main window's controls
Step ExpectMessageBox(const std::string& caption, const std::string& text, SourcePlace writtenAt = {});
Step ExpectMessageBoxHolding(const std::string& caption, const std::string& part, SourcePlace writtenAt = {});
Step ExpectNoMessageBox(SourcePlace writtenAt = {});
Step ExpectMainWindowShown(SourcePlace writtenAt = {});
Step ExpectShownWithin(long milliseconds, SourcePlace writtenAt = {});
Step ExpectMainWindowNeverShown(SourcePlace writtenAt = {});
Step ExpectTitle(const std::string& title, SourcePlace writtenAt = {});
Step ExpectControlText(int control, const std::string& text, SourcePlace writtenAt = {});
Step ExpectControlValue(int control, long low, long high, const std::string& unit,
                        SourcePlace writtenAt = {});
Step ExpectHexControlText(int control, int digits, SourcePlace writtenAt = {});
Step ExpectCheckState(int control, int state, SourcePlace writtenAt = {});
Step ExpectLayoutNames(const std::vector<std::string>& names, SourcePlace writtenAt = {});
Step ExpectLayoutCount(int count, SourcePlace writtenAt = {});
Step ExpectSelectedIndex(int index, SourcePlace writtenAt = {});
Step ExpectSelectedLayout(const std::string& name, SourcePlace writtenAt = {});
Step ExpectAppCommandAnswered(SourcePlace writtenAt = {});
Step CloseMainWindow(SourcePlace writtenAt = {});
Step ExpectExit(int exitCode, SourcePlace writtenAt = {});

// The operator's keys, mouse and commands
Step PressKey(const std::vector<KeyStroke>& keys, SourcePlace writtenAt = {});
Step ReleaseKey(const std::vector<KeyStroke>& keys, SourcePlace writtenAt = {});
Step TypeKey(const std::vector<KeyStroke>& keys, SourcePlace writtenAt = {});
Step PostKeyDown(const KeyStroke& key, int repeatCount, SourcePlace writtenAt = {});
Step SendTimedKeys(const std::vector<KeyMove>& moves, SourcePlace writtenAt = {});
Step ExpectKeysElsewhere(const std::vector<KeyStroke>& keys, int boundMs, SourcePlace writtenAt = {});
Step PressMouse(int button, int x, int y, SourcePlace writtenAt = {});
Step ReleaseMouse(int button, int x, int y, SourcePlace writtenAt = {});
Step ClickControl(int control, SourcePlace writtenAt = {});
Step SendCommand(int control, SourcePlace writtenAt = {});
Step MouseOnControl(int control, SourcePlace writtenAt = {});
Step ChooseLayout(const std::string& name, SourcePlace writtenAt = {});
Step SetClientSize(int width, int height, SourcePlace writtenAt = {});
Step RepaintWindow(SourcePlace writtenAt = {});
Step Pause(int milliseconds, SourcePlace writtenAt = {});
Step ExpectSettled(SourcePlace writtenAt = {});

// What the window shows
Step ExpectPictureColour(long colour, SourcePlace writtenAt = {});
Step ExpectPanelColour(long colour, SourcePlace writtenAt = {});
Step ExpectButtonRow(int slots, SourcePlace writtenAt = {});
Step ExpectKeyOverlay(const PictureRect& area, long colour, SourcePlace writtenAt = {});
Step ExpectKeyPlain(const PictureRect& area, SourcePlace writtenAt = {});
Step ExpectOverlayOnTop(const PictureRect& area, long topColour, long hiddenColour,
                        SourcePlace writtenAt = {});

// Dialogs of the tester
Step ExpectDialog(const std::string& title, SourcePlace writtenAt = {});
Step ExpectNoDialog(const std::string& title, SourcePlace writtenAt = {});
Step ExpectDialogGone(const std::string& title, SourcePlace writtenAt = {});
Step SetDialogText(const std::string& title, int control, const std::string& text,
                   SourcePlace writtenAt = {});
Step ClickDialogButton(const std::string& title, int control, SourcePlace writtenAt = {});
Step MouseOnDialogButton(const std::string& title, int control, SourcePlace writtenAt = {});
Step PressDialogKey(const std::string& title, const KeyStroke& key, SourcePlace writtenAt = {});
Step ExpectDialogText(const std::string& title, int control, const std::string& text,
                      SourcePlace writtenAt = {});
Step ExpectDialogCheck(const std::string& title, int control, int state, SourcePlace writtenAt = {});
Step ExpectDialogCentred(const std::string& title, SourcePlace writtenAt = {});

// Files, lock keys, the process and speed
Step ExpectLogFile(const std::string& name, const std::vector<std::string>& lines,
                   SourcePlace writtenAt = {});
Step ExpectLogLineCount(const std::string& name, const std::string& line, int count,
                        SourcePlace writtenAt = {});
Step ExpectLogPrefixes(const std::string& name, const std::string& beginning, int count,
                       SourcePlace writtenAt = {});
Step ExpectNoFile(const std::string& name, SourcePlace writtenAt = {});
Step KillTester(SourcePlace writtenAt = {});
Step SetLock(int virtualKey, bool on, SourcePlace writtenAt = {});
Step ExpectLedBlinking(SourcePlace writtenAt = {});
Step ExpectLocks(bool capsLock, bool numLock, bool scrollLock, SourcePlace writtenAt = {});
// The speed measurement first times kLatencyPresses single presses, alternately of `first` and `second`, then
// sends `presses` more of them as fast as Wine takes them, and `last` at the end.
constexpr int kLatencyPresses = 100;
Step MeasureSpeed(int presses, const KeyStroke& first, const KeyStroke& second, const KeyStroke& last,
                  SourcePlace writtenAt = {});
Step Soak(long events, uint32_t seed, const std::vector<KeyStroke>& keys, SourcePlace writtenAt = {});

// The case's line server and the tester started again
Step StartLine(SourcePlace writtenAt = {});
Step StopLine(SourcePlace writtenAt = {});
Step ExpectLineRecords(const std::string& recordFile, SourcePlace writtenAt = {});
Step RestartTester(SourcePlace writtenAt = {});
