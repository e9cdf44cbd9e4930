// The tray icon's popup menu: the program's commands and one item per QuickLogin.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "base/handles.h"

// The menu's items by their command ids. Control arrays are arrays of ids; `popup_chars`(i)
// is popup_chars + i.
namespace tray_menu {
inline constexpr UINT popupmenue_about = 1;
inline constexpr UINT popupmenue_config = 2;
inline constexpr UINT popupmenue_daoc_lizenzen[2] = {3, 4};  // the end-user agreement, the rules of conduct
inline constexpr UINT popupmenue_cancel_run = 5;             // "Anmeldung abbrechen", while a login runs
inline constexpr UINT popupmenue_beenden = 6;
inline constexpr UINT popup_chars = 1000;
inline constexpr UINT popup_teams = 2000;  // "Team: <name>" (i) is popup_teams + i
}  // namespace tray_menu

struct TrayMenuState {
    std::vector<std::wstring> quickLoginCaptions;  // one per entry, in entry order
    std::vector<std::wstring> teamNames;           // in the order the teams were made
    bool quickLoginsEnabled = true;                // false while a login runs
    bool runInProgress = false;                    // offers to cancel the run
};

// "<server>/<realm>: <character>" from an unscrambled entry; an entry with fewer fields
// shows the ones it has.
std::wstring QuickLoginCaption(std::wstring_view entryText);

// The popup menu for the state; the caller shows it and owns it.
base::ScopedMenu BuildTrayMenu(const TrayMenuState& state);
