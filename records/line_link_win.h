// The tester's side of the line link on Windows: the spool folder beside the program, the sender's thread
// that empties it, and the serial gate asked from the Serial dialog.
#pragma once

#include <windows.h>

#include <string>

// The message with which the sender tells the main window the line's state: wParam the LineReach in its low
// four bits, kLineAnswered when the sender just had the line's answer (or none), and the records set aside
// from bit 8 on; lParam the records waiting.
constexpr UINT kLineStateMessage = WM_APP + 16;
constexpr WPARAM kLineAnswered = 0x10;

// With the line link on, starts the sender for the spool folder beside the program: it sends the records
// left there by an earlier run (oldest first), then each one spooled, and posts its state to `window`.
void StartLineLink(HWND window);

// At the program's end: lets the sender go on while the line takes the records waiting, for at most
// `boundMs`; whatever is left waits in the spool for the next start.
void StopLineLink(DWORD boundMs);

// With the line link and LineGate on, asks the line whether the keyboard `serial` (version `version`) may be
// tested here, and tells the operator, over `dialog`, the line's reason for a refusal or, once per outage,
// that the line is not reached. True when the keyboard may be tested.
bool AskLineGate(HWND dialog, const std::string& serial, const std::string& version);
