// ModLogin: One QuickLogin, from the stored entry to the logged-in game.
#pragma once
#include <string>

#include "login/login_observer.h"
#include "store/settings.h"

// Carries out an unscrambled QuickLogin entry: checks that its client, server, account and
// fields are known (saying what is missing otherwise), writes the quick-start entry into the
// client's user.dat and starts the game's login (game_login.h), which goes on after the
// return and reports to `observer`. False when nothing was started.
// With `askIfRunning` false (the next member of a team) a running game is not asked about.
bool RunQuickLogin(const Settings& settings, const std::wstring& entry, LoginObserver& observer,
                   bool askIfRunning = true);
