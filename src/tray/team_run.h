// A team: its QuickLogins log in side by side, paced as the settings file says (seconds between
// two starts, logins under way at once), because game servers refuse logins that come too
// fast. Members of different installations never wait for each other's logins; a member of an
// installation whose previous member's game has not yet used its user.dat entry waits for that
// moment. A member that fails or passes its time limit is given up (its game is left running)
// and the rest go on; at the end, one message names who logged in and who did not, with a
// retry of just those. The tip counts the members; "Anmeldung abbrechen" starts nobody more and
// ends every login under way.
#pragma once
#include <string>
#include <vector>

#include "tray/tray_login_observer.h"

// Starts the team, which reports to the tray through `tray`; every member must still be a
// QuickLogin that can log in, or the team does not start and a message names the member and
// the reason. False when nothing was started.
bool RunTeam(const std::wstring& name, TrayLoginObserver& tray);

// Whether a team is under way.
bool TeamRuns();

// A QuickLogin chosen while a team runs logs in beside it, unless the team still logs in on the
// same installation (a message says so then). Its problems are shown as its own.
void LogInBesideTeam(const std::wstring& entry, TrayLoginObserver& tray);

// "Anmeldung abbrechen": a team under way starts nobody more, and every login under way ends
// (its game, when it was started, is left running).
void CancelLogins();
