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
inline constexpr UINT popupmenue_daoc = 7;  // the "DAoC" submenu with the agreements
inline constexpr UINT popupmenue_running = 8;  // "Laufende Spiele": the games logged in that still run
inline constexpr UINT popupmenue_places_remember = 9;  // "Fensterplätze merken"
inline constexpr UINT popupmenue_places_forget = 10;   // "Fensterplätze vergessen"
inline constexpr UINT kSeparator = 0;
inline constexpr UINT kFirstListCommand = 1000;
}  // namespace tray_menu

struct TrayMenuState {
    std::vector<std::wstring> quickLoginCaptions;  // one per entry, in entry order
    std::vector<std::wstring> teamNames;           // in the order the teams were made
    bool quickLoginsEnabled = true;                // false while a login runs
    bool runInProgress = false;                    // offers to cancel the run
    std::vector<std::wstring> runningGames;        // the running games' window titles
    std::vector<HWND> runningWindows;              // and their windows, in the same order
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

// The top-level items of the menu for `state`, in their order: command ids, popupmenue_daoc
// and popupmenue_running for the submenus and kSeparator for a line. BuildTrayMenu builds
// them in this order.
std::vector<UINT> TrayMenuItems(const TrayMenuState& state);

// The popup menu for the state; the caller shows it and owns it.
base::ScopedMenu BuildTrayMenu(const TrayMenuState& state);
