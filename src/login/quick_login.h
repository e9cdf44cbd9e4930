// ModLogin: One QuickLogin, from the stored entry to the logged-in game.
#pragma once
#include <optional>
#include <string>

#include "login/game_login.h"
#include "login/login_observer.h"
#include "store/settings.h"

// Carries out an unscrambled QuickLogin entry: checks that its client, server, account and
// fields are known (telling `observer` what is missing otherwise), writes the quick-start entry into the
// client's user.dat and starts the game's login (game_login.h), which goes on after the
// return and reports to `observer`. False when nothing was started.
// `terms`: how the run goes about it (a team's member runs beside others, within a time limit).
bool RunQuickLogin(const Settings& settings, const std::wstring& entry, LoginObserver& observer,
                   const RunTerms& terms = {});

// Everything a QuickLogin's login needs, read from the settings file.
struct ResolvedLogin {
    QuickLoginEntry entry;
    std::wstring clientDir;
    std::wstring quickStart;  // the "entry0" value for the game's user.dat
    std::wstring password;
};
// Resolves an unscrambled entry as its login would: fields, client folder that holds the
// game's launcher, server with a real address, account and a readable password. Nothing when it can log in (`login`
// filled), or why not.
std::optional<LoginProblem> ResolveQuickLogin(const Settings& settings, const std::wstring& entry,
                                              ResolvedLogin& login);
