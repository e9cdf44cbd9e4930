// Drives the game from the start of its launcher to the accepted agreements.
#pragma once
#include <string>

enum class LoginOutcome {
    kCompleted,     // agreements accepted, final help page shown
    kDeclined,      // a game runs already and the user chose not to start another
    kStartFailed,   // camelot.exe could not be started
    kCancelled,     // the user cancelled the run from the tray menu
    kAccessDenied,  // the game refuses our messages (it runs with higher rights)
};

// Starts camelot.exe in `clientDir`, presses Play, fills the login dialog with account and
// password, starts Modal.exe and accepts both agreement windows. Waits without a time limit,
// handling the program's messages meanwhile, until the run ends or is cancelled.
LoginOutcome DriveGameLogin(const std::wstring& account, const std::wstring& password, const std::wstring& clientDir);

// Ends a running login at its next round.
void RequestLoginCancel();
