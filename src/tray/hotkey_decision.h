// What a pressed hotkey does, decided from what the file and the running games say: a pure
// function, so that every case can be tried without a window or a game.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "login/running_games.h"
#include "store/settings.h"

struct HotkeyDecision {
    enum class Action {
        kLogIn,           // log the hotkey's QuickLogin in
        kStartTeam,       // start the hotkey's team
        kBringToFront,    // bring `windows` to the front, in their order (the last ends on top)
        kQuickLoginGone,  // the hotkey's QuickLogin is no longer in the file
        kTeamGone,        // the hotkey's team has no members (or no longer exists)
    } action;
    std::vector<HWND> windows;
    bool operator==(const HotkeyDecision&) const = default;
};

// `quickLogins`: the file's QuickLogins; `teamMembers`: the members of the hotkey's team (for a
// team's hotkey); `games`: the games running now. A QuickLogin whose game runs comes to the
// front; a team whose games all run comes to the front, its first member on top.
HotkeyDecision DecideHotkey(const Hotkey& hotkey, const std::vector<std::wstring>& quickLogins,
                            const std::vector<std::wstring>& teamMembers, const std::vector<RunningGame>& games);
