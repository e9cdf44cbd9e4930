// Drives the game from the start of its launcher to the accepted agreements: a state machine
// on the program's one thread, advanced by a short timer whose messages every message loop
// dispatches (the nested loops of message boxes, modal windows and menus too). So a login
// goes on whatever window of the program is open, and uses next to no processor time.
#pragma once
#include <string>

#include "login/login_observer.h"
#include "login/running_games.h"

// Starts a run: asks before starting a second copy of the game, starts camelot.exe in
// `clientDir`, presses Play, fills the login dialog with account and password, starts
// Modal.exe and accepts both agreement windows. Returns once the run is under way (or over);
// `observer` hears of its progress and its end and must outlive it. False when a run is
// already under way (nothing happens then).
// Windows of a game that was there before the run are left alone; with `askIfRunning` false
// (the next member of a team) a running game is not asked about.
// `care` says what becomes of the game window once it is there (its title, its place).
bool DriveGameLogin(const std::wstring& account, const std::wstring& password, const std::wstring& clientDir,
                    LoginObserver& observer, bool askIfRunning = true, GameWindowCare care = {});

// Whether a run is under way.
bool GameLoginRunning();

// Ends the run under way at its next step; a question that is open still gets its answer,
// but the run goes no further.
void RequestLoginCancel();
