#include "tray/hotkey_decision.h"

#include <algorithm>

HotkeyDecision DecideHotkey(const Hotkey& hotkey, const std::vector<std::wstring>& quickLogins,
                            const std::vector<std::wstring>& teamMembers, const std::vector<RunningGame>& games) {
    using Action = HotkeyDecision::Action;
    const auto windowOf = [&](const std::wstring& entry) -> HWND {
        const auto game = std::find_if(games.begin(), games.end(),
                                       [&](const RunningGame& g) { return QuickLoginEntry::Same(g.entry, entry); });
        return game == games.end() ? nullptr : game->window;
    };
    if (hotkey.kind == Hotkey::Kind::kQuickLogin) {
        if (std::none_of(quickLogins.begin(), quickLogins.end(),
                         [&](const std::wstring& entry) { return QuickLoginEntry::Same(entry, hotkey.target); }))
            return {Action::kQuickLoginGone, {}};
        if (HWND window = windowOf(hotkey.target)) return {Action::kBringToFront, {window}};
        return {Action::kLogIn, {}};
    }
    if (teamMembers.empty()) return {Action::kTeamGone, {}};
    std::vector<HWND> windows;
    for (auto member = teamMembers.rbegin(); member != teamMembers.rend(); ++member) {
        HWND window = windowOf(*member);
        if (!window) return {Action::kStartTeam, {}};
        windows.push_back(window);
    }
    return {Action::kBringToFront, windows};
}
