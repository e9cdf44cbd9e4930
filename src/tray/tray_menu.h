// The tray icon's popup menu: the program's commands and one item per QuickLogin.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/handles.h"

// The menu's fixed items by their command ids. The QuickLogin items `popup_chars`(i) and the
// team items follow from kFirstListCommand on, numbered by the menu that shows them
// (ListCommand, CommandOf): however many there are, no two items share a number.
namespace tray_menu {
inline constexpr UINT popupmenue_about = 1;
inline constexpr UINT popupmenue_config = 2;
inline constexpr UINT popupmenue_daoc_lizenzen[2] = {3, 4};  // the end-user agreement, the rules of conduct
inline constexpr UINT popupmenue_cancel_run = 5;             // "Anmeldung abbrechen", while a login runs
inline constexpr UINT popupmenue_beenden = 6;
inline constexpr UINT popupmenue_daoc = 7;             // the "DAoC" submenu with the agreements
inline constexpr UINT popupmenue_running = 8;          // "Laufende Spiele": the games logged in that still run
inline constexpr UINT popupmenue_places_remember = 9;  // "Fensterplätze merken"
inline constexpr UINT popupmenue_places_forget = 10;   // "Fensterplätze vergessen"
// The submenus of a menu too long for one screen: the QuickLogins of one server and realm,
// the teams, and a part of a list that is still too long ("<first> … <last>").
inline constexpr UINT popupmenue_group = 11;
inline constexpr UINT popupmenue_teams = 12;
inline constexpr UINT popupmenue_part = 13;
// In "Laufende Spiele": the next or previous game to the front, all minimised, restored or asked
// to close, and the switch for the games behind the one in front.
inline constexpr UINT popupmenue_games_next = 14;
inline constexpr UINT popupmenue_games_previous = 15;
inline constexpr UINT popupmenue_games_minimize = 16;
inline constexpr UINT popupmenue_games_restore = 17;
inline constexpr UINT popupmenue_games_close = 18;
inline constexpr UINT popupmenue_games_background = 19;
// Up to this many QuickLogins and teams stand in the menu itself; more are grouped, and no
// menu or submenu lists more items than this.
inline constexpr size_t kScreenItems = 25;
inline constexpr UINT kSeparator = 0;
// The menu's lines: after the configuration, after the DAoC submenu, and before "Beenden".
inline constexpr UINT popupmenue_trennlinie3 = kSeparator;
inline constexpr UINT popupmenue_trennlinie2 = kSeparator;
inline constexpr UINT popupmenue_trennlinie = kSeparator;
inline constexpr UINT kFirstListCommand = 1000;
}  // namespace tray_menu

struct TrayMenuState {
    // The QuickLogins' whole entries (unscrambled), in entry order: an item logs in exactly the
    // entry it shows, wherever the file holds it by then.
    std::vector<std::wstring> quickLoginEntries;
    std::vector<std::wstring> teamNames;  // in the order the teams were made
    bool quickLoginsEnabled = true;       // false while a login runs
    // A team runs: its QuickLogins may still log in beside it (those of installations the team
    // does not use).
    bool quickLoginsBesideTeam = false;
    bool runInProgress = false;              // offers to cancel the run
    std::vector<std::wstring> runningGames;  // the running games' names
    std::vector<HWND> runningWindows;        // and their windows, in the same order
    bool backgroundGamesLower = false;       // games behind the one in front at a lower priority
    bool operator==(const TrayMenuState&) const = default;
};

// What a list item of the menu stands for.
struct TrayListItem {
    enum class Kind { kNone, kQuickLogin, kTeam, kRunningGame } kind = Kind::kNone;
    size_t index = 0;  // the entry's or the team's place in its list
};
// The command of QuickLogin `index` or team `index` in a menu built from `state`.
UINT ListCommand(const TrayMenuState& state, TrayListItem item);
// What the command of a menu built from `state` stands for; kNone for the fixed items.
TrayListItem ListItemOf(const TrayMenuState& state, UINT command);

// One item of the menu: a command, a line (kSeparator) or a submenu (popupmenue_daoc,
// popupmenue_running, popupmenue_group, popupmenue_teams, popupmenue_part) with its items.
struct TrayMenuItem {
    UINT id = tray_menu::kSeparator;
    std::vector<TrayMenuItem> items;
};

// The menu for `state`, in its order. BuildTrayMenu builds it; a test finds an item's place
// in it.
std::vector<TrayMenuItem> TrayMenuItems(const TrayMenuState& state);

// The popup menu for the state; the caller shows it and owns it.
base::ScopedMenu BuildTrayMenu(const TrayMenuState& state);
