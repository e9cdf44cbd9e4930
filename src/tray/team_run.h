// A team: its QuickLogins run one after another, each once the previous one has finished its
// login (the game windows of two logins share their titles, so they must not overlap). The
// running-game question is asked for the first member only; "Anmeldung abbrechen" stops the
// team; the tray tip names the member and the window it waits for.
#pragma once
#include <string>
#include <vector>

#include "login/login_observer.h"
#include "store/settings.h"

// Starts the team; every member must still be a QuickLogin, or the team does not start and a
// message names the member that is gone. False when nothing was started.
bool RunTeam(Settings& settings, const std::wstring& name);
