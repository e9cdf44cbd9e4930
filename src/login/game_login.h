// Drives the game from the start of its launcher to the accepted agreements: state machines
// on the program's one thread, advanced by one short timer whose messages every message loop
// dispatches (the nested loops of message boxes, modal windows and menus too). So logins go
// on whatever window of the program is open, and use next to no processor time. Several runs
// may go on side by side (a team's members): each knows its windows by the processes that it
// started, never by their titles alone, which every copy of the game shares.
#pragma once
#include <string>

#include "login/login_observer.h"
#include "login/running_games.h"

// How a run goes about its login, beside what it logs in.
struct RunTerms {
    // Ask before starting a game while one runs already (false: a team's member, whose team asked).
    bool askIfRunning = true;
    // Starts while other runs are under way (a team's member); otherwise the run is refused then.
    bool besideOthers = false;
    // A run not logged in this long after its launcher's Play was pressed is given up (its game
    // is left running); 0: it waits as long as it takes. A launcher that is still patching, with
    // Play not yet enabled, is waited for before the time counts; one that never shows is given
    // up this long after the start.
    unsigned timeLimitSeconds = 0;
};

struct LoginRequest {
    std::wstring account, password, clientDir;
    // What becomes of the game window once it is there (its title, its place).
    GameWindowCare care;
    // Who the run is in the log (the QuickLogin as the menu names it).
    std::wstring who;
    RunTerms terms;
};

// Starts a run: asks before starting a second copy of the game, starts camelot.exe in the
// client's folder, presses Play, fills the run's own login dialog with account and password,
// starts Modal.exe for that dialog and accepts both agreement windows. Returns once the run is
// under way (or over); `observer` hears of its progress and its end and must outlive it. False
// when another run is under way and the request may not start beside it (nothing happens then).
bool DriveGameLogin(LoginRequest request, LoginObserver& observer);

// Whether a run is under way.
bool GameLoginRunning();

// Ends every run under way at its next step; a question that is open still gets its answer,
// but its run goes no further. Games that were started are left running.
void RequestLoginCancel();
