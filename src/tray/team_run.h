// A team: its QuickLogins run one after another, each once the previous one has finished its
// login (the game windows of two logins share their titles, so they must not overlap). A member
// that fails is reported and the next one goes on. The running-game question is asked for the
// first member only; "Anmeldung abbrechen" stops the team; the tray tip names the member and
// the window it waits for.
#pragma once
#include <string>

#include "tray/tray_login_observer.h"

// Starts the team, which reports to the tray through `tray`; every member must still be a
// QuickLogin that can log in, or the team does not start and a message names the member and
// the reason. False when nothing was started.
bool RunTeam(const std::wstring& name, TrayLoginObserver& tray);
